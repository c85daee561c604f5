// The progress throttle: one report per 500 ms at most, only on a changed
// percentage, with the band of rows decoded since the last report.
#include <gtest/gtest.h>

#include "pictures/jpeg/JPEGProgress.h"

namespace {

struct TReport {
  int percent;
  TRect band;
  bool redraw;
};

TJPEGPassState Decoding(long counter, long limit, int scanline, int completed = 0, int total = 1) {
  TJPEGPassState s;
  s.PassCounter = counter;
  s.PassLimit = limit;
  s.CompletedPasses = completed;
  s.TotalPasses = total;
  s.Decompressing = true;
  s.OutputScanline = scanline;
  s.OutputHeight = 100;
  s.OutputWidth = 80;
  return s;
}

}  // namespace

TEST(JPEGProgress, ThrottlesByTimeAndPercent) {
  std::uint32_t now = 1000;
  std::vector<TReport> reports;
  TJPEGProgressMonitor monitor(
      [&](TJPEGProgressStage stage, int percent, const TRect& band, bool redraw) {
        EXPECT_EQ(stage, TJPEGProgressStage::Running);
        reports.push_back({percent, band, redraw});
      },
      [&] { return now; });

  monitor.Update(Decoding(10, 100, 10));  // first call only starts the clock
  EXPECT_TRUE(reports.empty());
  now += 499;
  monitor.Update(Decoding(20, 100, 20));
  EXPECT_TRUE(reports.empty());
  now += 1;
  monitor.Update(Decoding(20, 100, 20));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].percent, 20);
  EXPECT_EQ(reports[0].band, (TRect{0, 0, 80, 20}));
  EXPECT_TRUE(reports[0].redraw);

  now += 600;
  monitor.Update(Decoding(20, 100, 21));  // same percent: nothing
  EXPECT_EQ(reports.size(), 1u);
  now += 600;
  monitor.Update(Decoding(22, 100, 22));
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1].band, (TRect{0, 20, 80, 22}));
  EXPECT_FALSE(reports[1].redraw);  // two rows are not worth a repaint
}

TEST(JPEGProgress, PercentCountsPassesAndBandWrapsAtANewPass) {
  std::uint32_t now = 0;
  std::vector<TReport> reports;
  TJPEGProgressMonitor monitor(
      [&](TJPEGProgressStage, int percent, const TRect& band, bool redraw) {
        reports.push_back({percent, band, redraw});
      },
      [&] { return now += 500; });
  monitor.Update(Decoding(0, 10, 0, 0, 3));
  monitor.Update(Decoding(9, 10, 90, 0, 3));  // (0.9 + 0) / 3 -> 30
  monitor.Update(Decoding(5, 10, 40, 1, 3));  // (0.5 + 1) / 3 -> 50, new pass from the top
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].percent, 30);
  EXPECT_EQ(reports[1].percent, 50);
  EXPECT_EQ(reports[1].band, (TRect{0, 90, 80, 100}));

  TJPEGPassState encoding;
  encoding.PassCounter = 3;
  encoding.PassLimit = 4;
  encoding.TotalPasses = 1;
  monitor.Update(encoding);
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[2].percent, 75);
  EXPECT_EQ(reports[2].band, TRect{});
  EXPECT_FALSE(reports[2].redraw);
}

TEST(JPEGProgress, BrokenPassCountsDoNotDivideByZero) {
  std::uint32_t now = 0;
  int calls = 0;
  TJPEGProgressMonitor monitor([&](TJPEGProgressStage, int, const TRect&, bool) { ++calls; },
                               [&] { return now += 1000; });
  monitor.Update(Decoding(5, 0, 1, 0, 0));
  monitor.Update(Decoding(5, 0, 1, 0, 0));
  EXPECT_EQ(calls, 0);  // percent stays 0
}
