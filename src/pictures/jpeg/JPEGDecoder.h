#pragma once
// Decoding of JPEG data with libjpeg into a row-addressed target. Portable:
// the Windows bitmap is one target, a plain memory raster another.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "pictures/jpeg/JPEGSettings.h"

// Where decoded rows go. 24-bit rows hold blue, green, red per pixel; 8-bit
// rows hold colour indices.
class IJPEGDecodeTarget {
 public:
  virtual ~IJPEGDecodeTarget() = default;
  // Makes the target width x height pixels of bitsPerPixel (8 or 24).
  virtual void Allocate(int width, int height, int bitsPerPixel) = 0;
  // The first byte of row y (0 = top).
  virtual std::uint8_t* Row(int y) = 0;
  // The colours the indices of an 8-bit target refer to.
  virtual void SetColors(const std::vector<TJPEGColor>& colors) = 0;
  // The decode stopped (an abort or an error) with the rows from y down
  // never written. A target whose memory does not come zeroed clears them,
  // so they show black.
  virtual void Stopped(int y) { (void)y; }
};

struct TJPEGHeader {
  int Width = 0;
  int Height = 0;
  bool Grayscale = false;
  bool Progressive = false;  // more than one scan
};

struct TJPEGSize {
  int Width = 0;
  int Height = 0;
};

class TJPEGDecoder {
 public:
  // The data must outlive the decoder.
  TJPEGDecoder(const std::uint8_t* data, std::size_t size, const TJPEGDecodeSettings& settings);

  // Parses the header only; a malformed header raises EJPEG.
  static TJPEGHeader ReadHeader(const std::uint8_t* data, std::size_t size);

  // The output size libjpeg gives for the settings, without decoding pixels.
  TJPEGSize OutputSize();

  // Decodes into target. Returns false when a progress handler stopped the
  // decode with EAbort; the rows decoded so far stay in the target. libjpeg
  // errors raise EJPEG (the target keeps what was decoded).
  bool Decode(IJPEGDecodeTarget& target);

  // Colours an 8-bit decode maps onto instead of choosing its own (at most
  // 256 are used). Ignored for grayscale output.
  std::vector<TJPEGColor> CallerPalette;
  TJPEGProgressHandler OnProgress;
  // Milliseconds for the progress throttle; a monotonic clock when empty.
  std::function<std::uint32_t()> ProgressClock;
  // Set when Decode gave the target colours chosen by the decoder; also the
  // repaint request of the final progress report.
  bool PaletteModified = false;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  TJPEGDecodeSettings settings_;
};
