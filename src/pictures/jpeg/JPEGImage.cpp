#include "pictures/jpeg/JPEGImage.h"

#include <algorithm>
#include <cstring>

#include "gui/Cancel.h"
#include "gui/Canvas.h"
#include "pictures/jpeg/JPEGDecoder.h"
#include "pictures/jpeg/JPEGEncoder.h"

TJPEGPixelFormat TJPEGImage::DefaultPixelFormat = TJPEGPixelFormat::jf24Bit;

namespace {

// Decoded rows go straight into the bitmap's own rows.
class TBitmapTarget : public IJPEGDecodeTarget {
 public:
  explicit TBitmapTarget(TBitmap& bitmap) : bitmap_(bitmap) {}
  void Allocate(int width, int height, int bitsPerPixel) override {
    bitmap_.ReleaseHandle();
    bitmap_.SetPixelFormat(bitsPerPixel == 8 ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
    bitmap_.SetSize(width, height);
  }
  std::uint8_t* Row(int y) override { return bitmap_.ScanLine(y); }
  void SetColors(const std::vector<TJPEGColor>& colors) override {
    std::vector<PALETTEENTRY> entries;
    entries.reserve(colors.size());
    for (const auto& c : colors) entries.push_back(PALETTEENTRY{c.Red, c.Green, c.Blue, 0});
    bitmap_.TakePalette(CreatePaletteOf(entries.data(), int(entries.size())));
  }

 private:
  TBitmap& bitmap_;
};

int ScreenBitsPerPixel() {
  TScreenDC screen;
  return GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES);
}

bool SamePalette(HPALETTE a, HPALETTE b) {
  if (a == b) return true;
  const auto ea = PaletteEntries(a);
  const auto eb = PaletteEntries(b);
  return ea.size() == eb.size() &&
         std::equal(ea.begin(), ea.end(), eb.begin(), [](const PALETTEENTRY& x, const PALETTEENTRY& y) {
           return x.peRed == y.peRed && x.peGreen == y.peGreen && x.peBlue == y.peBlue;
         });
}

TPaletteOwner CopyPalette(HPALETTE palette) {
  const auto entries = PaletteEntries(palette);
  return CreatePaletteOf(entries.data(), int(entries.size()));
}

}  // namespace

TJPEGImage::TJPEGImage() : data_(std::make_shared<TJPEGData>()) { settings_.PixelFormat = DefaultPixelFormat; }

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::NewData() {
  data_ = std::make_shared<TJPEGData>();
  needRecalc_ = true;
}

void TJPEGImage::FreeBitmap() { bitmap_.reset(); }

void TJPEGImage::Changed() {
  needRecalc_ = true;
  TGraphic::Changed();
}

void TJPEGImage::Assign(const TJPEGImage& source) {
  if (&source == this) return;
  data_ = source.data_;
  FreeBitmap();
  if (source.bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->Assign(*source.bitmap_);
  }
  settings_ = source.settings_;
  save_ = source.save_;
  needRecalc_ = true;
  Changed();
}

void TJPEGImage::Assign(const TBitmap& source) {
  NewData();
  bitmap_ = std::make_unique<TBitmap>();
  bitmap_->Assign(source);
  Changed();
}

void TJPEGImage::AssignTo(TBitmap& dest) { dest.Assign(Bitmap()); }

bool TJPEGImage::Equals(const TJPEGImage& other) const {
  if (data_ == other.data_) return true;
  if (!data_->HasData() || !other.data_->HasData()) return false;
  return data_->Data->Bytes() == other.data_->Data->Bytes();
}

void TJPEGImage::LoadFromStream(TStream& stream) {
  const std::int64_t count = std::max<std::int64_t>(0, stream.Size() - stream.Position());
  // A file larger than a picture may take is refused before it is read.
  if (std::uint64_t(count) > PictureMemoryLimit) throw EJPEG(ImageTooLarge);
  NewData();
  FreeBitmap();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
  if (ReadCancellable(stream, bytes.data(), bytes.size(), CurrentCancelFlag()) != bytes.size())
    throw EStreamError("Stream read error");
  data_->Data = std::make_unique<TMemoryStream>(std::move(bytes));
  if (count > 0) {
    const TJPEGHeader header = TJPEGDecoder::ReadHeader(data_->Bytes(), data_->Size());
    data_->Width = header.Width;
    data_->Height = header.Height;
    data_->Grayscale = header.Grayscale;
    save_.Progressive = header.Progressive;
  }
  paletteModified_ = true;
  Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
  JPEGNeeded();
  if (data_->HasData() && data_->Size() > 0) stream.WriteBuffer(data_->Bytes(), data_->Size());
}

void TJPEGImage::ReadData(TStream& stream) {
  std::int32_t length = 0;
  stream.ReadBuffer(&length, sizeof(length));
  if (length < 0 || length > stream.Size() - stream.Position()) throw EStreamError("Stream read error");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  stream.ReadBuffer(bytes.data(), bytes.size());
  TMemoryStream part(std::move(bytes));
  LoadFromStream(part);
}

void TJPEGImage::WriteData(TStream& stream) {
  const std::int32_t length = static_cast<std::int32_t>(data_->Size());
  stream.WriteBuffer(&length, sizeof(length));
  if (length > 0) stream.WriteBuffer(data_->Bytes(), data_->Size());
}

int TJPEGImage::GetWidth() const {
  if (bitmap_) return bitmap_->GetWidth();
  if (settings_.Scale == TJPEGScale::jsFullSize) return data_->Width;
  if (needRecalc_) {
    scaledWidth_ = scaledHeight_ = 0;
    // No bytes, or none that parse: nothing to scale. (A broken file
    // already failed its load.)
    if (data_->Size() > 0) {
      try {
        TJPEGDecoder decoder(data_->Bytes(), data_->Size(), settings_);
        const TJPEGSize size = decoder.OutputSize();
        scaledWidth_ = size.Width;
        scaledHeight_ = size.Height;
      } catch (const EJPEG&) {
      }
    }
    needRecalc_ = false;
  }
  return scaledWidth_;
}

int TJPEGImage::GetHeight() const {
  if (bitmap_) return bitmap_->GetHeight();
  if (settings_.Scale == TJPEGScale::jsFullSize) return data_->Height;
  GetWidth();
  return scaledHeight_;
}

bool TJPEGImage::GetEmpty() const { return !data_->HasData() && (!bitmap_ || bitmap_->GetEmpty()); }

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

TPaletteHandle TJPEGImage::GetPalette() const {
  if (bitmap_ && bitmap_->PaletteHandle()) return bitmap_->PaletteHandle();
  if (callerPalette_) return callerPalette_.get();
  if (settings_.PixelFormat == TJPEGPixelFormat::jf24Bit && ScreenBitsPerPixel() <= 8) {
    TScreenDC screen;
    callerPalette_.reset(CreateHalftonePalette(screen.Get()));
    return callerPalette_.get();
  }
  return nullptr;
}

void TJPEGImage::SetPalette(TPaletteHandle palette) {
  auto* value = static_cast<HPALETTE>(palette);
  if (SamePalette(value, callerPalette_.get()) && (value == nullptr) == (callerPalette_ == nullptr)) return;
  if (bitmap_ && !SamePalette(bitmap_->PaletteHandle(), value)) FreeBitmap();
  callerPalette_ = value ? CopyPalette(value) : nullptr;
  Changed();
}

void TJPEGImage::ChangeSetting(bool changed) {
  if (!changed) return;
  FreeBitmap();
  needRecalc_ = true;
  Changed();
}

void TJPEGImage::SetScale(TJPEGScale value) {
  const bool changed = value != settings_.Scale;
  settings_.Scale = value;
  ChangeSetting(changed);
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat value) {
  const bool changed = value != settings_.PixelFormat;
  settings_.PixelFormat = value;
  ChangeSetting(changed);
}

void TJPEGImage::SetGrayscale(bool value) {
  const bool changed = value != settings_.Grayscale;
  settings_.Grayscale = value;
  ChangeSetting(changed);
}

void TJPEGImage::SetPerformance(TJPEGPerformance value) {
  const bool changed = value != settings_.Performance;
  settings_.Performance = value;
  ChangeSetting(changed);
}

void TJPEGImage::SetSmoothing(bool value) {
  const bool changed = value != settings_.Smoothing;
  settings_.Smoothing = value;
  ChangeSetting(changed);
}

TBitmap& TJPEGImage::Bitmap() {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    // Empty data decodes nothing; the picture has no pixels to give.
    if (data_->HasData()) Decode();
  }
  return *bitmap_;
}

void TJPEGImage::Decode() {
  const bool eightBit = settings_.EightBit();
  if (!eightBit) callerPalette_.reset();
  TJPEGDecoder decoder(data_->Bytes(), data_->Size(), settings_);
  if (eightBit && callerPalette_) {
    for (const auto& e : PaletteEntries(callerPalette_.get()))
      decoder.CallerPalette.push_back(TJPEGColor{e.peRed, e.peGreen, e.peBlue});
  }
  decoder.PaletteModified = paletteModified_;
  decoder.OnProgress = [this](TJPEGProgressStage stage, int percent, const TRect& band, bool redraw) {
    progressBand_ = band;
    Progress(static_cast<int>(stage), percent, redraw);
  };
  TBitmapTarget target(*bitmap_);
  try {
    decoder.Decode(target);
  } catch (...) {
    paletteModified_ = decoder.PaletteModified;
    throw;
  }
  const bool modified = decoder.PaletteModified;
  paletteModified_ = false;
  if (modified) Changed();
}

void TJPEGImage::JPEGNeeded() {
  if (data_->HasData() || !bitmap_ || bitmap_->GetEmpty()) return;
  Compress();
}

void TJPEGImage::Compress() {
  // The encoder takes 24-bit rows; other formats are converted on a copy.
  TBitmap* source = bitmap_.get();
  TBitmap converted;
  if (source->PixelFormat() != TPixelFormat::pf24bit) {
    converted.Assign(*source);
    converted.SetPixelFormat(TPixelFormat::pf24bit);
    source = &converted;
  }
  TJPEGEncodeSettings settings = save_;
  settings.Grayscale = settings_.Grayscale;
  auto out = std::make_unique<TMemoryStream>();
  const bool done = EncodeJPEG(
      source->GetWidth(), source->GetHeight(), [&](int y) { return source->ScanLine(y); }, settings, *out,
      [this](TJPEGProgressStage stage, int percent, const TRect& band, bool redraw) {
        progressBand_ = band;
        Progress(static_cast<int>(stage), percent, redraw);
      });
  if (!done) return;  // aborted: the new data is dropped
  out->SetPosition(0);
  data_->Data = std::move(out);
  data_->Width = source->GetWidth();
  data_->Height = source->GetHeight();
  data_->Grayscale = settings.Grayscale;
}

void TJPEGImage::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  TBitmap& bitmap = Bitmap();
  format = CF_BITMAP;
  // The clipboard takes the handles over.
  data = bitmap.CopyHandle().release();
  palette = bitmap.PaletteHandle() ? CopyPalette(bitmap.PaletteHandle()).release() : nullptr;
}

void TJPEGImage::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  if (format != CF_BITMAP || !data) throw EInvalidGraphic("Unsupported clipboard format");
  TBitmap bitmap;
  bitmap.LoadFromHandle(static_cast<HBITMAP>(data), palette);
  Assign(bitmap);
}

void TJPEGImage::Draw(TCanvas& canvas, const TRect& rect) { canvas.StretchDraw(rect, Bitmap()); }
