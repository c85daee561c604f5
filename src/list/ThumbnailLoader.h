#pragma once
// Makes a wallpaper's thumbnail: the picture loaded through the picture
// system and drawn once, fitted into a box (never enlarged), into a small
// bitmap. Runs on the decode worker.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "list/ThumbnailCache.h"

class TPicture;

// Prepares a loaded picture for a box before it is drawn (a photo picks a
// reduced decode scale); may be empty.
using TThumbnailPrepare = std::function<void(TPicture& picture, int boxWidth, int boxHeight)>;

// The size of a width x height picture fitted into the box, keeping its
// aspect ratio, never larger than it is, at least 1 x 1.
SIZE FitIntoBox(int width, int height, int boxWidth, int boxHeight);

// A picture holding the thumbnail as a bitmap; fullSize gets the picture's
// own size. Raises the picture's error for a file it cannot read.
std::unique_ptr<TPicture> LoadThumbnail(const std::wstring& fileName, int boxWidth, int boxHeight, SIZE& fullSize,
                                        const TThumbnailPrepare& prepare);

// Takes the bitmap of a picture that LoadThumbnail made into a thumbnail
// the cache can keep; null when the picture holds none.
TThumbnailRef MakeThumbnail(TPicture& picture, SIZE fullSize, TFileStamp stamp, SIZE box);
