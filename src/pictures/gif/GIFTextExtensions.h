#pragma once
// Extensions that carry text: the plain-text extension (label 0x01) and the
// comment extension (label 0xFE).
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/gif/GIFExtension.h"

// Text lines of a data sub-block sequence: one line per sub-block, cut at an
// embedded 0 byte. Reading stops at the terminator or the end of the stream.
void ReadGIFTextLines(TStream& stream, std::vector<std::string>& lines, TGIFImage& image);

// The plain-text record as it stands in the file.
struct TGIFPlainTextRecord {
  std::uint8_t BlockSize = 12;
  std::uint16_t Left = 0;
  std::uint16_t Top = 0;
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
  std::uint8_t CellWidth = 0;
  std::uint8_t CellHeight = 0;
  std::uint8_t ForegroundColorIndex = 0;
  std::uint8_t BackgroundColorIndex = 0;
};

class TGIFTextExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t Label = 0x01;
  static const TGIFExtensionClass& Class();

  using TGIFExtension::TGIFExtension;
  std::uint8_t ExtensionLabel() const override { return Label; }

  const TGIFPlainTextRecord& Record() const { return record_; }
  const std::vector<std::string>& Lines() const { return lines_; }

 protected:
  void LoadData(TStream& stream) override;

 private:
  TGIFPlainTextRecord record_;
  std::vector<std::string> lines_;
};

class TGIFCommentExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t Label = 0xFE;
  static const TGIFExtensionClass& Class();

  using TGIFExtension::TGIFExtension;
  std::uint8_t ExtensionLabel() const override { return Label; }

  const std::vector<std::string>& Lines() const { return lines_; }

 protected:
  void LoadData(TStream& stream) override;

 private:
  std::vector<std::string> lines_;
};
