#include "pictures/gif/GIFExtension.h"

#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFExtensionRegistry.h"
#include "pictures/gif/GIFImage.h"
#include "pictures/gif/GIFStreamIO.h"
#include "pictures/gif/GIFSubImage.h"

const TGIFExtensionClass* TGIFExtensionClass::FindSubExtension(TStream&) const { return this; }

TGIFExtension::TGIFExtension(TGIFSubImage& frame) : TGIFItem(frame.Image()), frame_(&frame) {}

TGIFExtension::~TGIFExtension() {
  // The list owns this extension; take it out without freeing it again.
  if (auto owned = frame_->Extensions().Remove(this)) owned.release();
}

void TGIFExtension::LoadFromStream(TStream& stream) {
  std::uint8_t head[2];
  gifio::ReadExact(stream, head, sizeof head);
  if (head[0] != Introducer) throw GIFException(GIFMessage::InvalidIntroducer);
  if (head[1] != ExtensionLabel()) throw GIFException(GIFMessage::ExtensionMismatch);
  LoadData(stream);
}

namespace {

// Picks the kind for the extension whose label comes next. Kinds may hand
// over to more specific ones; the chain is short, the bound only guards
// against kinds that keep handing over to each other.
const TGIFExtensionClass* FindExtensionClass(TStream& stream) {
  std::uint8_t label = 0;
  if (!gifio::ReadByte(stream, label)) return nullptr;
  const TGIFExtensionClass* found = TExtensionList::Instance().Find(label);
  for (int hops = 0; found && hops < 16; ++hops) {
    const TGIFExtensionClass* next = found->FindSubExtension(stream);
    if (next == found) break;
    found = next;
  }
  return found;
}

}  // namespace

void TGIFExtensionList::LoadFromStream(TStream& stream, TGIFSubImage& frame) {
  std::uint8_t byte = 0;
  if (!gifio::ReadByte(stream, byte)) return;
  while (byte != ',' && byte != ';') {
    if (byte != TGIFExtension::Introducer) {
      Warning(GIFWarningSeverity, GIFMessage::InvalidIntroducer);
      gifio::StepBack(stream);
      return;
    }
    const std::int64_t afterIntroducer = stream.Position();
    const TGIFExtensionClass* extensionClass = FindExtensionClass(stream);
    stream.SetPosition(afterIntroducer);
    if (!extensionClass) throw GIFException(GIFMessage::UnknownExtension);

    gifio::StepBack(stream);
    Image().CheckCancel();
    Image().Reserve(GrowthBytes());
    Image().Reserve(extensionClass->InstanceSize());
    std::unique_ptr<TGIFExtension> extension = extensionClass->Create(frame);
    extension->LoadFromStream(stream);
    Add(std::move(extension));

    if (!gifio::ReadByte(stream, byte)) return;
  }
  gifio::StepBack(stream);
}
