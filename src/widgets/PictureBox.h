#pragma once
// Shows a picture (any TGraphic of the picture system: bitmap, GIF, JPEG).
// Transparent by default: parts the picture leaves out show what lies
// beneath. With AutoSize the box takes the picture's size; with Stretch the
// picture fills the box; with Center it sits in the middle. A picture that
// changes (a GIF's next frame) repaints the box. OnPaint, when set, paints
// instead of the picture.
//
//   TPictureBox img(pnl, {0, 0, 41, 41});
//   img.Picture().LoadFromClassData("TGIFImage", stream);
#include <functional>

#include "gui/Picture.h"
#include "widgets/GraphicControl.h"

class TPictureBox : public TGraphicControl {
 public:
  TPictureBox(HWND parent, const TBounds& bounds);
  ~TPictureBox() override;

  TPicture& Picture() { return picture_; }
  TGraphic* Graphic() const { return picture_.Graphic(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic) { picture_.SetGraphic(std::move(graphic)); }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);

  // Paints the content in place of the picture.
  std::function<void(TPictureBox& sender, HDC dc, const RECT& client)> OnPaint;

  // An auto-sized box keeps the picture's size wherever it is placed.
  void SetBounds(int left, int top, int width, int height) override;
  void ChangeDpi(int dpi) override;

 protected:
  void Paint(HDC dc, const RECT& client) override;
  bool PaintsOpaque(const RECT& client) const override;

 private:
  void PictureChanged();
  // Where the picture goes in the client area.
  TRect PictureRect(const TGraphic& graphic, const RECT& client) const;

  TPicture picture_;
  bool autoSize_ = false;
  bool stretch_ = false;
  bool center_ = false;
};
