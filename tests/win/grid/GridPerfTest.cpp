// A list of 100,000 rows costs only its visible rows.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "GridTestSupport.h"

namespace {

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

TEST(GridLargeList, HundredThousandRowsAppendScrollAndPaintQuickly) {
  THostWindow& host = SharedHost();
  auto grid = MakeWallpaperGrid(host.Handle());
  int texts = 0;
  auto getText = grid->OnGetText;
  grid->OnGetText = [&](int row, int column) {
    ++texts;
    return getText(row, column);
  };
  TMemorySurface surface(551, 135);
  using clock = std::chrono::steady_clock;

  // Reference: painting the empty grid, in this run.
  auto start = clock::now();
  for (int i = 0; i < 20; ++i) PrintClient(*grid, surface);
  const double emptyPaint = Milliseconds(clock::now() - start) / 20;

  start = clock::now();
  for (int i = 0; i < 100000; ++i) grid->AppendRow(Entry(L"picture" + std::to_wstring(i) + L".jpg"));
  const double append = Milliseconds(clock::now() - start);

  start = clock::now();
  grid->SetFocusedRow(grid->RowCount() - 1);
  grid->SelectRow(grid->RowCount() - 1);
  PumpMessages();
  texts = 0;
  PrintClient(*grid, surface);
  const double scrollAndPaint = Milliseconds(clock::now() - start);

  EXPECT_GT(texts, 0);
  EXPECT_LE(texts, 3 * 8) << "only the visible rows are asked for";
  EXPECT_NE(grid->GetNodeAt(grid->ClientRect().bottom - 1), kNoRow);
  EXPECT_EQ(grid->GetNodeAt(grid->ClientRect().bottom - 1), 99999);

  start = clock::now();
  for (int i = 0; i < 20; ++i) PrintClient(*grid, surface);
  const double fullPaint = Milliseconds(clock::now() - start) / 20;

  start = clock::now();
  grid->DeleteRow(0);
  grid->UpdateLayout();
  const double deleteFirst = Milliseconds(clock::now() - start);

  std::printf("empty-grid paint %.3f ms; append 100000 rows %.1f ms; focus last + paint %.2f ms; "
              "paint at the end %.3f ms (%.1fx the empty paint); delete first row %.2f ms\n",
              emptyPaint, append, scrollAndPaint, fullPaint, fullPaint / std::max(emptyPaint, 1e-3), deleteFirst);
  EXPECT_LT(append + scrollAndPaint, 1500.0);
  EXPECT_EQ(grid->Data(0).FileName, L"picture1.jpg");
}

}  // namespace
