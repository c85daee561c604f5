#include "pictures/gif/GIFPainter.h"

#include <mmsystem.h>

#include <algorithm>
#include <mutex>
#include <set>

#include "gui/Synchronize.h"
#include "pictures/gif/GIFCompose.h"
#include "pictures/gif/GIFDrawFrame.h"
#include "pictures/gif/GIFDrawPalette.h"
#include "pictures/gif/GIFDrawRender.h"
#include "pictures/gif/GIFDrawSettings.h"
#include "pictures/gif/GIFDrawState.h"

using namespace GIFDrawOption;

namespace {

thread_local bool painterThread = false;

bool IsDeviceContext(HDC dc) {
  switch (GetObjectType(dc)) {
    case OBJ_DC:
    case OBJ_MEMDC:
    case OBJ_METADC:
    case OBJ_ENHMETADC:
      return true;
    default:
      return false;
  }
}

// The colour that areas of finished frames go back to when no background
// was captured.
TColor PainterBackgroundColor(const TGIFImage& image) {
  if (image.BackgroundColorOverride != TGIFImage::NoColor) return ColorToRGB(image.BackgroundColorOverride);
  if (image.Header().ColorMap().Count() == 0) return ColorToRGB(SystemColorFlag | COLOR_WINDOW);
  return image.BackgroundColor();
}

std::set<int> DisposalSet(const TGIFImage& image, TGIFDrawOptions options) {
  std::set<int> disposals;
  if (options & PaintClearOnLoop) disposals.insert(2);
  for (const auto& frame : image.Images())
    if (const auto* control = frame->GraphicControlExtension()) disposals.insert(control->Disposal());
  return disposals;
}

}  // namespace

bool InPainterThread() { return painterThread; }

TGIFPainter::TGIFPainter(TGIFImage& image, TGIFImageRender& state, TGIFPainter** slot, TCanvas& canvas,
                         const TRect& rect, TGIFDrawOptions options, HWND window)
    : image_(&image),
      state_(&state),
      canvas_(&canvas),
      window_(window),
      rect_(rect),
      options_(options),
      speed_(image.AnimationSpeed),
      slot_(slot) {
  FreeOnTerminate = InThread();
  OnTerminate = [this](TThread&) { TerminationStep(); };
  if ((options & PaintInThread) && (options & PaintAnimated) && image.Images().Count() > 1 && speed_ >= 0) {
    event_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!event_) throw std::system_error(int(GetLastError()), std::system_category(), "CreateEvent");
  }
  backgroundColor_ = PainterBackgroundColor(image);
  const std::set<int> disposals = DisposalSet(image, options);
  const TRect full{0, 0, rect.Width(), rect.Height()};
  // The buffers are the target's size; counted before they are made.
  const bool needsBackground = disposals.count(2) && (options & PaintTransparent);
  const bool needsBackup = disposals.count(2) || disposals.count(3);
  charge_ = TGIFDrawCharge(state, ((needsBackground ? 1 : 0) + (needsBackup ? 2 : 0)) *
                                      GIFBitmapBytes(rect.Width(), rect.Height(), 24));
  if (needsBackground) {
    background_ = MakeBuffer();
    background_->Canvas().CopyRect(full, canvas, rect);
  }
  if (needsBackup) {
    backup_ = MakeBuffer();
    backup_->Canvas().Brush = TBrush{backgroundColor_, TBrushStyle::Solid};
    backup_->Canvas().CopyRect(full, canvas, rect);
    frameBuffer_ = MakeBuffer();
    frameBuffer_->Canvas().Brush = TBrush{backgroundColor_, TBrushStyle::Solid};
  }
  if (window_) {
    // The caller's canvas lives only as long as its call.
    windowDC_ = std::make_unique<TWindowDC>(window_);
    windowCanvas_ = std::make_unique<TCanvas>(windowDC_->Get());
    canvas_ = windowCanvas_.get();
  }
  onStartPaint_ = image.OnStartPaint;
  onPaint_ = image.OnPaint;
  onAfterPaint_ = image.OnAfterPaint;
  onLoop_ = image.OnLoop;
  onEndPaint_ = image.OnEndPaint;
  if (slot_) *slot_ = this;
}

TGIFPainter::~TGIFPainter() {
  // A painter of its own thread had its step when the thread ended.
  if (!InThread()) TerminationStep();
}

std::unique_ptr<TBitmap> TGIFPainter::MakeBuffer() const {
  auto buffer = std::make_unique<TBitmap>(rect_.Width(), rect_.Height(), TPixelFormat::pf24bit);
  buffer->Canvas().CopyMode = SRCCOPY;
  return buffer;
}

void TGIFPainter::Start() {
  if (InThread()) TThread::Start();
}

void TGIFPainter::Stop() {
  Terminate();
  if (!InThread()) return;
  if (event_) SetEvent(event_.get());
  SetPriority(Normal);
  // A painter that never ran must still reach its termination step.
  TThread::Start();
}

void TGIFPainter::Detach() {
  Terminate();
  if (state_) {
    std::erase(state_->Painters, this);
    if (slot_ && *slot_ == this) *slot_ = nullptr;
  }
  image_ = nullptr;
  state_ = nullptr;
  slot_ = nullptr;
}

void TGIFPainter::TerminationStep() {
  if (state_) {
    std::lock_guard lock(state_->PaintersLock);
    if (slot_ && *slot_ == this) *slot_ = nullptr;
    std::erase(state_->Painters, this);
  }
  image_ = nullptr;
  state_ = nullptr;
  slot_ = nullptr;
  backup_.reset();
  frameBuffer_.reset();
  background_.reset();
  charge_.Release();
  event_.reset();
  if (windowCanvas_) {
    windowCanvas_->SetHandle(nullptr);
    windowDC_.reset();
  }
}

void TGIFPainter::Execute() {
  painterThread = true;
  Run();
}

void TGIFPainter::Run() {
  if (options_ & PaintCheckTarget) dc_ = canvas_->Handle();
  try {
    RunPasses();
  } catch (const std::exception&) {
    // Ends this painter only; it keeps what ended it.
    Terminate();
    kept_ = std::current_exception();
  }
}

void TGIFPainter::RunPasses() {
  restart_ = true;
  while (restart_ && !Terminated()) {
    activeImage_ = 0;
    Fire(onStartPaint_);
    started_ = false;
    restart_ = false;
    int loops = 1;
    int loopStart = 0;
    bool loopSeen = false;
    int delay = InThread() ? 0 : 1;
    oldDisposal_ = 1;
    clock_ = TGIFFrameClock{timeGetTime(), 0};
    while ((loops != 0 || (options_ & PaintLoopForever)) && !Terminated() && !restart_) {
      activeImage_ = loopStart;
      if (started_) Fire(onLoop_);
      while (!Terminated() && !restart_ && activeImage_ >= 0 && activeImage_ < image_->Images().Count()) {
        TGIFSubImage& frame = image_->Images()[activeImage_];
        if (frame.Empty()) break;
        WaitForFrame(delay);
        if (Terminated()) break;
        Fire(onPaint_);
        if (Terminated()) break;
        ReadFrameExtensions(frame, loops, loopStart, loopSeen);
        PaintFrame();
        oldDisposal_ = disposal_;
        if (Terminated()) break;
        delay = GIFFrameDelayUnits(frame.GraphicControlExtension(), InThread());
        const int painted = activeImage_;
        Fire(onAfterPaint_);
        if (Terminated()) break;
        if (activeImage_ == painted) ++activeImage_;
        if (!(options_ & PaintAnimated)) break;
      }
      if (loops > 0) --loops;
      if (!((options_ & PaintAnimated) && (options_ & PaintLooped))) break;
    }
  }
  activeImage_ = -1;
  Fire(onEndPaint_);
}

void TGIFPainter::ReadFrameExtensions(TGIFSubImage& frame, int& loops, int& loopStart, bool& loopSeen) {
  TGIFLoopState loop{loops, loopStart, loopSeen};
  disposal_ = GIFReadFrameExtensions(frame, activeImage_, InThread(), options_ & PaintLoopForever, loop);
  loops = loop.Loops;
  loopStart = loop.LoopStart;
  loopSeen = loop.LoopSeen;
}

void TGIFPainter::WaitForFrame(int& delay) {
  if (delay <= 0) {
    Sleep(0);
  } else {
    RenderAhead(image_->Images()[activeImage_]);
    if (Terminated()) return;
    delay = clock_.NextWait(delay, speed_, InThread(), timeGetTime());
  }
  if (InThread())
    WaitInThread(delay);
  else
    WaitWithMessages(delay);
}

void TGIFPainter::RenderAhead(TGIFSubImage& frame) {
  // The GUI thread may hold the lock while it draws; a painter told to stop
  // gives up instead of waiting for it.
  // The state is held for the call: the GUI thread may let the painter go
  // meanwhile.
  TGIFImageRender* state = state_;
  if (!state) return;
  const TGIFRenderUse use(*state);
  std::unique_lock lock(state->RenderLock, std::defer_lock);
  while (!lock.try_lock()) {
    if (Terminated()) return;
    Sleep(1);
  }
  GIFFrameBitmap(*state, frame);
}

void TGIFPainter::WaitInThread(int wait) {
  if (!event_ || (wait <= 0 && speed_ != 0)) return;
  const DWORD timeout = wait < 0 ? INFINITE : DWORD(wait);
  if (WaitForSingleObject(event_.get(), timeout) == WAIT_OBJECT_0) {
    clock_.Carry = 0;
    clock_.LastTime = timeGetTime();
  }
}

void TGIFPainter::WaitWithMessages(int wait) {
  int left = std::max(wait, 1);
  DWORD mark = timeGetTime();
  while (left > 0 && !Terminated() && !restart_) {
    Sleep(DWORD(left >= 100 ? 100 : left));
    const DWORD now = timeGetTime();
    left -= int(now - mark);
    mark = now;
    MSG msg;
    while (!Terminated() && !restart_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(int(msg.wParam));
        Terminate();
      } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
}

void TGIFPainter::Hand(const std::function<void()>& call) {
  if (Terminated()) return;
  if (InThread())
    Synchronize(call);
  else
    call();
}

void TGIFPainter::Fire(const TGIFPaintEvent& hook) {
  if (!hook) return;
  Hand([&] { hook(*this); });
}

void TGIFPainter::PaintFrame() {
  Hand([this] {
    // The picture may have let the painter go while the call waited.
    if (!image_ || Terminated()) return;
    if (backup_)
      CompositedPaint();
    else
      SimplePaint();
  });
}

bool TGIFPainter::TargetGone() const { return (options_ & PaintCheckTarget) && !IsDeviceContext(dc_); }

void TGIFPainter::SimplePaint() {
  if (activeImage_ < 0 || activeImage_ >= image_->Images().Count()) return;
  GIFFrameDraw(*state_, image_->Images()[activeImage_], *canvas_, rect_, options_ & PaintTiled,
               options_ & PaintTransparent);
  started_ = true;
}

void TGIFPainter::CompositedPaint() {
  if (TargetGone()) {
    Terminate();
    return;
  }
  if (activeImage_ < 0 || activeImage_ >= image_->Images().Count()) return;
  TGIFSubImage& frame = image_->Images()[activeImage_];
  const bool clearFirst = (options_ & PaintClearOnLoop) && activeImage_ == 0;
  const TRect full{0, 0, rect_.Width(), rect_.Height()};

  TCanvas* target = nullptr;
  TRect targetRect = full;
  bool show = false;
  bool viaFrameBuffer = false;
  switch (GIFPaintTargetOf(disposal_, oldDisposal_)) {
    case TGIFPaintTarget::Backup:
      target = &backup_->Canvas();
      show = true;
      break;
    case TGIFPaintTarget::Canvas:
      target = canvas_;
      targetRect = rect_;
      break;
    case TGIFPaintTarget::FrameBuffer:
      target = &frameBuffer_->Canvas();
      show = true;
      viaFrameBuffer = true;
      break;
    case TGIFPaintTarget::None:
      break;
  }

  {
    std::unique_ptr<TSelectPalette> palette;
    if (target) {
      HPALETTE framePalette = GIFFramePalette(*state_, frame);
      palette = std::make_unique<TSelectPalette>(
          target->Handle(), framePalette ? framePalette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)),
          false);
    }
    if (clearFirst) RestoreBackground();
    if (viaFrameBuffer) frameBuffer_->Canvas().CopyRect(full, backup_->Canvas(), full);
    if (target) {
      GIFFrameDraw(*state_, frame, *target, targetRect, options_ & PaintTiled, options_ & PaintTransparent);
      // Whoever watched the change may have let the painter go.
      if (Terminated()) return;
    }
    if (show) {
      canvas_->CopyMode = SRCCOPY;
      canvas_->CopyRect(rect_, *target, targetRect);
      if (Terminated()) return;
    }
  }
  if (disposal_ == 2) RestoreBackground();
  started_ = true;
}

void TGIFPainter::RestoreBackground() {
  if (activeImage_ < 0 || activeImage_ >= image_->Images().Count()) return;
  const TGIFSubImage& frame = image_->Images()[activeImage_];
  TCanvas& backup = backup_->Canvas();
  const int frameWidth = frame.Width();
  const int frameHeight = frame.Height();
  const bool tiled = options_ & PaintTiled;
  if (options_ & PaintTransparent) {
    if (!background_) return;
    TCanvas& background = background_->Canvas();
    if (tiled) {
      ForEachFrameTile(frame, rect_, [&](int x, int y) {
        const TRect tile{x, y, x + frameWidth, y + frameHeight};
        backup.CopyRect(tile, background, tile);
      });
    } else {
      const TRect area = GIFScaledFrameRect(frame, TRect{0, 0, rect_.Width(), rect_.Height()});
      backup.CopyRect(area, background, area);
    }
    return;
  }
  if (tiled && frameWidth != image_->GetWidth() && frameHeight != image_->GetHeight()) {
    // The picture's own background colour when it has one, else the one
    // the painter worked out.
    const TBrush saved = backup.Brush;
    if (image_->BackgroundColorOverride != TGIFImage::NoColor)
      backup.Brush = TBrush{image_->BackgroundColorOverride, TBrushStyle::Solid};
    ForEachFrameTile(frame, rect_, [&](int x, int y) {
      backup.FillRect(TRect{x, y, x + frameWidth, y + frameHeight});
    });
    backup.Brush = saved;
  } else {
    backup.FillRect(GIFScaledFrameRect(frame, rect_));
  }
}

TGIFPainter* CreatePainter(TGIFImage& image, TGIFPainter** slot, TCanvas& canvas, TGIFDrawOptions options,
                           const TRect& rect, HWND window) {
  if (image.GetEmpty() || rect.Left >= rect.Right || rect.Top >= rect.Bottom) {
    if (slot) *slot = nullptr;
    return nullptr;
  }
  if (image.Images().Count() == 1) options &= TGIFDrawOptions(~(PaintInThread | PaintAnimated));
  TGIFImageRender& state = ImageRender(image);
  auto painter = std::make_unique<TGIFPainter>(image, state, slot, canvas, rect, options, window);
  {
    std::lock_guard lock(state.PaintersLock);
    state.Painters.push_back(painter.get());
  }
  if (options & PaintInThread) {
    painter->SetPriority(image.ThreadPriority);
    return painter.release();
  }
  // The run may free the picture (see TGIFRenderUse); the state stays.
  const TGIFRenderUse use(state);
  painter->Run();
  const std::exception_ptr kept = painter->KeptException();
  painter.reset();
  if (slot && !state.Orphaned) *slot = nullptr;
  if (kept) std::rethrow_exception(kept);
  return nullptr;
}
