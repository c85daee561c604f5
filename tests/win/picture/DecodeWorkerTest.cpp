// The decode worker hands over only the newest request's result, and the
// thumbnail cache keeps the 64 shown last.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/DecodeWorker.h"
#include "gui/Picture.h"
#include "gui/Synchronize.h"
#include "list/ThumbnailCache.h"

namespace {

std::wstring TempFile(const wchar_t* name) {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  const std::wstring path = std::wstring(base) + name;
  TPicture picture;
  picture.SetGraphic(std::make_unique<TBitmap>(3, 2));
  picture.SaveToFile(path);
  return path;
}

// Runs handed-over calls until the worker has delivered.
void AwaitDelivery(const TDecodeWorker& worker) {
  const DWORD start = GetTickCount();
  while (worker.Pending() && GetTickCount() - start < 10000) {
    CheckSynchronize();
    MsgWaitForMultipleObjects(1, std::vector<HANDLE>{SynchronizeEvent()}.data(), FALSE, 20, QS_ALLINPUT);
  }
  CheckSynchronize();
}

TEST(DecodeWorker, ABurstDeliversOnlyTheLastRequestAndReportsFailures) {
  InitSynchronize();
  const std::wstring file = TempFile(L"dv-decode-worker.bmp");
  std::atomic<int> loads{0};
  TDecodeWorker worker([&](const std::wstring& name, int, int, SIZE& fullSize) {
    ++loads;
    Sleep(20);  // long enough for the burst to overtake it
    auto picture = std::make_unique<TPicture>();
    picture->LoadFromFile(name);
    fullSize = SIZE{picture->Width(), picture->Height()};
    return picture;
  });
  std::vector<int> delivered;
  SIZE size{};
  for (int i = 0; i < 30; ++i)
    worker.Request(file, 160, 120, [&, i](TDecodeResult& result) {
      delivered.push_back(i);
      size = result.FullSize;
      EXPECT_TRUE(result.Picture && result.Error.empty());
    });
  AwaitDelivery(worker);
  EXPECT_EQ(delivered, std::vector<int>{29});
  EXPECT_EQ(size.cx, 3);
  EXPECT_EQ(size.cy, 2);
  EXPECT_LE(loads.load(), 2) << "overtaken requests were decoded";

  std::wstring error;
  worker.Request(file + L".missing", 160, 120, [&](TDecodeResult& result) { error = result.Error; });
  AwaitDelivery(worker);
  EXPECT_EQ(error, L"The file cannot be found.");
  const std::wstring broken = file + L".bmp";
  {
    HANDLE out = CreateFileW(broken.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, "BMnonsense", 10, &written, nullptr);
    CloseHandle(out);
  }
  worker.Request(broken, 160, 120, [&](TDecodeResult& result) { error = result.Error; });
  AwaitDelivery(worker);
  EXPECT_EQ(error, L"Bitmap image is not valid");

  // A cancelled request never arrives.
  bool late = false;
  worker.Request(file, 160, 120, [&](TDecodeResult&) { late = true; });
  worker.Cancel();
  Sleep(100);
  CheckSynchronize();
  EXPECT_FALSE(late);
  DeleteFileW(file.c_str());
  DeleteFileW(broken.c_str());
}

TEST(ThumbnailCache, TheSixtyFifthEvictsTheOneShownLongestAgoAndFreesIt) {
  TThumbnailCache cache;
  std::vector<std::weak_ptr<const TThumbnail>> made;
  for (int i = 0; i < 64; ++i) {
    auto thumbnail = std::make_shared<TThumbnail>();
    made.push_back(thumbnail);
    cache.Add(L"f" + std::to_wstring(i), std::move(thumbnail));
  }
  // Shown again: now the most recent, so f1 is the oldest.
  EXPECT_NE(cache.Find(L"f0"), nullptr);
  cache.Add(L"f64", std::make_shared<TThumbnail>());
  EXPECT_EQ(cache.Count(), 64u);
  EXPECT_NE(cache.Find(L"f0"), nullptr);
  EXPECT_EQ(cache.Find(L"f1"), nullptr);
  EXPECT_TRUE(made[1].expired()) << "an evicted thumbnail stays allocated";
  EXPECT_NE(cache.Find(L"f2"), nullptr);
}

}  // namespace
