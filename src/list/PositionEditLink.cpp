#include "list/PositionEditLink.h"

#include <commctrl.h>

#include <array>

#include "gui/AnsiText.h"
#include "gui/GdiHandles.h"
#include "gui/StdCtrls.h"

namespace {
// A control ID of its own, so that the grid can route the box's measure
// request to it while the box is being created.
constexpr UINT_PTR kBoxId = 0x5045;
constexpr std::array<const wchar_t*, 3> kPositions = {L"Center", L"Tile", L"Stretch"};

}  // namespace

// --- the box ----------------------------------------------------------------

TPositionBox::TPositionBox(HWND parent) {
  CreateSystem(WC_COMBOBOXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0,
               parent, TBounds{}, kBoxId);
  for (const wchar_t* position : kPositions)
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(position));
  SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scaled(kItemHeight));
  SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, Scaled(kItemHeight));
}

void TPositionBox::DescribeAccessible(TAccessibleItem& info) const {
  info.Name = L"Position";
  info.Value = Text();
}

int TPositionBox::ItemIndex() const { return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)); }

void TPositionBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

std::wstring TPositionBox::Text() const {
  const int index = ItemIndex();
  if (index < 0) return Caption();
  const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

bool TPositionBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_PAINT:
      // The box draws itself, then its sunken edge gives way to a flat one,
      // as an editor laid into a grid cell looks.
      result = DefaultHandler(msg, wParam, lParam);
      DrawFlatEdge();
      return true;
    case WM_GETDLGCODE:
      result = DLGC_WANTALLKEYS | DefaultHandler(msg, wParam, lParam);
      return true;
    case WM_KEYDOWN:
      // With the list open, Enter takes the item chosen there and closes
      // the list, as a drop-down list does, before it ends the edit.
      if (wParam == VK_RETURN && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0)) DefaultHandler(msg, wParam, lParam);
      if (OnKey && OnKey(wParam)) {
        result = 0;
        return true;
      }
      return false;
    case WM_CHAR:
      // The characters of the ending keys must not search the items.
      if (OnKey && (wParam == VK_RETURN || wParam == VK_SPACE || wParam == VK_ESCAPE || wParam == VK_TAB)) {
        result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TPositionBox::DrawFlatEdge() {
  const TWindowDC dc(Handle());
  RECT r = ClientRect();
  FrameRect(dc.Get(), &r, GetSysColorBrush(COLOR_BTNSHADOW));
  InflateRect(&r, -1, -1);
  FrameRect(dc.Get(), &r, GetSysColorBrush(COLOR_WINDOW));
}

bool TPositionBox::HandleMeasureItem(MEASUREITEMSTRUCT* item) {
  item->itemHeight = static_cast<UINT>(Scaled(kItemHeight));
  return true;
}

bool TPositionBox::HandleDrawItem(DRAWITEMSTRUCT* item) {
  // The same drawing the box would do on its own: highlight, text, focus.
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item->itemID != static_cast<UINT>(-1)) {
    const LRESULT length = SendMessageW(Handle(), CB_GETLBTEXTLEN, item->itemID, 0);
    if (length > 0) {
      std::wstring text(static_cast<size_t>(length) + 1, L'\0');
      SendMessageW(Handle(), CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text.data()));
      text.resize(static_cast<size_t>(length));
      SetBkMode(item->hDC, TRANSPARENT);
      SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
      RECT r = item->rcItem;
      r.left += 2;
      DrawTextW(item->hDC, text.c_str(), static_cast<int>(text.size()), &r,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item->hDC, &item->rcItem);
  return true;
}

// --- the link ---------------------------------------------------------------

TEditLinkPtr TPositionEditLink::Create(TWallpaperList& list) {
  return TEditLinkPtr(static_cast<IEditLink*>(new TPositionEditLink(list)));
}

TPositionEditLink::~TPositionEditLink() {
  WatchFocus(false);
  box_.reset();
}

bool STDMETHODCALLTYPE TPositionEditLink::PrepareEdit(TVirtualGrid* grid, int row, int column) {
  const TWallpaperEntry* entry = list_.Find(row);
  if (!grid || !entry) return false;
  grid_ = grid;
  row_ = row;
  column_ = column;

  WatchFocus(false);
  box_.reset();
  box_ = std::make_unique<TPositionBox>(grid_->Handle());
  // Exact comparison: "TILE" or "tile" are not "Tile" and show as "Center".
  const std::string& position = entry->Position;
  box_->SetItemIndex(position == "Tile" ? 1 : position == "Stretch" ? 2 : 0);
  box_->OnKey = [this](WPARAM key) {
    if (!grid_) return false;
    if (key == VK_RETURN || key == VK_SPACE) {
      EndByKey();
      return true;
    }
    if (key == VK_ESCAPE) {
      grid_->CancelEditNode();
      return true;
    }
    if (key == VK_TAB) {
      // Tab keeps the choice, as Enter does, and moves on in tab order
      // from the grid; Shift+Tab the other way.
      HWND grid = grid_->Handle();
      const bool backwards = GetKeyState(VK_SHIFT) < 0;
      if (!EndByKey()) return true;
      if (HWND next = GetNextDlgTabItem(GetAncestor(grid, GA_ROOT), grid, backwards)) ::SetFocus(next);
      return true;
    }
    return false;
  };
  return true;
}

void STDMETHODCALLTYPE TPositionEditLink::SetBounds(RECT bounds) {
  if (!box_ || !grid_) return;
  // The box reaches to the right edge of its column, whatever the grid gave.
  int left = 0, right = 0;
  grid_->GetColumnBounds(column_, left, right);
  bounds.right = right;
  // A combo box's window height includes its dropped-down list.
  const int listHeight = box_->Scaled(static_cast<int>(kPositions.size()) * TPositionBox::kItemHeight + 2);
  PlaceDropDown(box_->Handle(),
                TBounds{bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top}, listHeight);
}

RECT STDMETHODCALLTYPE TPositionEditLink::GetBounds() {
  if (!box_) return RECT{};
  return box_->BoundsRect();
}

bool STDMETHODCALLTYPE TPositionEditLink::BeginEdit() {
  if (!box_) return false;
  ShowWindow(box_->Handle(), SW_SHOW);
  ::SetFocus(box_->Handle());
  WatchFocus(true);
  return true;
}

bool TPositionEditLink::EndByKey() {
  endingByKey_ = true;
  const bool ended = grid_->EndEditNode();
  endingByKey_ = false;
  return ended;
}

bool STDMETHODCALLTYPE TPositionEditLink::EndEdit() {
  if (!box_ || !grid_) return true;
  // A finish asked for by a mouse press while the pointer rests on the
  // edited row is refused: the press was meant for the box's own row. A
  // key ends the edit wherever the pointer is.
  if (!endingByKey_) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(grid_->Handle(), &cursor);
    if (grid_->GetNodeAt(cursor.y) == row_) return false;
  }

  WatchFocus(false);
  // The list shows the change in every view of it.
  list_.SetPosition(row_, WideToAnsi(box_->Text()));
  SendMessageW(box_->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  ShowWindow(box_->Handle(), SW_HIDE);
  return true;
}

bool STDMETHODCALLTYPE TPositionEditLink::CancelEdit() {
  if (!box_) return true;
  WatchFocus(false);
  SendMessageW(box_->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  ShowWindow(box_->Handle(), SW_HIDE);
  return true;
}

void STDMETHODCALLTYPE TPositionEditLink::ProcessMessage(MSG& message) {
  if (!box_) return;
  SendMessageW(box_->Handle(), message.message, message.wParam, message.lParam);
}

void TPositionEditLink::WatchFocus(bool watch) {
  if (!box_) return;
  if (!watch) {
    box_->OnMessage = nullptr;
    return;
  }
  box_->OnMessage = [this](UINT msg, WPARAM, LPARAM, LRESULT& result) {
    if (msg != WM_KILLFOCUS) return false;
    // Losing the focus ends the edit (the grid asks the link to finish).
    if (grid_) grid_->EndEditNode();
    result = 0;
    return true;
  };
}
