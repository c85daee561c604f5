#pragma once
// The parts a GIF picture is made of: every item knows its picture (to
// report warnings to it), and lists own their items.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "gui/Stream.h"

class TGIFImage;

// What a vector allocates when one more element is added: nothing while it
// has room, else its new array (it grows by doubling; the old array goes
// only after the copy, which the doubling more than covers when every
// growth is counted).
template <class V>
std::size_t VectorGrowthBytes(const V& vector) {
  if (vector.size() < vector.capacity()) return 0;
  return std::max<std::size_t>(1, 2 * vector.size()) * sizeof(typename V::value_type);
}

class TGIFItem {
 public:
  explicit TGIFItem(TGIFImage& image) : image_(&image) {}
  virtual ~TGIFItem() = default;
  TGIFItem(const TGIFItem&) = delete;
  TGIFItem& operator=(const TGIFItem&) = delete;

  // The oldest format version ("87a" or "89a") that can hold this item.
  virtual std::string GetVersion() const { return "87a"; }
  // Reports a recoverable problem to the picture's warning hook.
  virtual void Warning(int severity, const std::string& message);
  virtual void LoadFromStream(TStream& stream) = 0;

  TGIFImage& Image() const { return *image_; }

 private:
  TGIFImage* image_;
};

// An ordered list that owns its items.
template <class T>
class TGIFList {
 public:
  explicit TGIFList(TGIFImage& image) : image_(&image) {}
  TGIFList(const TGIFList&) = delete;
  TGIFList& operator=(const TGIFList&) = delete;
  ~TGIFList() { Clear(); }

  T& Add(std::unique_ptr<T> item) {
    items_.push_back(std::move(item));
    return *items_.back();
  }
  // Frees every item. Items that detach themselves on destruction find the
  // list already empty.
  void Clear() {
    auto old = std::move(items_);
    items_.clear();
    old.clear();
  }
  void Delete(int index) {
    auto item = std::move(items_.at(std::size_t(index)));
    items_.erase(items_.begin() + index);
  }
  // Takes the item out of the list without freeing it; null when not listed.
  std::unique_ptr<T> Remove(const T* item) {
    auto it = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
    if (it == items_.end()) return nullptr;
    auto owned = std::move(*it);
    items_.erase(it);
    return owned;
  }
  int Count() const { return int(items_.size()); }
  // What the next Add allocates for the list itself.
  std::size_t GrowthBytes() const { return VectorGrowthBytes(items_); }
  T& operator[](int index) const { return *items_[std::size_t(index)]; }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  void Warning(int severity, const std::string& message);
  TGIFImage& Image() const { return *image_; }

 private:
  TGIFImage* image_;
  std::vector<std::unique_ptr<T>> items_;
};
