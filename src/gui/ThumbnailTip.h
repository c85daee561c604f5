#pragma once
// The small info window that shows a picture's thumbnail and a line of text
// (its size, or why there is none) under the mouse pointer. It takes no
// focus and lets the mouse through; the window exists only while it is
// shown.
#include <windows.h>

#include <memory>
#include <string>

#include "gui/Control.h"

// The picture a tip shows. Owner keeps Bitmap alive for as long as the tip
// shows it, also when whoever made it lets it go meanwhile.
struct TTipPicture {
  HBITMAP Bitmap = nullptr;
  SIZE Size{};  // of Bitmap
  std::shared_ptr<const void> Owner;
};

class TThumbnailTip : public TControl {
 public:
  static constexpr const wchar_t* kClassName = L"DvThumbnailTip";

  TThumbnailTip() = default;
  ~TThumbnailTip() override { Hide(); }

  // Shows the picture (none: the text only) with a line of text under it,
  // its top left near the screen point, inside that screen's work area.
  // owner is the window the tip belongs to; dpi, its DPI, sizes the tip's
  // margins.
  void Show(HWND owner, POINT at, TTipPicture picture, const std::wstring& text, HFONT font, int dpi);
  // Destroys the window and lets the picture go.
  void Hide();

  // A screen reader reads the tip as a tool tip with its text.
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Own; }
  void DescribeAccessible(TAccessibleItem& info) const override;

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Paint(HDC dc, const RECT& client);
  SIZE TextSize(HDC dc) const;

  TTipPicture picture_;
  std::wstring text_;
  HFONT font_ = nullptr;
  int padding_ = 4;
};
