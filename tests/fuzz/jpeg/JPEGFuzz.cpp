// Decodes arbitrary bytes as a JPEG file through the picture's decoder. The
// last byte of the input chooses the decode settings; the bytes before it
// are the file (libjpeg ignores what follows the end-of-image marker, so the
// seeds are JPEG files with one byte appended and open in any viewer).
// Anything but an EJPEG (or a crash, hang, leak or runaway allocation) is a
// fault, and so is an 8-bit result whose indices lie outside its colours.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gui/GraphicError.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGError.h"
#include "pictures/jpeg/JPEGRaster.h"

namespace {

// Pictures larger than this (decoded pixels, and pixels in the file) are
// skipped so that one run stays within memory and time.
constexpr std::int64_t MaxOutputPixels = std::int64_t(4) << 20;
constexpr std::int64_t MaxImagePixels = std::int64_t(16) << 20;

// Bits of the settings byte.
enum : unsigned {
  ScaleMask = 0x03,         // 1/1, 1/2, 1/4, 1/8
  FormatMask = 0x0c,        // 24-bit, 8-bit, 8-bit onto a caller palette, grayscale
  FastBit = 0x10,           // jpBestSpeed: fast DCT, one-pass ordered dither
  ProgressiveBit = 0x20,    // progressive display (buffered-image mode)
  NoSmoothingBit = 0x40,    // no block smoothing
  ProgressAbortBit = 0x80,  // report progress on every hook call; stop after some
};

enum class TFormat { TwentyFourBit, EightBit, EightBitCallerPalette, Grayscale };
TFormat FormatOf(unsigned selector) { return static_cast<TFormat>((selector & FormatMask) >> 2); }

TJPEGDecodeSettings SettingsOf(unsigned selector) {
  TJPEGDecodeSettings s;
  s.Scale = static_cast<TJPEGScale>(selector & ScaleMask);
  const TFormat format = FormatOf(selector);
  const bool eightBit = format == TFormat::EightBit || format == TFormat::EightBitCallerPalette;
  s.PixelFormat = eightBit ? TJPEGPixelFormat::jf8Bit : TJPEGPixelFormat::jf24Bit;
  s.Grayscale = format == TFormat::Grayscale;
  s.Performance = selector & FastBit ? TJPEGPerformance::jpBestSpeed : TJPEGPerformance::jpBestQuality;
  s.ProgressiveDisplay = (selector & ProgressiveBit) != 0;
  s.Smoothing = (selector & NoSmoothingBit) == 0;
  return s;
}

// A caller palette of count colours (over 256 are cut to 256), stepping
// through the colour cube.
std::vector<TJPEGColor> CallerPalette(std::size_t count) {
  std::vector<TJPEGColor> colors(count);
  for (std::size_t i = 0; i < count; ++i)
    colors[i] = TJPEGColor{std::uint8_t(i * 37), std::uint8_t(i * 101), std::uint8_t(i * 53)};
  return colors;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned selector = data[size - 1];
  --size;
  const TJPEGDecodeSettings settings = SettingsOf(selector);
  try {
    const TJPEGHeader header = TJPEGDecoder::ReadHeader(data, size);
    if (std::int64_t(header.Width) * header.Height > MaxImagePixels) return 0;
    TJPEGDecoder decoder(data, size, settings);
    const TJPEGSize out = decoder.OutputSize();
    if (std::int64_t(out.Width) * out.Height > MaxOutputPixels) return 0;

    if (FormatOf(selector) == TFormat::EightBitCallerPalette) decoder.CallerPalette = CallerPalette(1 + size % 300);
    int reports = 0;
    if (selector & ProgressAbortBit) {
      // Every hook call is past the throttle; the fourth running report
      // stops the decode.
      std::uint32_t now = 0;
      decoder.ProgressClock = [now]() mutable { return now += 1000; };
      decoder.OnProgress = [&reports](TJPEGProgressStage stage, int, const TRect&, bool) {
        if (stage == TJPEGProgressStage::Running && ++reports == 4) throw EAbort();
      };
    }
    TJPEGRaster raster;
    const bool completed = decoder.Decode(raster);
    if (completed && raster.BitsPerPixel() == 8) {
      for (int y = 0; y < raster.Height(); ++y) {
        const std::uint8_t* row = raster.Row(y);
        for (int x = 0; x < raster.Width(); ++x)
          if (row[x] >= raster.Colors().size()) std::abort();
      }
    }
  } catch (const EJPEG&) {
  }
  return 0;
}
