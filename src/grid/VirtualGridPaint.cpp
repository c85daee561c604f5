// Painting of the list control: rows are painted only where they meet the
// area to paint, and every cell asks for its shading and text anew.
#include <algorithm>

#include "grid/VirtualGrid.h"
#include "gui/GdiHandles.h"

namespace {
// Off-screen surface for one WM_PAINT, so that a cell is never seen half
// painted (background, then the program's shading, then the text).
class TPaintBuffer {
 public:
  TPaintBuffer(HDC target, const RECT& area)
      : target_(target), area_(area), dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, area.right - area.left, area.bottom - area.top)),
        select_(dc_.get(), dc_ ? bitmap_.get() : nullptr) {
    if (select_.Selected()) SetViewportOrgEx(dc_.get(), -area.left, -area.top, nullptr);
  }
  TPaintBuffer(const TPaintBuffer&) = delete;
  TPaintBuffer& operator=(const TPaintBuffer&) = delete;

  // The buffer's DC, or the target itself when no buffer could be made.
  HDC Get() const { return select_.Selected() ? dc_.get() : target_; }
  void Flush() {
    if (select_.Selected())
      BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_.get(), area_.left,
             area_.top, SRCCOPY);
  }

 private:
  HDC target_;
  RECT area_;
  TDCOwner dc_;
  TBitmapOwner bitmap_;
  TSelectObject select_;
};

void Fill(HDC dc, const RECT& r, int sysColor) { FillRect(dc, &r, GetSysColorBrush(sysColor)); }

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}
}  // namespace

void TVirtualGrid::PaintWindow() {
  TPaintDC paint(Handle());
  if (!paint.Get() || IsRectEmpty(&paint.Area())) return;
  TPaintBuffer buffer(paint.Get(), paint.Area());
  PaintTo(buffer.Get(), paint.Area());
  buffer.Flush();
}

void TVirtualGrid::PaintTo(HDC dc, const RECT& area) {
  EnsureLayout();
  RECT rows{0, RowsTop(), clientWidth_, clientHeight_};
  RECT clip{};
  if (!IntersectRect(&clip, &rows, &area)) return;

  TDCStateGuard state(dc);
  IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
  if (font_) SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);

  int first = rowCount_;
  int last = -1;
  if (rowCount_ > 0) {
    first = std::max(0, static_cast<int>(clip.top - RowsTop() + offsetY_) / RowHeight());
    last = std::min(rowCount_ - 1, static_cast<int>(clip.bottom - 1 - RowsTop() + offsetY_) / RowHeight());
  }
  // Solid grid lines in the button-face colour.
  TPenOwner pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
  TSelectObject usePen(dc, pen.get());
  for (int row = first; row <= last; ++row) PaintRow(dc, row, clip);

  // Below the last row only the background shows.
  RECT rest = clip;
  if (last >= first) rest.top = std::max(clip.top, RowRect(last).bottom);
  if (rest.top < rest.bottom) Fill(dc, rest, COLOR_WINDOW);
}

void TVirtualGrid::PaintRow(HDC dc, int row, const RECT& clip) {
  const RECT rowRect = RowRect(row);
  const bool selected = IsSelected(row);
  const bool hasFocus = GetFocus() == Handle();

  // Cells in display order; the grid lines belong to the cell they close.
  int right = -offsetX_;
  if (columns_.Count() == 0) {
    RECT cell{0, rowRect.top, clientWidth_, rowRect.bottom};
    PaintCell(dc, row, kNoColumn, cell, selected);
    right = clientWidth_;
  } else {
    for (int column : columns_.DisplayOrder()) {
      if (!columns_[column].Visible) continue;
      int left = 0;
      GetColumnBounds(column, left, right);
      if (right <= clip.left || left >= clip.right) continue;
      PaintCell(dc, row, column, RECT{left, rowRect.top, right, rowRect.bottom}, selected);
    }
  }
  if (right < clip.right) Fill(dc, RECT{std::max(right, 0), rowRect.top, clip.right, rowRect.bottom}, COLOR_WINDOW);

  // Grid lines with the pen PaintTo selected.
  Line(dc, clip.left, rowRect.bottom - 1, clip.right, rowRect.bottom - 1);
  for (int column : columns_.DisplayOrder()) {
    if (!columns_[column].Visible) continue;
    int left = 0, cellRight = 0;
    GetColumnBounds(column, left, cellRight);
    if (cellRight - 1 >= clip.left && cellRight - 1 < clip.right)
      Line(dc, cellRight - 1, rowRect.top, cellRight - 1, rowRect.bottom - 1);
  }

  // Without the focus the selected row keeps a frame around its inactive
  // highlight: the button-face fill alone may match the row shading.
  if (selected && !hasFocus) {
    RECT frame{std::max(0L, rowRect.left), rowRect.top,
               std::min(static_cast<LONG>(right), static_cast<LONG>(clientWidth_)), rowRect.bottom};
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
  }
  if (row == focusedRow_ && FocusMarkShown()) {
    RECT focus{std::max(0L, rowRect.left), rowRect.top,
               std::min(static_cast<LONG>(right), static_cast<LONG>(clientWidth_)), rowRect.bottom - 1};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    DrawFocusRect(dc, &focus);
  }
}

void TVirtualGrid::PaintCell(HDC dc, int row, int column, const RECT& cell, bool selected) {
  // The cell without its grid lines.
  RECT content{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
  Fill(dc, content, COLOR_WINDOW);
  if (OnBeforeCellPaint) {
    TDCStateGuard state(dc);
    OnBeforeCellPaint(dc, row, column, content);
  }
  const bool focused = GetFocus() == Handle();
  if (selected) Fill(dc, content, focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  SetTextColor(dc, GetSysColor(!selected ? COLOR_WINDOWTEXT : focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));

  const std::wstring text = OnGetText ? OnGetText(row, column) : DefaultText;
  RECT textRect{content.left + Scaled(kCellMargin), content.top, content.right - Scaled(kCellMargin), content.bottom};
  if (textRect.right > textRect.left && !text.empty())
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
