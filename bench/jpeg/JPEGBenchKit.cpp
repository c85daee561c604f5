#include "JPEGBenchKit.h"

#include <algorithm>
#include <chrono>

#include "gui/Stream.h"
#include "pictures/jpeg/JPEGEncoder.h"
#include "pictures/jpeg/JPEGLib.h"

std::vector<std::uint8_t> MakePhoto(int width, int height) {
  std::vector<std::uint8_t> row(std::size_t(width) * 3);
  std::uint32_t seed = 12345;
  TMemoryStream out;
  EncodeJPEG(
      width, height,
      [&](int y) {
        for (int x = 0; x < width; ++x) {
          seed = seed * 1664525u + 1013904223u;
          const int noise = int(seed >> 28) - 8;
          row[std::size_t(x) * 3] = std::uint8_t(std::clamp(x * 255 / width + noise, 0, 255));
          row[std::size_t(x) * 3 + 1] = std::uint8_t(std::clamp(y * 255 / height + noise, 0, 255));
          row[std::size_t(x) * 3 + 2] = std::uint8_t(std::clamp(((x ^ y) & 255) / 2 + 64 + noise, 0, 255));
        }
        return row.data();
      },
      {90, false, false}, out);
  return out.Bytes();
}

TBareDecode BareDecode(const std::vector<std::uint8_t>& file, unsigned denom) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr err{};
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.scale_num = 1;
  cinfo.scale_denom = denom;
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  TBareDecode out;
  out.Width = int(cinfo.output_width);
  out.Height = int(cinfo.output_height);
  const std::size_t stride = (std::size_t(out.Width) * 3 + 3) & ~std::size_t(3);
  out.Pixels.reset(new std::uint8_t[stride * std::size_t(out.Height)]);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.Pixels.get() + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return out;
}

double BestMilliseconds(int repeats, const std::function<void()>& run) {
  return BestMillisecondsOfBoth(repeats, run, [] {}).first;
}

std::pair<double, double> BestMillisecondsOfBoth(int repeats, const std::function<void()>& first,
                                                 const std::function<void()>& second) {
  auto time = [](const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  std::pair<double, double> best{1e30, 1e30};
  for (int i = 0; i < repeats; ++i) {
    best.first = std::min(best.first, time(first));
    best.second = std::min(best.second, time(second));
  }
  return best;
}
