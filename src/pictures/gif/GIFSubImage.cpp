#include "pictures/gif/GIFSubImage.h"

#include <cstring>

#include "pictures/gif/GIFCodeReader.h"
#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFGraphicControl.h"
#include "pictures/gif/GIFImage.h"
#include "pictures/gif/GIFLZWDecoder.h"
#include "pictures/gif/GIFPixelPlacer.h"
#include "pictures/gif/GIFStreamIO.h"

TGIFSubImage::TGIFSubImage(TGIFImage& image) : TGIFItem(image), colorMap_(*this), extensions_(image) {}

TGIFSubImage::~TGIFSubImage() {
  // Extensions reach back into the frame while they are freed.
  extensions_.Clear();
}

void TGIFSubImage::Clear() {
  Render.reset();
  extensions_.Clear();
  colorMap_.Clear();
  data_.reset();
  dataSize_ = 0;
  descriptor_.Width = 0;
  descriptor_.Height = 0;
  transparent_ = false;
  graphicControl_ = nullptr;
}

std::string TGIFSubImage::GetVersion() const {
  for (const auto& extension : extensions_)
    if (extension->GetVersion() > "87a") return extension->GetVersion();
  return "87a";
}

const TGIFColorMap& TGIFSubImage::ActiveColorMap() const {
  if (colorMap_.Count() > 0) return colorMap_;
  const TGIFColorMap& global = Image().Header().ColorMap();
  if (global.Count() > 0) return global;
  return colorMap_;
}

void TGIFSubImage::LoadFromStream(TStream& stream) {
  Clear();
  extensions_.LoadFromStream(stream, *this);

  // Extensions after the last image make a frame of their own, without
  // pixels.
  std::uint8_t next = 0;
  if (!gifio::ReadByte(stream, next)) return;
  gifio::StepBack(stream);
  if (next == ';' || next == 0) return;

  ReadDescriptor(stream);
  if (descriptor_.PackedFields & 0x80) {
    const int colors = 2 << (descriptor_.PackedFields & 7);
    Image().Reserve(std::size_t(colors) * sizeof(TGIFColor));
    colorMap_.LoadFromStream(stream, colors);
  }
  DecodePixels(stream);
}

void TGIFSubImage::ReplacePixels(std::uint16_t left, std::uint16_t top, std::uint16_t width, std::uint16_t height,
                                 std::unique_ptr<std::uint8_t[]> data) {
  Render.reset();
  data_ = std::move(data);
  dataSize_ = std::size_t(width) * height;
  descriptor_.Left = left;
  descriptor_.Top = top;
  descriptor_.Width = width;
  descriptor_.Height = height;
}

void TGIFSubImage::ReadDescriptor(TStream& stream) {
  std::uint8_t raw[10];
  gifio::ReadExact(stream, raw, sizeof raw);
  descriptor_.Separator = raw[0];
  descriptor_.Left = gifio::Word(raw + 1);
  descriptor_.Top = gifio::Word(raw + 3);
  descriptor_.Width = gifio::Word(raw + 5);
  descriptor_.Height = gifio::Word(raw + 7);
  descriptor_.PackedFields = raw[9];
  if (descriptor_.Width == 0 || descriptor_.Height == 0) {
    descriptor_.Height = std::uint16_t(Image().Header().Height());
    descriptor_.Width = std::uint16_t(Image().Header().Width());
    Warning(GIFWarningSeverity, GIFMessage::ExceedsScreen);
  }
}

void TGIFSubImage::DecodePixels(TStream& stream) {
  const std::size_t count = std::size_t(Width()) * std::size_t(Height());
  // Charged before allocating: an absurd size fails here instead of taking
  // all memory.
  Image().Reserve(count);
  // One allocation at the final size, and every pixel written once: by the
  // decoder, or afterwards with the fill value where the data did not
  // reach. Fresh memory is slow to touch on some systems.
  data_.reset(count ? new std::uint8_t[count] : nullptr);
  dataSize_ = count;
  const std::uint8_t fill = transparent_ && graphicControl_ ? graphicControl_->TransparentColorIndex() : 0;
  TGIFPixelPlacer out(data_.get(), std::size_t(Width()), std::size_t(Height()), Interlaced());
  // A frame that fails to read is dropped whole, so its pixels are filled
  // only when it is kept.
  std::uint8_t minCodeSize = 0;
  if (gifio::ReadByte(stream, minCodeSize)) {
    // Frames are read from the picture's bytes in memory (see
    // TGIFImage::LoadFromStream).
    TGIFCodeReader reader(dynamic_cast<TBufferStream&>(stream), *this);
    TGIFLZWDecoder decoder(reader, minCodeSize);
    decoder.Decode(out);
  }
  out.FillRest(fill, Image().CancelFlag());
}

void TGIFImageList::LoadFromStream(TStream& stream) {
  const std::int64_t size = stream.Size();
  std::uint8_t byte = 0;
  if (!gifio::ReadNonZeroByte(stream, byte)) return;
  while (byte != ';') {
    gifio::StepBack(stream);
    if (byte != '!' && byte != TGIFSubImage::Separator) {
      Warning(GIFWarningSeverity, GIFMessage::UnknownBlock);
      break;
    }
    Image().CheckCancel();
    Image().Reserve(GrowthBytes());
    Image().Reserve(sizeof(TGIFSubImage));
    auto frame = std::make_unique<TGIFSubImage>(Image());
    frame->LoadFromStream(stream);
    Add(std::move(frame));
    if (size > 0) Image().ReportProgress(TGIFImage::ProgressRunning, int((stream.Position() * 100 + size / 2) / size));
    if (!gifio::ReadNonZeroByte(stream, byte)) return;
  }
  // The trailer step reads the byte that ended the loop.
  gifio::StepBack(stream);
}
