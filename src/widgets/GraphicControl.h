#pragma once
// Base of the program's light-weight controls: labels, edges, bands, flat
// buttons, pictures and the pixel-font label.
//
// A graphic control is a small child window of its own class. It has no
// background of its own: when transparent (the default) it paints, off
// screen, whatever lies beneath it (the parent's background and the lower
// siblings, see Underneath.h) and then its content, and copies the result
// to the screen in one go. Because the backdrop is part of its own paint,
// it needs no help from the parent, never flickers, and reads back the same
// in a memory DC as on the screen. Graphic controls are no tab stops, but
// for the links (TLinkLabel).
// As in the classic window-less controls, a graphic control lies over the
// graphic controls created before it but under any windowed control (edit,
// button, scroll box) that overlaps it: it goes to the top of the z-order
// when created and, when it first paints, moves under windowed siblings
// that overlap it.
//
// WM_PRINTCLIENT draws the content alone (plus the backdrop when the caller
// asks for PRF_ERASEBKGND), so a caller can see exactly what the control
// itself paints.
#include <functional>
#include <string>

#include "gui/Control.h"
#include "widgets/PaintBuffer.h"

class TGraphicControl : public TControl {
 public:
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  // Whether the mouse pointer is over the control.
  bool MouseInside() const { return mouseInside_; }
  // Whether the left button went down on the control and is still held.
  bool Pressed() const { return pressed_; }
  bool HandCursor() const { return handCursor_; }
  void SetHandCursor(bool value) { handCursor_ = value; }

  // A font that the control does not own (it must outlive the control).
  void SetFont(HFONT font) override;
  // A font that the control owns from now on.
  void SetOwnedFont(TFontOwner font);

  // Paints an opaque content straight onto the window at once, outside the
  // paint cycle; false (and nothing painted) when the window is hidden or
  // its content not opaque.
  bool PaintOpaqueNow();
  // Paints now, not at the next paint cycle.
  void Repaint();
  // Z-order among the siblings.
  void BringToFront();
  void SendToBack();

  std::function<void(TControl& sender)> OnMouseEnter;
  std::function<void(TControl& sender)> OnMouseLeave;

 protected:
  TGraphicControl() = default;
  // Creates the window; called by the most derived constructor.
  void CreateGraphic(const wchar_t* className, HWND parent, const TBounds& bounds, const std::wstring& text = L"");

  // Draws the content into dc; client is the control's client rectangle.
  virtual void Paint(HDC dc, const RECT& client) = 0;
  // Fills what lies behind the content (the backdrop, or button face when
  // the control is opaque).
  virtual void PaintBackground(HDC dc, const RECT& client);
  // Whether Paint will cover the whole client area with opaque pixels; it
  // then paints straight onto the window, with no background and no buffer.
  virtual bool PaintsOpaque(const RECT&) const { return false; }
  // Run before each paint; a control that sizes itself does it here.
  virtual void BeforePaint() {}
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The caption or the font changed.
  virtual void TextChanged() { Invalidate(); }
  virtual UINT DialogCode() const { return 0; }

  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  // The control's font, or the system's GUI font when none was set.
  HFONT CurrentFont() const;

 private:
  void PaintWindow();
  void StayUnderWindowedSiblings();

  HFONT font_ = nullptr;
  TFontOwner ownedFont_;
  bool transparent_ = true;
  bool mouseInside_ = false;
  bool pressed_ = false;
  bool handCursor_ = false;
};
