#include "pictures/jpeg/JPEGDecoder.h"

#include <algorithm>

#include "pictures/jpeg/JPEGLib.h"
#include "pictures/jpeg/JPEGProgress.h"

namespace {

constexpr long MaxLibraryMemory = 768L << 20;
// Progressive display shows at most this many scans as they arrive (each one
// is a whole output pass); the rest of a file with more is read on, and the
// final pass shows the result. Real files have about ten.
constexpr int MaxShownScans = 16;

// One libjpeg decompressor with its error manager, memory source and
// progress hook. Destroyed on every way out, so a libjpeg error never leaks
// the object or its memory pools.
class TDecompressor {
 public:
  TDecompressor(const std::uint8_t* data, std::size_t size, TJPEGProgressMonitor* monitor) : stream_(data, size) {
    cinfo_.err = InstallJPEGErrorManager(error_);
    try {
      jpeg_CreateDecompress(&cinfo_, JPEG_LIB_VERSION, sizeof(cinfo_));
      // A progressive file keeps all its coefficients in memory, and a
      // forged header can ask for gigabytes of them: such files fail with
      // EJPEG instead of exhausting a 32-bit process.
      cinfo_.mem->max_memory_to_use = MaxLibraryMemory;
      if (monitor) monitor->Attach(reinterpret_cast<j_common_ptr>(&cinfo_));
      AttachJPEGMemorySource(&cinfo_, stream_);
    } catch (...) {
      jpeg_destroy_decompress(&cinfo_);
      throw;
    }
  }
  ~TDecompressor() { jpeg_destroy_decompress(&cinfo_); }
  TDecompressor(const TDecompressor&) = delete;
  TDecompressor& operator=(const TDecompressor&) = delete;

  jpeg_decompress_struct* operator->() { return &cinfo_; }
  j_decompress_ptr Get() { return &cinfo_; }

 private:
  TBufferStream stream_;
  jpeg_error_mgr error_{};
  jpeg_decompress_struct cinfo_{};
};

// What the last output pass must use, remembered before buffered-image mode
// switches the intermediate passes to the fast settings.
struct TFinalPass {
  J_DCT_METHOD DctMethod = JDCT_ISLOW;
  bool TwoPass = false;
  J_DITHER_MODE Dither = JDITHER_FS;
};

TFinalPass Setup(TDecompressor& d, const TJPEGDecodeSettings& s) {
  jpeg_read_header(d.Get(), TRUE);
  d->scale_num = 1;
  d->scale_denom = 1u << static_cast<int>(s.Scale);
  d->do_block_smoothing = s.Smoothing ? TRUE : FALSE;
  // The bitmap stores blue, green, red: libjpeg writes that order directly.
  // A grayscale file decoded to 24 bits gets its gray value in all three.
  d->out_color_space = s.Grayscale ? JCS_GRAYSCALE : JCS_EXT_BGR;
  // libjpeg turns no ink into colours: CMYK (and YCCK, which it converts to
  // CMYK) is read as it is and converted row by row (InkToBGR).
  if (!s.EightBit() && (d->jpeg_color_space == JCS_CMYK || d->jpeg_color_space == JCS_YCCK))
    d->out_color_space = JCS_CMYK;
  if (s.EightBit()) {
    d->quantize_colors = TRUE;
    d->desired_number_of_colors = JPEGQuantizedColors;
  }
  if (s.Performance == TJPEGPerformance::jpBestSpeed) {
    d->dct_method = JDCT_IFAST;
    d->two_pass_quantize = FALSE;
    d->dither_mode = JDITHER_ORDERED;
  }
  TFinalPass final{d->dct_method, d->two_pass_quantize != FALSE, d->dither_mode};
  if (s.ProgressiveDisplay && jpeg_has_multiple_scans(d.Get())) {
    d->buffered_image = TRUE;
    d->enable_2pass_quant = d->two_pass_quantize;
    d->dct_method = JDCT_IFAST;
    d->two_pass_quantize = FALSE;
    d->dither_mode = JDITHER_ORDERED;
  }
  return final;
}

// The quantiser maps onto exactly these colours (rows follow the output
// order: blue, green, red).
void InstallColormap(TDecompressor& d, const std::vector<TJPEGColor>& palette) {
  const int count = static_cast<int>(std::min<std::size_t>(palette.size(), 256));
  if (count == 0) return;
  JSAMPARRAY map = (*d->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(d.Get()), JPOOL_IMAGE, JDIMENSION(count), 3);
  for (int i = 0; i < count; ++i) {
    map[0][i] = palette[std::size_t(i)].Blue;
    map[1][i] = palette[std::size_t(i)].Green;
    map[2][i] = palette[std::size_t(i)].Red;
  }
  d->colormap = map;
  d->actual_number_of_colors = count;
}

std::vector<TJPEGColor> DecoderColors(TDecompressor& d) {
  std::vector<TJPEGColor> colors(std::size_t(std::max(d->actual_number_of_colors, 0)));
  for (std::size_t i = 0; i < colors.size(); ++i) {
    if (d->out_color_components == 1) {
      const std::uint8_t v = d->colormap[0][i];
      colors[i] = TJPEGColor{v, v, v};
    } else {
      colors[i] = TJPEGColor{d->colormap[2][i], d->colormap[1][i], d->colormap[0][i]};
    }
  }
  return colors;
}

// Turns a row of ink (cyan, magenta, yellow, black) into blue, green, red.
// Files with Adobe's APP14 marker store the ink inverted (0 = full ink), as
// Adobe applications write it; others store the amount of ink.
void InkToBGR(const JSAMPLE* ink, std::uint8_t* out, JDIMENSION width, bool inverted) {
  const int flip = inverted ? 0 : 255;
  for (JDIMENSION x = 0; x < width; ++x, ink += 4, out += 3) {
    const int k = flip ^ ink[3];
    out[0] = std::uint8_t(((flip ^ ink[2]) * k + 127) / 255);
    out[1] = std::uint8_t(((flip ^ ink[1]) * k + 127) / 255);
    out[2] = std::uint8_t(((flip ^ ink[0]) * k + 127) / 255);
  }
}

// Reads the rest of the current output pass into the target. Each row's
// address is asked for once, and libjpeg gets room for all the rows left:
// it fills as many per call as one row group gives. written keeps the
// number of rows from the top that some pass has completed.
void ReadRows(TDecompressor& d, IJPEGDecodeTarget& target, int& written) {
  const auto note = [&] { written = std::max(written, int(d->output_scanline)); };
  const JDIMENSION first = d->output_scanline, height = d->output_height;
  if (first >= height) return;
  if (d->out_color_space == JCS_CMYK) {
    std::vector<JSAMPLE> ink(std::size_t(d->output_width) * 4);
    JSAMPROW row = ink.data();
    while (d->output_scanline < height) {
      const JDIMENSION y = d->output_scanline;
      if (jpeg_read_scanlines(d.Get(), &row, 1) == 0) break;
      InkToBGR(ink.data(), target.Row(int(y)), d->output_width, d->saw_Adobe_marker != FALSE);
      note();
    }
    return;
  }
  std::vector<JSAMPROW> rows(height - first);
  for (JDIMENSION y = first; y < height; ++y) rows[y - first] = target.Row(int(y));
  while (d->output_scanline < height) {
    if (jpeg_read_scanlines(d.Get(), &rows[d->output_scanline - first], height - d->output_scanline) == 0) break;
    note();
  }
}

// Refuses, before libjpeg allocates anything large, a file whose decode
// would need more memory than a picture may have. The coefficient buffers
// of a multi-scan file are counted as libjpeg counts them, but in 64 bits:
// libjpeg's own sum overflows a 32-bit long on a forged header and fails
// with "out of memory" instead, after allocating what it could.
void CheckMemory(TDecompressor& d, bool eightBit) {
  if (d->buffered_image || jpeg_has_multiple_scans(d.Get())) {
    std::uint64_t coefficients = 0;
    for (int c = 0; c < d->num_components; ++c) {
      const jpeg_component_info& comp = d->comp_info[c];
      const auto roundUp = [](std::uint64_t value, std::uint64_t step) { return (value + step - 1) / step * step; };
      coefficients += roundUp(comp.width_in_blocks, std::uint64_t(comp.h_samp_factor)) *
                      roundUp(comp.height_in_blocks, std::uint64_t(comp.v_samp_factor)) * sizeof(JBLOCK);
    }
    if (coefficients > std::uint64_t(MaxLibraryMemory)) ERREXIT(d.Get(), JERR_NO_BACKING_STORE);
  }
  jpeg_calc_output_dimensions(d.Get());
  const std::uint64_t rowBytes = (std::uint64_t(d->output_width) * (eightBit ? 1 : 3) + 3) / 4 * 4;
  if (rowBytes * d->output_height > PictureMemoryLimit) throw EJPEG(ImageTooLarge);
}

}  // namespace

TJPEGDecoder::TJPEGDecoder(const std::uint8_t* data, std::size_t size, const TJPEGDecodeSettings& settings)
    : data_(data), size_(size), settings_(settings) {}

TJPEGHeader TJPEGDecoder::ReadHeader(const std::uint8_t* data, std::size_t size) {
  TDecompressor d(data, size, nullptr);
  jpeg_read_header(d.Get(), TRUE);
  TJPEGHeader header;
  header.Width = int(d->image_width);
  header.Height = int(d->image_height);
  header.Grayscale = d->jpeg_color_space == JCS_GRAYSCALE;
  header.Progressive = jpeg_has_multiple_scans(d.Get()) != FALSE;
  return header;
}

TJPEGSize TJPEGDecoder::OutputSize() {
  TDecompressor d(data_, size_, nullptr);
  Setup(d, settings_);
  jpeg_calc_output_dimensions(d.Get());
  return TJPEGSize{int(d->output_width), int(d->output_height)};
}

bool TJPEGDecoder::Decode(IJPEGDecodeTarget& target) {
  auto report = [this](TJPEGProgressStage stage, int percent, bool redraw) {
    if (OnProgress) OnProgress(stage, percent, TRect{}, redraw);
  };
  report(TJPEGProgressStage::Starting, 0, false);
  bool completed = true;
  int written = 0;
  try {
    TJPEGProgressMonitor monitor(OnProgress, ProgressClock);
    TDecompressor d(data_, size_, &monitor);
    const TFinalPass final = Setup(d, settings_);
    const bool eightBit = settings_.EightBit();

    // A caller palette only means something to a three-channel quantiser;
    // a grayscale decode always builds its own gray ramp.
    bool callerInstalled = false;
    if (eightBit && !CallerPalette.empty() && d->out_color_space != JCS_GRAYSCALE) {
      InstallColormap(d, CallerPalette);
      target.SetColors(
          std::vector<TJPEGColor>(CallerPalette.begin(), CallerPalette.begin() + d->actual_number_of_colors));
      callerInstalled = true;
    }

    CheckMemory(d, eightBit);
    jpeg_start_decompress(d.Get());
    target.Allocate(int(d->output_width), int(d->output_height), eightBit ? 8 : 24);

    const bool buffered = d->buffered_image != FALSE;
    bool colorsGiven = false;
    if (buffered) {
      int shown = 0;
      while (jpeg_consume_input(d.Get()) != JPEG_REACHED_EOI) {
        // jpeg_consume_input calls no progress hook, which keeps the limit
        // and looks at the cancel flag.
        CheckJPEGScans(d.Get());
        monitor.CheckCancel();
        if (shown == MaxShownScans) continue;
        jpeg_start_output(d.Get(), d->input_scan_number);
        if (shown == 0 && d->colormap && eightBit && !callerInstalled) {
          target.SetColors(DecoderColors(d));
          PaletteModified = true;
          colorsGiven = true;
        }
        ReadRows(d, target, written);
        jpeg_finish_output(d.Get());
        ++shown;
      }
      d->dct_method = final.DctMethod;
      d->dither_mode = final.Dither;
      // A fresh two-pass map for the final pass; a caller's map stays, since
      // the target already shows its colours.
      if (final.TwoPass && !callerInstalled) {
        d->two_pass_quantize = TRUE;
        d->colormap = nullptr;
      }
      jpeg_start_output(d.Get(), d->input_scan_number);
    }
    // Buffered mode keeps the first pass's colours unless the final pass
    // chose new ones (or no intermediate pass ran at all).
    if ((!buffered || final.TwoPass || !colorsGiven) && d->colormap && !callerInstalled) {
      target.SetColors(DecoderColors(d));
      PaletteModified = true;
    }
    ReadRows(d, target, written);
    if (buffered) jpeg_finish_output(d.Get());
    jpeg_finish_decompress(d.Get());
  } catch (const EAbort&) {
    completed = false;
    target.Stopped(written);
  } catch (...) {
    target.Stopped(written);
    report(TJPEGProgressStage::Ending, 0, PaletteModified);
    throw;
  }
  report(TJPEGProgressStage::Ending, completed ? 100 : 0, PaletteModified);
  return completed;
}
