#include "gui/Thread.h"

#include <process.h>

#include <system_error>

#include "gui/Synchronize.h"

namespace {

int SystemPriority(int priority) {
  switch (priority) {
    case TThread::Idle:
      return THREAD_PRIORITY_IDLE;
    case TThread::Lowest:
      return THREAD_PRIORITY_LOWEST;
    case TThread::Lower:
      return THREAD_PRIORITY_BELOW_NORMAL;
    case TThread::Higher:
      return THREAD_PRIORITY_ABOVE_NORMAL;
    case TThread::Highest:
      return THREAD_PRIORITY_HIGHEST;
    case TThread::TimeCritical:
      return THREAD_PRIORITY_TIME_CRITICAL;
    default:
      return THREAD_PRIORITY_NORMAL;
  }
}

}  // namespace

TThread::TThread() : stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  if (!stop_) throw std::system_error(int(GetLastError()), std::system_category(), "CreateEvent");
  InitSynchronize();
}

TThread::~TThread() {
  if (handle_ && GetCurrentThreadId() != threadId_ && !finished_.load()) {
    Terminate();
    WaitFor();
  }
}

void TThread::Start() {
  if (started_) return;
  unsigned id = 0;
  const auto handle = _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id);
  if (handle == 0) throw std::system_error(errno, std::generic_category(), "_beginthreadex");
  handle_.reset(reinterpret_cast<HANDLE>(handle));
  threadId_ = id;
  started_ = true;
  SetThreadPriority(handle_.get(), SystemPriority(priority_));
  ResumeThread(handle_.get());
}

void TThread::Terminate() {
  terminated_.store(true);
  SetEvent(stop_.get());
}

void TThread::SetPriority(int priority) {
  priority_ = priority;
  if (handle_) SetThreadPriority(handle_.get(), SystemPriority(priority));
}

void TThread::WaitFor() {
  if (!handle_ || GetCurrentThreadId() == threadId_) return;
  WaitWithSynchronize(handle_.get(), INFINITE);
}

bool TThread::Synchronize(const std::function<void()>& call) {
  if (terminated_.load()) return false;
  return ::Synchronize(call, stop_.get());
}

unsigned __stdcall TThread::ThreadProc(void* param) {
  auto* self = static_cast<TThread*>(param);
  try {
    self->Execute();
  } catch (...) {
    self->fatal_ = std::current_exception();
  }
  self->Finish();
  return 0;
}

void TThread::Finish() {
  const bool freeSelf = FreeOnTerminate;
  // Not withdrawn by a stop: whoever stops the thread relies on this step.
  if (OnTerminate) {
    try {
      ::Synchronize([this] { OnTerminate(*this); });
    } catch (...) {
    }
  }
  finished_.store(true);
  if (freeSelf) delete this;
}
