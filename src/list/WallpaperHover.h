#pragma once
// The thumbnail tip of the wallpaper grid. Resting the mouse on a row for
// the system's hover time shows the row's picture fitted into 160 x 120
// with its size, or why it cannot be shown, at the pointer; a row reached
// with the keyboard shows it after the same pause, beside the row. Pictures
// decode on a worker thread; moving to another row drops the pending one;
// the last 64 thumbnails are kept. The tip goes on mouse leave, on a click
// or a key, and never shows while the Position editor is open.
#include <windows.h>

#include <functional>
#include <string>

#include "gui/Control.h"
#include "gui/DecodeWorker.h"
#include "gui/ThumbnailTip.h"
#include "list/ThumbnailCache.h"
#include "list/ThumbnailLoader.h"

class TVirtualGrid;

class TWallpaperHover {
 public:
  static constexpr int kBoxWidth = 160;
  static constexpr int kBoxHeight = 120;

  // fileOf gives a row's full file name (empty: no tip). The grid outlives
  // this object.
  TWallpaperHover(TVirtualGrid& grid, std::function<std::wstring(int row)> fileOf);
  ~TWallpaperHover();
  TWallpaperHover(const TWallpaperHover&) = delete;
  TWallpaperHover& operator=(const TWallpaperHover&) = delete;

  // Hides the tip and drops a pending decode (the list changed, an editor
  // opens).
  void Hide();
  // Shows the tip for a row now, as a rest of the mouse there does (at the
  // pointer), or a pause of the keyboard on it (beside the row).
  void HoverRow(int row, bool byKeyboard = false);

  const TThumbnailTip& Tip() const { return tip_; }

  // Runs on the worker for each loaded picture (see TThumbnailPrepare).
  TThumbnailPrepare OnPrepare;

 private:
  // The grid's messages, as a watch of the grid sees them.
  void Watched(UINT msg, WPARAM wParam, LPARAM lParam);
  void KeyDown(WPARAM key);
  void MouseMove(LPARAM lParam);
  void Arm();
  int RowAt(POINT client) const;
  void Show(TThumbnailRef thumbnail, const std::wstring& text);
  void Detach();

  TVirtualGrid& grid_;
  HWND window_ = nullptr;
  TMessageWatch watch_;
  std::function<std::wstring(int row)> fileOf_;
  TThumbnailCache cache_;
  TThumbnailTip tip_;
  int row_ = -1;             // the row under the mouse
  bool armed_ = false;       // hover and leave reports are asked for
  bool quiet_ = false;       // a click or key hid the tip: none until another row
  bool byKeyboard_ = false;  // the tip is for the focused row, beside it
  bool pausing_ = false;     // a key started the pause before a tip
  bool moving_ = false;      // that key moves the focus (an arrow, Home...)
  int rowAtKey_ = -1;        // the focused row when that key came
  POINT lastMove_{-1, -1};   // where the mouse last moved to in the grid
  // Last: its thread ends first, before anything it delivers to goes.
  TDecodeWorker worker_;
};
