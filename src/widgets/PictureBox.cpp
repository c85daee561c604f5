#include "widgets/PictureBox.h"

#include "gui/Canvas.h"

TPictureBox::TPictureBox(HWND parent, int left, int top, int width, int height) {
  CreateGraphic(L"DvPictureBox", parent, left, top, width, height);
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
    if (client.right != picture_.Width() || client.bottom != picture_.Height())
      SetWindowPos(Handle(), nullptr, 0, 0, picture_.Width(), picture_.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TPictureBox::Paint(HDC dc, const RECT& client) {
  if (OnPaint) {
    OnPaint(*this, dc, client);
    return;
  }
  TGraphic* graphic = picture_.Graphic();
  if (!graphic || graphic->GetEmpty()) return;
  TRect rect{0, 0, graphic->GetWidth(), graphic->GetHeight()};
  if (stretch_) {
    rect = TRect{0, 0, client.right, client.bottom};
  } else if (center_) {
    const int x = (client.right - rect.Width()) / 2;
    const int y = (client.bottom - rect.Height()) / 2;
    rect = TRect{x, y, x + rect.Width(), y + rect.Height()};
  }
  TCanvas canvas(dc);
  graphic->Draw(canvas, rect);
}
