#pragma once
// The graphic control extension (label 0xF9): disposal, delay and the
// transparent colour of a frame.
#include <cstdint>

#include "pictures/gif/GIFExtension.h"

// The extension's record as it stands in the file.
struct TGIFGraphicControlRecord {
  std::uint8_t BlockSize = 4;
  // bits 2-4: disposal method; bit 1: user input; bit 0: transparent colour given.
  std::uint8_t PackedFields = 0;
  std::uint16_t DelayTime = 0;  // hundredths of a second, as stored
  std::uint8_t TransparentColorIndex = 0;
  std::uint8_t Terminator = 0;
};

class TGIFGraphicControlExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t Label = 0xF9;
  static const TGIFExtensionClass& Class();

  // The first one created for a frame becomes that frame's graphic control
  // extension.
  explicit TGIFGraphicControlExtension(TGIFSubImage& frame);
  ~TGIFGraphicControlExtension() override;

  std::uint8_t ExtensionLabel() const override { return Label; }

  const TGIFGraphicControlRecord& Record() const { return record_; }
  int Disposal() const { return (record_.PackedFields >> 2) & 7; }
  bool UserInput() const { return (record_.PackedFields & 0x02) != 0; }
  bool Transparent() const { return (record_.PackedFields & 0x01) != 0; }
  int Delay() const { return record_.DelayTime; }
  std::uint8_t TransparentColorIndex() const { return record_.TransparentColorIndex; }

 protected:
  void LoadData(TStream& stream) override;

 private:
  TGIFGraphicControlRecord record_;
};
