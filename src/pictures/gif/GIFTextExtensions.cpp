#include "pictures/gif/GIFTextExtensions.h"

#include <cstring>

#include "pictures/gif/GIFImage.h"
#include "pictures/gif/GIFStreamIO.h"

void ReadGIFTextLines(TStream& stream, std::vector<std::string>& lines, TGIFImage& image) {
  lines.clear();
  std::uint8_t size = 0;
  if (!gifio::ReadByte(stream, size)) return;
  while (size != 0) {
    image.CheckCancel();
    char buffer[256];
    gifio::ReadExact(stream, buffer, size);
    buffer[size] = 0;
    const std::size_t length = std::strlen(buffer);
    image.Reserve(VectorGrowthBytes(lines));
    // Short lines stand inside the string itself.
    static const std::size_t inPlace = std::string().capacity();
    if (length > inPlace) image.Reserve(length + 1);
    lines.emplace_back(buffer, length);
    if (!gifio::ReadByte(stream, size)) return;
  }
}

const TGIFExtensionClass& TGIFTextExtension::Class() {
  static const TGIFExtensionClassOf<TGIFTextExtension> instance;
  return instance;
}

void TGIFTextExtension::LoadData(TStream& stream) {
  std::uint8_t raw[13];
  gifio::ReadExact(stream, raw, sizeof raw);
  record_.BlockSize = raw[0];
  record_.Left = gifio::Word(raw + 1);
  record_.Top = gifio::Word(raw + 3);
  record_.Width = gifio::Word(raw + 5);
  record_.Height = gifio::Word(raw + 7);
  record_.CellWidth = raw[9];
  record_.CellHeight = raw[10];
  record_.ForegroundColorIndex = raw[11];
  record_.BackgroundColorIndex = raw[12];
  ReadGIFTextLines(stream, lines_, Image());
}

const TGIFExtensionClass& TGIFCommentExtension::Class() {
  static const TGIFExtensionClassOf<TGIFCommentExtension> instance;
  return instance;
}

void TGIFCommentExtension::LoadData(TStream& stream) { ReadGIFTextLines(stream, lines_, Image()); }
