// Every paint option stays memory-safe when the caller's canvas, the
// window or the picture goes away while a painter still runs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <new>

#include "GifDrawKit.h"
#include "gui/GdiHandles.h"
#include "pictures/gif/GIFDraw.h"
#include "pictures/gif/GIFDrawState.h"
#include "pictures/gif/GIFPainter.h"

using namespace GIFDrawOption;
using namespace std::chrono_literals;

namespace {

std::function<void()> onTimer;
void CALLBACK RunOnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (onTimer) onTimer();
}

TEST(GIFPaintSafety, ADirectPainterNeverUsesTheCallersCanvasAfterTheCall) {
  gifdraw::TPictureWindow window(60, 25);
  auto logo = gifdraw::LoadResource(L"logo.gif");
  logo->DrawOptions |= PaintDirect;
  int paints = 0;
  logo->OnAfterPaint = [&](TGIFPainter&) { ++paints; };
  {
    // A canvas that is garbage once its call returns, as one on a stack is.
    alignas(TCanvas) unsigned char place[sizeof(TCanvas)];
    TWindowDC dc(window.Box().Handle());
    auto* canvas = new (place) TCanvas(dc.Get());
    logo->Draw(*canvas, TRect{0, 0, 60, 25});
    canvas->~TCanvas();
    std::memset(place, 0xDD, sizeof place);
  }
  EXPECT_TRUE(gifdraw::PumpUntil([&] { return paints >= 4; }, 3s));
  ASSERT_NE(GIFDrawPainter(*logo), nullptr);
  EXPECT_EQ(GIFDrawPainter(*logo)->Window(), window.Box().Handle());
  logo.reset();

  // Onto a bitmap, which no painter can reach by itself: the picture
  // animates in its internal bitmap instead.
  auto image = gifdraw::LoadResource(L"logo.gif");
  image->DrawOptions |= PaintDirect;
  auto target = gifdraw::FilledBitmap(60, 25, RGB(0, 0, 0));
  image->Draw(target->Canvas(), TRect{0, 0, 60, 25});
  EXPECT_NE(ImageRender(*image).Bitmap, nullptr);
  ASSERT_NE(GIFDrawPainter(*image), nullptr);
  EXPECT_EQ(GIFDrawPainter(*image)->Window(), nullptr);
}

TEST(GIFPaintSafety, APainterInsideDrawReturnsWhenItsWindowClosesMeanwhile) {
  // Without a thread the painter runs inside Draw and dispatches messages;
  // one of them closes the window whose box owns the picture.
  auto window = std::make_unique<gifdraw::TPictureWindow>(60, 25);
  auto logo = gifdraw::LoadResource(L"logo.gif");
  logo->DrawOptions = TGIFDrawOptions(logo->DrawOptions & ~PaintInThread) | PaintLoopForever;
  TGIFImage* image = logo.get();
  window->Box().SetGraphic(std::move(logo));
  onTimer = [&] { window.reset(); };
  SetTimer(nullptr, 0, 150, RunOnTimer);
  auto target = gifdraw::FilledBitmap(60, 25, RGB(0, 0, 0));
  image->Draw(target->Canvas(), TRect{0, 0, 60, 25});
  EXPECT_EQ(window, nullptr);
  onTimer = nullptr;
}

TEST(GIFPaintSafety, HooksAndProgressHandlersMayClearOrFreeThePicture) {
  for (bool inThread : {false, true}) {
    SCOPED_TRACE(inThread ? "painter thread" : "inside Draw");
    auto logo = gifdraw::LoadResource(L"logo.gif");
    if (!inThread) logo->DrawOptions &= TGIFDrawOptions(~PaintInThread);
    int paints = 0;
    logo->OnPaint = [&](TGIFPainter&) {
      if (++paints == 3) logo->Clear();
    };
    auto target = gifdraw::FilledBitmap(60, 25, RGB(0, 0, 0));
    logo->Draw(target->Canvas(), TRect{0, 0, 60, 25});
    EXPECT_TRUE(gifdraw::PumpUntil([&] { return paints >= 3 && GIFPainterCount(*logo) == 0; }, 3s));
    EXPECT_TRUE(logo->GetEmpty());
    gifdraw::PumpFor(20ms);

    // A progress handler frees the picture while its frame renders (at
    // the start and at the first row), and a paint hook frees it while
    // its painter runs.
    for (int stage : {TGIFImage::ProgressStarting, TGIFImage::ProgressRunning, -1}) {
      auto image = gifdraw::LoadResource(L"logo.gif");
      if (!inThread) image->DrawOptions &= TGIFDrawOptions(~PaintInThread);
      if (stage >= 0) {
        image->DrawOptions &= TGIFDrawOptions(~PaintAnimated);  // frame 0 renders on this thread
        image->OnProgress = [&image, stage](TGraphic&, int reported, int, bool) {
          if (reported == stage) image.reset();
        };
      } else {
        image->OnPaint = [&](TGIFPainter&) { image.reset(); };
      }
      image->Draw(target->Canvas(), TRect{0, 0, 60, 25});
      EXPECT_TRUE(gifdraw::PumpUntil([&] { return image == nullptr; }, 3s));
      gifdraw::PumpFor(20ms);
    }
  }
}

}  // namespace
