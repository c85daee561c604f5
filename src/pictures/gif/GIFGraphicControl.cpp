#include "pictures/gif/GIFGraphicControl.h"

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFStreamIO.h"
#include "pictures/gif/GIFSubImage.h"

const TGIFExtensionClass& TGIFGraphicControlExtension::Class() {
  static const TGIFExtensionClassOf<TGIFGraphicControlExtension> instance;
  return instance;
}

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage& frame) : TGIFExtension(frame) {
  if (!frame.graphicControl_) frame.graphicControl_ = this;
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension() {
  if (Frame().graphicControl_ == this) Frame().graphicControl_ = nullptr;
}

void TGIFGraphicControlExtension::LoadData(TStream& stream) {
  // A short record keeps what was read; the rest keeps its initial values.
  std::uint8_t raw[6] = {record_.BlockSize,
                         record_.PackedFields,
                         std::uint8_t(record_.DelayTime & 0xFF),
                         std::uint8_t(record_.DelayTime >> 8),
                         record_.TransparentColorIndex,
                         record_.Terminator};
  const std::size_t got = stream.Read(raw, sizeof raw);
  record_.BlockSize = raw[0];
  record_.PackedFields = raw[1];
  record_.DelayTime = gifio::Word(raw + 2);
  record_.TransparentColorIndex = raw[4];
  record_.Terminator = raw[5];
  if (got < sizeof raw) {
    Warning(GIFWarningSeverity, GIFMessage::PrematureEnd);
    return;
  }
  if (Transparent()) Frame().transparent_ = true;
}
