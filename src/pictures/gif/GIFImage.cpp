#include "pictures/gif/GIFImage.h"

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
  reserved_ = 0;
}

void TGIFImage::Reserve(std::size_t size) {
  if (size > MemoryLimit || reserved_ > MemoryLimit - size) throw GIFException(GIFMessage::InvalidData);
  reserved_ += size;
}

void TGIFImage::Warning(TGIFItem* sender, int severity, const std::string& message) {
  if (OnWarning) OnWarning(*this, sender, severity, message);
}

void TGIFImage::LoadFromStream(TStream& stream) {
  ReportProgress(ProgressStarting, 0);
  Clear();
  const std::int64_t start = stream.Position();
  try {
    header_.LoadFromStream(stream);
    images_.LoadFromStream(stream);
    TGIFTrailer(*this).LoadFromStream(stream);

    const std::int64_t end = stream.Position();
    sourceSize_ = std::size_t(end - start);
    source_.reset(sourceSize_ ? new std::uint8_t[sourceSize_] : nullptr);
    stream.SetPosition(start);
    stream.ReadBuffer(source_.get(), sourceSize_);
    stream.SetPosition(end);
  } catch (...) {
    stream.SetPosition(start);
    source_.reset();
    sourceSize_ = 0;
    ReportProgress(ProgressEnding, 0);
    throw;
  }
  ReportProgress(ProgressEnding, 100);
  Changed();
}

void TGIFImage::SaveToStream(TStream& stream) { stream.WriteBuffer(source_.get(), sourceSize_); }

std::string TGIFImage::Version() const {
  std::string version = "87a";
  for (const auto& frame : images_)
    if (frame->GetVersion() > version) version = frame->GetVersion();
  return version;
}
