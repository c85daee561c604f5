#pragma once
// The single-instance guard of the main window. In a second copy of the
// program it activates the first copy and asks this copy to end, before the
// main window's creation handler runs.
class TControlApplication;

enum class TOneInstanceMode { oiActivateOnly };

class TOneInstance {
 public:
  explicit TOneInstance(const TControlApplication& controlApplication) : controlApplication_(controlApplication) {}

  bool Enabled = true;
  TOneInstanceMode Mode = TOneInstanceMode::oiActivateOnly;

  // Runs after the window's components exist and before its creation
  // handler. Returns true when this copy is to end.
  bool Check();

 private:
  const TControlApplication& controlApplication_;
};
