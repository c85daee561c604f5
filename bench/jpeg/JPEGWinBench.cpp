// The JPEG picture under Windows (run under Wine by scripts/bench), on a
// photo-like file of 12 megapixels, best of N runs each:
//  - full decode: TJPEGImage loading from a memory stream and decoding into
//    a new bitmap, against a bare libjpeg decode of the same bytes into a
//    newly allocated buffer of the same size;
//  - the Add dialog's preview: loading the file, decoding at the scale the
//    preview chooses and drawing into a 200 x 200 pane, against a full-size
//    decode stretched into the same pane.
//
// Usage: jpeg_win_bench [width height [repeats]]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "JPEGBenchKit.h"
#include "gui/Bitmap.h"
#include "pictures/jpeg/JPEGPreview.h"

namespace {

constexpr int Pane = 200;

// Draws the picture into the pane as the dialog does (OpenPictureDialog's
// DrawPreview): inside a 4-pixel edge, shrunk to fit, centred.
void DrawIntoPane(TJPEGImage& image, TBitmap& pane) {
  const int box = Pane - 8;
  const long long w = image.GetWidth(), h = image.GetHeight();
  int drawW = int(w), drawH = int(h);
  if (w > box || h > box) {
    drawW = int(w >= h ? box : w * box / h);
    drawH = int(w >= h ? h * box / w : box);
  }
  const int x = 4 + (box - drawW) / 2, y = 4 + (box - drawH) / 2;
  pane.Canvas().StretchDraw(TRect{x, y, x + drawW, y + drawH}, image);
}

}  // namespace

int main(int argc, char** argv) {
  const int width = argc > 2 ? std::atoi(argv[1]) : 4000;
  const int height = argc > 2 ? std::atoi(argv[2]) : 3000;
  const int repeats = argc > 3 ? std::atoi(argv[3]) : 5;
  const auto file = MakePhoto(width, height);
  std::printf("photo %d x %d (%.1f megapixels), %zu bytes, best of %d\n", width, height, width * double(height) / 1e6,
              file.size(), repeats);

  TMemoryStream stream(file);
  const auto [ours, bare] = BestMillisecondsOfBoth(
      repeats,
      [&] {
        TJPEGImage image;
        stream.SetPosition(0);
        image.LoadFromStream(stream);
        image.DIBNeeded();
      },
      [&] { BareDecode(file); });
  std::printf("full decode: TJPEGImage %.1f ms, bare libjpeg %.1f ms, bare/ours %.3f\n", ours, bare, bare / ours);

  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"jpeg_win_bench.jpg";
  {
    TFileStream out(path, TFileMode::Create);
    out.WriteBuffer(file.data(), file.size());
  }
  TBitmap pane(Pane, Pane);
  int previewWidth = 0, previewHeight = 0;
  const auto [preview, full] = BestMillisecondsOfBoth(
      repeats,
      [&] {
        auto image = LoadJPEGPreview(path, Pane, Pane);
        DrawIntoPane(*image, pane);
        previewWidth = image->GetWidth();
        previewHeight = image->GetHeight();
      },
      [&] {
        TJPEGImage image;
        TFileStream in(path, TFileMode::OpenRead);
        image.LoadFromStream(in);
        DrawIntoPane(image, pane);
      });
  DeleteFileW(path.c_str());
  std::printf("preview %d x %d: decoded %d x %d, %.1f ms; full-size decode and stretch %.1f ms; %.2f times faster\n",
              Pane, Pane, previewWidth, previewHeight, preview, full, full / preview);
  return 0;
}
