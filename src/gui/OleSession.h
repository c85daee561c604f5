#pragma once
// OLE on the GUI thread, from Start until the session object goes: files
// dragged from Explorer reach the wallpaper grid through it. A thread where
// it cannot start runs on and takes no drops.
#include <ole2.h>
#include <windows.h>

class TOleSession {
 public:
  TOleSession() = default;
  ~TOleSession() {
    if (started_) OleUninitialize();
  }
  TOleSession(const TOleSession&) = delete;
  TOleSession& operator=(const TOleSession&) = delete;

  // Once per session; later calls change nothing.
  void Start() {
    if (!started_) started_ = SUCCEEDED(OleInitialize(nullptr));
  }
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};
