#include "list/ThumbnailCache.h"

TFileStamp FileStamp(const std::wstring& fileName) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(fileName.c_str(), GetFileExInfoStandard, &data)) return {};
  return TFileStamp{(ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime,
                    (ULONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

TThumbnailRef TThumbnailCache::Find(const std::wstring& fileName) {
  const auto found = index_.find(fileName);
  if (found == index_.end()) return nullptr;
  order_.splice(order_.begin(), order_, found->second);
  return found->second->second;
}

void TThumbnailCache::Add(const std::wstring& fileName, TThumbnailRef thumbnail) {
  if (capacity_ == 0) return;
  if (const auto found = index_.find(fileName); found != index_.end()) {
    found->second->second = std::move(thumbnail);
    order_.splice(order_.begin(), order_, found->second);
    return;
  }
  order_.emplace_front(fileName, std::move(thumbnail));
  index_[fileName] = order_.begin();
  if (order_.size() > capacity_) {
    index_.erase(order_.back().first);
    order_.pop_back();
  }
}

void TThumbnailCache::Clear() {
  index_.clear();
  order_.clear();
}
