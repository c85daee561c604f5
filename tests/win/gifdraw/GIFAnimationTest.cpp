// Animation: painters on their threads, frame timing, loops, disposal, and
// stopping on clear, load, destroy and window close.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "GifDrawKit.h"
#include "gui/Synchronize.h"
#include "pictures/gif/GIFDraw.h"
#include "pictures/gif/GIFDrawState.h"
#include "pictures/gif/GIFPaintTiming.h"

using giftest::GifBuilder;
using namespace GIFDrawOption;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr COLORREF Ground = RGB(3, 140, 77);

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Frames of 4 x 4 pixels, each filled with one index, every frame with the
// given disposal and delay.
giftest::Bytes SolidFrames(const std::vector<int>& indices, int loops, int disposal, int delay) {
  GifBuilder gif;
  gif.Header(4, 4, 256);
  for (std::size_t i = 0; i < indices.size(); ++i) {
    if (i == 0 && loops >= 0) gif.Loop(loops);
    gif.GraphicControl(disposal, delay, 200);
    gif.Image(4, 4, std::vector<std::uint8_t>(16, std::uint8_t(indices[i])));
  }
  return gif.Trailer().Data();
}

struct TPaintCounts {
  int paints = 0;
  int loops = 0;
  int ends = 0;
  std::vector<int> frames;
  bool offThread = false;
};

void CountPaints(TGIFImage& image, TPaintCounts& counts) {
  const DWORD gui = GetCurrentThreadId();
  image.OnAfterPaint = [&counts, gui](TGIFPainter& painter) {
    ++counts.paints;
    counts.frames.push_back(painter.ActiveImage());
    if (GetCurrentThreadId() != gui) counts.offThread = true;
  };
  image.OnLoop = [&counts](TGIFPainter&) { ++counts.loops; };
  image.OnEndPaint = [&counts](TGIFPainter&) { ++counts.ends; };
}

// --- timing ---------------------------------------------------------------

TEST(GIFTiming, DelayRulesOfFrames) {
  auto image = gifdraw::LoadBytes(GifBuilder()
                                      .Header(2, 2, 4)
                                      .GraphicControl(0, 0)
                                      .Image(2, 2, {0, 0, 0, 0})
                                      .GraphicControl(0, 1)
                                      .Image(2, 2, {0, 0, 0, 0})
                                      .GraphicControl(0, 2)
                                      .Image(2, 2, {0, 0, 0, 0})
                                      .GraphicControl(0, 4)
                                      .Image(2, 2, {0, 0, 0, 0})
                                      .GraphicControl(0, 5000)
                                      .Image(2, 2, {0, 0, 0, 0})
                                      .Trailer()
                                      .Data());
  auto delay = [&](int frame, bool inThread) {
    return GIFFrameDelayUnits(image->Images()[frame].GraphicControlExtension(), inThread);
  };
  EXPECT_EQ(GIFFrameDelayUnits(nullptr, true), 10);
  EXPECT_EQ(delay(0, true), 10);
  EXPECT_EQ(delay(1, true), 3);
  EXPECT_EQ(delay(2, true), 3);
  EXPECT_EQ(delay(3, true), 4);
  EXPECT_EQ(delay(4, true), 5000);
  EXPECT_EQ(delay(4, false), 1000);
}

TEST(GIFTiming, WaitsFollowSpeedAndTakeOffHalfTheLateness) {
  TGIFFrameClock clock{1000, 48};
  EXPECT_EQ(clock.NextWait(4, 100, true, 1048), 48);  // on time: 4 x 12 ms
  EXPECT_EQ(clock.Carry, 48);
  EXPECT_EQ(clock.LastTime, 1048u);
  EXPECT_EQ(clock.NextWait(4, 100, true, 1048 + 48 + 20), 38);  // 20 ms late: 10 off
  TGIFFrameClock fast{0, 0};
  EXPECT_EQ(fast.NextWait(4, 200, true, 0), 24);
  EXPECT_EQ(fast.NextWait(3, 100, true, 24), 36);
  TGIFFrameClock slow{0, 0};
  EXPECT_EQ(slow.NextWait(10, 50, true, 0), 240);
  TGIFFrameClock paused{0, 0};
  EXPECT_EQ(paused.NextWait(4, 0, true, 0), -1);  // until stopped
  EXPECT_EQ(paused.NextWait(4, -5, true, 0), -1);
  EXPECT_EQ(paused.NextWait(4, 0, false, 0), 12000);
  // Far behind: no wait at all, the frames catch up.
  TGIFFrameClock behind{0, 48};
  EXPECT_LT(behind.NextWait(4, 100, true, 2000), 0);
}

// --- the logo in a window ---------------------------------------------------

TEST(GIFAnimation, LogoAnimatesOnItsPainterThreadAtItsFrameDelays) {
  gifdraw::TPictureWindow window(60, 25);
  auto logo = gifdraw::LoadResource(L"logo.gif");
  ASSERT_EQ(logo->Images().Count(), 29);
  TGIFImage* image = logo.get();
  TPaintCounts counts;
  CountPaints(*image, counts);
  int changes = 0;
  auto repaint = window.Box().Picture().OnChange;
  window.Box().SetGraphic(std::move(logo));
  window.Box().Picture().OnChange = [&](TPicture& p) {
    ++changes;
    repaint(p);
  };
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return counts.paints > 0; }, 3s));
  ASSERT_NE(GIFDrawPainter(*image), nullptr);
  EXPECT_NE(GIFDrawPainter(*image)->ThreadID(), GetCurrentThreadId());
  auto before = window.Snapshot();

  const int startPaints = counts.paints;
  const auto start = Clock::now();
  gifdraw::PumpFor(1000ms);
  const double seconds = MillisecondsSince(start) / 1000;
  const double fps = (counts.paints - startPaints) / seconds;
  std::printf("[ logo ] %.1f frames per second (48 ms per frame is %.1f)\n", fps, 1000.0 / 48);
  EXPECT_GT(fps, 12.0);
  EXPECT_LT(fps, 26.0);
  EXPECT_FALSE(counts.offThread) << "event hooks run on the GUI thread";
  EXPECT_GT(changes, 10) << "each frame changes the picture the box shows";
  // Frames follow each other in order.
  for (std::size_t i = 1; i < counts.frames.size(); ++i) ASSERT_EQ(counts.frames[i], (counts.frames[i - 1] + 1) % 29);

  // What the box paints follows the animation.
  bool differs = false;
  for (int attempt = 0; attempt < 10 && !differs; ++attempt) {
    gifdraw::PumpFor(60ms);
    auto now = window.Snapshot();
    for (int y = 0; y < 25 && !differs; ++y)
      for (int x = 0; x < 60 && !differs; ++x)
        differs = gifdraw::PixelOf(*before, x, y) != gifdraw::PixelOf(*now, x, y);
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(GIFPainterCount(*image), 1) << "one painter, however often the box repaints";
}

TEST(GIFAnimation, LogoSleepsBetweenFramesAndKeepsItsGdiObjects) {
  gifdraw::TPictureWindow window(60, 25);
  auto logo = gifdraw::LoadResource(L"logo.gif");
  TGIFImage* image = logo.get();
  int frames = 0;
  window.Box().SetGraphic(std::move(logo));
  auto repaint = window.Box().Picture().OnChange;
  window.Box().Picture().OnChange = [&](TPicture& p) {
    ++frames;
    repaint(p);
  };
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return frames > 30; }, 5s));  // one loop: every frame rendered
  const DWORD gdi = gifdraw::GdiObjectCount();
  const double cpu = gifdraw::ProcessCpuMilliseconds();
  const int startFrames = frames;
  const auto start = Clock::now();
  gifdraw::PumpFor(3000ms);
  const double wall = MillisecondsSince(start);
  const double used = gifdraw::ProcessCpuMilliseconds() - cpu;
  std::printf("[ logo ] %.1f frames per second, CPU %.1f%% of one core over %.0f ms\n",
              (frames - startFrames) * 1000.0 / wall, used * 100 / wall, wall);
  EXPECT_LT(used, wall * 0.25) << "the painter must sleep between frames";
  EXPECT_GT(frames - startFrames, 35);
  EXPECT_LE(gifdraw::GdiObjectCount(), gdi + 2) << "GDI objects stay flat over the loops";
  EXPECT_EQ(GIFPainterCount(*image), 1);
  image->Clear();  // stops the painter
  EXPECT_EQ(GIFPainterCount(*image), 0);
}

TEST(GIFAnimation, ManyLoopsKeepGdiObjectsFlat) {
  auto logo = gifdraw::LoadResource(L"logo.gif");
  logo->AnimationSpeed = 1000;  // 4.8 ms a frame: a loop in about 140 ms
  int loops = 0;
  logo->OnLoop = [&](TGIFPainter&) { ++loops; };
  auto canvas = gifdraw::FilledBitmap(60, 25, Ground);
  logo->Draw(canvas->Canvas(), TRect{0, 0, 60, 25});
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return loops >= 2; }, 5s));
  const DWORD gdi = gifdraw::GdiObjectCount();
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return loops >= 12; }, 10s));
  EXPECT_LE(gifdraw::GdiObjectCount(), gdi + 1);
  EXPECT_GE(gifdraw::GdiObjectCount() + 1, gdi);
}

TEST(GIFAnimation, RepeatedCreateAndDestroyKeepsGdiObjectsFlat) {
  gifdraw::TPictureWindow window(60, 25);
  const auto bytes = gifdraw::ResourceBytes(L"logo.gif");
  auto cycle = [&] {
    auto logo = gifdraw::LoadBytes(bytes);
    int paints = 0;
    logo->OnAfterPaint = [&](TGIFPainter&) { ++paints; };
    window.Box().SetGraphic(std::move(logo));
    ASSERT_TRUE(gifdraw::PumpUntil([&] { return paints >= 3; }, 3s));
    window.Box().SetGraphic(nullptr);
    gifdraw::PumpFor(10ms);
  };
  cycle();
  cycle();
  const DWORD gdi = gifdraw::GdiObjectCount();
  for (int i = 0; i < 15; ++i) cycle();
  EXPECT_LE(gifdraw::GdiObjectCount(), gdi + 2);
}

// --- stopping -----------------------------------------------------------------

TEST(GIFAnimation, LoadingAgainStopsThePainterWhileTheGuiThreadWasBusy) {
  gifdraw::TPictureWindow window(60, 25);
  const auto bytes = gifdraw::ResourceBytes(L"logo.gif");
  auto logo = gifdraw::LoadBytes(bytes);
  TGIFImage* image = logo.get();
  int paints = 0;
  image->OnAfterPaint = [&](TGIFPainter&) { ++paints; };
  window.Box().SetGraphic(std::move(logo));
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return paints >= 2; }, 3s));
  // The GUI thread does something else: the painter ends up waiting for it.
  Sleep(300);
  const auto start = Clock::now();
  TMemoryStream stream(bytes);
  image->LoadFromStream(stream);
  EXPECT_LT(MillisecondsSince(start), 500);
  EXPECT_EQ(GIFPainterCount(*image), 0);
  EXPECT_EQ(GIFDrawPainter(*image), nullptr);
  EXPECT_EQ(ImageRender(*image).Bitmap, nullptr);
  // Drawn again, it animates again.
  const int before = paints;
  InvalidateRect(window.Box().Handle(), nullptr, FALSE);
  EXPECT_TRUE(gifdraw::PumpUntil([&] { return paints > before + 2; }, 3s));
}

TEST(GIFAnimation, ClosingWhileTheLogoAnimatesReturnsQuickly) {
  // The main window's close handler takes the picture away; a window that
  // goes without that frees the picture with its box. Either way the GUI
  // thread stops the painter and waits for it, also when the painter is
  // waiting for the GUI thread right then.
  for (bool handler : {true, false}) {
    for (bool busy : {false, true}) {
      SCOPED_TRACE(std::string(handler ? "close handler" : "box destroyed") + (busy ? ", after a busy spell" : ""));
      gifdraw::TPictureWindow window(60, 25);
      auto logo = gifdraw::LoadResource(L"logo.gif");
      int paints = 0;
      logo->OnAfterPaint = [&](TGIFPainter&) { ++paints; };
      window.Box().SetGraphic(std::move(logo));
      ASSERT_TRUE(gifdraw::PumpUntil([&] { return paints >= 3; }, 3s));
      if (busy) Sleep(200);
      const auto start = Clock::now();
      if (handler)
        window.Box().SetGraphic(nullptr);
      else
        window.Close();
      EXPECT_LT(MillisecondsSince(start), 300);
      gifdraw::PumpFor(20ms);
    }
  }
}

TEST(GIFAnimation, StoppingFromInsideAPaintHookDoesNotDeadlock) {
  auto image = gifdraw::LoadResource(L"logo.gif");
  image->AnimationSpeed = 400;
  bool stopped = false;
  image->OnPaint = [&](TGIFPainter& painter) {
    if (painter.ActiveImage() == 3 && !stopped) {
      StopAllPainters(*image);  // the painter waits for this very call
      stopped = true;
    }
  };
  auto canvas = gifdraw::FilledBitmap(60, 25, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 60, 25});
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return stopped; }, 3s));
  EXPECT_EQ(GIFPainterCount(*image), 0);
  gifdraw::PumpFor(50ms);  // the let-go painter ends and frees itself
  image.reset();
  gifdraw::PumpFor(20ms);
}

TEST(GIFAnimation, PaintingOnTheSameTargetAgainOnlyCopiesTheBitmap) {
  auto image = gifdraw::LoadResource(L"logo.gif");
  auto canvas = gifdraw::FilledBitmap(60, 25, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 60, 25});
  TGIFPainter* painter = GIFDrawPainter(*image);
  ASSERT_NE(painter, nullptr);
  TBitmap* bitmap = ImageRender(*image).Bitmap.get();
  for (int i = 0; i < 5; ++i) {
    gifdraw::PumpFor(20ms);
    image->Draw(canvas->Canvas(), TRect{0, 0, 60, 25});
  }
  EXPECT_EQ(GIFDrawPainter(*image), painter);
  EXPECT_EQ(GIFPainterCount(*image), 1);
  EXPECT_EQ(ImageRender(*image).Bitmap.get(), bitmap);
}

// --- sequences ------------------------------------------------------------------

TEST(GIFAnimation, LoopCountPlaysTheFramesThatOftenAndStopsOnTheLast) {
  auto image = gifdraw::LoadBytes(SolidFrames({10, 20, 30}, 3, 1, 1));
  image->AnimationSpeed = 1000;
  TPaintCounts counts;
  CountPaints(*image, counts);
  auto canvas = gifdraw::FilledBitmap(4, 4, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 4, 4});
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return GIFPainterCount(*image) == 0; }, 5s));
  EXPECT_EQ(counts.frames, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(counts.loops, 2);
  EXPECT_EQ(counts.ends, 1);
  // The picture stays on its last frame.
  TBitmap* bitmap = ImageRender(*image).Bitmap.get();
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(gifdraw::PixelOf(*bitmap, 1, 1), gifdraw::BuilderColor(30));
  image->Draw(canvas->Canvas(), TRect{0, 0, 4, 4});
  EXPECT_EQ(gifdraw::PixelOf(*canvas, 2, 2), gifdraw::BuilderColor(30));
  EXPECT_EQ(GIFPainterCount(*image), 0);
}

TEST(GIFAnimation, WithoutLoopExtensionTheFramesPlayOnce) {
  auto image = gifdraw::LoadBytes(SolidFrames({10, 20, 30}, -1, 1, 1));
  image->AnimationSpeed = 1000;
  TPaintCounts counts;
  CountPaints(*image, counts);
  auto canvas = gifdraw::FilledBitmap(4, 4, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 4, 4});
  ASSERT_TRUE(gifdraw::PumpUntil([&] { return GIFPainterCount(*image) == 0; }, 5s));
  EXPECT_EQ(counts.frames, (std::vector<int>{0, 1, 2}));
}

TEST(GIFAnimation, SpeedZeroShowsTheFirstFrameAndWaitsUntilStopped) {
  auto image = gifdraw::LoadBytes(SolidFrames({10, 20, 30}, 0, 1, 1));
  image->AnimationSpeed = 0;
  TPaintCounts counts;
  CountPaints(*image, counts);
  auto canvas = gifdraw::FilledBitmap(4, 4, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 4, 4});
  gifdraw::PumpFor(300ms);
  EXPECT_EQ(counts.paints, 1);
  const auto start = Clock::now();
  StopAllPainters(*image);
  EXPECT_LT(MillisecondsSince(start), 300);
  EXPECT_EQ(GIFPainterCount(*image), 0);
}

// Runs the whole animation inside the draw call and returns the colour of
// the internal bitmap's pixel (1, 1) at its end.
COLORREF FinalColour(const giftest::Bytes& gif) {
  auto image = gifdraw::LoadBytes(gif);
  image->DrawOptions &= TGIFDrawOptions(~PaintInThread);
  auto canvas = gifdraw::FilledBitmap(4, 4, Ground);
  image->Draw(canvas->Canvas(), TRect{0, 0, 4, 4});
  EXPECT_EQ(GIFPainterCount(*image), 0);
  TBitmap* bitmap = ImageRender(*image).Bitmap.get();
  return bitmap ? gifdraw::PixelOf(*bitmap, 1, 1) : CLR_INVALID;
}

giftest::Bytes TwoFrames(int firstDisposal, int firstIndex, int secondDisposal, int secondIndex) {
  return GifBuilder()
      .Header(4, 4, 256)
      .GraphicControl(firstDisposal, 1, 200)
      .Image(4, 4, std::vector<std::uint8_t>(16, std::uint8_t(firstIndex)))
      .GraphicControl(secondDisposal, 1, 200)
      .Image(4, 4, std::vector<std::uint8_t>(16, std::uint8_t(secondIndex)))
      .Trailer()
      .Data();
}

TEST(GIFAnimation, DisposalDecidesWhatTheNextFrameShowsThrough) {
  // The second frame is all transparent: what shows is what the first left.
  EXPECT_EQ(FinalColour(TwoFrames(1, 10, 1, 200)), gifdraw::BuilderColor(10));  // left in place
  EXPECT_EQ(FinalColour(TwoFrames(2, 10, 1, 200)), Ground);                     // back to the background
}

TEST(GIFAnimation, FramesWithDisposalFourOrMoreAreNotDrawn) {
  // The last frame restores nothing (it is transparent) but makes the
  // painter composite, as pictures with disposal 2 do.
  const auto gif = GifBuilder()
                       .Header(4, 4, 256)
                       .GraphicControl(1, 1, 200)
                       .Image(4, 4, std::vector<std::uint8_t>(16, 10))
                       .GraphicControl(4, 1, 200)
                       .Image(4, 4, std::vector<std::uint8_t>(16, 20))
                       .GraphicControl(2, 1, 200)
                       .Image(4, 4, std::vector<std::uint8_t>(16, 200))
                       .Trailer()
                       .Data();
  EXPECT_EQ(FinalColour(gif), gifdraw::BuilderColor(10));
}

TEST(GIFAnimation, DisposalThreeAfterOneLeavesTheBackupUntouched) {
  // Frame 1 is painted straight onto the target; frame 2 (transparent)
  // shows the backup, which still holds frame 0.
  const auto gif = GifBuilder()
                       .Header(4, 4, 256)
                       .GraphicControl(1, 1, 200)
                       .Image(4, 4, std::vector<std::uint8_t>(16, 10))
                       .GraphicControl(3, 1, 200)
                       .Image(4, 4, std::vector<std::uint8_t>(16, 20))
                       .GraphicControl(1, 1, 200)
                       .Image(4, 4, std::vector<std::uint8_t>(16, 200))
                       .Trailer()
                       .Data();
  EXPECT_EQ(FinalColour(gif), gifdraw::BuilderColor(10));
}

}  // namespace
