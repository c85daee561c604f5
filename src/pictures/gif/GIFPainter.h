#pragma once
// The painter that animates a GIF picture: it times the frames, waits on
// its wake event between them and renders the next frame ahead; every
// paint onto a canvas and every event hook runs on the GUI thread, handed
// over while the painter waits. Without PaintInThread the painter runs to
// its end inside the call that made it, processing messages while it
// waits.
//
// Painters are made by CreatePainter and listed with their picture. A
// painter that runs in its own thread frees itself when its thread ends,
// after its termination step has run on the GUI thread (it leaves the
// picture's list and clears its slot there).
#include <windows.h>

#include <exception>
#include <memory>

#include "gui/Bitmap.h"
#include "gui/Canvas.h"
#include "gui/GdiHandles.h"
#include "gui/GdiObject.h"
#include "gui/Thread.h"
#include "pictures/gif/GIFDrawState.h"
#include "pictures/gif/GIFImage.h"
#include "pictures/gif/GIFPaintTiming.h"

struct TGIFImageRender;

class TGIFPainter : public TThread {
 public:
  // Made through CreatePainter. Captures the target's area into the
  // background and backup bitmaps when the picture's disposals need them.
  // With a window, the painter paints on a device context of its own for
  // that window rather than on canvas, which it uses only while it is made.
  TGIFPainter(TGIFImage& image, TGIFImageRender& state, TGIFPainter** slot, TCanvas& canvas, const TRect& rect,
              TGIFDrawOptions options, HWND window = nullptr);
  ~TGIFPainter() override;

  // Runs the thread (PaintInThread); otherwise CreatePainter ran it.
  void Start();
  // Tells the painter to stop; a waiting painter wakes at once.
  void Stop();
  // The animation loop.
  void Run();

  // Null once the painter has left its picture.
  TGIFImage* Image() const { return image_; }
  TCanvas& Canvas() const { return *canvas_; }
  // The window the painter paints on by itself (PaintDirect), or null.
  HWND Window() const { return window_; }
  const TRect& Rect() const { return rect_; }
  TGIFDrawOptions DrawOptions() const { return options_; }
  bool InThread() const { return (options_ & GIFDrawOption::PaintInThread) != 0; }
  int AnimationSpeed() const { return speed_; }
  // The frame being shown (-1 when idle). Event hooks may move it.
  int ActiveImage() const { return activeImage_; }
  void SetActiveImage(int index) { activeImage_ = index; }
  int Disposal() const { return disposal_; }
  // A frame has been painted in this pass of the run.
  bool HasPainted() const { return started_; }
  // Restarts the sequence from frame 0.
  void Restart() { restart_ = true; }
  TColor BackgroundColor() const { return backgroundColor_; }
  bool HasBackupBuffer() const { return backup_ != nullptr; }
  bool HasBackground() const { return background_ != nullptr; }
  // The exception that ended the run, if any.
  std::exception_ptr KeptException() const { return kept_; }

  // Takes the painter out of its picture without waiting for it (the
  // picture goes away, or the painter cannot end before the caller
  // returns). Called with the painters list locked.
  void Detach();

 protected:
  void Execute() override;

 private:
  void RunPasses();
  // Waits before the active frame; renders it ahead first.
  void WaitForFrame(int& delay);
  void WaitInThread(int wait);
  void WaitWithMessages(int wait);
  void RenderAhead(TGIFSubImage& frame);
  void ReadFrameExtensions(TGIFSubImage& frame, int& loops, int& loopStart, bool& loopSeen);
  // Runs call on the GUI thread (in a thread) or at once; nothing once
  // terminated.
  void Hand(const std::function<void()>& call);
  void Fire(const TGIFPaintEvent& hook);
  void PaintFrame();
  void CompositedPaint();
  void SimplePaint();
  void RestoreBackground();
  bool TargetGone() const;
  std::unique_ptr<TBitmap> MakeBuffer() const;
  void TerminationStep();

  TGIFImage* image_;
  TGIFImageRender* state_;
  TCanvas* canvas_;
  HWND window_ = nullptr;
  // The device context and canvas of window_, released when the painter ends.
  std::unique_ptr<TWindowDC> windowDC_;
  std::unique_ptr<TCanvas> windowCanvas_;
  TRect rect_;
  TGIFDrawOptions options_;
  int speed_;
  int activeImage_ = -1;
  int disposal_ = 0;
  int oldDisposal_ = 0;
  std::unique_ptr<TBitmap> backup_;
  std::unique_ptr<TBitmap> frameBuffer_;
  std::unique_ptr<TBitmap> background_;
  TGIFDrawCharge charge_;
  HDC dc_ = nullptr;
  bool restart_ = false;
  bool started_ = false;
  TGIFPainter** slot_;
  TKernelObjectOwner event_;
  std::exception_ptr kept_;
  TColor backgroundColor_ = 0;
  TGIFFrameClock clock_;
  TGIFPaintEvent onStartPaint_;
  TGIFPaintEvent onPaint_;
  TGIFPaintEvent onAfterPaint_;
  TGIFPaintEvent onLoop_;
  TGIFPaintEvent onEndPaint_;
};

// Whether the calling thread is a painter's thread.
bool InPainterThread();

// Makes a painter for the picture that paints onto canvas in rect, lists it
// with the picture and stores it in slot (may be null). With PaintInThread
// the painter comes back for the caller to start. Otherwise it has run to
// its end already and null comes back; an exception that ended its run is
// raised here. Null also for an empty picture or rectangle.
TGIFPainter* CreatePainter(TGIFImage& image, TGIFPainter** slot, TCanvas& canvas, TGIFDrawOptions options,
                           const TRect& rect, HWND window = nullptr);
