#pragma once
// A worker thread of the GUI runtime. It is made suspended and runs Execute
// once started; Synchronize hands a call to the GUI thread and waits for it.
// When Execute has ended, OnTerminate runs on the GUI thread, and a thread
// with FreeOnTerminate then frees its own object.
//
// Stopping is cooperative: Terminate sets Terminated (which Execute tests
// between its steps) and withdraws any call of the thread that the GUI
// thread has not yet taken up, so a stopped thread never waits for the GUI
// thread to serve a call of its run.
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>

#include "gui/GdiObject.h"

class TThread {
 public:
  // Priorities as the runtime counts them.
  enum : int { Idle = 0, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

  TThread();
  // A thread that runs is told to stop and waited for; a thread with
  // FreeOnTerminate frees itself and is never destroyed by anyone else.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Starts the thread (once). Raises std::system_error when the system
  // cannot make a thread.
  void Start();
  bool Started() const { return started_; }
  // Tells the thread to stop.
  void Terminate();
  bool Terminated() const { return terminated_.load(); }
  // Execute has returned (OnTerminate may still be due).
  bool Finished() const { return finished_.load(); }

  int Priority() const { return priority_; }
  void SetPriority(int priority);

  // Waits until the thread has ended, running the GUI thread's queued calls
  // meanwhile when called there. Not for FreeOnTerminate threads.
  void WaitFor();

  DWORD ThreadID() const { return threadId_; }
  // Whatever ended Execute with an exception, or null.
  std::exception_ptr FatalException() const { return fatal_; }

  bool FreeOnTerminate = false;
  std::function<void(TThread& sender)> OnTerminate;

 protected:
  virtual void Execute() = 0;
  // Runs call on the GUI thread and waits for it. False, without running
  // it, once the thread has been told to stop.
  bool Synchronize(const std::function<void()>& call);

 private:
  static unsigned __stdcall ThreadProc(void* self);
  void Finish();

  TKernelObjectOwner handle_;
  // Manual reset, signalled by Terminate: withdraws pending hand-overs.
  TKernelObjectOwner stop_;
  DWORD threadId_ = 0;
  int priority_ = Normal;
  bool started_ = false;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr fatal_;
};
