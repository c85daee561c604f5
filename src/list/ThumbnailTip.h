#pragma once
// The small info window that shows a wallpaper's thumbnail and its size (or
// why there is none) under the mouse pointer. It takes no focus and lets
// the mouse through; the window exists only while it is shown.
#include <windows.h>

#include <string>

#include "gui/GdiObject.h"
#include "list/ThumbnailCache.h"

class TThumbnailTip {
 public:
  static constexpr const wchar_t* kClassName = L"DvThumbnailTip";

  TThumbnailTip() = default;
  ~TThumbnailTip() { Hide(); }
  TThumbnailTip(const TThumbnailTip&) = delete;
  TThumbnailTip& operator=(const TThumbnailTip&) = delete;

  // Shows the thumbnail (may be null: the text only) with a line of text
  // under it, its top left near the screen point, inside that screen's
  // work area. owner is the window the tip belongs to; its DPI sizes the
  // tip's margins.
  void Show(HWND owner, POINT at, TThumbnailRef thumbnail, const std::wstring& text, HFONT font, int dpi);
  // Destroys the window and lets the thumbnail go.
  void Hide();
  bool Visible() const { return window_ != nullptr; }
  HWND Handle() const { return window_.get(); }

 private:
  static void RegisterClassOnce();
  static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc, const RECT& client);
  SIZE TextSize(HDC dc) const;

  TWindowOwner window_;
  TThumbnailRef thumbnail_;
  std::wstring text_;
  HFONT font_ = nullptr;
  int padding_ = 4;
};
