#pragma once
// The thumbnails shown lately, kept so that hovering a row again shows its
// picture at once. It holds the last Capacity files; adding one more drops
// the one shown longest ago. A thumbnail stays alive while a tip shows it,
// even after the cache let it go.
#include <windows.h>

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

#include "gui/GdiHandles.h"

// When a file was written last and its length: a file that was edited
// since its thumbnail was made is decoded again.
struct TFileStamp {
  ULONGLONG Written = 0;
  ULONGLONG Bytes = 0;
  bool operator==(const TFileStamp&) const = default;
};
// The stamp of a file; all zero when it is not there.
TFileStamp FileStamp(const std::wstring& fileName);

struct TThumbnail {
  TBitmapOwner Bitmap;  // the picture fitted into the thumbnail box
  SIZE Size{};           // of Bitmap
  SIZE FullSize{};       // of the picture itself
  TFileStamp Stamp;      // of the file it was made from
  SIZE Box{};            // it was fitted into
};

using TThumbnailRef = std::shared_ptr<const TThumbnail>;

class TThumbnailCache {
 public:
  static constexpr std::size_t kCapacity = 64;

  explicit TThumbnailCache(std::size_t capacity = kCapacity) : capacity_(capacity) {}

  // The file's thumbnail, now the most recent one; null when not held.
  TThumbnailRef Find(const std::wstring& fileName);
  // Keeps a thumbnail (replacing one of the same file) as the most recent.
  void Add(const std::wstring& fileName, TThumbnailRef thumbnail);
  void Clear();
  std::size_t Count() const { return order_.size(); }

 private:
  using TEntry = std::pair<std::wstring, TThumbnailRef>;
  std::size_t capacity_;
  // Most recent first.
  std::list<TEntry> order_;
  std::unordered_map<std::wstring, std::list<TEntry>::iterator> index_;
};
