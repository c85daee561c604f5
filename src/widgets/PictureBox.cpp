#include "widgets/PictureBox.h"

#include "gui/Canvas.h"

TPictureBox::TPictureBox(HWND parent, const TBounds& bounds) {
  CreateGraphic(L"DvPictureBox", parent, bounds);
  picture_.OnChange = [this](TPicture&) { PictureChanged(); };
}

TPictureBox::~TPictureBox() { picture_.OnChange = nullptr; }

void TPictureBox::SetAutoSize(bool value) {
  autoSize_ = value;
  PictureChanged();
}

void TPictureBox::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

void TPictureBox::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TPictureBox::PictureChanged() {
  if (!Handle()) return;
  if (autoSize_ && !picture_.Empty()) {
    const RECT client = ClientRect();
    const int width = Scaled(picture_.Width()), height = Scaled(picture_.Height());
    if (client.right != width || client.bottom != height)
      SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A new frame of an animation goes onto the screen at once: cheaper by
  // far than a paint cycle many times a second.
  if (!PaintOpaqueNow()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TPictureBox::SetBounds(int left, int top, int width, int height) {
  TGraphicControl::SetBounds(left, top, width, height);
  if (autoSize_) PictureChanged();
}

void TPictureBox::ChangeDpi(int dpi) {
  TGraphicControl::ChangeDpi(dpi);
  PictureChanged();
}

TRect TPictureBox::PictureRect(const TGraphic& graphic, const RECT& client) const {
  // A picture is drawn at its size at 96 DPI, scaled to the control's DPI.
  TRect rect{0, 0, Scaled(graphic.GetWidth()), Scaled(graphic.GetHeight())};
  if (stretch_) {
    rect = TRect{0, 0, client.right, client.bottom};
  } else if (center_) {
    const int x = (client.right - rect.Width()) / 2;
    const int y = (client.bottom - rect.Height()) / 2;
    rect = TRect{x, y, x + rect.Width(), y + rect.Height()};
  }
  return rect;
}

bool TPictureBox::PaintsOpaque(const RECT& client) const {
  const TGraphic* graphic = picture_.Graphic();
  if (OnPaint || !graphic || graphic->GetEmpty() || !graphic->DrawsOpaque()) return false;
  const TRect rect = PictureRect(*graphic, client);
  return rect.Left <= 0 && rect.Top <= 0 && rect.Right >= client.right && rect.Bottom >= client.bottom;
}

void TPictureBox::Paint(HDC dc, const RECT& client) {
  if (OnPaint) {
    OnPaint(*this, dc, client);
    return;
  }
  TGraphic* graphic = picture_.Graphic();
  if (!graphic || graphic->GetEmpty()) return;
  TCanvas canvas(dc);
  // Enlarged pixels stay sharp squares.
  SetStretchBltMode(dc, COLORONCOLOR);
  graphic->Draw(canvas, PictureRect(*graphic, client));
}
