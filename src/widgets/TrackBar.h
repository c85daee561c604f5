#pragma once
// A horizontal track bar drawn by the program: a narrow sunken track filled
// with a gradient, tick marks at a fixed pixel gap, and a thumb taken from a
// bitmap of two states side by side (normal | hot or dragged). With the
// focus it shows a focus mark, as the keyboard cues allow. Keys: arrows
// move by one, Page Up/Down by the page size, Home/End to the ends; the
// mouse drags the thumb, a click beside it moves one page towards the
// pointer, the wheel moves by one. In high contrast the track is a flat
// frame and the thumb a drawn one, in the system's colours.
//
//   TTrackBar trk(pnl, {6, 41, 190, 20}, 1, 60, 10);
//   trk.SetThumb(LoadGlyphResource(id));  // 36 x 18, moved into the track bar
//   trk.OnChange = [](TTrackBar& t) { ... t.Position() ... };
#include <functional>
#include <string>

#include "gui/Color.h"
#include "gui/Control.h"
#include "widgets/PaintBuffer.h"

class TTrackBar : public TControl {
 public:
  TTrackBar(HWND parent, const TBounds& bounds, int min, int max, int position);

  int Min() const { return min_; }
  int Max() const { return max_; }
  // A maximum below the minimum is raised to it; the position is clamped.
  void SetRange(int min, int max);
  int Position() const { return position_; }
  // Clamped to the range; OnChange runs when the position really changes.
  void SetPosition(int position);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int size) { pageSize_ = size < 1 ? 1 : size; }
  int LineSize() const { return lineSize_; }
  void SetLineSize(int size) { lineSize_ = size < 1 ? 1 : size; }

  int TickGap() const { return tickGap_; }
  int TickLength() const { return tickLength_; }
  void SetTicks(int gap, int length);
  int TrackWidth() const { return trackWidth_; }
  void SetTrackWidth(int width);
  TColor TrackColor() const { return trackColor_; }
  void SetTrackColor(TColor color);
  // A bitmap holding the thumb's two states side by side; its bottom-left
  // pixel is the transparent colour. Empty: a drawn thumb.
  void SetThumb(TBitmapOwner bitmap);

  // Where the thumb lies now, in client coordinates.
  RECT ThumbRect() const;
  // The position whose thumb is nearest to client x of the thumb's left edge.
  int PositionAt(int thumbLeft) const;

  std::function<void(TTrackBar& sender)> OnChange;

  // What a screen reader reads as the value ("10 min."); the position in
  // digits until it is set. A new text is a value change.
  void SetValueText(const std::wstring& text);
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Own; }
  void DescribeAccessible(TAccessibleItem& info) const override;

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Paint(HDC dc);
  void PaintTrack(HDC dc, const RECT& track);
  void PaintThumb(HDC dc);
  SIZE ThumbSize() const;
  SIZE ThumbPictureSize() const;
  int TravelLength() const;
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  bool KeyDown(WPARAM key);

  int min_;
  int max_;
  int position_;
  int pageSize_ = 5;
  int lineSize_ = 1;
  int tickGap_ = 29;
  int tickLength_ = 2;
  int trackWidth_ = 6;
  TColor trackColor_ = RGBColor(0, 255, 0);
  TBitmapOwner thumb_;
  std::wstring valueText_;
  bool dragging_ = false;
  int dragOffset_ = 0;
  bool hot_ = false;
  int wheelDelta_ = 0;
};
