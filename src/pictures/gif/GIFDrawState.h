#pragma once
// What drawing keeps on a GIF picture and on each of its frames: the
// bitmaps, masks and palettes built on first use, the internal bitmap that
// an animation paints into, and the painters. The reader owns these through
// TGIFImage::Render and TGIFSubImage::Render and drops them on clear, load
// and destroy.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/GdiHandles.h"
#include "pictures/gif/GIFImage.h"

class TGIFPainter;
struct TGIFImageRender;

// The bytes of drawing memory a picture holds now. Shared with the charges,
// since a detached painter may free its buffers after the picture is gone.
struct TGIFDrawMemory {
  std::atomic<std::uint64_t> Used{0};
};

// Bytes of drawing memory counted against the picture's memory limit for
// as long as the charge lives (the bitmaps it stands for live as long).
class TGIFDrawCharge {
 public:
  TGIFDrawCharge() = default;
  // Counts bytes for the picture, before they are allocated. With what the
  // reader holds and what drawing holds already, more than the picture's
  // MemoryLimit raises GIFException("Image is too large").
  TGIFDrawCharge(TGIFImageRender& state, std::uint64_t bytes);
  TGIFDrawCharge(TGIFDrawCharge&& other) noexcept { *this = std::move(other); }
  TGIFDrawCharge& operator=(TGIFDrawCharge&& other) noexcept;
  ~TGIFDrawCharge() { Release(); }
  void Release() noexcept;

 private:
  std::shared_ptr<TGIFDrawMemory> memory_;
  std::uint64_t bytes_ = 0;
};

// The bytes of a bitmap of that size and depth (rows padded to 32 bits).
inline std::uint64_t GIFBitmapBytes(int width, int height, int bitsPerPixel) {
  if (width <= 0 || height <= 0) return 0;
  return (std::uint64_t(width) * std::uint64_t(bitsPerPixel) + 31) / 32 * 4 * std::uint64_t(height);
}

struct TGIFFrameRender {
  // The frame as a bitmap, built on first use.
  std::unique_ptr<TBitmap> Bitmap;
  // Monochrome, 1 = transparent; made only when a pixel is transparent.
  TBitmapOwner Mask;
  // Until the first rendering, which builds the mask when the frame has a
  // transparent colour.
  bool NeedMask = true;
  TPaletteOwner Palette;
  // The bitmap's and the mask's bytes.
  TGIFDrawCharge Charge;
};

struct TGIFImageRender {
  explicit TGIFImageRender(TGIFImage& image) : Image(&image) {}
  ~TGIFImageRender();

  TGIFImage* Image;
  // Draw calls and renderings in progress. A picture cleared or freed
  // meanwhile (by a hook, a progress handler, or a window closed while a
  // painter dispatched messages) leaves its state Orphaned instead of
  // freeing it, and the last use frees it; whoever runs user code checks
  // Orphaned afterwards and touches neither picture nor frame again.
  std::atomic<int> Uses{0};
  std::atomic<bool> Orphaned{false};
  std::shared_ptr<TGIFDrawMemory> Memory = std::make_shared<TGIFDrawMemory>();

  // The painters list and the draw-painter slot, under one lock (the GUI
  // thread and the termination step of painters change them).
  std::recursive_mutex PaintersLock;
  std::vector<TGIFPainter*> Painters;
  TGIFPainter* DrawPainter = nullptr;

  // The picture at logical screen size that an animation paints into and
  // that repaints copy.
  std::unique_ptr<TBitmap> Bitmap;
  TGIFDrawCharge BitmapCharge;
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
  TDCOwner MaskDC;
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

// Holds a picture's drawing state for the length of a call (see Uses).
class TGIFRenderUse {
 public:
  explicit TGIFRenderUse(TGIFImageRender& state) : state_(state) { ++state_.Uses; }
  ~TGIFRenderUse() {
    if (--state_.Uses == 0 && state_.Orphaned) delete &state_;
  }
  TGIFRenderUse(const TGIFRenderUse&) = delete;
  TGIFRenderUse& operator=(const TGIFRenderUse&) = delete;

 private:
  TGIFImageRender& state_;
};

// The drawing state of a picture or a frame, made on first use.
TGIFImageRender& ImageRender(const TGIFImage& image);
TGIFFrameRender& FrameRender(const TGIFSubImage& frame);
// A frame's state with the picture's state given.
TGIFFrameRender& FrameRender(TGIFImageRender& state, const TGIFSubImage& frame);
