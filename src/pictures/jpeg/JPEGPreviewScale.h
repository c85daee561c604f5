#pragma once
// The decode scale for a preview: the coarsest of 1/1, 1/2, 1/4 and 1/8 that
// still gives at least as many pixels as the picture occupies when it is
// shrunk to fit a box. A 24-megapixel photo in a 200 x 150 box decodes at
// 1/8, which is many times faster than decoding it whole.
#include "pictures/jpeg/JPEGSettings.h"

TJPEGScale PreviewScale(int imageWidth, int imageHeight, int boxWidth, int boxHeight);
