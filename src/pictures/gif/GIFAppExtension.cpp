#include "pictures/gif/GIFAppExtension.h"

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFImage.h"
#include "pictures/gif/GIFStreamIO.h"

namespace {

// The generic application kind looks at the identifier block to choose the
// kind that reads the data.
class TApplicationClass : public TGIFExtensionClassOf<TGIFApplicationExtension> {
 public:
  const TGIFExtensionClass* FindSubExtension(TStream& stream) const override {
    const std::int64_t start = stream.Position();
    const TGIFExtensionClass* found = Choose(stream);
    stream.SetPosition(start);
    return found;
  }

 private:
  const TGIFExtensionClass* Choose(TStream& stream) const {
    std::uint8_t size = 0;
    if (!gifio::ReadByte(stream, size)) return nullptr;
    TGIFAppIdentifier id{};
    if (size == 10) return stream.Read(id.data(), 10) == 10 ? &TGIFUnknownAppExtension::Class() : nullptr;
    if (size == 11) {
      if (stream.Read(id.data(), 11) != 11) return this;
      const TGIFExtensionClass* known = TAppExtensionList::Instance().Find(id);
      return known ? known : &TGIFUnknownAppExtension::Class();
    }
    // A longer identifier block has nothing to say about the data that
    // follows: keep the data as raw blocks.
    if (size > 11) return &TGIFUnknownAppExtension::Class();
    return this;
  }
};

}  // namespace

const TGIFExtensionClass& TGIFApplicationExtension::Class() {
  static const TApplicationClass instance;
  return instance;
}

void TGIFApplicationExtension::LoadData(TStream& stream) {
  const std::uint8_t size = gifio::ReadExactByte(stream);
  if (size < 10) throw GIFException(GIFMessage::AppBlockSize);
  gifio::ReadExact(stream, identifier_.data(), identifier_.size());
  if (size == 10)
    gifio::StepBack(stream);  // the eleventh byte belongs to the data
  else if (size > 11)
    gifio::SkipForward(stream, size - 11);
  LoadAppData(stream);
}

const TGIFExtensionClass& TGIFAppExtNSLoop::Class() {
  static const TGIFExtensionClassOf<TGIFAppExtNSLoop> instance;
  return instance;
}

void TGIFAppExtNSLoop::LoadAppData(TStream& stream) {
  std::uint8_t size = 0;
  while (gifio::ReadByte(stream, size) && size != 0) {
    Image().CheckCancel();
    const std::uint8_t kind = gifio::ReadExactByte(stream);
    int left = size - 1;
    std::uint8_t raw[4];
    if ((kind & 7) == 1) {
      if (left < 2) throw GIFException(GIFMessage::InvalidData);
      gifio::ReadExact(stream, raw, 2);
      loops_ = gifio::Word(raw);
      left -= 2;
    } else if ((kind & 7) == 2) {
      if (left < 4) throw GIFException(GIFMessage::InvalidData);
      gifio::ReadExact(stream, raw, 4);
      bufferSize_ = gifio::DWord(raw);
      left -= 4;
    }
    if (left > 0) gifio::SkipForward(stream, left);
  }
}

const TGIFExtensionClass& TGIFUnknownAppExtension::Class() {
  static const TGIFExtensionClassOf<TGIFUnknownAppExtension> instance;
  return instance;
}

void TGIFUnknownAppExtension::LoadAppData(TStream& stream) {
  data_.clear();
  // Measured first, so that the blocks take one allocation at their final
  // size.
  const std::int64_t start = stream.Position();
  std::size_t total = 0;
  std::uint8_t size = 0;
  while (gifio::ReadByte(stream, size) && size != 0) {
    Image().CheckCancel();
    total += 1 + std::size_t(size);
    gifio::SkipForward(stream, size);
  }
  stream.SetPosition(start);
  Image().Reserve(total);
  data_.reserve(total);
  while (gifio::ReadByte(stream, size) && size != 0) {
    Image().CheckCancel();
    const std::size_t at = data_.size();
    data_.resize(at + 1 + size);
    data_[at] = size;
    gifio::ReadExact(stream, data_.data() + at + 1, size);
  }
}

std::vector<TGIFBlock> TGIFUnknownAppExtension::Blocks() const {
  std::vector<TGIFBlock> blocks;
  for (std::size_t at = 0; at < data_.size(); at += 1 + std::size_t(data_[at]))
    blocks.push_back(TGIFBlock{std::vector<std::uint8_t>(data_.begin() + std::ptrdiff_t(at) + 1,
                                                         data_.begin() + std::ptrdiff_t(at) + 1 + data_[at])});
  return blocks;
}
