#pragma once
// What drawing keeps on a GIF picture and on each of its frames: the
// bitmaps, masks and palettes built on first use, the internal bitmap that
// an animation paints into, and the painters. The reader owns these through
// TGIFImage::Render and TGIFSubImage::Render and drops them on clear, load
// and destroy.
#include <windows.h>

#include <memory>
#include <mutex>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/GdiHandles.h"
#include "pictures/gif/GIFImage.h"

class TGIFPainter;

struct TGIFFrameRender {
  // The frame as a bitmap, built on first use.
  std::unique_ptr<TBitmap> Bitmap;
  // Monochrome, 1 = transparent; made only when a pixel is transparent.
  TBitmapHandle Mask;
  // Until the first rendering, which builds the mask when the frame has a
  // transparent colour.
  bool NeedMask = true;
  TPaletteOwner Palette;
};

struct TGIFImageRender {
  explicit TGIFImageRender(TGIFImage& image) : Image(&image) {}
  ~TGIFImageRender();

  TGIFImage* Image;

  // The painters list and the draw-painter slot, under one lock (the GUI
  // thread and the termination step of painters change them).
  std::recursive_mutex PaintersLock;
  std::vector<TGIFPainter*> Painters;
  TGIFPainter* DrawPainter = nullptr;

  // The picture at logical screen size that an animation paints into and
  // that repaints copy.
  std::unique_ptr<TBitmap> Bitmap;
  TPaletteOwner GlobalPalette;
  bool InsideGetPalette = false;
  // Set while the picture draws; a nested draw returns at once.
  bool Drawing = false;

  // Building frame bitmaps and palettes: painters render ahead on their
  // threads while the GUI thread draws.
  std::recursive_mutex RenderLock;
  // The memory DC that a frame's mask is selected into while the frame
  // draws (under RenderLock); kept, as an animation draws many times a
  // second.
  TOwnedDC MaskDC;
};

// Sets a flag of the drawing state (a re-entry guard) and clears it on
// every way out.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TFlagGuard() { flag_ = false; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;

 private:
  bool& flag_;
};

// The drawing state of a picture or a frame, made on first use.
TGIFImageRender& ImageRender(const TGIFImage& image);
TGIFFrameRender& FrameRender(const TGIFSubImage& frame);
// A frame's state with the picture's state given.
TGIFFrameRender& FrameRender(TGIFImageRender& state, const TGIFSubImage& frame);
