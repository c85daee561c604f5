#pragma once
// Application extensions (label 0xFF): an 11-byte identifier followed by
// data that the identifier gives meaning to.
#include <cstdint>
#include <vector>

#include "pictures/gif/GIFExtension.h"
#include "pictures/gif/GIFExtensionRegistry.h"

// One raw data sub-block.
struct TGIFBlock {
  std::vector<std::uint8_t> Data;
  int Size() const { return int(Data.size()); }
};

class TGIFApplicationExtension : public TGIFExtension {
 public:
  static constexpr std::uint8_t Label = 0xFF;
  static const TGIFExtensionClass& Class();

  using TGIFExtension::TGIFExtension;
  std::uint8_t ExtensionLabel() const override { return Label; }

  // 8-byte application name followed by the 3-byte authentication code.
  const TGIFAppIdentifier& Identifier() const { return identifier_; }

 protected:
  // Reads the identifier block, then the kind's own data (LoadAppData).
  void LoadData(TStream& stream) override;
  // The generic kind has no data of its own.
  virtual void LoadAppData(TStream&) {}

 private:
  TGIFAppIdentifier identifier_{};
};

// "NETSCAPE2.0" and "ANIMEXTS1.0": how often an animation repeats.
class TGIFAppExtNSLoop : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass& Class();
  using TGIFApplicationExtension::TGIFApplicationExtension;

  int Loops() const { return loops_; }  // 0: forever
  std::uint32_t BufferSize() const { return bufferSize_; }

 protected:
  void LoadAppData(TStream& stream) override;

 private:
  std::uint16_t loops_ = 0;
  std::uint32_t bufferSize_ = 0;
};

// Any other application extension, kept as its raw data sub-blocks. They
// are held as they stand in the file (each size byte, then its bytes) in
// one block of memory: a file of many tiny sub-blocks costs no more memory
// than its size.
class TGIFUnknownAppExtension : public TGIFApplicationExtension {
 public:
  static const TGIFExtensionClass& Class();
  using TGIFApplicationExtension::TGIFApplicationExtension;

  // The sub-blocks, each as a block of its own.
  std::vector<TGIFBlock> Blocks() const;

 protected:
  void LoadAppData(TStream& stream) override;

 private:
  std::vector<std::uint8_t> data_;
};
