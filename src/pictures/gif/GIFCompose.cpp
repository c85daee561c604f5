#include "pictures/gif/GIFCompose.h"

#include <algorithm>
#include <limits>

#include "pictures/gif/GIFPaintTiming.h"

using namespace GIFDrawOption;

int GIFMulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t n = std::int64_t(a) * b;
  const std::int64_t d = c;
  // Rounded half away from zero, whatever the signs.
  const bool negative = (n < 0) != (d < 0);
  const std::int64_t an = n < 0 ? -n : n, ad = d < 0 ? -d : d;
  const std::int64_t q = (2 * an + ad) / (2 * ad);
  const std::int64_t result = negative ? -q : q;
  if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) return -1;
  return int(result);
}

TRect GIFScaledFrameRect(const TRect& frame, int screenWidth, int screenHeight, const TRect& rect) {
  if (screenWidth <= 0 || screenHeight <= 0) return rect;
  const auto at = [](int origin, int offset) {
    return int(std::clamp<std::int64_t>(std::int64_t(origin) + offset, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
  };
  return TRect{at(rect.Left, GIFMulDiv(frame.Left, rect.Width(), screenWidth)),
               at(rect.Top, GIFMulDiv(frame.Top, rect.Height(), screenHeight)),
               at(rect.Left, GIFMulDiv(frame.Right, rect.Width(), screenWidth)),
               at(rect.Top, GIFMulDiv(frame.Bottom, rect.Height(), screenHeight))};
}

TGIFPaintTarget GIFPaintTargetOf(int disposal, int oldDisposal) {
  if (disposal <= 2) return TGIFPaintTarget::Backup;
  if (disposal == 3) {
    if (oldDisposal <= 1) return TGIFPaintTarget::Canvas;
    if (oldDisposal <= 3) return TGIFPaintTarget::FrameBuffer;
  }
  return TGIFPaintTarget::None;
}

int GIFReadFrameExtensions(const TGIFSubImage& frame, int frameIndex, bool inThread, bool loopForever,
                           TGIFLoopState& loop) {
  int disposal = 1;
  for (const auto& extension : frame.Extensions()) {
    if (const auto* ext = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get())) {
      if (loop.LoopSeen) continue;
      loop.LoopSeen = true;
      loop.Loops = ext->Loops();
      loop.LoopStart = frameIndex;
      if ((loop.Loops == 0 || loopForever) && inThread) loop.Loops = -1;
    } else if (const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(extension.get())) {
      disposal = control->Disposal();
    }
  }
  return disposal;
}

TGIFComposer::TGIFComposer(const TGIFImage& image, TGIFDrawOptions options, int width, int height,
                           std::uint32_t background)
    : image_(image),
      options_(options),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      backgroundColor_(background),
      target_(std::size_t(width_) * std::size_t(height_), 0) {
  bool two = (options & PaintClearOnLoop) != 0, three = false;
  for (const auto& frame : image.Images())
    if (const auto* control = frame->GraphicControlExtension()) {
      two |= control->Disposal() == 2;
      three |= control->Disposal() == 3;
    }
  // The buffers the painter makes, starting with what lay beneath.
  if (two && (options & PaintTransparent)) background_ = target_;
  if (two || three) {
    backup_ = target_;
    frameBuffer_ = target_;
  }
}

int TGIFComposer::Run(int maxFrames) {
  if (image_.Images().Count() == 0 || width_ == 0 || height_ == 0) return 0;
  const bool animated = (options_ & PaintAnimated) && image_.Images().Count() > 1;
  const bool endless = (options_ & PaintLoopForever) != 0;
  TGIFLoopState loop;
  TGIFFrameClock clock;
  std::uint32_t now = 0;
  int painted = 0, oldDisposal = 1, delay = 1;
  while ((loop.Loops != 0 || endless) && painted < maxFrames) {
    for (int index = loop.LoopStart; index < image_.Images().Count() && painted < maxFrames; ++index) {
      const TGIFSubImage& frame = image_.Images()[index];
      if (frame.Empty()) return painted;
      const int wait = clock.NextWait(delay, image_.AnimationSpeed, false, now);
      waited_ += std::max(wait, 0);
      now += std::uint32_t(std::max(wait, 0));
      const int disposal = GIFReadFrameExtensions(frame, index, false, endless, loop);
      Paint(frame, (options_ & PaintClearOnLoop) && index == 0, disposal, oldDisposal);
      oldDisposal = disposal;
      ++painted;
      delay = GIFFrameDelayUnits(frame.GraphicControlExtension(), false);
      if (!animated) return painted;
    }
    if (loop.Loops > 0) --loop.Loops;
    if (!(options_ & PaintLooped)) break;
  }
  return painted;
}

void TGIFComposer::Paint(const TGIFSubImage& frame, bool clearFirst, int disposal, int oldDisposal) {
  if (backup_.empty()) {
    DrawFrame(frame, target_);
    return;
  }
  const TGIFPaintTarget where = GIFPaintTargetOf(disposal, oldDisposal);
  if (clearFirst) Restore(frame);
  const TRect full{0, 0, width_, height_};
  switch (where) {
    case TGIFPaintTarget::None:
      break;
    case TGIFPaintTarget::Canvas:
      DrawFrame(frame, target_);
      break;
    case TGIFPaintTarget::FrameBuffer:
      Copy(frameBuffer_, backup_, full);
      DrawFrame(frame, frameBuffer_);
      Copy(target_, frameBuffer_, full);
      break;
    case TGIFPaintTarget::Backup:
      DrawFrame(frame, backup_);
      Copy(target_, backup_, full);
      break;
  }
  if (disposal == 2) Restore(frame);
}

void TGIFComposer::DrawFrame(const TGIFSubImage& frame, TBuffer& buffer) {
  const TRect full{0, 0, width_, height_};
  const int screenWidth = image_.GetWidth(), screenHeight = image_.GetHeight();
  if (options_ & PaintTiled) {
    GIFForEachTile(screenWidth, screenHeight, frame.Left(), frame.Top(), full, [&](int x, int y) {
      Blit(frame, buffer, TRect{x, y, x + frame.Width(), y + frame.Height()}, frame.Width(), frame.Height());
    });
  } else {
    const TRect place{frame.Left(), frame.Top(), frame.Left() + frame.Width(), frame.Top() + frame.Height()};
    Blit(frame, buffer, GIFScaledFrameRect(place, screenWidth, screenHeight, full), frame.Width(), frame.Height());
  }
}

// The frame stretched into to (nearest pixel), clipped to the buffer;
// transparent pixels left out with PaintTransparent.
void TGIFComposer::Blit(const TGIFSubImage& frame, TBuffer& buffer, const TRect& to, int width, int height) {
  const std::int64_t toWidth = std::int64_t(to.Right) - to.Left, toHeight = std::int64_t(to.Bottom) - to.Top;
  if (toWidth <= 0 || toHeight <= 0 || width <= 0 || height <= 0) return;
  const TGIFColorMap& map = frame.ActiveColorMap();
  if (map.Count() == 0) return;
  std::uint32_t colors[256];
  for (int i = 0; i < 256; ++i) {
    const TGIFColor& c = map.Entry(i < map.Count() ? i : 0);
    colors[i] = std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
  }
  const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
  const int transparent =
      (options_ & PaintTransparent) && frame.Transparent() && control ? control->TransparentColorIndex() : -1;
  const int left = int(std::max<std::int64_t>(to.Left, 0)), right = int(std::min<std::int64_t>(to.Right, width_));
  const int top = int(std::max<std::int64_t>(to.Top, 0)), bottom = int(std::min<std::int64_t>(to.Bottom, height_));
  for (int y = top; y < bottom; ++y) {
    const std::uint8_t* row = frame.ScanLine(int((y - std::int64_t(to.Top)) * height / toHeight));
    for (int x = left; x < right; ++x) {
      const std::uint8_t index = row[(x - std::int64_t(to.Left)) * width / toWidth];
      if (index != transparent) buffer[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = colors[index];
    }
  }
}

// The area the frame covers, in the backup buffer, back to the background
// captured at the start or to the background colour.
void TGIFComposer::Restore(const TGIFSubImage& frame) {
  const TRect full{0, 0, width_, height_};
  const int screenWidth = image_.GetWidth(), screenHeight = image_.GetHeight();
  const bool tiled = options_ & PaintTiled;
  const auto tiles = [&](auto&& each) {
    GIFForEachTile(screenWidth, screenHeight, frame.Left(), frame.Top(), full, [&](int x, int y) {
      each(TRect{x, y, int(std::min<std::int64_t>(std::int64_t(x) + frame.Width(), width_)),
                 int(std::min<std::int64_t>(std::int64_t(y) + frame.Height(), height_))});
    });
  };
  const TRect place{frame.Left(), frame.Top(), frame.Left() + frame.Width(), frame.Top() + frame.Height()};
  const TRect scaled = GIFScaledFrameRect(place, screenWidth, screenHeight, full);
  if (options_ & PaintTransparent) {
    if (background_.empty()) return;
    if (tiled)
      tiles([&](const TRect& tile) { Copy(backup_, background_, tile); });
    else
      Copy(backup_, background_, scaled);
  } else if (tiled && frame.Width() != screenWidth && frame.Height() != screenHeight) {
    tiles([&](const TRect& tile) { Fill(backup_, tile, backgroundColor_); });
  } else {
    Fill(backup_, scaled, backgroundColor_);
  }
}

void TGIFComposer::Fill(TBuffer& buffer, const TRect& area, std::uint32_t color) {
  for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, height_); ++y)
    for (int x = std::max(area.Left, 0); x < std::min(area.Right, width_); ++x)
      buffer[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = color;
}

void TGIFComposer::Copy(TBuffer& to, const TBuffer& from, const TRect& area) {
  for (int y = std::max(area.Top, 0); y < std::min(area.Bottom, height_); ++y)
    for (int x = std::max(area.Left, 0); x < std::min(area.Right, width_); ++x)
      to[std::size_t(y) * std::size_t(width_) + std::size_t(x)] =
          from[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}
