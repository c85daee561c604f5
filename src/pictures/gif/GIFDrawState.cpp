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
