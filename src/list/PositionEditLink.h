#pragma once
// The in-place editor of the Position column of the wallpaper grid: a
// drop-down list of "Center", "Tile" and "Stretch" placed over the cell.
// The grid creates one link per edit and drops it when the edit has ended;
// the link owns its box and stores the chosen word in the wallpaper list.
#include <functional>
#include <memory>
#include <string>

#include "grid/EditLink.h"
#include "grid/VirtualGrid.h"
#include "list/WallpaperList.h"

// The drop-down list box of the editor. Its items are drawn by the box
// itself (owner-drawn fixed, 13 pixels high); keys go to OnKey first, Enter
// after the box has closed an open list on the item chosen there.
class TPositionBox : public TControl {
 public:
  static constexpr int kItemHeight = 13;

  explicit TPositionBox(HWND parent);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::wstring Text() const;
  // Read as "Position" with the chosen word.
  void DescribeAccessible(TAccessibleItem& info) const override;
  // Returns true when the key was dealt with.
  std::function<bool(WPARAM key)> OnKey;

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool HandleDrawItem(DRAWITEMSTRUCT* item) override;
  bool HandleMeasureItem(MEASUREITEMSTRUCT* item) override;

 private:
  void DrawFlatEdge();
};

class TPositionEditLink : public TEditLinkBase {
 public:
  // A new link with one reference held by the result; it edits the rows of
  // the list, which outlives it.
  static TEditLinkPtr Create(TWallpaperList& list);

  bool STDMETHODCALLTYPE BeginEdit() override;
  bool STDMETHODCALLTYPE CancelEdit() override;
  bool STDMETHODCALLTYPE EndEdit() override;
  bool STDMETHODCALLTYPE PrepareEdit(TVirtualGrid* grid, int row, int column) override;
  RECT STDMETHODCALLTYPE GetBounds() override;
  void STDMETHODCALLTYPE ProcessMessage(MSG& message) override;
  void STDMETHODCALLTYPE SetBounds(RECT bounds) override;

  // The editor box (null before PrepareEdit); for tests and diagnostics.
  TPositionBox* Box() const { return box_.get(); }

 private:
  explicit TPositionEditLink(TWallpaperList& list) : list_(list) {}
  ~TPositionEditLink() override;

  // While the box is shown, losing the focus ends the edit.
  void WatchFocus(bool watch);
  // Enter, Space and Tab end the edit wherever the pointer is.
  bool EndByKey();

  std::unique_ptr<TPositionBox> box_;
  TWallpaperList& list_;
  TVirtualGrid* grid_ = nullptr;
  int row_ = kNoRow;
  int column_ = kNoColumn;
  bool endingByKey_ = false;
};
