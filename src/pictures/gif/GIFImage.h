#pragma once
// The GIF picture: a header with the logical screen and global colour map,
// and a list of frames with their extensions and LZW-decoded pixels.
// Reading is portable; drawing and animation live with the drawing code,
// which keeps its state in Render (here and on each frame).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/Cancel.h"
#include "gui/Color.h"
#include "gui/Graphic.h"
#include "pictures/gif/GIFAppExtension.h"
#include "pictures/gif/GIFColorMap.h"
#include "pictures/gif/GIFDrawOptions.h"
#include "pictures/gif/GIFException.h"
#include "pictures/gif/GIFExtension.h"
#include "pictures/gif/GIFGraphicControl.h"
#include "pictures/gif/GIFHeader.h"
#include "pictures/gif/GIFItem.h"
#include "pictures/gif/GIFRender.h"
#include "pictures/gif/GIFSubImage.h"
#include "pictures/gif/GIFTextExtensions.h"

class TGIFImage;
class TGIFPainter;

// sender is the item that found the problem (null for the picture itself).
using TGIFWarningEvent =
    std::function<void(TGIFImage& image, TGIFItem* sender, int severity, const std::string& message)>;
using TGIFPaintEvent = std::function<void(TGIFPainter& painter)>;

class TGIFImage : public TGraphic {
 public:
  // Progress stages as the picture system counts them.
  static constexpr int ProgressStarting = 0;
  static constexpr int ProgressRunning = 1;
  static constexpr int ProgressEnding = 2;
  // The memory one picture may take at most: the file's bytes, its pixels
  // and every block its parts are made of. A file larger than that is
  // refused before it is read ("Image is too large"); a picture that would
  // need more fails to load with "Invalid GIF data".
  static constexpr std::size_t DefaultMemoryLimit = PictureMemoryLimit;
  // The framework's "no colour" value.
  static constexpr TColor NoColor = 0x1FFFFFFF;

  TGIFImage();
  ~TGIFImage() override;

  // Replaces the picture by the GIF data at the stream's position. The rest
  // of the stream is read into memory at once and the picture is read from
  // there, so a file is never searched back and forth. On an error the
  // stream is put back where it was and GIFException propagates; the frames
  // read completely until then stay. A decode called off through the
  // thread's cancel flag (gui/Cancel.h) stops with EAbort within one block
  // of data or one row of pixels.
  void LoadFromStream(TStream& stream) override;
  // Writes the GIF data as it was loaded.
  void SaveToStream(TStream& stream) override;
  // Lets the data as loaded go; SaveToStream then writes nothing.
  void ReleaseSource();
  int GetWidth() const override { return header_.Width(); }
  int GetHeight() const override { return header_.Height(); }
  bool GetEmpty() const override { return images_.Count() == 0; }
  // Defined with the drawing code.
  void Draw(TCanvas& canvas, const TRect& rect) override;
  // True while an animation shows through the internal bitmap, which holds
  // the frame over what lay beneath the picture.
  bool DrawsOpaque() const override;
  // The picture's palette (cached by the drawing code). Raises
  // GIFException when neither the global map nor frame 0 has colours.
  TPaletteHandle GetPalette() const override;

  // Reports a recoverable problem to OnWarning, if installed.
  virtual void Warning(TGIFItem* sender, int severity, const std::string& message);
  // Reports progress (stage as above, percent) to the picture system.
  void ReportProgress(int stage, int percent) { Progress(stage, percent, false); }

  // Drops the drawing state (stopping painters), the frames, the global
  // colour map and the screen size.
  void Clear();

  TGIFHeader& Header() { return header_; }
  const TGIFHeader& Header() const { return header_; }
  TGIFImageList& Images() { return images_; }
  const TGIFImageList& Images() const { return images_; }
  // "89a" when anything needs it, else "87a".
  std::string Version() const;
  // The colour of the header's background index in the global map.
  TColor BackgroundColor() const { return header_.ColorMap().Colors(header_.BackgroundColorIndex()); }

  // Counts a heap block of size bytes against MemoryLimit, as the heap hands
  // it out (rounded up, with its header), before it is allocated; raises
  // GIFException("Invalid GIF data") beyond the limit.
  void Reserve(std::size_t size);
  // Gives back what Reserve counted for a block that has been freed.
  void Unreserve(std::size_t size);
  // Raises EAbort when the load was called off.
  void CheckCancel() const { ::CheckCancel(cancel_); }
  const TCancelFlag* CancelFlag() const { return cancel_; }
  // What the frames read so far hold. Drawing counts its bitmaps against
  // the same limit ("Image is too large").
  std::size_t Reserved() const { return reserved_; }
  std::size_t MemoryLimit = DefaultMemoryLimit;

  // Settings kept for drawing and for writers; reading does not use them.
  TGIFDrawOptions DrawOptions = GIFDrawOption::Default;
  std::uint8_t ColorReduction = 6;
  std::uint32_t ReductionBits = 8;
  std::uint8_t DitherMode = 0;
  std::uint8_t Compression = 0;
  std::uint8_t ThreadPriority = 3;    // normal
  std::int32_t AnimationSpeed = 100;  // percent
  TColor BackgroundColorOverride = NoColor;

  TGIFWarningEvent OnWarning;
  TGIFPaintEvent OnStartPaint;
  TGIFPaintEvent OnPaint;
  TGIFPaintEvent OnAfterPaint;
  TGIFPaintEvent OnLoop;
  TGIFPaintEvent OnEndPaint;

  // The drawing code's state for the picture (painters, internal bitmap,
  // palette). Dropped first whenever the picture is cleared or destroyed.
  std::unique_ptr<TGIFImageRender, TGIFRenderRelease> Render;

 private:
  TGIFImageList images_;
  TGIFHeader header_;
  std::size_t reserved_ = 0;
  // The cancel flag of the thread that loads, taken when the load starts.
  const TCancelFlag* cancel_ = nullptr;
  // The data as loaded, for SaveToStream.
  std::unique_ptr<std::uint8_t[]> source_;
  std::size_t sourceSize_ = 0;
  // What the buffer holding it took (the rest of the stream it came from).
  std::size_t sourceBytes_ = 0;
};

template <class T>
void TGIFList<T>::Warning(int severity, const std::string& message) {
  Image().Warning(nullptr, severity, message);
}
