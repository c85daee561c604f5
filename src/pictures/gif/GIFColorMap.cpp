#include "pictures/gif/GIFColorMap.h"

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFHeader.h"
#include "pictures/gif/GIFStreamIO.h"
#include "pictures/gif/GIFSubImage.h"

TColor TGIFColorMap::Colors(int index) const {
  if (entries_.empty()) throw GIFException(GIFMessage::EmptyColorTable);
  if (index < 0 || index >= Count()) {
    Warning(GIFMessage::InvalidColorIndex);
    index = 0;
  }
  const TGIFColor& c = entries_[std::size_t(index)];
  return RGBColor(c.Red, c.Green, c.Blue);
}

void TGIFColorMap::LoadFromStream(TStream& stream, int count) {
  if (count < 0 || count > MaxCount) count = count < 0 ? 0 : MaxCount;
  std::uint8_t raw[MaxCount * 3];
  gifio::ReadExact(stream, raw, std::size_t(count) * 3);
  entries_.resize(std::size_t(count));
  for (int i = 0; i < count; ++i) entries_[std::size_t(i)] = {raw[3 * i], raw[3 * i + 1], raw[3 * i + 2]};
}

bool TGIFColorMap::Add(const TGIFColor& color) {
  if (Count() >= MaxCount) return false;
  entries_.push_back(color);
  return true;
}

void TGIFGlobalColorMap::Warning(const std::string& message) const { header_->Warning(GIFWarningSeverity, message); }

void TGIFLocalColorMap::Warning(const std::string& message) const { frame_->Warning(GIFWarningSeverity, message); }
