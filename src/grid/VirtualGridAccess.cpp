// The grid as a screen reader reads it: a list whose items are the rows.
#include <oleacc.h>

#include <algorithm>

#include "grid/VirtualGrid.h"

static_assert(kNoRow + 1 == 0, "item 0 stands for no row");

void TVirtualGrid::DescribeAccessible(TAccessibleItem& info) const { info.Role = ROLE_SYSTEM_LIST; }

void TVirtualGrid::Describe(int item, TAccessibleItem& info) const {
  const int row = item - 1;
  const auto text = [&](int column) { return OnGetText ? OnGetText(row, column) : DefaultText; };
  info.Role = ROLE_SYSTEM_LISTITEM;
  info.Name = text(columns_.Count() > 0 ? 0 : kNoColumn);
  // The other columns as a list view reads them: "Path: C:\Pics, Position: Tile".
  for (int column : columns_.DisplayOrder()) {
    if (column == 0 || !columns_[column].Visible) continue;
    if (!info.Description.empty()) info.Description += L", ";
    info.Description += columns_[column].Caption + L": " + text(column);
  }
  info.DefaultAction = RowAction;
  info.State = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (row == selectedRow_) info.State |= STATE_SYSTEM_SELECTED;
  if (row == focusedRow_ && GetFocus() == Handle()) info.State |= STATE_SYSTEM_FOCUSED;
  RECT place = RowRect(row);
  place.left = std::max(place.left, 0L);
  place.right = std::min(place.right, static_cast<LONG>(clientWidth_));
  if (place.bottom <= RowsTop() || place.top >= clientHeight_) info.State |= STATE_SYSTEM_OFFSCREEN;
  info.Bounds = place;
}

int TVirtualGrid::ItemAt(POINT client) const {
  if (client.y < RowsTop() || client.y >= clientHeight_) return 0;
  return GetNodeAt(client.y) + 1;
}

void TVirtualGrid::Select(int item, long flags) {
  const int row = item - 1;
  if (flags & SELFLAG_TAKEFOCUS) {
    if (GetFocus() != Handle()) ::SetFocus(Handle());
    SetFocusedRow(row);
  }
  if (flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION)) SelectRow(row);
  if ((flags & SELFLAG_REMOVESELECTION) && row == selectedRow_) ClearSelection();
}

void TVirtualGrid::DoDefaultAction(int item) {
  // As a double click on the row does.
  SetFocusedRow(item - 1);
  SelectRow(item - 1);
  if (OnDblClick) OnDblClick();
}
