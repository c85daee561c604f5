#pragma once
// A GIF colour map: up to 256 entries of red, green and blue in file order.
#include <cstdint>
#include <string>
#include <vector>

#include "gui/Color.h"
#include "gui/Stream.h"

class TGIFHeader;
class TGIFSubImage;

struct TGIFColor {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

class TGIFColorMap {
 public:
  static constexpr int MaxCount = 256;

  virtual ~TGIFColorMap() = default;

  int Count() const { return int(entries_.size()); }
  int Capacity() const { return MaxCount; }
  // The entries as read, without checks.
  const TGIFColor* Data() const { return entries_.data(); }
  const TGIFColor& Entry(int index) const { return entries_[std::size_t(index)]; }

  // The platform colour of an entry. An index outside the map is reported as
  // a warning and entry 0 is used; an empty map raises GIFException.
  TColor Colors(int index) const;

  void Clear() { entries_.clear(); }
  // Reads count entries (3 bytes each) from the stream.
  void LoadFromStream(TStream& stream, int count);
  // Appends an entry; false when the map is full.
  bool Add(const TGIFColor& color);

 protected:
  virtual void Warning(const std::string& message) const = 0;

 private:
  std::vector<TGIFColor> entries_;
};

class TGIFGlobalColorMap : public TGIFColorMap {
 public:
  explicit TGIFGlobalColorMap(TGIFHeader& header) : header_(&header) {}
  TGIFHeader& Header() const { return *header_; }

 protected:
  void Warning(const std::string& message) const override;

 private:
  TGIFHeader* header_;
};

class TGIFLocalColorMap : public TGIFColorMap {
 public:
  explicit TGIFLocalColorMap(TGIFSubImage& frame) : frame_(&frame) {}
  TGIFSubImage& Frame() const { return *frame_; }

 protected:
  void Warning(const std::string& message) const override;

 private:
  TGIFSubImage* frame_;
};
