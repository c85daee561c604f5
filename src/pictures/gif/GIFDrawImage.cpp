#include <mutex>

#include "gui/Synchronize.h"
#include "pictures/gif/GIFDraw.h"
#include "pictures/gif/GIFDrawFrame.h"
#include "pictures/gif/GIFDrawPalette.h"
#include "pictures/gif/GIFDrawRender.h"
#include "pictures/gif/GIFDrawState.h"

using namespace GIFDrawOption;

namespace {

// Waits a moment for painters on their way out; on the GUI thread, the
// calls they hand over (their termination steps among them) run meanwhile.
void AwaitPainters() {
  if (IsGuiThread()) {
    CheckSynchronize();
    WaitForSingleObject(SynchronizeEvent(), 10);
    CheckSynchronize();
  } else {
    Sleep(1);
  }
}

// Stops a painter. True when the caller has to wait for it to leave; a
// painter that cannot leave before the caller returns (it runs inside the
// draw call, or it waits for the very call that the GUI thread is in) is
// let go instead. Called with the painters list locked.
bool StopPainter(TGIFPainter& painter) {
  painter.Stop();
  if (painter.InThread() && !IsRunningSynchronizedCallOf(painter.ThreadID())) return true;
  painter.Detach();
  return false;
}

void FreeInternalBitmap(TGIFImageRender& state) {
  std::lock_guard lock(state.PaintersLock);
  if (state.DrawPainter) state.DrawPainter->Stop();
  state.Bitmap.reset();
  state.BitmapCharge.Release();
}

void StopDrawPainter(TGIFImageRender& state) {
  for (;;) {
    std::unique_lock lock(state.PaintersLock);
    if (!state.DrawPainter || !StopPainter(*state.DrawPainter)) break;
    lock.unlock();
    AwaitPainters();
  }
  FreeInternalBitmap(state);
}

void StopAllPainters(TGIFImageRender& state) {
  for (;;) {
    std::unique_lock lock(state.PaintersLock);
    int waiting = 0;
    const auto painters = state.Painters;
    for (auto it = painters.rbegin(); it != painters.rend(); ++it)
      if (StopPainter(**it)) ++waiting;
    if (waiting == 0) break;
    lock.unlock();
    AwaitPainters();
  }
  FreeInternalBitmap(state);
}

// Makes the internal bitmap and counts it against the picture's memory
// limit first: its size is the logical screen's, which the file states.
std::unique_ptr<TBitmap> MakeInternalBitmap(TGIFImageRender& state) {
  TGIFImage& image = *state.Image;
  state.BitmapCharge.Release();
  TGIFDrawCharge charge(state, GIFBitmapBytes(image.GetWidth(), image.GetHeight(), 24));
  auto bitmap = std::make_unique<TBitmap>(image.GetWidth(), image.GetHeight(), TPixelFormat::pf24bit);
  bitmap->SetPalette(GIFImagePalette(state));
  // Paints into the bitmap are changes of the picture: its owner repaints.
  bitmap->OnChange = [&image](TGraphic&) { image.Changed(); };
  state.BitmapCharge = std::move(charge);
  return bitmap;
}

}  // namespace

TGIFImageRender::~TGIFImageRender() = default;

void TGIFRenderRelease::operator()(TGIFImageRender* state) const noexcept {
  if (!state) return;
  try {
    StopAllPainters(*state);
  } catch (...) {
  }
  {
    std::lock_guard lock(state->PaintersLock);
    const auto painters = state->Painters;
    for (TGIFPainter* painter : painters) painter->Detach();
    state->Painters.clear();
    state->DrawPainter = nullptr;
  }
  state->Orphaned = true;
  // A draw in progress frees the state when it returns.
  if (state->Uses == 0) delete state;
}

void StopDrawPainter(TGIFImage& image) {
  if (image.Render) StopDrawPainter(*image.Render);
}

void StopAllPainters(TGIFImage& image) {
  if (image.Render) StopAllPainters(*image.Render);
}

TGIFPainter* GIFDrawPainter(const TGIFImage& image) {
  if (!image.Render) return nullptr;
  std::lock_guard lock(image.Render->PaintersLock);
  return image.Render->DrawPainter;
}

int GIFPainterCount(const TGIFImage& image) {
  if (!image.Render) return 0;
  std::lock_guard lock(image.Render->PaintersLock);
  return int(image.Render->Painters.size());
}

TBitmap* GIFImageBitmap(TGIFImage& image) {
  if (image.Images().Count() == 0) return nullptr;
  TGIFImageRender& state = ImageRender(image);
  if (state.Bitmap) return state.Bitmap.get();
  TGIFSubImage& first = image.Images()[0];
  auto bitmap = MakeInternalBitmap(state);
  const bool covers =
      first.Left() == 0 && first.Top() == 0 && first.Width() == image.GetWidth() && first.Height() == image.GetHeight();
  // A frame that covers the screen is copied as it is; a smaller one is
  // drawn in its place.
  GIFFrameDraw(state, first, bitmap->Canvas(), TRect{0, 0, image.GetWidth(), image.GetHeight()}, false,
               !covers && (image.DrawOptions & PaintTransparent));
  state.Bitmap = std::move(bitmap);
  return state.Bitmap.get();
}

void GIFImageBitmapDraw(TGIFImage& image, TCanvas& canvas, const TRect& rect) {
  TBitmap* bitmap = image.Render ? image.Render->Bitmap.get() : nullptr;
  if (!bitmap || bitmap->GetEmpty()) return;
  if (!(image.DrawOptions & PaintTiled)) {
    canvas.StretchDraw(rect, *bitmap);
    return;
  }
  const int width = image.GetWidth();
  const int height = image.GetHeight();
  for (long long x = rect.Left; x < rect.Right; x += width)
    for (long long y = rect.Top; y < rect.Bottom; y += height)
      canvas.StretchDraw(TRect{int(x), int(y), int(x) + width, int(y) + height}, *bitmap);
}

bool TGIFImage::DrawsOpaque() const {
  return images_.Count() > 1 && (DrawOptions & PaintAnimated) && !(DrawOptions & PaintDirect) && Render &&
         Render->Bitmap && !Render->Bitmap->GetEmpty();
}

void TGIFImage::Draw(TCanvas& canvas, const TRect& rect) {
  TGIFImageRender& state = ImageRender(*this);
  if (state.Drawing || images_.Count() == 0) return;
  // From here on the picture may be cleared or freed by code this call runs
  // (hooks, progress handlers, messages a painter dispatches): the state
  // outlives the call, and once Orphaned nothing of the picture is touched.
  const TGIFRenderUse use(state);
  TFlagGuard drawing(state.Drawing);
  TGIFDrawOptions options = DrawOptions;

  if (images_.Count() == 1 || !(options & PaintAnimated)) {
    GIFFrameDraw(state, images_[0], canvas, rect, options & PaintTiled, options & PaintTransparent);
    return;
  }
  // A painter paints on the target long after this call: it gets a device
  // context of its own for the target window, or, when the target is no
  // window, the internal bitmap instead.
  HWND window = nullptr;
  if (options & PaintDirect) {
    window = WindowFromDC(canvas.Handle());
    if (!window) options &= TGIFDrawOptions(~PaintDirect);
  }
  if (state.Bitmap && !(options & PaintDirect)) {
    GIFImageBitmapDraw(*this, canvas, rect);
    return;
  }

  std::lock_guard lock(state.PaintersLock);
  if (state.DrawPainter && state.DrawPainter->Rect() == rect &&
      (window ? state.DrawPainter->Window() == window : &state.DrawPainter->Canvas() == &canvas))
    return;
  StopDrawPainter(state);
  if (state.Orphaned) return;
  TCanvas* target = &canvas;
  TRect targetRect = rect;
  if (!(options & PaintDirect)) {
    state.Bitmap = MakeInternalBitmap(state);
    target = &state.Bitmap->Canvas();
    targetRect = TRect{0, 0, GetWidth(), GetHeight()};
    // The bitmap starts out with what lies behind the picture.
    target->CopyRect(targetRect, canvas, rect);
  }
  TGIFPainter* painter = CreatePainter(*this, &state.DrawPainter, *target, options, targetRect, window);
  if (!painter || state.Orphaned) return;
  painter->Start();
  if (options & PaintDirect) return;
  // Until the first frame is in the bitmap (or the painter gave up).
  while (!state.Orphaned && state.DrawPainter == painter && !painter->Terminated() && !painter->HasPainted()) {
    if (!CheckSynchronize()) WaitForSingleObject(SynchronizeEvent(), 10);
  }
  if (!state.Orphaned) GIFImageBitmapDraw(*this, canvas, rect);
}
