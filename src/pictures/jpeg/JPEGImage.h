#pragma once
// The JPEG picture of the picture system. It keeps the compressed file and
// decodes it only when a bitmap is really needed (drawn, asked for or
// assigned to a bitmap). Width and height come from the header, or at a
// reduced decode scale from libjpeg's output-size computation, so asking for
// them never decodes pixels.
#include <memory>
#include <vector>

#include "gui/Bitmap.h"
#include "gui/GdiHandles.h"
#include "gui/Graphic.h"
#include "pictures/jpeg/JPEGData.h"
#include "pictures/jpeg/JPEGError.h"
#include "pictures/jpeg/JPEGSettings.h"

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  ~TJPEGImage() override;

  // The decode format new pictures start with; set once at program start
  // from the screen's colour depth (RegisterJPEGImage).
  static TJPEGPixelFormat DefaultPixelFormat;

  // Shares the other picture's compressed data and copies its bitmap.
  void Assign(const TJPEGImage& source);
  // New empty data and a copy of the bitmap, compressed when the JPEG bytes
  // are needed.
  void Assign(const TBitmap& source);
  // Gives dest the decoded bitmap.
  void AssignTo(TBitmap& dest);
  // Same compressed bytes (or, without any, the same decoded picture object).
  bool Equals(const TJPEGImage& other) const;

  // Takes every byte from the stream's position to its end; the header is
  // read at once, so a broken file fails here with EJPEG.
  void LoadFromStream(TStream& stream) override;
  // Writes the compressed bytes, compressing the bitmap first if needed.
  void SaveToStream(TStream& stream) override;
  // The window-layout form: a 4-byte length, then that many bytes.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);

  int GetWidth() const override;
  int GetHeight() const override;
  bool GetEmpty() const override;
  // Raise EInvalidGraphicOperation: a JPEG picture has the size of its file.
  void SetWidth(int) override;
  void SetHeight(int) override;
  TPaletteHandle GetPalette() const override;
  void SetPalette(TPaletteHandle palette) override;
  void Draw(TCanvas& canvas, const TRect& rect) override;
  void Changed() override;

  // The clipboard forms: the decoded picture as CF_BITMAP with its
  // palette (both new handles for the clipboard to own), and back.
  // Loading takes CF_BITMAP only.
  void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);
  void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);

  // The decoded bitmap; decodes on first use.
  TBitmap& Bitmap();
  // Decodes now if not decoded yet.
  void DIBNeeded() { Bitmap(); }
  // Compresses the bitmap now if there are no compressed bytes.
  void JPEGNeeded();
  bool Decoded() const { return bitmap_ != nullptr; }
  const TJPEGDataRef& Data() const { return data_; }

  // Decode settings. A change drops the decoded bitmap (the next draw
  // decodes again with the new settings).
  TJPEGScale Scale() const { return settings_.Scale; }
  void SetScale(TJPEGScale value);
  TJPEGPixelFormat PixelFormat() const { return settings_.PixelFormat; }
  void SetPixelFormat(TJPEGPixelFormat value);
  bool Grayscale() const { return settings_.Grayscale; }
  void SetGrayscale(bool value);
  TJPEGPerformance Performance() const { return settings_.Performance; }
  void SetPerformance(TJPEGPerformance value);
  bool Smoothing() const { return settings_.Smoothing; }
  void SetSmoothing(bool value);
  bool ProgressiveDisplay() const { return settings_.ProgressiveDisplay; }
  void SetProgressiveDisplay(bool value) { settings_.ProgressiveDisplay = value; }
  const TJPEGDecodeSettings& DecodeSettings() const { return settings_; }

  // Compression settings.
  int CompressionQuality() const { return save_.Quality; }
  void SetCompressionQuality(int value) { save_.Quality = value; }
  bool ProgressiveEncoding() const { return save_.Progressive; }
  void SetProgressiveEncoding(bool value) { save_.Progressive = value; }

  // The rows changed since the last running progress report.
  const TRect& ProgressBand() const { return progressBand_; }

 private:
  void NewData();
  void FreeBitmap();
  void Decode();
  void Compress();
  void ChangeSetting(bool changed);

  TJPEGDataRef data_;
  std::unique_ptr<TBitmap> bitmap_;
  mutable int scaledWidth_ = 0;
  mutable int scaledHeight_ = 0;
  mutable bool needRecalc_ = true;
  mutable TPaletteOwner callerPalette_;
  bool paletteModified_ = false;
  TJPEGDecodeSettings settings_;
  TJPEGEncodeSettings save_;
  TRect progressBand_;
};
