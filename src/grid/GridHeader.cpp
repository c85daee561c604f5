#include "grid/GridHeader.h"

#include <commctrl.h>

namespace {
// Children of the grid need IDs of their own: the grid routes measure
// requests of an editor being created by its ID.
constexpr UINT_PTR kHeaderId = 0x4844;
}  // namespace

TGridHeader::TGridHeader(HWND grid) {
  CreateSystem(WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_BUTTONS | HDS_DRAGDROP | HDS_FULLDRAG, 0, grid,
               TBounds{}, kHeaderId);
}

void TGridHeader::Rebuild(const TGridColumns& columns) {
  syncing_ = true;
  while (SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0) > 0) SendMessageW(Handle(), HDM_DELETEITEM, 0, 0);
  for (int i = 0; i < columns.Count(); ++i) {
    std::wstring caption = columns[i].Caption;
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
    item.pszText = caption.data();
    item.cxy = columns[i].Visible ? columns[i].Width : 0;
    // No sort glyph is ever set: a header click sorts nothing.
    item.fmt = HDF_LEFT | HDF_STRING;
    item.lParam = i;
    SendMessageW(Handle(), HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  syncing_ = false;
  Sync(columns);
}

void TGridHeader::Sync(const TGridColumns& columns) {
  if (SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0) != columns.Count()) {
    Rebuild(columns);
    return;
  }
  syncing_ = true;
  bool changed = false;
  for (int i = 0; i < columns.Count(); ++i) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    SendMessageW(Handle(), HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    const int width = columns[i].Visible ? columns[i].Width : 0;
    if (item.cxy != width) {
      item.cxy = width;
      changed = true;
      SendMessageW(Handle(), HDM_SETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
  }
  if (columns.Count() > 0) {
    std::vector<int> order = columns.DisplayOrder();
    std::vector<int> current(order.size(), -1);
    SendMessageW(Handle(), HDM_GETORDERARRAY, current.size(), reinterpret_cast<LPARAM>(current.data()));
    if (current != order) {
      SendMessageW(Handle(), HDM_SETORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
      changed = true;
    }
  }
  syncing_ = false;
  if (changed) InvalidateRect(Handle(), nullptr, TRUE);
}

int TGridHeader::PreferredHeight() const {
  RECT bounds{0, 0, 10000, 10000};
  WINDOWPOS position{};
  HDLAYOUT layout{&bounds, &position};
  if (!SendMessageW(Handle(), HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout))) return 0;
  return position.cy;
}

bool TGridHeader::HandleNotify(NMHDR* header, LRESULT& result) {
  auto* notify = reinterpret_cast<NMHEADERW*>(header);
  switch (header->code) {
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGINGA:
      if (syncing_ || !notify->pitem || !(notify->pitem->mask & HDI_WIDTH)) return false;
      // The grid decides the width (minimum, auto column) and writes it back.
      result = TRUE;
      if (OnResize) OnResize(notify->iItem, notify->pitem->cxy);
      return true;
    case HDN_ENDDRAG:
      result = TRUE;
      if (notify->pitem && OnMove) OnMove(notify->iItem, notify->pitem->iOrder);
      return true;
    default:
      return false;
  }
}
