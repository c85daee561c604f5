#pragma once
// The control library's application object. Created before any window, it
// holds the instance mutex, named after the program file, for the whole run
// and notes whether another copy of the same program file already had it.
#include <windows.h>

#include <string>

#include "gui/GdiObject.h"

class TControlApplication {
 public:
  TControlApplication();
  bool AnotherCopyRunning() const { return anotherCopy_; }

  // The mutex name for a program path: the file name (name and extension)
  // with the letters a to z turned into capitals.
  static std::string MutexName(const std::string& programPath);

 private:
  TKernelObjectOwner mutex_;
  bool anotherCopy_ = false;
};
