// Every paint option stays memory-safe when the caller's canvas, the
// window or the picture goes away while a painter still runs.
#include <gtest/gtest.h>
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "GifDrawKit.h"
#include "gui/GdiHandles.h"
#include "pictures/gif/GIFDraw.h"
#include "pictures/gif/GIFDrawState.h"
#include "pictures/gif/GIFPainter.h"

using namespace GIFDrawOption;
using namespace std::chrono_literals;

namespace {
// While a TQuarantine lives, freed memory is filled with garbage and kept
// aside rather than freed: a read through a stale pointer meets garbage and
// fails at once, and a write shows as a changed byte when the quarantine
// ends.
constexpr unsigned char Garbage = 0xA5;
std::atomic<bool> quarantined{false};
std::atomic_flag quarantineLock = ATOMIC_FLAG_INIT;
std::pair<unsigned char*, std::size_t> kept[16384];
std::size_t keptCount = 0;

class TQuarantine {
 public:
  TQuarantine() { quarantined = true; }
  // The bytes written to freed memory meanwhile.
  std::size_t WritesAfterFree() {
    quarantined = false;
    std::size_t written = 0;
    for (std::size_t i = 0; i < keptCount; ++i) {
      for (std::size_t j = 0; j < kept[i].second; ++j) written += kept[i].first[j] != Garbage;
      std::free(kept[i].first);
    }
    keptCount = 0;
    return written;
  }
  ~TQuarantine() { WritesAfterFree(); }
};
}  // namespace

void* operator new(std::size_t size) {
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
namespace {
void Release(void* p) {
  if (p && quarantined) {
    const std::size_t size = _msize(p);
    std::memset(p, Garbage, size);
    while (quarantineLock.test_and_set()) {
    }
    const bool room = keptCount < std::size(kept);
    if (room) kept[keptCount++] = {static_cast<unsigned char*>(p), size};
    quarantineLock.clear();
    if (room) return;
  }
  std::free(p);
}
}  // namespace
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }

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
  TQuarantine quarantine;
  onTimer = [&] { window.reset(); };
  SetTimer(nullptr, 0, 150, RunOnTimer);
  auto target = gifdraw::FilledBitmap(60, 25, RGB(0, 0, 0));
  image->Draw(target->Canvas(), TRect{0, 0, 60, 25});
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(quarantine.WritesAfterFree(), 0u);
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
      TQuarantine quarantine;
      image->Draw(target->Canvas(), TRect{0, 0, 60, 25});
      EXPECT_TRUE(gifdraw::PumpUntil([&] { return image == nullptr; }, 3s));
      gifdraw::PumpFor(20ms);
      EXPECT_EQ(quarantine.WritesAfterFree(), 0u) << stage;
    }
  }
}

}  // namespace
