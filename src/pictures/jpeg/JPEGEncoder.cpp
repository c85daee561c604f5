#include "pictures/jpeg/JPEGEncoder.h"

#include <algorithm>
#include <string>

#include "pictures/jpeg/JPEGLib.h"
#include "pictures/jpeg/JPEGProgress.h"

namespace {

class TCompressor {
 public:
  TCompressor() {
    cinfo_.err = InstallJPEGErrorManager(error_);
    try {
      jpeg_CreateCompress(&cinfo_, JPEG_LIB_VERSION, sizeof(cinfo_));
    } catch (...) {
      jpeg_destroy_compress(&cinfo_);
      throw;
    }
  }
  ~TCompressor() { jpeg_destroy_compress(&cinfo_); }
  TCompressor(const TCompressor&) = delete;
  TCompressor& operator=(const TCompressor&) = delete;

  jpeg_compress_struct* operator->() { return &cinfo_; }
  j_compress_ptr Get() { return &cinfo_; }

 private:
  jpeg_error_mgr error_{};
  jpeg_compress_struct cinfo_{};
};

}  // namespace

bool EncodeJPEG(int width, int height, const std::function<const std::uint8_t*(int)>& row,
                const TJPEGEncodeSettings& settings, TStream& out, const TJPEGProgressHandler& progress,
                const std::function<std::uint32_t()>& progressClock) {
  if (width <= 0 || height <= 0) throw EJPEG("JPEG error #" + std::to_string(int(JERR_EMPTY_IMAGE)));
  try {
    TJPEGProgressMonitor monitor(progress, progressClock);
    TCompressor c;
    monitor.Attach(reinterpret_cast<j_common_ptr>(c.Get()));
    AttachJPEGStreamDestination(c.Get(), out);
    c->image_width = JDIMENSION(width);
    c->image_height = JDIMENSION(height);
    c->input_components = 3;
    c->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(c.Get());
    jpeg_set_quality(c.Get(), std::clamp(settings.Quality, 1, 100), TRUE);
    if (settings.Grayscale) jpeg_set_colorspace(c.Get(), JCS_GRAYSCALE);
    if (settings.Progressive) jpeg_simple_progression(c.Get());
    jpeg_start_compress(c.Get(), TRUE);
    while (c->next_scanline < c->image_height) {
      // libjpeg does not write through its row pointers.
      JSAMPROW line = const_cast<JSAMPROW>(row(int(c->next_scanline)));
      jpeg_write_scanlines(c.Get(), &line, 1);
    }
    jpeg_finish_compress(c.Get());
  } catch (const EAbort&) {
    return false;
  }
  return true;
}
