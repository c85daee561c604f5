// Columns: widths, minimum widths, the auto column and display order.
#include <gtest/gtest.h>

#include "GridTestSupport.h"

#include <commctrl.h>

namespace {

int HeaderItemWidth(const TVirtualGrid& grid, int item) {
  HWND header = FindWindowExW(grid.Handle(), nullptr, WC_HEADERW, nullptr);
  HDITEMW hd{};
  hd.mask = HDI_WIDTH;
  SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&hd));
  return hd.cxy;
}

class GridLayout : public ::testing::Test {
 protected:
  THostWindow& host = SharedHost();
  std::unique_ptr<TWallpaperGrid> grid = MakeWallpaperGrid(host.Handle());
};

TEST_F(GridLayout, InitialWidthsFillTheClientAndTheHeaderShowsThem) {
  EXPECT_EQ(grid->ClientRect().right, 547);
  EXPECT_EQ(grid->ColumnWidth(0), 180);
  EXPECT_EQ(grid->ColumnWidth(1), 277);
  EXPECT_EQ(grid->ColumnWidth(2), 90);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(HeaderItemWidth(*grid, i), grid->ColumnWidth(i)) << i;
  EXPECT_GT(grid->HeaderHeight(), 10);
}

TEST_F(GridLayout, LastColumnTakesWhatTheOthersLeaveWithinItsMinimum) {
  grid->SetColumnWidth(0, 170);
  EXPECT_EQ(grid->ColumnWidth(2), 100);
  grid->SetColumnWidth(1, 300);
  EXPECT_EQ(grid->ColumnWidth(2), 80) << "never below the minimum";
  // The columns are now wider than the client: a horizontal bar appears.
  EXPECT_TRUE(GetWindowLongW(grid->Handle(), GWL_STYLE) & WS_HSCROLL);
  grid->SetColumnWidth(1, 100);
  EXPECT_EQ(grid->ColumnWidth(2), 547 - 170 - 100);
  EXPECT_EQ(HeaderItemWidth(*grid, 2), 547 - 170 - 100);
  EXPECT_FALSE(GetWindowLongW(grid->Handle(), GWL_STYLE) & WS_HSCROLL);
}

TEST_F(GridLayout, WidthsAreClampedToTheMinimumAndMaximum) {
  grid->SetColumnWidth(0, 3);
  EXPECT_EQ(grid->ColumnWidth(0), 50);
  grid->SetColumnWidth(1, -20);
  EXPECT_EQ(grid->ColumnWidth(1), 50);
  grid->SetColumnWidth(0, 2147483647);
  EXPECT_EQ(grid->ColumnWidth(0), 2200) << "nor above the maximum";
  EXPECT_EQ(HeaderItemWidth(*grid, 0), 2200);
  grid->SetColumnWidth(7, 100);  // no such column: nothing happens
  EXPECT_EQ(grid->ColumnCount(), 3);
}

TEST_F(GridLayout, DraggingAHeaderDividerResizesThroughTheGrid) {
  HWND header = FindWindowExW(grid->Handle(), nullptr, WC_HEADERW, nullptr);
  ASSERT_NE(header, nullptr);
  const int y = grid->HeaderHeight() / 2;
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(179, y));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, y));
  SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, y));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(20, y));
  PumpMessages();
  EXPECT_EQ(grid->ColumnWidth(0), 50) << "the drag stops at the minimum width";
  EXPECT_EQ(HeaderItemWidth(*grid, 0), 50);
  EXPECT_EQ(grid->ColumnWidth(2), 547 - 50 - 277) << "the last column grows by what the first gave";
}

TEST_F(GridLayout, DraggingAHeaderItemReordersTheColumns) {
  HWND header = FindWindowExW(grid->Handle(), nullptr, WC_HEADERW, nullptr);
  const int y = grid->HeaderHeight() / 2;
  // Path (180..457) dragged onto the left half of File name.
  SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, y));
  for (int x = 290; x >= 30; x -= 20) SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(30, y));
  PumpMessages();
  EXPECT_EQ(grid->ColumnOrder(), (std::vector<int>{1, 0, 2}));
  EXPECT_EQ(grid->ColumnAt(5), 1);
  EXPECT_EQ(grid->ColumnWidth(1), 277) << "moving keeps the widths";
}

TEST_F(GridLayout, ReorderedColumnsKeepTheirTextsByIndex) {
  grid->AppendRow(Entry(L"sea.jpg", "Tile"));
  ASSERT_TRUE(grid->MoveColumn(1, 0));  // Path before File name
  EXPECT_EQ(grid->ColumnOrder(), (std::vector<int>{1, 0, 2}));

  struct TCell {
    int column;
    RECT rect;
  };
  std::vector<TCell> cells;
  grid->OnBeforeCellPaint = [&](HDC, int, int column, const RECT& r) { cells.push_back({column, r}); };
  std::vector<std::pair<int, std::wstring>> texts;
  auto getText = grid->OnGetText;
  grid->OnGetText = [&](int row, int column) {
    texts.emplace_back(column, getText(row, column));
    return texts.back().second;
  };
  TMemorySurface surface(551, 135);
  PrintClient(*grid, surface);

  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0].column, 1);
  EXPECT_EQ(cells[0].rect.left, 0) << "Path is drawn leftmost";
  EXPECT_EQ(cells[1].column, 0);
  EXPECT_EQ(cells[1].rect.left, 277);
  for (const auto& [column, text] : texts) {
    if (column == 1) {
      EXPECT_EQ(text, L"C:\\Pics");
    } else if (column == 0) {
      EXPECT_EQ(text, L"sea.jpg");
    }
  }
  EXPECT_EQ(grid->ColumnAt(10), 1);
  EXPECT_EQ(grid->ColumnAt(300), 0);

  HWND header = FindWindowExW(grid->Handle(), nullptr, WC_HEADERW, nullptr);
  int order[3] = {};
  SendMessageW(header, HDM_GETORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
  EXPECT_EQ(order[0], 1);
  EXPECT_EQ(order[1], 0);
  EXPECT_EQ(order[2], 2);
  EXPECT_FALSE(grid->SetColumnOrder({0, 0, 1})) << "not a permutation";
}

TEST_F(GridLayout, AVerticalBarNarrowsTheClientAndTheLastColumnFollows) {
  AddRows(*grid, 30);
  grid->UpdateLayout();
  const int client = grid->ClientRect().right;
  EXPECT_LT(client, 547);
  EXPECT_EQ(grid->ColumnWidth(2), std::max(80, client - 180 - 277));
  grid->Clear();
  grid->UpdateLayout();
  EXPECT_EQ(grid->ColumnWidth(2), 90);
}

}  // namespace
