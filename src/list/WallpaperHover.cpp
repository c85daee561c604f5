#include "list/WallpaperHover.h"

#include <windowsx.h>

#include "grid/VirtualGrid.h"
#include "gui/Picture.h"

TWallpaperHover::TWallpaperHover(TVirtualGrid& grid, std::function<std::wstring(int row)> fileOf)
    : grid_(grid),
      window_(grid.Handle()),
      fileOf_(std::move(fileOf)),
      worker_([this](const std::wstring& fileName, int boxWidth, int boxHeight, SIZE& fullSize) {
        return LoadThumbnail(fileName, boxWidth, boxHeight, fullSize, OnPrepare);
      }) {
  if (window_) watch_ = grid.Watch([this](UINT msg, WPARAM, LPARAM lParam) { Watched(msg, lParam); });
}

TWallpaperHover::~TWallpaperHover() {
  worker_.Cancel();
  Detach();
}

void TWallpaperHover::Detach() {
  watch_.End();
  window_ = nullptr;
}

void TWallpaperHover::Hide() {
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
  const int row = RowAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
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

void TWallpaperHover::HoverRow(int row) {
  row_ = row;
  quiet_ = false;
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
  GetCursorPos(&at);
  TTipPicture picture;
  if (thumbnail) picture = TTipPicture{thumbnail->Bitmap.get(), thumbnail->Size, thumbnail};
  tip_.Show(GetAncestor(window_, GA_ROOT), at, std::move(picture), text, grid_.Font(), grid_.Dpi());
}

void TWallpaperHover::Watched(UINT msg, LPARAM lParam) {
  switch (msg) {
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
      armed_ = false;
      row_ = kNoRow;
      Hide();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
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
