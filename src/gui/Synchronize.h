#pragma once
// Calls handed from worker threads to the GUI thread. A worker queues its
// call and waits; the GUI thread runs the queued calls when a hidden
// message-only window receives the notice that comes with each call (any
// message loop dispatches it, modal ones included), or whenever code on the
// GUI thread asks for them with CheckSynchronize.
//
// The GUI thread must never block on a worker without running queued calls:
// the worker may be waiting for the GUI thread at that very moment. Waits of
// the GUI thread for workers therefore go through WaitWithSynchronize.
//
//   // on a worker:
//   Synchronize([&] { canvas.CopyRect(...); }, stopEvent);
//   // on the GUI thread, waiting for the worker:
//   WaitWithSynchronize(threadHandle, INFINITE);
#include <windows.h>

#include <functional>

// Makes the calling thread the GUI thread (the first caller stays it) and
// creates the hidden window. TThread calls it when a thread object is made,
// so a program that makes its threads on the GUI thread never calls it.
void InitSynchronize();
bool IsGuiThread();

// Runs call on the GUI thread and waits until it has run. On the GUI thread
// (or when no GUI thread exists yet) it runs at once. When abort (an event,
// may be null) is signalled before the GUI thread has taken the call up, the
// call is withdrawn and false comes back; a call already running is waited
// for. An exception that call raises is raised again here.
bool Synchronize(const std::function<void()>& call, HANDLE abort = nullptr);

// Runs every queued call, on the GUI thread only. True when any ran.
bool CheckSynchronize();

// Signalled while calls are queued: a wait of the GUI thread includes it.
HANDLE SynchronizeEvent();

// Whether a call handed over by the thread with this id is running on the
// GUI thread right now (that thread cannot end before the call returns).
bool IsRunningSynchronizedCallOf(DWORD threadId);

// Waits for handle; on the GUI thread, queued calls run meanwhile. True when
// the handle was signalled, false after timeout milliseconds.
bool WaitWithSynchronize(HANDLE handle, DWORD timeout);
