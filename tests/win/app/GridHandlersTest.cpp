// The wallpaper grid as the main window drives it: row shading, the count
// label, selection, and keys and clicks on an empty grid.
#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "gui/GdiObject.h"
#include "widgets/EffectLabel.h"

namespace {

class GridHandlers : public MainWindowFixture {
 protected:
  void AddRows(int count) {
    for (int i = 0; i < count; ++i)
      form_->Wallpapers().Add(L"C:\\Pics\\picture" + std::to_wstring(form_->lstFiles->RowCount()) + L".jpg");
  }

  // The colour that the grid paints near the right end of a row's Path cell
  // (no text reaches there).
  COLORREF CellColour(int row) {
    TVirtualGrid& grid = *form_->lstFiles;
    const RECT cell = grid.CellRect(row, 1);
    const RECT client = grid.ClientRect();
    HDC screen = GetDC(nullptr);
    TDCOwner dc(CreateCompatibleDC(screen));
    TBitmapOwner bitmap(CreateCompatibleBitmap(screen, client.right, client.bottom));
    ReleaseDC(nullptr, screen);
    TSelectObject select(dc.get(), bitmap.get());
    grid.PaintTo(dc.get(), client);
    return GetPixel(dc.get(), cell.right - 4, (cell.top + cell.bottom) / 2);
  }
};

TEST_F(GridHandlers, OddRowsAreShadedUnlessFocused) {
  Open();
  AddRows(3);
  form_->WallpaperPanel().SelectFile(0);
  EXPECT_NE(CellColour(0), RGB(240, 240, 240)) << "the focused first row is not shaded";
  EXPECT_EQ(CellColour(1), RGB(240, 240, 240)) << "the second row of a white grid is grey 240";
  EXPECT_EQ(CellColour(2), GetSysColor(COLOR_WINDOW));

  form_->WallpaperPanel().SelectFile(1);
  EXPECT_NE(CellColour(1), RGB(240, 240, 240)) << "the focused row shows the selection, not the shade";
}

TEST_F(GridHandlers, DarkWindowColourShadesLighter) {
  const int element = COLOR_WINDOW;
  const COLORREF saved = GetSysColor(element);
  const COLORREF dark = RGB(20, 20, 20);
  SetSysColors(1, &element, &dark);
  Open();
  AddRows(2);
  form_->WallpaperPanel().SelectFile(0);
  const COLORREF shaded = CellColour(1);
  SetSysColors(1, &element, &saved);
  EXPECT_EQ(shaded, RGB(50, 50, 50));
}

TEST_F(GridHandlers, CountLabelFollowsTheRows) {
  Open();
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are no files in the list!");
  AddRows(1);
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There is 1 file in the list.");
  AddRows(2);
  EXPECT_EQ(form_->lblFileCount->Caption(), L"There are 3 files in the list.");
}

TEST_F(GridHandlers, SelectFileIgnoresIndexesWithoutRow) {
  Open();
  AddRows(3);
  form_->WallpaperPanel().SelectFile(1);
  for (int index : {-1, 3, 100}) {
    form_->WallpaperPanel().SelectFile(index);
    EXPECT_EQ(form_->lstFiles->FocusedRow(), 1);
    EXPECT_EQ(form_->lstFiles->SelectedRow(), 1);
  }
}

TEST_F(GridHandlers, TextsFollowTheColumnIndexAndWidthsKeepTheirMinimum) {
  Open();
  form_->Wallpapers().Add(L"D:\\Walls\\sea.jpg");
  TVirtualGrid& grid = *form_->lstFiles;
  ASSERT_TRUE(grid.MoveColumn(1, 0));
  std::wstring name, path, position;
  name = form_->lstFiles->OnGetText(0, 0);
  path = form_->lstFiles->OnGetText(0, 1);
  position = form_->lstFiles->OnGetText(0, 2);
  EXPECT_EQ(name, L"sea.jpg");
  EXPECT_EQ(path, L"D:\\Walls");
  EXPECT_EQ(position, L"Center");
  // A position word from the list file is ANSI text, shown through the
  // code page (not widened byte by byte).
  form_->Wallpapers().SetPosition(0, "Zentr\xe9");
  position = form_->lstFiles->OnGetText(0, 2);
  wchar_t expected[8] = {};
  MultiByteToWideChar(CP_ACP, 0, "Zentr\xe9", -1, expected, 8);
  EXPECT_EQ(position, expected);
  grid.SetColumnWidth(0, 10);
  EXPECT_EQ(grid.ColumnWidth(0), 50);
  // The last column takes what the others leave, but not less than 80.
  grid.SetColumnWidth(1, 500);
  EXPECT_EQ(grid.ColumnWidth(2), 80);
}

TEST_F(GridHandlers, KeysAndClicksOnAnEmptyGridDoNothing) {
  Open();
  HWND grid = form_->lstFiles->Handle();
  for (WPARAM key : {VK_RETURN, VK_SPACE}) {
    SendMessageW(grid, WM_KEYDOWN, key, 0);
    SendMessageW(grid, WM_KEYUP, key, 0);
  }
  SendMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 60));
  SendMessageW(grid, WM_LBUTTONUP, 0, MAKELPARAM(300, 60));
  SendMessageW(grid, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(300, 60));
  Pump();
  EXPECT_FALSE(form_->lstFiles->IsEditing());
  EXPECT_EQ(form_->lstFiles->RowCount(), 0);
}

TEST_F(GridHandlers, ClickOnPositionCellOpensTheEditorOnThatRow) {
  Open();
  AddRows(3);
  TVirtualGrid& grid = *form_->lstFiles;
  const RECT cell = grid.CellRect(2, 2);
  const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  SendMessageW(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(grid.Handle(), WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_TRUE(grid.IsEditing());
  EXPECT_EQ(grid.EditRow(), 2);
  EXPECT_EQ(grid.EditColumn(), 2);
  grid.CancelEditNode();

  const RECT nameCell = grid.CellRect(1, 0);
  const LPARAM onName = MAKELPARAM(nameCell.left + 5, (nameCell.top + nameCell.bottom) / 2);
  SendMessageW(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onName);
  SendMessageW(grid.Handle(), WM_LBUTTONUP, 0, onName);
  Pump();
  EXPECT_FALSE(grid.IsEditing()) << "file names are never edited";
  EXPECT_EQ(grid.FocusedRow(), 1);
}

}  // namespace
