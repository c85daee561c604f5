#include "pictures/gif/GIFImage.h"

#include <algorithm>
#include <cstdint>

#include "pictures/gif/GIFTrailer.h"

void TGIFItem::Warning(int severity, const std::string& message) { image_->Warning(this, severity, message); }

TGIFImage::TGIFImage() : images_(*this), header_(*this) {}

TGIFImage::~TGIFImage() {
  // Painters must be gone before the frames they read.
  Render.reset();
  Clear();
}

void TGIFImage::Clear() {
  Render.reset();
  images_.Clear();
  header_.Clear();
  source_.reset();
  sourceSize_ = 0;
  sourceBytes_ = 0;
  reserved_ = 0;
}

namespace {

// What the heap takes for a block of size bytes: its header of two pointers,
// rounded up to 16 bytes (the 64-bit granularity; 32-bit heaps use 8).
std::size_t HeapBlock(std::size_t size) {
  constexpr std::size_t header = 2 * sizeof(void*);
  return size > SIZE_MAX - header - 15 ? SIZE_MAX : (size + header + 15) & ~std::size_t(15);
}

}  // namespace

void TGIFImage::Reserve(std::size_t size) {
  if (size == 0) return;
  const std::size_t block = HeapBlock(size);
  if (block > MemoryLimit || reserved_ > MemoryLimit - block) throw GIFException(GIFMessage::InvalidData);
  reserved_ += block;
}

void TGIFImage::Unreserve(std::size_t size) {
  if (size != 0) reserved_ -= std::min(reserved_, HeapBlock(size));
}

void TGIFImage::Warning(TGIFItem* sender, int severity, const std::string& message) {
  if (OnWarning) OnWarning(*this, sender, severity, message);
}

void TGIFImage::LoadFromStream(TStream& stream) {
  ReportProgress(ProgressStarting, 0);
  Clear();
  cancel_ = CurrentCancelFlag();
  const std::int64_t start = stream.Position();
  try {
    // Checked before anything is read: a file larger than a picture may
    // take is not read at all.
    const std::int64_t rest = std::max<std::int64_t>(0, stream.Size() - start);
    if (std::uint64_t(rest) > MemoryLimit) throw GIFException(ImageTooLarge);
    const std::size_t size = std::size_t(rest);
    Reserve(size);
    sourceBytes_ = size;
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size ? size : 1]);
    TBufferStream data(bytes.get(), ReadCancellable(stream, bytes.get(), size, cancel_));
    header_.LoadFromStream(data);
    images_.LoadFromStream(data);
    TGIFTrailer(*this).LoadFromStream(data);

    // What follows the picture (in a window layout, the next property)
    // stays in the stream.
    sourceSize_ = std::size_t(data.Position());
    source_ = std::move(bytes);
    stream.SetPosition(start + std::int64_t(sourceSize_));
  } catch (...) {
    cancel_ = nullptr;
    stream.SetPosition(start);
    ReleaseSource();
    ReportProgress(ProgressEnding, 0);
    throw;
  }
  cancel_ = nullptr;
  ReportProgress(ProgressEnding, 100);
  Changed();
}

void TGIFImage::SaveToStream(TStream& stream) { stream.WriteBuffer(source_.get(), sourceSize_); }

void TGIFImage::ReleaseSource() {
  Unreserve(sourceBytes_);
  source_.reset();
  sourceSize_ = 0;
  sourceBytes_ = 0;
}

std::string TGIFImage::Version() const {
  std::string version = "87a";
  for (const auto& frame : images_)
    if (frame->GetVersion() > version) version = frame->GetVersion();
  return version;
}
