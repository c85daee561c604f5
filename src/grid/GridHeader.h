#pragma once
// The column header of the list control: a system header control whose
// items mirror TGridColumns (header item i is column i; the header's order
// array is the display order). The user's resizing and dragging are not
// applied by the header itself; they are reported to the grid, which applies
// its limits (minimum widths, the auto column) and writes the result back.
#include <functional>

#include "grid/GridColumns.h"
#include "gui/Control.h"

class TGridHeader : public TControl {
 public:
  explicit TGridHeader(HWND grid);

  // Recreates all items from the model.
  void Rebuild(const TGridColumns& columns);
  // Writes widths and display order of the model into the items.
  void Sync(const TGridColumns& columns);
  // Height that the header needs with its current font.
  int PreferredHeight() const;

  // The user drags a divider: the column's proposed new width.
  std::function<void(int column, int width)> OnResize;
  // The user dropped a column at a new display position.
  std::function<void(int column, int position)> OnMove;

 protected:
  bool HandleNotify(NMHDR* header, LRESULT& result) override;

 private:
  bool syncing_ = false;
};
