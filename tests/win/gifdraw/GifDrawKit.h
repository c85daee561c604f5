#pragma once
// Helpers of the GIF drawing tests: pictures from bytes and from the
// program's own resource folder, a memory canvas to read pixels back, a
// shown window with a picture box, and message pumping with a deadline.
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "gui/Bitmap.h"
#include "pictures/gif/GIFImage.h"
#include "support/GifWriter.h"
#include "widgets/PictureBox.h"

namespace gifdraw {

std::unique_ptr<TGIFImage> LoadBytes(const giftest::Bytes& bytes);
// Frame options of the builder: a local map, a place on the screen.
inline giftest::FrameOptions LocalColors(int count) {
  giftest::FrameOptions options;
  options.localColors = count;
  return options;
}
inline giftest::FrameOptions At(int left, int top) {
  giftest::FrameOptions options;
  options.left = left;
  options.top = top;
  return options;
}
// A picture of the res folder ("logo.gif").
std::unique_ptr<TGIFImage> LoadResource(const std::wstring& name);
giftest::Bytes ResourceBytes(const std::wstring& name);

// A 24-bit bitmap filled with one colour, whose canvas the tests draw on.
std::unique_ptr<TBitmap> FilledBitmap(int width, int height, COLORREF color);
inline COLORREF PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas().Pixel(x, y); }

// The colour of a colour map entry of the test builder (entry i is
// (i, 255 - i, i / 2)).
inline COLORREF BuilderColor(int index) { return RGB(index, 255 - index, index / 2); }
// The colour of a picture's pixel as the frame's active map gives it.
COLORREF FrameColor(const TGIFSubImage& frame, int x, int y);

// A picture box at (10, 10) on a shown top-level window (shared by all
// tests) of the given background colour.
class TPictureWindow {
 public:
  TPictureWindow(int width, int height, COLORREF background = RGB(40, 120, 200));
  ~TPictureWindow();
  TPictureWindow(const TPictureWindow&) = delete;
  TPictureWindow& operator=(const TPictureWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  TPictureBox& Box() { return *box_; }
  // Destroys the box, and so its picture.
  void Close();
  // What the box paints now (WM_PRINTCLIENT with its backdrop).
  std::unique_ptr<TBitmap> Snapshot();

 private:
  HWND hwnd_ = nullptr;
  std::unique_ptr<TPictureBox> box_;
};

// Dispatches this thread's messages for the given time.
void PumpFor(std::chrono::milliseconds duration);
// Dispatches messages until done() holds or the time is up; returns done().
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// GDI objects of this process (counted where GetGuiResources says 0).
DWORD GdiObjectCount();
// CPU time (user + kernel) of this process so far, in milliseconds.
double ProcessCpuMilliseconds();

}  // namespace gifdraw
