#pragma once
// Extension blocks ("!" label data...) that come before a frame's image
// descriptor. Each kind of extension has a class descriptor, which the
// registries map labels and application identifiers to.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "pictures/gif/GIFItem.h"

class TGIFSubImage;
class TGIFExtension;

// The class-level side of an extension kind: it creates instances and may
// hand the reading over to a more specific kind after looking ahead.
class TGIFExtensionClass {
 public:
  virtual ~TGIFExtensionClass() = default;
  virtual std::unique_ptr<TGIFExtension> Create(TGIFSubImage& frame) const = 0;
  // The bytes an instance takes (what Create allocates).
  virtual std::size_t InstanceSize() const = 0;
  // Called with the stream just after the label byte; must leave the stream
  // where it found it. Returns this class, a more specific one, or null when
  // the data cannot be read by any.
  virtual const TGIFExtensionClass* FindSubExtension(TStream& stream) const;
};

template <class T>
class TGIFExtensionClassOf : public TGIFExtensionClass {
 public:
  std::unique_ptr<TGIFExtension> Create(TGIFSubImage& frame) const override { return std::make_unique<T>(frame); }
  std::size_t InstanceSize() const override { return sizeof(T); }
};

class TGIFExtension : public TGIFItem {
 public:
  static constexpr std::uint8_t Introducer = 0x21;  // "!"

  explicit TGIFExtension(TGIFSubImage& frame);
  // Takes itself out of its frame's extension list.
  ~TGIFExtension() override;

  virtual std::uint8_t ExtensionLabel() const = 0;
  std::string GetVersion() const override { return "89a"; }
  // Reads the introducer and label (both checked), then the kind's data.
  void LoadFromStream(TStream& stream) override;

  TGIFSubImage& Frame() const { return *frame_; }

 protected:
  virtual void LoadData(TStream& stream) = 0;

 private:
  TGIFSubImage* frame_;
};

// The extensions of one frame.
class TGIFExtensionList : public TGIFList<TGIFExtension> {
 public:
  using TGIFList::TGIFList;
  // Reads extensions up to the frame's image descriptor or the trailer.
  void LoadFromStream(TStream& stream, TGIFSubImage& frame);
};
