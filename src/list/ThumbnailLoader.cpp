#include "list/ThumbnailLoader.h"

#include <algorithm>

#include "gui/Bitmap.h"
#include "gui/Picture.h"

SIZE FitIntoBox(int width, int height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0) return SIZE{1, 1};
  long long w = width, h = height;
  if (w > boxWidth || h > boxHeight) {
    if (w * boxHeight > h * boxWidth) {
      h = h * boxWidth / w;
      w = boxWidth;
    } else {
      w = w * boxHeight / h;
      h = boxHeight;
    }
  }
  return SIZE{LONG(std::max(1LL, w)), LONG(std::max(1LL, h))};
}

std::unique_ptr<TPicture> LoadThumbnail(const std::wstring& fileName, int boxWidth, int boxHeight, SIZE& fullSize,
                                        const TThumbnailPrepare& prepare) {
  TPicture picture;
  picture.LoadFromFile(fileName);
  fullSize = SIZE{picture.Width(), picture.Height()};
  if (prepare) prepare(picture, boxWidth, boxHeight);
  const SIZE size = FitIntoBox(fullSize.cx, fullSize.cy, boxWidth, boxHeight);
  auto bitmap = std::make_unique<TBitmap>(int(size.cx), int(size.cy), TPixelFormat::pf24bit);
  TCanvas& canvas = bitmap->Canvas();
  // A transparent picture shows the tip's own colour through.
  RECT all{0, 0, size.cx, size.cy};
  FillRect(canvas.Handle(), &all, GetSysColorBrush(COLOR_INFOBK));
  if (!picture.Empty()) canvas.StretchDraw(TRect{0, 0, int(size.cx), int(size.cy)}, *picture.Graphic());
  // Drawing is batched per thread: done here, before another thread reads the
  // pixels. The full picture goes here too; only the small bitmap moves on.
  GdiFlush();
  picture.SetGraphic(nullptr);
  auto thumbnail = std::make_unique<TPicture>();
  thumbnail->SetGraphic(std::move(bitmap));
  return thumbnail;
}

TThumbnailRef MakeThumbnail(TPicture& picture, SIZE fullSize, TFileStamp stamp, SIZE box) {
  auto* bitmap = picture.GraphicAs<TBitmap>();
  if (!bitmap || bitmap->GetEmpty()) return nullptr;
  auto thumbnail = std::make_shared<TThumbnail>();
  thumbnail->Bitmap = bitmap->CopyHandle();
  if (!thumbnail->Bitmap) return nullptr;
  thumbnail->Size = SIZE{bitmap->GetWidth(), bitmap->GetHeight()};
  thumbnail->FullSize = fullSize;
  thumbnail->Stamp = stamp;
  thumbnail->Box = box;
  return thumbnail;
}
