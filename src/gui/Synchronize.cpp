#include "gui/Synchronize.h"

#include <algorithm>
#include <atomic>
#include <deque>
#include <exception>
#include <mutex>
#include <vector>

#include "gui/GdiObject.h"

namespace {

constexpr UINT WM_RUN_QUEUED = WM_APP + 0x3A1;

// One call waiting for the GUI thread. It lives on the waiting worker's
// stack; the GUI thread touches it only under the state's lock or while the
// worker waits for it.
struct TQueuedCall {
  enum class TState { Pending, Running, Done };
  const std::function<void()>* call;
  DWORD thread;
  HANDLE done;
  TState state = TState::Pending;
  std::exception_ptr error;
};

struct TSyncState {
  std::mutex mutex;
  std::deque<TQueuedCall*> queue;
  // Threads whose calls run on the GUI thread now, innermost last.
  std::vector<DWORD> running;
  std::atomic<DWORD> guiThread{0};
  HWND window = nullptr;
  // Manual reset: signalled while the queue holds calls.
  TKernelObjectOwner queued{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

// Never freed: worker threads may still hand calls over while the program
// ends.
TSyncState& State() {
  static TSyncState* state = new TSyncState;
  return *state;
}

LRESULT CALLBACK SyncWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_RUN_QUEUED) {
    CheckSynchronize();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreateSyncWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = SyncWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = L"DvSynchronizeWindow";
  RegisterClassExW(&wc);
  return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

// The event of the calling worker that the GUI thread signals when its call
// has run. Auto reset, one per thread, closed when the thread ends.
HANDLE DoneEvent() {
  thread_local TKernelObjectOwner done(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  return done.get();
}

}  // namespace

void InitSynchronize() {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  if (s.guiThread.load() != 0) return;
  s.window = CreateSyncWindow();
  s.guiThread.store(GetCurrentThreadId());
}

bool IsGuiThread() { return State().guiThread.load() == GetCurrentThreadId(); }

HANDLE SynchronizeEvent() { return State().queued.get(); }

bool Synchronize(const std::function<void()>& call, HANDLE abort) {
  auto& s = State();
  const DWORD gui = s.guiThread.load();
  if (gui == 0 || gui == GetCurrentThreadId()) {
    call();
    return true;
  }
  TQueuedCall queued{&call, GetCurrentThreadId(), DoneEvent(), TQueuedCall::TState::Pending, nullptr};
  {
    std::lock_guard lock(s.mutex);
    s.queue.push_back(&queued);
    SetEvent(s.queued.get());
  }
  if (s.window) PostMessageW(s.window, WM_RUN_QUEUED, 0, 0);

  const HANDLE handles[2] = {queued.done, abort};
  const DWORD result = WaitForMultipleObjects(abort ? 2 : 1, handles, FALSE, INFINITE);
  if (result != WAIT_OBJECT_0) {
    {
      std::lock_guard lock(s.mutex);
      if (queued.state == TQueuedCall::TState::Pending) {
        std::erase(s.queue, &queued);
        if (s.queue.empty()) ResetEvent(s.queued.get());
        return false;
      }
    }
    // The GUI thread has the call in hand; it refers to this stack.
    WaitForSingleObject(queued.done, INFINITE);
  }
  if (queued.error) std::rethrow_exception(queued.error);
  return true;
}

bool CheckSynchronize() {
  if (!IsGuiThread()) return false;
  auto& s = State();
  bool any = false;
  for (;;) {
    TQueuedCall* queued = nullptr;
    {
      std::lock_guard lock(s.mutex);
      if (s.queue.empty()) {
        ResetEvent(s.queued.get());
        return any;
      }
      queued = s.queue.front();
      s.queue.pop_front();
      queued->state = TQueuedCall::TState::Running;
      s.running.push_back(queued->thread);
    }
    try {
      (*queued->call)();
    } catch (...) {
      queued->error = std::current_exception();
    }
    {
      std::lock_guard lock(s.mutex);
      s.running.pop_back();
      queued->state = TQueuedCall::TState::Done;
      SetEvent(queued->done);
    }
    any = true;
  }
}

bool IsRunningSynchronizedCallOf(DWORD threadId) {
  auto& s = State();
  std::lock_guard lock(s.mutex);
  return std::find(s.running.begin(), s.running.end(), threadId) != s.running.end();
}

bool WaitWithSynchronize(HANDLE handle, DWORD timeout) {
  if (!IsGuiThread()) return WaitForSingleObject(handle, timeout) == WAIT_OBJECT_0;
  const DWORD start = GetTickCount();
  for (;;) {
    CheckSynchronize();
    DWORD left = INFINITE;
    if (timeout != INFINITE) {
      const DWORD spent = GetTickCount() - start;
      left = spent >= timeout ? 0 : timeout - spent;
    }
    const HANDLE handles[2] = {handle, State().queued.get()};
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, left);
    if (result == WAIT_OBJECT_0) return true;
    if (result != WAIT_OBJECT_0 + 1) return false;
  }
}
