#include "gui/DecodeWorker.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <system_error>

#include "gui/Cancel.h"
#include "gui/GdiObject.h"
#include "gui/GraphicError.h"
#include "gui/Picture.h"
#include "gui/Stream.h"
#include "gui/Thread.h"

namespace {

struct TDecodeJob {
  std::wstring FileName;
  int BoxWidth = 0;
  int BoxHeight = 0;
  TDecodeWorker::TDelivery Delivery;
  unsigned Generation = 0;
  // Set once the request is no longer wanted; the loader stops at its next
  // cancellation point.
  std::shared_ptr<TCancelFlag> Cancel = std::make_shared<TCancelFlag>();
};

}  // namespace

class TDecodeThread : public TThread {
 public:
  explicit TDecodeThread(TDecodeWorker::TLoader loader)
      : loader_(std::move(loader)), wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
    if (!wake_) throw std::system_error(int(GetLastError()), std::system_category(), "CreateEvent");
    // The window that asked keeps answering while a photo decodes.
    SetPriority(Lower);
  }

  // The members below are used by the running thread: it is stopped here,
  // before they go, not by the base class.
  ~TDecodeThread() override {
    // A hand-over that the wait below runs must not reach an owner that is
    // going away.
    Cancel();
    Terminate();
    SetEvent(wake_.get());
    WaitFor();
  }

  void Post(TDecodeJob job) {
    {
      std::lock_guard lock(mutex_);
      // The decode in progress is overtaken: it stops instead of running to
      // its end unseen.
      if (running_) running_->Set();
      job.Generation = ++generation_;
      pending_ = std::move(job);
      waiting_ = true;
    }
    if (!Started()) Start();
    SetEvent(wake_.get());
  }

  void Cancel() {
    std::lock_guard lock(mutex_);
    ++generation_;
    pending_.reset();
    if (running_) running_->Set();
    waiting_ = false;
  }

  bool Waiting() const { return waiting_.load(); }

 protected:
  void Execute() override {
    while (!Terminated()) {
      WaitForSingleObject(wake_.get(), INFINITE);
      while (!Terminated()) {
        std::optional<TDecodeJob> job;
        {
          std::lock_guard lock(mutex_);
          job.swap(pending_);
          running_ = job ? job->Cancel : nullptr;
        }
        if (!job) break;
        Run(*job);
        std::lock_guard lock(mutex_);
        running_.reset();
      }
    }
  }

 private:
  bool Current(unsigned generation) {
    std::lock_guard lock(mutex_);
    return generation == generation_;
  }

  void Run(TDecodeJob& job) {
    TDecodeResult result;
    result.FileName = job.FileName;
    const DWORD attributes = GetFileAttributesW(job.FileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      result.Error = TDecodeWorker::kFileNotFound;
    } else {
      try {
        TCancelScope scope(job.Cancel.get());
        result.Picture = loader_(job.FileName, job.BoxWidth, job.BoxHeight, result.FullSize);
      } catch (const std::exception& e) {
        result.Error = Utf8ToWide(GraphicErrorText(e));
      } catch (...) {
        result.Error = L"Unknown error";
      }
    }
    // Overtaken while it decoded: freed here, never shown.
    if (!Current(job.Generation)) return;
    try {
      Synchronize([&] {
        // Checked again on the GUI thread: a request made since the check
        // above wins.
        if (!Current(job.Generation)) return;
        waiting_ = false;
        if (job.Delivery) job.Delivery(result);
      });
    } catch (...) {
      // The window that asked failed to show it; the worker goes on serving
      // the next request.
    }
  }

  TDecodeWorker::TLoader loader_;
  TKernelObjectOwner wake_;
  std::mutex mutex_;
  std::optional<TDecodeJob> pending_;
  // The flag of the request being decoded now, if any.
  std::shared_ptr<TCancelFlag> running_;
  unsigned generation_ = 0;
  std::atomic<bool> waiting_{false};
};

TDecodeWorker::TDecodeWorker(TLoader loader) : loader_(std::move(loader)) {}

TDecodeWorker::~TDecodeWorker() = default;

void TDecodeWorker::Request(const std::wstring& fileName, int boxWidth, int boxHeight, TDelivery delivery) {
  if (!thread_) thread_ = std::make_unique<TDecodeThread>(loader_);
  thread_->Post(TDecodeJob{fileName, boxWidth, boxHeight, std::move(delivery), 0});
}

void TDecodeWorker::Cancel() {
  if (thread_) thread_->Cancel();
}

bool TDecodeWorker::Pending() const { return thread_ && thread_->Waiting(); }
