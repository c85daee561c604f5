#include "pictures/jpeg/JPEGPreviewScale.h"

#include <algorithm>

TJPEGScale PreviewScale(int imageWidth, int imageHeight, int boxWidth, int boxHeight) {
  if (imageWidth <= 0 || imageHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) return TJPEGScale::jsFullSize;
  // The size the picture is shown at: shrunk to fit, never enlarged.
  const double fit = std::min({double(boxWidth) / imageWidth, double(boxHeight) / imageHeight, 1.0});
  const double shownWidth = imageWidth * fit;
  const double shownHeight = imageHeight * fit;
  for (int s = 3; s > 0; --s) {
    // libjpeg rounds scaled sizes up.
    const int w = (imageWidth + (1 << s) - 1) >> s;
    const int h = (imageHeight + (1 << s) - 1) >> s;
    if (w >= shownWidth - 0.5 && h >= shownHeight - 0.5) return static_cast<TJPEGScale>(s);
  }
  return TJPEGScale::jsFullSize;
}
