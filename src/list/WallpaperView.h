#pragma once
// The wallpaper grid as a view of the wallpaper list: it adds the grid's
// columns, asks the list for cell texts, shades every other row, follows the
// list's changes, and handles what the grid itself does with a row: Enter or
// a double-click opens the file, Space, F2 or a click in a cell edits its
// Position word (the only column that may be edited), Delete asks for the
// row's removal (OnDeleteKey). Resting the mouse on a row, or reaching it
// with the keyboard, shows the row's picture in a tip.
#include <functional>
#include <memory>
#include <string>

#include "grid/VirtualGrid.h"
#include "list/WallpaperHover.h"
#include "list/WallpaperList.h"

class TWallpaperView {
 public:
  // Wires the grid (and gives it the wallpaper columns unless it has
  // columns); grid and list outlive the view. The list's changes reach the
  // view through Show, called by whoever observes the list.
  TWallpaperView(TVirtualGrid& grid, TWallpaperList& list);
  TWallpaperView(const TWallpaperView&) = delete;
  TWallpaperView& operator=(const TWallpaperView&) = delete;
  ~TWallpaperView();

  // Brings the grid in line with a change of the list.
  // A tip shown for a row that moves or goes is hidden.
  void Show(const TWallpaperChange& change);
  static void FollowChange(TVirtualGrid& grid, const TWallpaperChange& change);
  // Focuses and selects a row; a row that is not there changes nothing.
  void SelectRow(int row);
  // Opens the focused row's file as the shell opens it.
  void OpenFocused();

  // Delete pressed in the grid; the list's owner removes the focused row.
  std::function<void()> OnDeleteKey;

  TVirtualGrid& Grid() const { return grid_; }
  TWallpaperHover& Hover() const { return *hover_; }

 private:
  std::wstring CellText(int row, int column) const;
  void ShadeCell(HDC dc, int row, const RECT& cell) const;

  TVirtualGrid& grid_;
  TWallpaperList& list_;
  std::unique_ptr<TWallpaperHover> hover_;
};
