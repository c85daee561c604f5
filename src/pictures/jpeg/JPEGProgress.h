#pragma once
// Progress of a decode or an encode, as libjpeg reports it, thinned out for
// the picture's listeners: at most one report every 500 ms, and none when
// the percentage has not moved.
#include <cstdint>
#include <functional>

#include "gui/Cancel.h"
#include "pictures/jpeg/JPEGLib.h"
#include "pictures/jpeg/JPEGSettings.h"

struct TJPEGPassState {
  long PassCounter = 0;
  long PassLimit = 0;
  int CompletedPasses = 0;
  int TotalPasses = 0;
  bool Decompressing = false;
  int OutputScanline = 0;
  int OutputHeight = 0;
  int OutputWidth = 0;
};

// The most scans a file may have. libjpeg accepts any number of scans (empty
// or repeated ones only warn), and each costs a pass over the coefficients:
// a small file could keep a decode busy for minutes. 500 is libjpeg-turbo's
// own limit for its callers (TJFLAG_LIMITSCANS).
constexpr int MaxJPEGScans = 500;
// Raises EJPEG when cinfo has come to more scans than that.
void CheckJPEGScans(j_decompress_ptr cinfo);

class TJPEGProgressMonitor {
 public:
  // Milliseconds of a monotonic clock.
  using TClock = std::function<std::uint32_t()>;
  static constexpr std::uint32_t Interval = 500;

  // The decode or encode it watches can be called off through the cancel
  // flag of the thread that makes the monitor: libjpeg calls the hook once
  // per row group (and per row of blocks while it reads scans), and the
  // hook stops the work there with EAbort.
  explicit TJPEGProgressMonitor(TJPEGProgressHandler handler, TClock clock = {});

  void Update(const TJPEGPassState& state);
  // Raises EAbort when the work was called off.
  void CheckCancel() const { ::CheckCancel(cancel_); }
  // Installs the monitor as cinfo's progress hook (the monitor must outlive
  // the libjpeg object). The hook also enforces MaxJPEGScans.
  void Attach(j_common_ptr cinfo);

  // libjpeg's progress record, followed by the monitor it belongs to.
  struct THook {
    jpeg_progress_mgr pub;
    TJPEGProgressMonitor* monitor;
  };

 private:
  TJPEGProgressHandler handler_;
  TClock clock_;
  const TCancelFlag* cancel_ = CurrentCancelFlag();
  bool started_ = false;
  std::uint32_t lastTime_ = 0;
  int lastPercent_ = 0;
  int lastScanline_ = 0;
  THook hook_{};
};
