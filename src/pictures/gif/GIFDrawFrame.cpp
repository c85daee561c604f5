#include "pictures/gif/GIFDrawFrame.h"

#include <mutex>

#include "gui/Bitmap.h"
#include "pictures/gif/GIFDrawBlit.h"
#include "pictures/gif/GIFDrawRender.h"
#include "pictures/gif/GIFDrawState.h"

TRect GIFScaledFrameRect(const TGIFSubImage& frame, const TRect& rect) {
  const TRect place{frame.Left(), frame.Top(), frame.Left() + frame.Width(), frame.Top() + frame.Height()};
  return GIFScaledFrameRect(place, frame.Image().GetWidth(), frame.Image().GetHeight(), rect);
}

void GIFFrameDraw(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled, bool transparent) {
  GIFFrameDraw(ImageRender(frame.Image()), frame, canvas, rect, tiled, transparent);
}

void GIFFrameDraw(TGIFImageRender& state, TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled,
                  bool transparent) {
  GIFFrameStretchDraw(state, frame, canvas, tiled ? rect : GIFScaledFrameRect(frame, rect), tiled, transparent);
}

void GIFFrameStretchDraw(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled, bool transparent) {
  GIFFrameStretchDraw(ImageRender(frame.Image()), frame, canvas, rect, tiled, transparent);
}

void GIFFrameStretchDraw(TGIFImageRender& state, TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool tiled,
                         bool transparent) {
  if (!canvas.HandleAllocated()) return;
  {
    const TGIFRenderUse use(state);
    std::lock_guard lock(state.RenderLock);
    TBitmap* bitmap = GIFFrameBitmap(state, frame);
    if (!bitmap || bitmap->GetEmpty()) return;
    const int width = bitmap->GetWidth();
    const int height = bitmap->GetHeight();
    TCanvasLock lockTarget(canvas);
    if (transparent && frame.Transparent() && GIFFrameHasMask(state, frame) && !state.Orphaned) {
      // The mask test may have rendered the frame again.
      bitmap = GIFFrameBitmap(state, frame);
      if (!bitmap) return;
      // A scaled masked copy goes through two scratch bitmaps of the frame's size.
      const TGIFDrawCharge scratch(state, GIFBitmapBytes(width, height, 32) + GIFBitmapBytes(width, height, 1));
      if (!state.MaskDC) state.MaskDC.reset(CreateCompatibleDC(nullptr));
      TDCOwner& maskDC = state.MaskDC;
      if (!maskDC) return;
      TSelectObject selectMask(maskDC.get(), GIFFrameMask(frame));
      HDC source = bitmap->Canvas().Handle();
      if (tiled) {
        ForEachFrameTile(frame, rect, [&](int x, int y) {
          MaskedStretchBlit(canvas.Handle(), x, y, width, height, source, 0, 0, width, height, maskDC.get(), 0, 0);
        });
      } else {
        MaskedStretchBlit(canvas.Handle(), rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, width,
                          height, maskDC.get(), 0, 0);
      }
    } else if (tiled) {
      ForEachFrameTile(frame, rect, [&](int x, int y) { bitmap->Draw(canvas, TRect{x, y, x + width, y + height}); });
    } else {
      bitmap->Draw(canvas, rect);
    }
  }
  // Outside the lock: whoever watches the canvas may do anything.
  canvas.Changed();
}
