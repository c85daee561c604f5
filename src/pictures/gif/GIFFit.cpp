#include "pictures/gif/GIFFit.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

// One direction of the sampling: shown pixel t takes the file's pixel at
// ((2t + 1) x from) / (2 x to), the centre of the area it stands for.
struct TAxis {
  std::int64_t From;
  std::int64_t To;
  std::int64_t Sample(std::int64_t t) const { return (2 * t + 1) * From / (2 * To); }
  // The first shown pixel that samples at p or beyond.
  std::int64_t First(std::int64_t p) const {
    const std::int64_t over = 2 * p * To - From;
    return over <= 0 ? 0 : (over + 2 * From - 1) / (2 * From);
  }
};

// The shown span of a frame's span [start, start + length) and, for each
// shown pixel, the frame's own pixel it takes. A frame too small to reach
// a sample point still shows one pixel: its centre.
struct TSpan {
  std::int64_t Start = 0;
  std::vector<std::uint32_t> Source;
};

TSpan Span(const TAxis& axis, int start, int length) {
  TSpan span;
  span.Start = axis.First(start);
  const std::int64_t end = axis.First(std::int64_t(start) + length);
  if (end <= span.Start) {
    span.Source.push_back(std::uint32_t(length / 2));
    return span;
  }
  span.Source.reserve(std::size_t(end - span.Start));
  for (std::int64_t t = span.Start; t < end; ++t) span.Source.push_back(std::uint32_t(axis.Sample(t) - start));
  return span;
}

void FitFrame(TGIFImage& image, TGIFSubImage& frame, const TAxis& across, const TAxis& down,
              const TCancelFlag* cancel) {
  const TSpan columns = Span(across, frame.Left(), frame.Width());
  const TSpan rows = Span(down, frame.Top(), frame.Height());
  const std::size_t width = columns.Source.size(), height = rows.Source.size();
  image.Reserve(width * height);
  std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[width * height]);
  for (std::size_t y = 0; y < height; ++y) {
    CheckCancel(cancel);
    const std::uint8_t* from = frame.ScanLine(int(rows.Source[y]));
    std::uint8_t* to = pixels.get() + y * width;
    for (std::size_t x = 0; x < width; ++x) to[x] = from[columns.Source[x]];
  }
  image.Unreserve(frame.DataSize());
  frame.ReplacePixels(std::uint16_t(columns.Start), std::uint16_t(rows.Start), std::uint16_t(width),
                      std::uint16_t(height), std::move(pixels));
}

}  // namespace

void FitGIFToBox(TGIFImage& image, int boxWidth, int boxHeight) {
  const std::int64_t screenWidth = image.GetWidth(), screenHeight = image.GetHeight();
  if (screenWidth <= 0 || screenHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return;
  if (screenWidth <= boxWidth && screenHeight <= boxHeight) return;
  std::int64_t width = boxWidth, height = boxHeight;
  if (screenWidth * boxHeight > screenHeight * boxWidth)
    height = std::max<std::int64_t>(1, screenHeight * boxWidth / screenWidth);
  else
    width = std::max<std::int64_t>(1, screenWidth * boxHeight / screenHeight);

  // Painters and bitmaps of the old size go first.
  image.Render.reset();
  const TAxis across{screenWidth, width}, down{screenHeight, height};
  const TCancelFlag* cancel = CurrentCancelFlag();
  for (const auto& frame : image.Images())
    if (!frame->Empty()) FitFrame(image, *frame, across, down, cancel);
  image.Header().Descriptor().ScreenWidth = std::uint16_t(width);
  image.Header().Descriptor().ScreenHeight = std::uint16_t(height);
  image.ReleaseSource();
}
