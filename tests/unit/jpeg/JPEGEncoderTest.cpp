// Compression: files libjpeg reads back, quality and progression settings,
// and an abort that leaves no file.
#include <gtest/gtest.h>

#include "JPEGTestImages.h"
#include "gui/Stream.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGEncoder.h"
#include "pictures/jpeg/JPEGError.h"

TEST(JPEGEncoder, QualityChangesTheSizeAndTheFileReadsBack) {
  const auto low = RampJPEG(120, 80, {20, false, false});
  const auto high = RampJPEG(120, 80, {98, false, false});
  EXPECT_LT(low.size(), high.size());
  ASSERT_GE(high.size(), 4u);
  EXPECT_EQ(high[0], 0xFF);
  EXPECT_EQ(high[1], 0xD8);
  EXPECT_EQ(high[high.size() - 2], 0xFF);
  EXPECT_EQ(high[high.size() - 1], 0xD9);
  const TJPEGHeader h = TJPEGDecoder::ReadHeader(high.data(), high.size());
  EXPECT_EQ(h.Width, 120);
  EXPECT_EQ(h.Height, 80);
}

TEST(JPEGEncoder, AbortStopsWithoutAnErrorAndEmptyImagesAreRefused) {
  std::vector<std::uint8_t> row(300 * 3, 128);
  TMemoryStream out;
  std::uint32_t now = 0;
  int rows = 0;
  const bool done = EncodeJPEG(
      300, 300,
      [&](int) {
        ++rows;
        return row.data();
      },
      {}, out,
      [](TJPEGProgressStage stage, int, const TRect&, bool) {
        if (stage == TJPEGProgressStage::Running) throw EAbort();
      },
      [&] { return now += 1000; });
  EXPECT_FALSE(done);
  EXPECT_LT(rows, 300);
  TMemoryStream none;
  EXPECT_THROW(EncodeJPEG(
                   0, 10, [&](int) { return row.data(); }, {}, none),
               EJPEG);
}
