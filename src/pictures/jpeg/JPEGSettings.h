#pragma once
// Decode choices of the JPEG picture and the small types shared by the
// decoder, the encoder and the picture. Portable.
#include <cstdint>
#include <functional>

#include "gui/Graphic.h"

// Output size: 1 / (1 shl value) of the image.
enum class TJPEGScale { jsFullSize = 0, jsHalf = 1, jsQuarter = 2, jsEighth = 3 };
// jf8Bit quantises to 236 colours into an 8-bit bitmap.
enum class TJPEGPixelFormat { jf24Bit = 0, jf8Bit = 1 };
enum class TJPEGPerformance { jpBestQuality = 0, jpBestSpeed = 1 };

struct TJPEGDecodeSettings {
  TJPEGScale Scale = TJPEGScale::jsFullSize;
  TJPEGPixelFormat PixelFormat = TJPEGPixelFormat::jf24Bit;
  bool Grayscale = false;
  TJPEGPerformance Performance = TJPEGPerformance::jpBestQuality;
  bool ProgressiveDisplay = false;
  bool Smoothing = true;

  // The decode gives an 8-bit, palette-based result.
  bool EightBit() const { return PixelFormat == TJPEGPixelFormat::jf8Bit || Grayscale; }
};

struct TJPEGEncodeSettings {
  int Quality = 90;  // 1..100
  bool Progressive = false;
  bool Grayscale = false;
};

struct TJPEGColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  bool operator==(const TJPEGColor&) const = default;
};

// The number of colours an 8-bit decode asks the quantiser for: the 256 of a
// palette less the 20 that Windows reserves for itself.
constexpr int JPEGQuantizedColors = 236;

enum class TJPEGProgressStage { Starting = 0, Running = 1, Ending = 2 };

// stage, percent, the rows changed since the last report, repaint request.
using TJPEGProgressHandler = std::function<void(TJPEGProgressStage, int percent, const TRect& band, bool redrawNow)>;
