// Painting asks for texts and shading of the painted cells only, every time.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>

#include "GridTestSupport.h"
#include "gui/Application.h"

namespace {

class GridPaint : public ::testing::Test {
 protected:
  THostWindow& host = SharedHost();
  std::unique_ptr<TWallpaperGrid> grid = MakeWallpaperGrid(host.Handle());
  TMemorySurface surface{551, 135};
  std::map<int, int> cellsPerRow;  // row -> OnBeforeCellPaint calls
  std::set<int> textRows;

  void Record() {
    auto getText = grid->OnGetText;
    grid->OnGetText = [this, getText](int row, int column) {
      textRows.insert(row);
      return getText(row, column);
    };
    grid->OnBeforeCellPaint = [this](HDC, int row, int, const RECT&) { ++cellsPerRow[row]; };
  }
  int VisibleRows() const {
    const int area = grid->ClientRect().bottom - grid->HeaderHeight();
    return (area + TVirtualGrid::kRowHeight - 1) / TVirtualGrid::kRowHeight;
  }
};

TEST_F(GridPaint, OnlyVisibleRowsAreAskedForAndEveryPaintAsksAgain) {
  AddRows(*grid, 1000);
  grid->UpdateLayout();
  Record();
  PrintClient(*grid, surface);
  const int visible = VisibleRows();
  ASSERT_EQ(static_cast<int>(cellsPerRow.size()), visible);
  EXPECT_EQ(cellsPerRow.begin()->first, 0);
  EXPECT_EQ(cellsPerRow.rbegin()->first, visible - 1);
  for (const auto& [row, calls] : cellsPerRow) EXPECT_EQ(calls, 3) << row;
  EXPECT_EQ(static_cast<int>(textRows.size()), visible);

  // Scrolled to row 500: only rows from there are asked for, again.
  cellsPerRow.clear();
  textRows.clear();
  grid->SetOffsetY(500 * TVirtualGrid::kRowHeight);
  PrintClient(*grid, surface);
  EXPECT_EQ(cellsPerRow.begin()->first, 500);
  EXPECT_EQ(static_cast<int>(cellsPerRow.size()), visible);
  EXPECT_EQ(grid->TopRow(), 500);

  // A second paint asks for the same cells once more: nothing is cached.
  PrintClient(*grid, surface);
  for (const auto& [row, calls] : cellsPerRow) EXPECT_EQ(calls, 6) << row;
}

TEST_F(GridPaint, ShadingFromTheCallbackShowsAndTextsComeFromTheRecords) {
  AddRows(*grid, 3);
  grid->OnBeforeCellPaint = [this](HDC dc, int row, int, const RECT& cell) {
    if (row == grid->FocusedRow() || row % 2 == 0) return;
    TBrushOwner brush(CreateSolidBrush(RGB(240, 240, 240)));
    FillRect(dc, &cell, brush.get());
  };
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  PrintClient(*grid, surface);
  // Sample near the right end of the File name cell, away from the text.
  auto sample = [&](int row) {
    const RECT cell = grid->CellRect(row, 0);
    return surface.Pixel(cell.right - 4, (cell.top + cell.bottom) / 2);
  };
  EXPECT_EQ(sample(0), window);
  EXPECT_EQ(sample(1), RGB(240, 240, 240));
  EXPECT_EQ(sample(2), window);
  // The horizontal grid line below row 0 is solid button face.
  const RECT cell = grid->CellRect(0, 0);
  for (int x = 3; x < 40; ++x) ASSERT_EQ(surface.Pixel(x, cell.bottom - 1), GetSysColor(COLOR_BTNFACE)) << x;
  // The vertical line closing column 0.
  EXPECT_EQ(surface.Pixel(cell.right - 1, cell.top + 5), GetSysColor(COLOR_BTNFACE));

  // Focusing and selecting row 1: the program skips it, selection paints.
  grid->SetFocusedRow(1);
  grid->SelectRow(1);
  grid->SetFocus();
  PrintClient(*grid, surface);
  EXPECT_EQ(sample(1), GetSysColor(COLOR_HIGHLIGHT));
  // Below the last row the background shows.
  EXPECT_EQ(surface.Pixel(100, grid->CellRect(2, 0).bottom + 5), window);
}

TEST_F(GridPaint, DefaultTextAndEmptyGrid) {
  TMemorySurface small(551, 135);
  PrintClient(*grid, small);  // an empty grid paints its background only
  EXPECT_EQ(small.Pixel(100, 100), GetSysColor(COLOR_WINDOW));

  grid->OnGetText = nullptr;
  grid->AppendRow(Entry(L"x"));
  // Drawn text goes through DrawText; the default text is what the grid
  // would ask for, so check it is non-empty and painted (dark pixels).
  PrintClient(*grid, small);
  const RECT cell = grid->CellRect(0, 0);
  int dark = 0;
  for (int x = cell.left; x < cell.left + 60; ++x)
    for (int y = cell.top; y < cell.bottom - 1; ++y)
      if (GetRValue(small.Pixel(x, y)) < 128) ++dark;
  EXPECT_EQ(grid->DefaultText, L"Wallpaper");
  EXPECT_GT(dark, 10);
}

TEST_F(GridPaint, ATextThatRaisesIsReportedOnceAndThePaintStillEnds) {
  AddRows(*grid, 3);
  int reports = 0;
  Application().OnException = [&](const std::exception&) { ++reports; };
  grid->OnGetText = [](int, int) -> std::wstring { throw std::runtime_error("broken entry"); };
  grid->Invalidate();
  PumpMessages();
  EXPECT_EQ(reports, 1);
  // The window was validated: the next pump paints nothing and reports nothing.
  PumpMessages();
  EXPECT_EQ(reports, 1);
  Application().OnException = nullptr;
}

}  // namespace
