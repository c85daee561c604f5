#include "list/WallpaperHover.h"

#include <windowsx.h>

#include <algorithm>

#include "grid/VirtualGrid.h"
#include "gui/Picture.h"

TWallpaperHover::TWallpaperHover(TVirtualGrid& grid, std::function<std::wstring(int row)> fileOf)
    : grid_(grid),
      window_(grid.Handle()),
      fileOf_(std::move(fileOf)),
      worker_([this](const std::wstring& fileName, int boxWidth, int boxHeight, SIZE& fullSize) {
        return LoadThumbnail(fileName, boxWidth, boxHeight, fullSize, OnPrepare);
      }) {
  if (window_) watch_ = grid.Watch([this](UINT msg, WPARAM wParam, LPARAM lParam) { Watched(msg, wParam, lParam); });
}

namespace {
// The pause of the keyboard on a row, timed on the grid's window.
constexpr UINT_PTR kKeyboardPause = 0x4B54;
}  // namespace

TWallpaperHover::~TWallpaperHover() {
  worker_.Cancel();
  Detach();
}

void TWallpaperHover::Detach() {
  watch_.End();
  window_ = nullptr;
}

void TWallpaperHover::Hide() {
  // Every change of the list hides the tip: no call to the system then.
  if (pausing_ && window_) KillTimer(window_, kKeyboardPause);
  pausing_ = false;
  worker_.Cancel();
  tip_.Hide();
}

int TWallpaperHover::RowAt(POINT client) const {
  RECT area{};
  GetClientRect(window_, &area);
  if (client.y < grid_.HeaderHeight() || !PtInRect(&area, client)) return kNoRow;
  return grid_.GetNodeAt(client.y);
}

void TWallpaperHover::Arm() {
  // The system's hover time, and a report when the mouse leaves the grid.
  TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, window_, HOVER_DEFAULT};
  armed_ = TrackMouseEvent(&track) != FALSE;
}

void TWallpaperHover::MouseMove(LPARAM lParam) {
  // Windows also reports a pointer that rests while a window comes or goes
  // under it (the tip itself): only a real move changes the row.
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (at.x == lastMove_.x && at.y == lastMove_.y) return;
  lastMove_ = at;
  byKeyboard_ = false;
  const int row = RowAt(at);
  if (row != row_) {
    // Another row: its own rest starts now; the last one's picture is not
    // wanted any more.
    Hide();
    row_ = row;
    quiet_ = false;
    if (row != kNoRow) Arm();
  } else if (row != kNoRow && !armed_ && !quiet_ && !tip_.Visible()) {
    Arm();
  }
}

void TWallpaperHover::HoverRow(int row, bool byKeyboard) {
  row_ = row;
  quiet_ = false;
  byKeyboard_ = byKeyboard;
  if (row == kNoRow || grid_.IsEditing()) return;
  const std::wstring fileName = fileOf_ ? fileOf_(row) : std::wstring();
  if (fileName.empty()) return;
  // Taken before the decode: a file written meanwhile is decoded again
  // next time.
  const TFileStamp stamp = FileStamp(fileName);
  // The box grows with the screen's DPI.
  const SIZE box{grid_.Scaled(kBoxWidth), grid_.Scaled(kBoxHeight)};
  if (TThumbnailRef cached = cache_.Find(fileName);
      cached && cached->Stamp == stamp && cached->Box.cx == box.cx && cached->Box.cy == box.cy) {
    Show(cached, std::to_wstring(cached->FullSize.cx) + L" x " + std::to_wstring(cached->FullSize.cy));
    return;
  }
  worker_.Request(fileName, box.cx, box.cy, [this, row, fileName, stamp, box](TDecodeResult& result) {
    if (row != row_ || quiet_ || grid_.IsEditing()) return;
    TThumbnailRef thumbnail = result.Picture ? MakeThumbnail(*result.Picture, result.FullSize, stamp, box) : nullptr;
    if (thumbnail) {
      cache_.Add(fileName, thumbnail);
      Show(thumbnail, std::to_wstring(result.FullSize.cx) + L" x " + std::to_wstring(result.FullSize.cy));
    } else {
      Show(nullptr, result.Error.empty() ? L"Unknown error" : result.Error);
    }
  });
}

void TWallpaperHover::Show(TThumbnailRef thumbnail, const std::wstring& text) {
  POINT at{};
  if (byKeyboard_) {
    // The tip opens under the row as it opens under the pointer: from the
    // row's top, past the File name text's start.
    const RECT row = grid_.RowRect(row_);
    at = POINT{std::max(0L, row.left) + grid_.Scaled(16), row.top};
    ClientToScreen(window_, &at);
  } else {
    GetCursorPos(&at);
  }
  TTipPicture picture;
  if (thumbnail) picture = TTipPicture{thumbnail->Bitmap.get(), thumbnail->Size, thumbnail};
  tip_.Show(GetAncestor(window_, GA_ROOT), at, std::move(picture), text, grid_.Font(), grid_.Dpi());
}

void TWallpaperHover::KeyDown(WPARAM key) {
  // Whatever the key does next needs no tip over it. After a pause, the
  // focused row shows its tip if the key moves the focus (an arrow key), or
  // if the focus came to another row meanwhile (letters typed find one).
  quiet_ = true;
  Hide();
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
      moving_ = true;
      break;
    default:
      moving_ = false;
      break;
  }
  rowAtKey_ = grid_.FocusedRow();
  UINT pause = 400;
  SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &pause, 0);
  pausing_ = SetTimer(window_, kKeyboardPause, pause, nullptr) != 0;
}

void TWallpaperHover::Watched(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_KEYDOWN:
      KeyDown(wParam);
      break;
    case WM_TIMER:
      if (wParam != kKeyboardPause) break;
      KillTimer(window_, kKeyboardPause);
      pausing_ = false;
      if (GetFocus() == window_ && !grid_.IsEditing() && grid_.FocusedRow() != kNoRow &&
          (moving_ || grid_.FocusedRow() != rowAtKey_))
        HoverRow(grid_.FocusedRow(), true);
      break;
    case WM_MOUSEMOVE:
      MouseMove(lParam);
      break;
    case WM_MOUSEHOVER: {
      armed_ = false;
      const int row = RowAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (row != kNoRow && row == row_ && !quiet_ && !tip_.Visible()) HoverRow(row);
      break;
    }
    case WM_MOUSELEAVE:
      // A tip that the keyboard asked for stays until the next key.
      armed_ = false;
      if (byKeyboard_) break;
      row_ = kNoRow;
      Hide();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_SYSKEYDOWN:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KILLFOCUS:
      // Whatever the user does next (an edit, a scroll) needs no tip over it.
      quiet_ = true;
      Hide();
      break;
    case WM_NCDESTROY: {
      Hide();
      Detach();
      break;
    }
    default:
      break;
  }
}
