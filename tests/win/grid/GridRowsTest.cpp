// Rows: append, delete with renumbering, clear; focus apart from selection;
// mouse and keyboard.
#include <gtest/gtest.h>

#include "GridTestSupport.h"

namespace {

class GridRows : public ::testing::Test {
 protected:
  THostWindow& host = SharedHost();
  std::unique_ptr<TWallpaperGrid> grid = MakeWallpaperGrid(host.Handle());
  std::vector<int> changes;
  std::vector<int> columnClicks;

  void SetUp() override {
    grid->OnChange = [this](int row) { changes.push_back(row); };
    grid->OnColumnClick = [this](int column, TGridShiftState) { columnClicks.push_back(column); };
  }
};

TEST_F(GridRows, DeleteRenumbersAndKeepsFocusAndSelectionOnTheirRecords) {
  AddRows(*grid, 5);
  EXPECT_EQ(grid->RowCount(), 5);
  grid->SetFocusedRow(3);
  grid->SelectRow(4);
  changes.clear();

  grid->DeleteRow(1);
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(grid->Data(1).FileName, L"pic2.jpg") << "rows after the deleted one move up";
  EXPECT_EQ(grid->FocusedRow(), 2);
  EXPECT_EQ(grid->SelectedRow(), 3);
  EXPECT_TRUE(changes.empty());

  grid->DeleteRow(3);  // the selected row
  EXPECT_EQ(grid->SelectedRow(), kNoRow);
  EXPECT_EQ(changes, std::vector<int>{kNoRow});
  grid->DeleteRow(2);  // the focused row
  EXPECT_EQ(grid->FocusedRow(), kNoRow);
  grid->DeleteRow(9);
  grid->DeleteRow(-1);
  EXPECT_EQ(grid->RowCount(), 2);

  std::vector<std::wstring> names;
  for (const TWallpaperEntry& entry : grid->List) names.push_back(entry.FileName);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"pic0.jpg", L"pic2.jpg"}));

  grid->SelectRow(0);
  grid->Clear();
  EXPECT_EQ(grid->RowCount(), 0);
  EXPECT_EQ(grid->FocusedRow(), kNoRow);
  EXPECT_EQ(grid->SelectedRow(), kNoRow);
  EXPECT_EQ(changes.back(), kNoRow);
  EXPECT_THROW(grid->Data(0), std::out_of_range);
  EXPECT_EQ(grid->AppendRow(Entry(L"again.bmp")), 0);
}

TEST_F(GridRows, FocusAndSelectionAreSeparate) {
  AddRows(*grid, 100);
  grid->SetFocusedRow(2);
  EXPECT_EQ(grid->SelectedRow(), kNoRow);
  EXPECT_TRUE(changes.empty());
  grid->SelectRow(3);
  grid->SelectRow(3);
  EXPECT_EQ(grid->FocusedRow(), 2);
  EXPECT_EQ(changes, std::vector<int>{3}) << "one change, not one per call";
  grid->SelectRow(100);  // no such row: nothing changes
  EXPECT_EQ(grid->SelectedRow(), 3);

  // Focusing a far row scrolls it into view.
  grid->SetFocusedRow(60);
  const RECT row = grid->RowRect(60);
  EXPECT_GE(row.top, grid->HeaderHeight());
  EXPECT_LE(row.bottom, grid->ClientRect().bottom);
  grid->SetFocusedRow(0);
  EXPECT_EQ(grid->TopRow(), 0);
}

TEST_F(GridRows, ClicksFocusSelectAndReportTheColumn) {
  AddRows(*grid, 4);
  Click(grid->Handle(), CellCenter(*grid, 2, 1));
  EXPECT_EQ(grid->FocusedRow(), 2);
  EXPECT_EQ(grid->SelectedRow(), 2);
  EXPECT_EQ(changes, std::vector<int>{2});
  EXPECT_EQ(columnClicks, std::vector<int>{1});

  // Pressed in one column, released in another: no column click.
  const POINT press = CellCenter(*grid, 1, 0);
  const POINT release = CellCenter(*grid, 1, 2);
  SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
  SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
  EXPECT_EQ(columnClicks, std::vector<int>{1});
  EXPECT_EQ(grid->SelectedRow(), 1);

  // Right click selects and focuses, without a column click.
  Click(grid->Handle(), CellCenter(*grid, 3, 2), WM_RBUTTONDOWN, WM_RBUTTONUP);
  EXPECT_EQ(grid->SelectedRow(), 3);
  EXPECT_EQ(grid->FocusedRow(), 3);
  EXPECT_EQ(columnClicks.size(), 1u);

  // Below the last row nothing is selected, but the column is still clicked.
  Click(grid->Handle(), POINT{200, grid->RowRect(3).bottom + 10});
  EXPECT_EQ(grid->SelectedRow(), 3);
  EXPECT_EQ(columnClicks.back(), 1);

  int doubleClicks = 0;
  grid->OnDblClick = [&] { ++doubleClicks; };
  Click(grid->Handle(), CellCenter(*grid, 0, 0), WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(grid->FocusedRow(), 0);
}

TEST_F(GridRows, KeysGoToTheHandlerFirstAndThenMoveTheFocus) {
  AddRows(*grid, 50);
  std::vector<WORD> keys;
  bool swallow = false;
  grid->OnKeyDown = [&](WORD& key, TGridShiftState) {
    keys.push_back(key);
    if (swallow) key = 0;
  };
  PressKey(grid->Handle(), VK_DOWN);
  EXPECT_EQ(grid->FocusedRow(), 0);
  PressKey(grid->Handle(), VK_DOWN);
  EXPECT_EQ(grid->FocusedRow(), 1);
  EXPECT_EQ(grid->SelectedRow(), 1);
  PressKey(grid->Handle(), VK_END);
  EXPECT_EQ(grid->FocusedRow(), 49);
  EXPECT_EQ(grid->TopRow(), grid->GetNodeAt(grid->HeaderHeight()));
  EXPECT_NE(grid->GetNodeAt(grid->ClientRect().bottom - 1), kNoRow);
  swallow = true;
  PressKey(grid->Handle(), VK_HOME);
  EXPECT_EQ(grid->FocusedRow(), 49) << "a cleared key is not handled by the grid";
  EXPECT_EQ(keys.back(), VK_HOME);
}

TEST_F(GridRows, RowAtAVerticalPosition) {
  AddRows(*grid, 3);
  const int top = grid->HeaderHeight();
  EXPECT_EQ(grid->GetNodeAt(top), 0);
  EXPECT_EQ(grid->GetNodeAt(top - 5), 0) << "above the rows counts as the top edge";
  EXPECT_EQ(grid->GetNodeAt(-400), 0);
  EXPECT_EQ(grid->GetNodeAt(top + TVirtualGrid::kRowHeight * 2 + 1), 2);
  EXPECT_EQ(grid->GetNodeAt(top + TVirtualGrid::kRowHeight * 3), kNoRow);
  grid->Clear();
  EXPECT_EQ(grid->GetNodeAt(top), kNoRow);
}

TEST_F(GridRows, AnEmptyGridShrugsOffInput) {
  WireProgramHandlers(*grid);
  int doubleClicks = 0;
  grid->OnDblClick = [&] { ++doubleClicks; };
  Click(grid->Handle(), POINT{100, 60});
  Click(grid->Handle(), POINT{500, 60});
  Click(grid->Handle(), POINT{100, 60}, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
  PressKey(grid->Handle(), VK_RETURN);
  PressKey(grid->Handle(), VK_SPACE);
  PressKey(grid->Handle(), VK_DOWN);
  EXPECT_FALSE(grid->EditNode(0, 2));
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(grid->FocusedRow(), kNoRow);
  EXPECT_EQ(doubleClicks, 1);
}

TEST(WallpaperEntry, FullFileNameAndPositionLimit) {
  TWallpaperEntry entry;
  entry.FileName = L"sea.jpg";
  entry.Path = L"C:";
  EXPECT_EQ(entry.FullFileName(), L"C:\\sea.jpg");
  entry.Path = L"D:\\Walls\\";
  EXPECT_EQ(entry.FullFileName(), L"D:\\Walls\\sea.jpg");
  entry.SetPosition("StretchedOut!");
  EXPECT_EQ(entry.Position, "StretchedO");
}

}  // namespace
