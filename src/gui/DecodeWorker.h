#pragma once
// Decodes pictures on a thread of its own, so that a window never waits for
// a large photo. The GUI thread asks for "this file, for a box of this
// size"; the worker loads it with the loader it was given and hands the
// result to the GUI thread through Synchronize.
//
// Only the newest request counts: a request that another one overtakes
// before its result was handed over is dropped (not started, or its result
// freed on the worker), so a quick run through many files decodes at most
// the one in progress and the last one. Cancel drops the pending one too.
// A decode that is dropped while it runs is called off (gui/Cancel.h): the
// picture readers stop at their next cancellation point, so neither the
// next request nor a window that closes waits for a large file to finish.
//
//   worker.Request(L"C:\\a.jpg", 160, 120, [](TDecodeResult& r) { show(r); });
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class TPicture;
class TDecodeThread;

struct TDecodeResult {
  std::wstring FileName;
  // The loaded picture, ready to draw; null when it failed.
  std::unique_ptr<TPicture> Picture;
  // The picture's own size, whatever size the loader decoded it at.
  SIZE FullSize{};
  // Why it failed ("The file cannot be found.", the picture's error text).
  std::wstring Error;
};

class TDecodeWorker {
 public:
  // Runs on the worker: loads fileName for a box of the given size, fills
  // fullSize, and raises the picture's error for a file it cannot read.
  using TLoader = std::function<std::unique_ptr<TPicture>(const std::wstring& fileName, int boxWidth, int boxHeight,
                                                          SIZE& fullSize)>;
  // Runs on the GUI thread with the result of the newest request; it may
  // take the picture out of the result.
  using TDelivery = std::function<void(TDecodeResult& result)>;

  // Made on the GUI thread. The thread starts with the first request.
  explicit TDecodeWorker(TLoader loader);
  // Calls off the decode in progress, stops the thread and waits for it; a
  // result not yet handed over is freed.
  ~TDecodeWorker();
  TDecodeWorker(const TDecodeWorker&) = delete;
  TDecodeWorker& operator=(const TDecodeWorker&) = delete;

  // Asks for a decode; every earlier request that has not been delivered yet
  // is dropped. Raises std::system_error when no thread can be made.
  void Request(const std::wstring& fileName, int boxWidth, int boxHeight, TDelivery delivery);
  // Drops the pending request and calls off its decode: nothing is
  // delivered until the next one.
  void Cancel();
  // A request was made and its result has not been delivered yet.
  bool Pending() const;

  // The text shown for a file that is not there.
  static constexpr const wchar_t* kFileNotFound = L"The file cannot be found.";

 private:
  std::unique_ptr<TDecodeThread> thread_;
  TLoader loader_;
};
