#pragma once
// Calling off work that runs on another thread. Whoever asked for the work
// sets its flag; the work looks at the flag at its cancellation points (the
// picture readers: per block of data and per row of pixels) and stops there
// with EAbort, which whoever runs the work swallows. Portable.
//
// The flag of the work in progress belongs to the thread that runs it: the
// decode worker installs one for each request (TCancelScope), so the picture
// readers find it without every caller in between passing it on. Work on a
// thread without a flag cannot be called off.
#include <atomic>
#include <cstddef>

#include "gui/GraphicError.h"
#include "gui/Stream.h"

class TCancelFlag {
 public:
  // May be called from any thread.
  void Set() { set_.store(true, std::memory_order_relaxed); }
  bool IsSet() const { return set_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> set_{false};
};

// Makes flag the calling thread's flag while it lives.
class TCancelScope {
 public:
  explicit TCancelScope(const TCancelFlag* flag);
  ~TCancelScope();
  TCancelScope(const TCancelScope&) = delete;
  TCancelScope& operator=(const TCancelScope&) = delete;

 private:
  const TCancelFlag* outer_;
};

// The flag of the work the calling thread runs now; null when none. Readers
// take it once when they start, not at every cancellation point.
const TCancelFlag* CurrentCancelFlag();

// Raises EAbort when flag is set.
inline void CheckCancel(const TCancelFlag* flag) {
  if (flag && flag->IsSet()) throw EAbort();
}

// Reads up to count bytes in pieces of a megabyte, looking at flag between
// them; returns how many bytes came (fewer at the end of the stream).
std::size_t ReadCancellable(TStream& stream, void* buffer, std::size_t count, const TCancelFlag* flag);
