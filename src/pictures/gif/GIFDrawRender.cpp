#include "pictures/gif/GIFDrawRender.h"

#include <cstring>
#include <vector>

#include "pictures/gif/DIBWriter.h"
#include "pictures/gif/GIFDrawDither.h"
#include "pictures/gif/GIFDrawPalette.h"
#include "pictures/gif/GIFDrawSettings.h"
#include "pictures/gif/GIFDrawState.h"
#include "pictures/gif/GIFPainter.h"

namespace {

// Progress of rendering goes to the picture's handler only on the threads
// that draw; a painter rendering ahead stays silent rather than call user
// code on its own thread.
void RenderProgress(TGIFImage& image, int stage, int percent) {
  if (!InPainterThread()) image.ReportProgress(stage, percent);
}

// Collects the mask bits of one frame, and makes the mask bitmap only when
// at least one pixel is transparent.
class TMaskBuilder {
 public:
  TMaskBuilder(int width, int height)
      : width_(width),
        height_(height),
        rowLength_(GIFMaskRowLength(width)),
        bits_(std::size_t(rowLength_) * std::size_t(height), 0) {}

  void Set(int x, int y) {
    bits_[std::size_t(y) * std::size_t(rowLength_) + std::size_t(x >> 3)] |= std::uint8_t(0x80 >> (x & 7));
    any_ = true;
  }
  // Null when no bit was set.
  TBitmapOwner Create() const {
    return TBitmapOwner(any_ ? CreateBitmap(width_, height_, 1, 1, bits_.data()) : nullptr);
  }

 private:
  int width_;
  int height_;
  int rowLength_;
  std::vector<std::uint8_t> bits_;
  bool any_ = false;
};

// Steps shared by both renderers before any row is written. True when the
// frame has pixels to render.
bool PrepareBitmap(TGIFImageRender& state, const TGIFSubImage& frame, TBitmap& bitmap) {
  if (std::int64_t(frame.Width()) * frame.Height() > GIFDrawSetting::LargeFramePixels)
    bitmap.SetPixelFormat(TPixelFormat::pf1bit);
  if (frame.Empty()) {
    bitmap.SetSize(frame.Width(), frame.Height());
    bitmap.SetPalette(GIFFramePalette(state, frame));
    return false;
  }
  return true;
}

// Whether this rendering builds the mask; the frame no longer needs one
// afterwards either way.
bool TakeMaskTurn(TGIFFrameRender& render, const TGIFSubImage& frame) {
  const bool build = render.NeedMask && frame.Transparent() && !render.Mask;
  render.NeedMask = false;
  return build;
}

int TransparentIndex(const TGIFSubImage& frame) {
  const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
  return control ? control->TransparentColorIndex() : 0;
}

// A progress handler may clear or free the picture: the rendering then
// stops at once, touching neither the frame nor the picture again.
void ReportRow(TGIFImageRender& state, TGIFImage& image, int row, int height) {
  if (row % 32 != 0) return;
  RenderProgress(image, TGIFImage::ProgressRunning, int(std::int64_t(row) * 100 / height));
  if (state.Orphaned) throw EAbort();
}

void RenderPlain(TGIFImageRender& state, TGIFSubImage& frame, TGIFFrameRender& render, TBitmap& bitmap) {
  if (!PrepareBitmap(state, frame, bitmap)) return;
  const int width = frame.Width();
  const int height = frame.Height();
  TDIBWriter writer(bitmap, GIFFramePalette(state, frame), height, width, TPixelFormat::pf8bit);
  const bool buildMask = TakeMaskTurn(render, frame);
  const int transparent = TransparentIndex(frame);
  TMaskBuilder mask(buildMask ? width : 0, buildMask ? height : 0);
  for (int y = 0; y < height; ++y) {
    ReportRow(state, frame.Image(), y, height);
    const std::uint8_t* source = frame.ScanLine(y);
    std::memcpy(writer.ScanLine(y), source, std::size_t(width));
    if (buildMask)
      for (int x = 0; x < width; ++x)
        if (source[x] == transparent) mask.Set(x, y);
  }
  if (buildMask) render.Mask = mask.Create();
  writer.Finish();
}

// The frame's colours by index, looked up once per index used (a lookup
// outside the map reports its warning once).
class TColorTable {
 public:
  explicit TColorTable(const TGIFColorMap& map) : map_(map) {}
  TColor operator[](std::uint8_t index) {
    if (!known_[index]) {
      colors_[index] = map_.Colors(index);
      known_[index] = true;
    }
    return colors_[index];
  }

 private:
  const TGIFColorMap& map_;
  TColor colors_[256] = {};
  bool known_[256] = {};
};

void RenderDithered(TGIFImageRender& state, TGIFSubImage& frame, TGIFFrameRender& render, TBitmap& bitmap) {
  if (!PrepareBitmap(state, frame, bitmap)) return;
  const int width = frame.Width();
  const int height = frame.Height();
  render.Palette = CreateColorCubePalette();
  TDIBWriter writer(bitmap, render.Palette.get(), height, width, TPixelFormat::pf8bit);
  TFloydSteinbergDitherer ditherer(width);
  TColorTable colors(frame.ActiveColorMap());
  const bool buildMask = TakeMaskTurn(render, frame);
  const int transparent = TransparentIndex(frame);
  std::uint8_t fill = 0;
  if (buildMask) {
    const TColor c = colors[std::uint8_t(transparent)];
    fill = GIFTransparentFillIndex(RedOf(c), GreenOf(c), BlueOf(c));
  }
  TMaskBuilder mask(buildMask ? width : 0, buildMask ? height : 0);
  for (int y = 0; y < height; ++y) {
    ReportRow(state, frame.Image(), y, height);
    const std::uint8_t* source = frame.ScanLine(y);
    std::uint8_t* target = writer.ScanLine(y);
    if (buildMask) std::memset(target, fill, std::size_t(width));
    ditherer.NextRow();
    for (int i = 0; i < width; ++i) {
      const int x = ditherer.Column();
      if (buildMask && source[x] == transparent) {
        mask.Set(x, y);
        ditherer.Skip();
        continue;
      }
      const TColor c = colors[source[x]];
      target[x] = ditherer.Dither(RedOf(c), GreenOf(c), BlueOf(c));
    }
  }
  if (buildMask) render.Mask = mask.Create();
  writer.Finish();
}

}  // namespace

TBitmap* GIFFrameBitmap(TGIFSubImage& frame) { return GIFFrameBitmap(ImageRender(frame.Image()), frame); }

TBitmap* GIFFrameBitmap(TGIFImageRender& state, TGIFSubImage& frame) {
  // Taken before the lock, so that a state orphaned meanwhile is freed only
  // after the lock is given back.
  const TGIFRenderUse use(state);
  std::lock_guard lock(state.RenderLock);
  TGIFFrameRender& render = FrameRender(state, frame);
  if (render.Bitmap || frame.Empty()) return render.Bitmap.get();
  TGIFImage& image = frame.Image();
  RenderProgress(image, TGIFImage::ProgressStarting, 0);
  if (state.Orphaned) return nullptr;
  // Counted before anything is made: while a frame renders, the writer's
  // image, the copy the bitmap loads it from, the bitmap itself and the
  // mask (its bits and its bitmap); afterwards the bitmap and the mask.
  const std::uint64_t pixels = GIFBitmapBytes(frame.Width(), frame.Height(), 8);
  const std::uint64_t mask = GIFBitmapBytes(frame.Width(), frame.Height(), 1);
  render.Charge.Release();
  render.Charge = TGIFDrawCharge(state, 3 * pixels + 2 * mask);
  try {
    auto bitmap = std::make_unique<TBitmap>();
    if (GIFShouldDither(image.DrawOptions))
      RenderDithered(state, frame, render, *bitmap);
    else
      RenderPlain(state, frame, render, *bitmap);
    render.Bitmap = std::move(bitmap);
    render.Charge.Release();
    render.Charge = TGIFDrawCharge(state, pixels + (render.Mask ? mask : 0));
  } catch (const EAbort&) {
    if (state.Orphaned) return nullptr;
    render.Charge.Release();
    RenderProgress(image, TGIFImage::ProgressEnding, 0);
    return nullptr;
  } catch (...) {
    if (state.Orphaned) throw;
    render.Charge.Release();
    RenderProgress(image, TGIFImage::ProgressEnding, 0);
    throw;
  }
  TBitmap* bitmap = render.Bitmap.get();
  RenderProgress(image, TGIFImage::ProgressEnding, 100);
  return state.Orphaned ? nullptr : bitmap;
}

bool GIFFrameHasMask(TGIFSubImage& frame) { return GIFFrameHasMask(ImageRender(frame.Image()), frame); }

bool GIFFrameHasMask(TGIFImageRender& state, TGIFSubImage& frame) {
  const TGIFRenderUse use(state);
  std::lock_guard lock(state.RenderLock);
  TGIFFrameRender& render = FrameRender(state, frame);
  if (frame.Transparent() && render.NeedMask) {
    render.Bitmap.reset();
    if (!GIFFrameBitmap(state, frame) && state.Orphaned) return false;
  }
  return render.Mask != nullptr;
}

HBITMAP GIFFrameMask(const TGIFSubImage& frame) { return frame.Render ? frame.Render->Mask.get() : nullptr; }
