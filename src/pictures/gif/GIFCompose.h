#pragma once
// What an animation paints where, free of any platform drawing: a frame's
// place on the logical screen scaled into the target, the tiles of a tiled
// picture, which buffer a frame goes to for its disposal, what a frame's
// extensions say about looping, and a composer that runs all of it over
// plain pixel buffers (the painter runs the same rules on bitmaps; tests
// and the fuzzer run the composer natively).
#include <cstdint>
#include <vector>

#include "gui/Graphic.h"
#include "pictures/gif/GIFDrawOptions.h"
#include "pictures/gif/GIFImage.h"

// a x b / c rounded half away from zero, as the system's MulDiv; -1 when c
// is 0 or the result does not fit an int.
int GIFMulDiv(int a, int b, int c);

// The frame's place when the logical screen (screenWidth x screenHeight) is
// scaled into rect. Rect itself when the screen has no size.
TRect GIFScaledFrameRect(const TRect& frame, int screenWidth, int screenHeight, const TRect& rect);

// Calls place(x, y) for every tile of a frame over rect: the frame's offset
// from rect's top left, repeated at the logical screen's size.
template <class F>
void GIFForEachTile(int screenWidth, int screenHeight, int frameLeft, int frameTop, const TRect& rect, F&& place) {
  if (screenWidth <= 0 || screenHeight <= 0) return;
  for (long long x = (long long)rect.Left + frameLeft; x < rect.Right; x += screenWidth)
    for (long long y = (long long)rect.Top + frameTop; y < rect.Bottom; y += screenHeight) place(int(x), int(y));
}

// Where a frame is painted, by its disposal and the previous frame's.
enum class TGIFPaintTarget {
  None,         // nothing is drawn
  Backup,       // the backup buffer, then shown
  Canvas,       // the painter's target itself
  FrameBuffer,  // a copy of the backup buffer, then shown
};
TGIFPaintTarget GIFPaintTargetOf(int disposal, int oldDisposal);

// What the extensions before a frame say: its disposal (1 without a
// graphic control extension) and, at the first loop extension met, the
// loop count and the frame the following passes start at. A painter
// thread plays a count of 0, or any count with loopForever, endlessly (-1).
struct TGIFLoopState {
  int Loops = 1;
  int LoopStart = 0;
  bool LoopSeen = false;
};
int GIFReadFrameExtensions(const TGIFSubImage& frame, int frameIndex, bool inThread, bool loopForever,
                           TGIFLoopState& loop);

// Composes an animation the way the painter does, onto 0x00RRGGBB pixel
// buffers of the target rectangle's size.
class TGIFComposer {
 public:
  // A target of width x height pixels that stands for the logical screen;
  // the caller keeps it small. background is the colour finished frames
  // go back to without PaintTransparent.
  TGIFComposer(const TGIFImage& image, TGIFDrawOptions options, int width, int height, std::uint32_t background);

  // Runs the animation as a painter without a thread does, for at most
  // maxFrames frame paints; returns the frames painted. The waits are
  // planned on a clock that advances by each wait.
  int Run(int maxFrames);

  const std::vector<std::uint32_t>& Target() const { return target_; }
  // Sum of the waits planned, in milliseconds.
  std::int64_t Waited() const { return waited_; }

 private:
  using TBuffer = std::vector<std::uint32_t>;
  void Paint(const TGIFSubImage& frame, bool clearFirst, int disposal, int oldDisposal);
  void DrawFrame(const TGIFSubImage& frame, TBuffer& buffer);
  void Blit(const TGIFSubImage& frame, TBuffer& buffer, const TRect& to, int width, int height);
  void Restore(const TGIFSubImage& frame);
  void Fill(TBuffer& buffer, const TRect& area, std::uint32_t color);
  void Copy(TBuffer& to, const TBuffer& from, const TRect& area);

  const TGIFImage& image_;
  TGIFDrawOptions options_;
  int width_;
  int height_;
  std::uint32_t backgroundColor_;
  TBuffer target_;
  TBuffer backup_;
  TBuffer frameBuffer_;
  TBuffer background_;
  std::int64_t waited_ = 0;
};
