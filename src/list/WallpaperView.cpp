#include "list/WallpaperView.h"

#include <windows.h>

#include <shellapi.h>

#include "gui/AnsiText.h"
#include "gui/Color.h"
#include "gui/GdiHandles.h"
#include "gui/HighContrast.h"
#include "list/HSLColor.h"
#include "list/PositionEditLink.h"
#include "list/WallpaperColumns.h"

TWallpaperView::TWallpaperView(TVirtualGrid& grid, TWallpaperList& list) : grid_(grid), list_(list) {
  if (grid_.ColumnCount() == 0)
    for (const TWallpaperColumn& column : kWallpaperColumns)
      grid_.AddColumn(column.Caption, column.Width, column.MinWidth, column.MaxWidth);
  if (grid_.RowCount() < list_.Count()) grid_.RowsAppended(list_.Count() - grid_.RowCount());

  grid_.OnGetText = [this](int row, int column) { return CellText(row, column); };
  grid_.OnBeforeCellPaint = [this](HDC dc, int row, int, const RECT& cell) { ShadeCell(dc, row, cell); };
  grid_.OnDblClick = [this] { OpenFocused(); };
  grid_.RowAction = L"Open";
  grid_.OnKeyDown = [this](WORD& key, TGridShiftState shift) {
    if (key == VK_RETURN)
      OpenFocused();
    else if ((key == VK_SPACE || key == VK_F2) && grid_.FocusedRow() != kNoRow)
      grid_.EditNode(grid_.FocusedRow(), kPositionColumn);
    else if (key == VK_DELETE && shift == 0 && OnDeleteKey)
      OnDeleteKey();
  };
  grid_.OnColumnClick = [this](int column, TGridShiftState) {
    if (grid_.FocusedRow() != kNoRow) grid_.EditNode(grid_.FocusedRow(), column);
  };
  // The first column may never be edited: the request only focuses the row.
  grid_.OnChange = [this](int row) {
    if (row != kNoRow) grid_.EditNode(row, kFileNameColumn);
  };
  grid_.OnEditing = [this](int, int column, bool& allowed) {
    allowed = column == kPositionColumn;
    // No tip over the Position editor.
    if (allowed) hover_->Hide();
  };
  grid_.OnCreateEditor = [this](int, int, TEditLinkPtr& link) { link = TPositionEditLink::Create(list_); };
  hover_ = std::make_unique<TWallpaperHover>(grid_, [this](int row) {
    const TWallpaperEntry* entry = list_.Find(row);
    return entry ? entry->FullFileName() : std::wstring();
  });
}

TWallpaperView::~TWallpaperView() = default;

void TWallpaperView::Show(const TWallpaperChange& change) {
  hover_->Hide();
  FollowChange(grid_, change);
}

void TWallpaperView::FollowChange(TVirtualGrid& grid, const TWallpaperChange& change) {
  switch (change.Kind) {
    case TWallpaperChange::Appended:
      grid.RowsAppended(change.Count);
      break;
    case TWallpaperChange::Removing:
    case TWallpaperChange::RemovingAll:
      grid.AbandonEdit();
      break;
    case TWallpaperChange::Removed:
      grid.RowDeleted(change.Row);
      break;
    case TWallpaperChange::Cleared:
      grid.RowsCleared();
      break;
    case TWallpaperChange::PositionChanged:
      grid.RowChanged(change.Row);
      break;
  }
}

void TWallpaperView::SelectRow(int row) {
  if (row < 0 || row >= grid_.RowCount()) return;
  grid_.SetFocusedRow(row);
  grid_.SelectRow(row);
}

void TWallpaperView::OpenFocused() {
  const TWallpaperEntry* entry = list_.Find(grid_.FocusedRow());
  if (!entry) return;
  ShellExecuteW(GetAncestor(grid_.Handle(), GA_ROOT), L"open", entry->FullFileName().c_str(), nullptr, nullptr,
                SW_SHOW);
}

std::wstring TWallpaperView::CellText(int row, int column) const {
  const TWallpaperEntry* entry = list_.Find(row);
  if (!entry) return {};
  if (column == kFileNameColumn || column == kNoColumn) return entry->FileName;
  if (column == kPathColumn) return entry->Path;
  return AnsiToWide(entry->Position);  // the list file's bytes are ANSI text
}

void TWallpaperView::ShadeCell(HDC dc, int row, const RECT& cell) const {
  // The focused row shows the selection; even rows keep the background;
  // high contrast shades nothing (the shade is no colour of the system's).
  if (row == grid_.FocusedRow() || row % 2 == 0 || HighContrastOn()) return;
  THSL hsl{};
  RGBToHSL(ColorToRGB(SystemColorFlag | COLOR_WINDOW), hsl);
  hsl.Lightness = hsl.Lightness >= 30 ? hsl.Lightness - 15 : hsl.Lightness + 30;
  const TBrushOwner shade(CreateSolidBrush(HSLToRGB(hsl)));
  FillRect(dc, &cell, shade.get());
}
