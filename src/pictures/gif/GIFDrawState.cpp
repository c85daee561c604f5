#include "pictures/gif/GIFDrawState.h"

namespace {

// Guards making the picture's state: the GUI thread and a painter may both
// be first to ask.
std::mutex& CreationLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

TGIFImageRender& ImageRender(const TGIFImage& image) {
  auto& slot = const_cast<TGIFImage&>(image).Render;
  std::lock_guard lock(CreationLock());
  if (!slot) slot.reset(new TGIFImageRender(const_cast<TGIFImage&>(image)));
  return *slot;
}

TGIFFrameRender& FrameRender(const TGIFSubImage& frame) { return FrameRender(ImageRender(frame.Image()), frame); }

TGIFFrameRender& FrameRender(TGIFImageRender& image, const TGIFSubImage& frame) {
  std::lock_guard lock(image.RenderLock);
  auto& slot = const_cast<TGIFSubImage&>(frame).Render;
  if (!slot) slot.reset(new TGIFFrameRender);
  return *slot;
}

void TGIFRenderRelease::operator()(TGIFFrameRender* render) const noexcept { delete render; }

TGIFDrawCharge::TGIFDrawCharge(TGIFImageRender& state, std::uint64_t bytes) {
  const TGIFImage& image = *state.Image;
  const std::uint64_t limit = image.MemoryLimit, reader = image.Reserved();
  const std::uint64_t before = state.Memory->Used.fetch_add(bytes);
  if (bytes > limit || reader > limit - bytes || before > limit - bytes - reader) {
    state.Memory->Used.fetch_sub(bytes);
    throw GIFException(ImageTooLarge);
  }
  memory_ = state.Memory;
  bytes_ = bytes;
}

TGIFDrawCharge& TGIFDrawCharge::operator=(TGIFDrawCharge&& other) noexcept {
  if (this != &other) {
    Release();
    memory_ = std::move(other.memory_);
    bytes_ = other.bytes_;
    other.bytes_ = 0;
  }
  return *this;
}

void TGIFDrawCharge::Release() noexcept {
  if (memory_) memory_->Used.fetch_sub(bytes_);
  memory_.reset();
  bytes_ = 0;
}
