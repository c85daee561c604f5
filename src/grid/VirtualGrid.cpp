#include "grid/VirtualGrid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "grid/GridHeader.h"
#include "gui/AccessibleEvents.h"
#include "gui/Dpi.h"

namespace {
TGridShiftState KeyShiftState() {
  TGridShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= gsShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= gsCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= gsAlt;
  return shift;
}

TGridShiftState MouseShiftState(WPARAM keys) {
  TGridShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= gsShift;
  if (keys & MK_CONTROL) shift |= gsCtrl;
  if (keys & MK_LBUTTON) shift |= gsLeft;
  if (keys & MK_RBUTTON) shift |= gsRight;
  if (keys & MK_MBUTTON) shift |= gsMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= gsAlt;
  return shift;
}
// A width as told, within what can be scaled to any DPI without overflow.
int Bounded(int width) { return std::clamp(width, -TGridColumns::kLargestWidth, TGridColumns::kLargestWidth); }
}  // namespace

TVirtualGrid::TVirtualGrid(HWND parent, const TBounds& bounds) {
  CreateCustom(L"TDorvaneVirtualGrid", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE,
               parent, bounds);
  header_ = std::make_unique<TGridHeader>(Handle());
  header_->OnResize = [this](int column, int width) { UserResize(column, width); };
  header_->OnMove = [this](int column, int position) { UserMove(column, position); };
  header_->SetFont(font_);
  headerHeight_ = header_->PreferredHeight();
  UpdateLayout();
}

TVirtualGrid::~TVirtualGrid() {
  AbandonEdit();
  retired_.clear();
  header_.reset();
}

// --- columns -------------------------------------------------------------

int TVirtualGrid::AddColumn(const std::wstring& caption, int width, int minWidth, int maxWidth) {
  const int index = columns_.Add(caption, Scaled(Bounded(width)), Scaled(Bounded(minWidth)), Scaled(Bounded(maxWidth)));
  header_->Rebuild(columns_);
  ColumnsChanged();
  return index;
}

int TVirtualGrid::ColumnWidth(int column) const {
  if (!columns_.Valid(column)) return 0;
  if (Dpi() == kDesignDpi) return columns_[column].Width;
  if (column == columns_.AutoColumn() && columns_[column].Visible) {
    // What the column would fill at 96 DPI: the window's edge keeps its
    // pixels at any DPI, so the pixels it fills here do not scale back.
    RECT window{};
    GetWindowRect(Handle(), &window);
    const int edges = window.right - window.left - clientWidth_;
    int others = 0;
    for (int i = 0; i < column; ++i)
      if (columns_[i].Visible) others += ColumnWidth(i);
    return std::max(MulDiv(columns_[column].MinWidth, kDesignDpi, Dpi()),
                    MulDiv(window.right - window.left, kDesignDpi, Dpi()) - edges - others);
  }
  return MulDiv(columns_[column].Width, kDesignDpi, Dpi());
}

void TVirtualGrid::SetColumnWidth(int column, int width) {
  if (!columns_.Valid(column)) return;
  columns_.SetWidth(column, Scaled(Bounded(width)));
  ColumnsChanged();
}

void TVirtualGrid::SetColumnMinWidth(int column, int minWidth) {
  if (!columns_.Valid(column)) return;
  columns_.SetMinWidth(column, Scaled(Bounded(minWidth)));
  ColumnsChanged();
}

bool TVirtualGrid::SetColumnOrder(const std::vector<int>& order) {
  if (!columns_.SetDisplayOrder(order)) return false;
  ColumnsChanged();
  return true;
}

bool TVirtualGrid::MoveColumn(int column, int position) {
  if (!columns_.MoveTo(column, position)) return false;
  ColumnsChanged();
  return true;
}

void TVirtualGrid::UserResize(int column, int width) {
  // The header speaks in pixels.
  if (!columns_.Valid(column)) return;
  columns_.SetWidth(column, width);
  ColumnsChanged();
}

void TVirtualGrid::ChangeDpi(int dpi) {
  const int old = Dpi();
  TControl::ChangeDpi(dpi);
  if (old == dpi) return;
  for (int i = 0; i < columns_.Count(); ++i) {
    const TGridColumn before = columns_[i];
    columns_.SetWidthLimits(i, MulDiv(before.MinWidth, dpi, old), MulDiv(before.MaxWidth, dpi, old));
    columns_.SetWidth(i, MulDiv(before.SetWidth, dpi, old));
  }
  offsetY_ = MulDiv(offsetY_, dpi, old);
  offsetX_ = MulDiv(offsetX_, dpi, old);
  header_->Rebuild(columns_);
  ColumnsChanged();
}

void TVirtualGrid::UserMove(int column, int position) { MoveColumn(column, position); }

void TVirtualGrid::ColumnsChanged() {
  UpdateLayout();
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TVirtualGrid::GetColumnBounds(int column, int& left, int& right) const {
  columns_.Bounds(column, left, right);
  left -= offsetX_;
  right -= offsetX_;
}

int TVirtualGrid::ColumnAt(int x) const { return columns_.ColumnAt(x + offsetX_); }

// --- rows ------------------------------------------------------------------

int TVirtualGrid::RowsAreaHeight() const { return std::max(0, clientHeight_ - RowsTop()); }

int TVirtualGrid::MaxOffsetY() const { return std::max(0, rowCount_ * RowHeight() - RowsAreaHeight()); }

int TVirtualGrid::MaxOffsetX() const { return std::max(0, columns_.TotalWidth() - clientWidth_); }

int TVirtualGrid::GetNodeAt(int y) const {
  const int inRows = std::max(y, RowsTop()) - RowsTop() + offsetY_;
  const int row = inRows / RowHeight();
  return row < rowCount_ ? row : kNoRow;
}

int TVirtualGrid::TopRow() const { return rowCount_ > 0 ? GetNodeAt(RowsTop()) : kNoRow; }

RECT TVirtualGrid::RowRect(int row) const {
  const int top = RowsTop() + row * RowHeight() - offsetY_;
  return RECT{-offsetX_, top, std::max(columns_.TotalWidth() - offsetX_, clientWidth_), top + RowHeight()};
}

RECT TVirtualGrid::CellRect(int row, int column) const {
  RECT cell = RowRect(row);
  if (columns_.Valid(column)) {
    int left = 0, right = 0;
    GetColumnBounds(column, left, right);
    cell.left = left;
    cell.right = right;
  }
  return cell;
}

void TVirtualGrid::InvalidateRow(int row) {
  if (row < 0 || row >= rowCount_) return;
  RECT r = RowRect(row);
  if (r.bottom <= RowsTop() || r.top >= clientHeight_) return;
  r.left = 0;
  r.right = clientWidth_;
  InvalidateRect(Handle(), &r, FALSE);
}

void TVirtualGrid::RowChanged(int row) {
  if (row < 0 || row >= rowCount_) return;
  InvalidateRow(row);
  NotifyAccessible(*this, EVENT_OBJECT_NAMECHANGE, row + 1);
  NotifyAccessible(*this, EVENT_OBJECT_DESCRIPTIONCHANGE, row + 1);
}

void TVirtualGrid::ScrollIntoView(int row) {
  if (row < 0 || row >= rowCount_) return;
  EnsureLayout();  // the scroll bars decide how many rows fit
  const int top = row * RowHeight();
  if (top < offsetY_)
    SetOffsetY(top);
  else if (top + RowHeight() > offsetY_ + RowsAreaHeight())
    SetOffsetY(top + RowHeight() - RowsAreaHeight());
}

void TVirtualGrid::SetFocusedRow(int row) {
  if (row != kNoRow && (row < 0 || row >= rowCount_)) return;
  if (row != focusedRow_) {
    InvalidateRow(focusedRow_);
    focusedRow_ = row;
    InvalidateRow(focusedRow_);
    if (row != kNoRow && GetFocus() == Handle()) NotifyAccessible(*this, EVENT_OBJECT_FOCUS, row + 1);
  }
  ScrollIntoView(row);
}

void TVirtualGrid::SelectRow(int row) {
  if (row != kNoRow && (row < 0 || row >= rowCount_)) return;
  if (row == selectedRow_) return;
  InvalidateRow(selectedRow_);
  const int old = std::exchange(selectedRow_, row);
  InvalidateRow(selectedRow_);
  if (row != kNoRow)
    NotifyAccessible(*this, EVENT_OBJECT_SELECTION, row + 1);
  else
    NotifyAccessible(*this, EVENT_OBJECT_SELECTIONREMOVE, old + 1);
  if (OnChange) OnChange(row);
}

void TVirtualGrid::RowsAppended(int count) {
  const int first = rowCount_;
  rowCount_ += count;
  // Only rows that reach into the visible area need painting; the scroll
  // range follows after the current message, once for a whole batch.
  if (RowsTop() + first * RowHeight() - offsetY_ < clientHeight_) {
    RECT r{0, RowsTop() + first * RowHeight() - offsetY_, clientWidth_, clientHeight_};
    InvalidateRect(Handle(), &r, FALSE);
  }
  ScheduleLayout();
  NotifyAccessible(*this, EVENT_OBJECT_REORDER);
}

void TVirtualGrid::RowDeleted(int row) {
  --rowCount_;
  if (focusedRow_ == row)
    focusedRow_ = kNoRow;
  else if (focusedRow_ > row)
    --focusedRow_;
  bool selectionLost = false;
  if (selectedRow_ == row) {
    selectedRow_ = kNoRow;
    selectionLost = true;
  } else if (selectedRow_ > row) {
    --selectedRow_;
  }
  InvalidateRect(Handle(), nullptr, FALSE);
  ScheduleLayout();
  NotifyAccessible(*this, EVENT_OBJECT_REORDER);
  if (selectionLost && OnChange) OnChange(kNoRow);
}

void TVirtualGrid::RowsCleared() {
  rowCount_ = 0;
  focusedRow_ = kNoRow;
  const bool selectionLost = selectedRow_ != kNoRow;
  selectedRow_ = kNoRow;
  offsetY_ = 0;
  InvalidateRect(Handle(), nullptr, FALSE);
  ScheduleLayout();
  NotifyAccessible(*this, EVENT_OBJECT_REORDER);
  if (selectionLost && OnChange) OnChange(kNoRow);
}

// --- layout and scrolling -------------------------------------------------

void TVirtualGrid::ScheduleLayout() {
  layoutDirty_ = true;
  if (!layoutPosted_ && Handle()) layoutPosted_ = PostMessageW(Handle(), kMsgLayout, 0, 0) != FALSE;
}

void TVirtualGrid::EnsureLayout() {
  if (layoutDirty_) UpdateLayout();
}

void TVirtualGrid::UpdateLayout() {
  if (inLayout_ || !Handle()) return;
  inLayout_ = true;
  layoutDirty_ = false;
  // Showing or hiding a scroll bar changes the client size, which changes
  // the auto column and maybe the other bar: repeat until nothing moves.
  for (int pass = 0; pass < 4; ++pass) {
    RECT client{};
    GetClientRect(Handle(), &client);
    clientWidth_ = client.right;
    clientHeight_ = client.bottom;
    const bool resized = columns_.AutoSize(clientWidth_);
    if (header_ && resized) header_->Sync(columns_);
    offsetY_ = std::clamp(offsetY_, 0, MaxOffsetY());
    offsetX_ = std::clamp(offsetX_, 0, MaxOffsetX());

    SetScrollBar(SB_VERT, rowCount_ * RowHeight(), RowsAreaHeight(), offsetY_);
    SetScrollBar(SB_HORZ, columns_.TotalWidth(), clientWidth_, offsetX_);

    GetClientRect(Handle(), &client);
    if (client.right == clientWidth_ && client.bottom == clientHeight_) break;
  }
  if (header_) header_->Sync(columns_);
  PlaceHeader();
  PlaceEditor();
  inLayout_ = false;
}

void TVirtualGrid::SetScrollBar(int bar, int extent, int page, int position) {
  // Every change of a scroll bar is a round trip to the window system, so
  // only real changes are passed on.
  TScrollState& state = bar == SB_VERT ? vertical_ : horizontal_;
  const TScrollState wanted{extent, page, position};
  if (state.extent == wanted.extent && state.page == wanted.page && state.position == wanted.position) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(0, extent - 1);
  info.nPage = static_cast<UINT>(std::max(0, page));
  info.nPos = position;
  state = wanted;
  SetScrollInfo(Handle(), bar, &info, TRUE);
}

void TVirtualGrid::PlaceHeader() {
  if (!header_) return;
  const int width = std::max(columns_.TotalWidth(), clientWidth_ + offsetX_);
  const RECT wanted{-offsetX_, 0, -offsetX_ + width, headerHeight_};
  if (EqualRect(&wanted, &headerPlace_)) return;
  headerPlace_ = wanted;
  SetWindowPos(header_->Handle(), nullptr, wanted.left, 0, width, headerHeight_, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVirtualGrid::PlaceEditor() {
  if (!link_ || editRow_ < 0 || editRow_ >= rowCount_) return;
  const RECT cell = CellRect(editRow_, editColumn_);
  const RECT current = link_->GetBounds();
  if (!EqualRect(&cell, &current)) link_->SetBounds(cell);
}

void TVirtualGrid::SetOffsetY(int y) {
  EnsureLayout();
  y = std::clamp(y, 0, MaxOffsetY());
  if (y == offsetY_) return;
  offsetY_ = y;
  SetScrollBar(SB_VERT, rowCount_ * RowHeight(), RowsAreaHeight(), offsetY_);
  RECT rows{0, RowsTop(), clientWidth_, clientHeight_};
  InvalidateRect(Handle(), &rows, FALSE);
  PlaceEditor();
}

void TVirtualGrid::SetOffsetX(int x) {
  EnsureLayout();
  x = std::clamp(x, 0, MaxOffsetX());
  if (x == offsetX_) return;
  offsetX_ = x;
  SetScrollBar(SB_HORZ, columns_.TotalWidth(), clientWidth_, offsetX_);
  PlaceHeader();
  InvalidateRect(Handle(), nullptr, FALSE);
  PlaceEditor();
}

void TVirtualGrid::Scroll(int bar, int code) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  const int page = static_cast<int>(info.nPage);
  const int step = Scaled(bar == SB_VERT ? kScrollStep : 16);
  int pos = bar == SB_VERT ? offsetY_ : offsetX_;
  switch (code) {
    case SB_LINEUP:
      pos -= step;
      break;
    case SB_LINEDOWN:
      pos += step;
      break;
    case SB_PAGEUP:
      pos -= std::max(step, page - page % step);
      break;
    case SB_PAGEDOWN:
      pos += std::max(step, page - page % step);
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = info.nMax;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = info.nTrackPos;
      break;
    default:
      return;
  }
  if (bar == SB_VERT)
    SetOffsetY(pos);
  else
    SetOffsetX(pos);
}

// --- input -----------------------------------------------------------------

bool TVirtualGrid::MousePress(UINT msg, LPARAM lParam) {
  pressed_ = false;
  pressColumn_ = kNoColumn;
  // A press while an edit runs first asks the editor to end; an editor that
  // refuses keeps the edit, and the press does nothing.
  if (link_ && !EndEditNode()) return true;
  if (GetFocus() != Handle()) ::SetFocus(Handle());
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (y >= RowsTop()) {
    const int row = GetNodeAt(y);
    if (row != kNoRow) {
      SetFocusedRow(row);
      SelectRow(row);
    }
  }
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    pressed_ = true;
    pressColumn_ = ColumnAt(x);
    SetCapture(Handle());
  }
  if (msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick();
  return true;
}

void TVirtualGrid::MouseRelease(WPARAM wParam, LPARAM lParam) {
  if (!pressed_) return;
  pressed_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (x < 0 || x >= clientWidth_ || y < RowsTop() || y >= clientHeight_) return;
  const int column = ColumnAt(x);
  if (column != kNoColumn && column == pressColumn_ && OnColumnClick)
    OnColumnClick(column, MouseShiftState(wParam) | gsLeft);
}

void TVirtualGrid::KeyDown(WPARAM wParam) {
  WORD key = static_cast<WORD>(wParam);
  if (OnKeyDown) OnKeyDown(key, KeyShiftState());
  if (key == 0 || rowCount_ == 0 || !Handle()) return;
  const int pageRows = std::max(1, RowsAreaHeight() / RowHeight());
  const int current = focusedRow_;
  int target = current;
  switch (key) {
    case VK_UP:
      target = current == kNoRow ? 0 : current - 1;
      break;
    case VK_DOWN:
      target = current == kNoRow ? 0 : current + 1;
      break;
    case VK_PRIOR:
      target = current == kNoRow ? 0 : current - pageRows;
      break;
    case VK_NEXT:
      target = current == kNoRow ? 0 : current + pageRows;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = rowCount_ - 1;
      break;
    default:
      return;
  }
  target = std::clamp(target, 0, rowCount_ - 1);
  SetFocusedRow(target);
  SelectRow(target);
}

void TVirtualGrid::FindTyped(wchar_t typed) {
  // As a list view finds: letters typed within a second of each other make
  // up the start of a row's text, looked for from the focused row on; the
  // same letter typed again steps to the next row that starts with it.
  constexpr DWORD kTypingPause = 1000;
  const DWORD now = GetTickCount();
  if (now - typedAt_ > kTypingPause) typed_.clear();
  typedAt_ = now;
  typed_ += typed;
  if (rowCount_ == 0 || !OnGetText) return;
  const bool oneLetter = typed_.find_first_not_of(typed_[0]) == std::wstring::npos;
  const std::wstring_view wanted = std::wstring_view(typed_).substr(0, oneLetter ? 1 : typed_.size());
  const int first = focusedRow_ == kNoRow ? 0 : focusedRow_ + (oneLetter ? 1 : 0);
  for (int i = 0; i < rowCount_; ++i) {
    const int row = (first + i) % rowCount_;
    const std::wstring text = OnGetText(row, 0);
    if (text.size() >= wanted.size() &&
        CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, text.data(), static_cast<int>(wanted.size()),
                       wanted.data(), static_cast<int>(wanted.size())) == CSTR_EQUAL) {
      SetFocusedRow(row);
      SelectRow(row);
      return;
    }
  }
}

bool TVirtualGrid::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_PAINT:
      PaintWindow();
      return true;
    case WM_PRINTCLIENT: {
      RECT client{};
      GetClientRect(Handle(), &client);
      PaintTo(reinterpret_cast<HDC>(wParam), client);
      return true;
    }
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_SIZE:
      UpdateLayout();
      InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (header_) {
        header_->SetFont(font_);
        headerHeight_ = header_->PreferredHeight();
        UpdateLayout();
      }
      if (LOWORD(lParam)) InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(font_);
      return true;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      if (header_) {
        SendMessageW(header_->Handle(), msg, wParam, lParam);
        headerHeight_ = header_->PreferredHeight();
      }
      UpdateLayout();
      InvalidateRect(Handle(), nullptr, FALSE);
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRow(focusedRow_);
      InvalidateRow(selectedRow_);
      // A screen reader reads the row that has the focus, not the bare list.
      if (msg == WM_SETFOCUS && focusedRow_ != kNoRow) NotifyAccessible(*this, EVENT_OBJECT_FOCUS, focusedRow_ + 1);
      return true;
    case WM_UPDATEUISTATE:
      // The keyboard cues show or hide the focused row's mark.
      InvalidateRow(focusedRow_);
      return false;
    case WM_GETDLGCODE:
      result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (auto* message = reinterpret_cast<MSG*>(lParam);
          message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        result |= DLGC_WANTMESSAGE;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return MousePress(msg, lParam);
    case WM_LBUTTONUP:
      MouseRelease(wParam, lParam);
      return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != Handle()) pressed_ = false;
      return true;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      // Keys that reach the grid while an editor is open belong to the editor.
      if (link_) {
        MSG message{Handle(), msg, wParam, lParam, 0, {}};
        TEditLinkPtr link = link_;
        link->ProcessMessage(message);
        return true;
      }
      if (msg == WM_KEYDOWN) KeyDown(wParam);
      if (msg == WM_CHAR && wParam > L' ' && wParam != 0x7F) FindTyped(static_cast<wchar_t>(wParam));
      return true;
    case WM_MOUSEWHEEL: {
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(std::max(1, RowsAreaHeight() / RowHeight()));
      const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
      SetOffsetY(offsetY_ - delta * static_cast<int>(lines) * Scaled(kScrollStep) / WHEEL_DELTA);
      return true;
    }
    case WM_VSCROLL:
      Scroll(SB_VERT, LOWORD(wParam));
      return true;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LOWORD(wParam));
      return true;
    default:
      if (msg == kMsgLayout) {
        layoutPosted_ = false;
        EnsureLayout();
        return true;
      }
      if (msg == kMsgRetire) {
        retirePosted_ = false;
        retired_.clear();
        return true;
      }
      return false;
  }
}
