#pragma once
// Compression of 24-bit blue-green-red rows into a JPEG file with libjpeg.
// The program itself never saves JPEG files; a JPEG picture assigned from a
// bitmap compresses when its bytes are asked for.
#include <cstdint>
#include <functional>

#include "gui/Stream.h"
#include "pictures/jpeg/JPEGSettings.h"

// row(y) gives the y-th row (0 = top) of width pixels, blue, green, red.
// Returns false when a progress handler stopped it with EAbort (out then
// holds a partial file the caller discards). libjpeg errors raise EJPEG.
bool EncodeJPEG(int width, int height, const std::function<const std::uint8_t*(int)>& row,
                const TJPEGEncodeSettings& settings, TStream& out, const TJPEGProgressHandler& progress = {},
                const std::function<std::uint32_t()>& progressClock = {});
