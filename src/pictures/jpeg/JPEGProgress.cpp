#include "pictures/jpeg/JPEGProgress.h"

#include <chrono>
#include <string>

namespace {

std::uint32_t SteadyMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

extern "C" void ProgressHook(j_common_ptr cinfo);

}  // namespace

void CheckJPEGScans(j_decompress_ptr cinfo) {
  if (cinfo->input_scan_number > MaxJPEGScans)
    throw EJPEG("JPEG error: more than " + std::to_string(MaxJPEGScans) + " scans");
}

TJPEGProgressMonitor::TJPEGProgressMonitor(TJPEGProgressHandler handler, TClock clock)
    : handler_(std::move(handler)), clock_(clock ? std::move(clock) : TClock(SteadyMilliseconds)) {}

void TJPEGProgressMonitor::Attach(j_common_ptr cinfo) {
  hook_.pub.progress_monitor = ProgressHook;
  hook_.monitor = this;
  cinfo->progress = &hook_.pub;
}

void TJPEGProgressMonitor::Update(const TJPEGPassState& s) {
  if (!handler_) return;
  const std::uint32_t now = clock_();
  if (!started_) {
    started_ = true;
    lastTime_ = now;
    return;
  }
  if (now - lastTime_ < Interval) return;
  lastTime_ = now;

  TRect band;
  if (s.Decompressing) {
    band = TRect{0, lastScanline_, s.OutputWidth, s.OutputScanline};
    // A new output pass starts again at the top: the rest of the old pass
    // down to the bottom is what changed.
    if (band.Bottom < band.Top) band.Bottom = s.OutputHeight;
  }
  int percent = 0;
  if (s.PassLimit > 0 && s.TotalPasses > 0)
    percent =
        static_cast<int>((double(s.PassCounter) / double(s.PassLimit) + s.CompletedPasses) * 100.0 / s.TotalPasses);
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  if (s.Decompressing) lastScanline_ = s.OutputScanline;
  handler_(TJPEGProgressStage::Running, percent, band, band.Height() > 3);
}

namespace {

extern "C" void ProgressHook(j_common_ptr cinfo) {
  // libjpeg calls the hook while it reads scans, so the limit is kept here.
  if (cinfo->is_decompressor) CheckJPEGScans(reinterpret_cast<j_decompress_ptr>(cinfo));
  auto* hook = reinterpret_cast<TJPEGProgressMonitor::THook*>(cinfo->progress);
  if (!hook->monitor) return;
  hook->monitor->CheckCancel();
  TJPEGPassState s;
  s.PassCounter = cinfo->progress->pass_counter;
  s.PassLimit = cinfo->progress->pass_limit;
  s.CompletedPasses = cinfo->progress->completed_passes;
  s.TotalPasses = cinfo->progress->total_passes;
  s.Decompressing = cinfo->is_decompressor != 0;
  if (s.Decompressing) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    s.OutputScanline = int(d->output_scanline);
    s.OutputHeight = int(d->output_height);
    s.OutputWidth = int(d->output_width);
  }
  hook->monitor->Update(s);
}

}  // namespace
