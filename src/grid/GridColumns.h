#pragma once
// The column model of the list control: captions, widths with their minimum,
// visibility and the display order the user chose by dragging. Texts are
// always asked for by column index; the display order only decides where a
// column is drawn. The last column by index is the "auto" column: it takes
// the width that the other visible columns leave in the client area.
#include <string>
#include <vector>

struct TGridColumn {
  std::wstring Caption;
  int Width = 0;
  // The width last set for the column; the auto column's Width may differ
  // while it fills the client, and returns to this when another column
  // takes over the auto role.
  int SetWidth = 0;
  int MinWidth = 0;
  int MaxWidth = 0;
  bool Visible = true;
};

class TGridColumns {
 public:
  // No column is wider, whatever it is told: sums of widths stay far from
  // overflowing, and the header and the rows can always be drawn.
  static constexpr int kLargestWidth = 32767;

  int Count() const { return static_cast<int>(columns_.size()); }
  bool Valid(int index) const { return index >= 0 && index < Count(); }
  const TGridColumn& operator[](int index) const { return columns_.at(static_cast<size_t>(index)); }

  // Appends a column at the end of the display order; returns its index.
  int Add(const std::wstring& caption, int width, int minWidth, int maxWidth = kLargestWidth);
  void Clear();

  // Widths stay within the column's minimum (never below zero) and its
  // maximum (never above kLargestWidth); a maximum below the minimum counts
  // as the minimum.
  void SetWidth(int index, int width);
  void SetMinWidth(int index, int minWidth);
  void SetWidthLimits(int index, int minWidth, int maxWidth);
  void SetVisible(int index, bool visible);
  void SetCaption(int index, const std::wstring& caption);

  // Column indices from left to right.
  const std::vector<int>& DisplayOrder() const { return order_; }
  // Accepts only a permutation of all column indices; returns false otherwise.
  bool SetDisplayOrder(const std::vector<int>& order);
  // Moves a column to another display position (0 = leftmost).
  bool MoveTo(int index, int position);
  int Position(int index) const;

  // Horizontal extent of a column, 0 at the left edge of the first column.
  // A hidden column gets an empty extent where it would stand.
  void Bounds(int index, int& left, int& right) const;
  int TotalWidth() const;
  // The visible column under x (same origin as Bounds), or -1.
  int ColumnAt(int x) const;

  // Gives the auto column the width that the other visible columns leave
  // in clientWidth, at least its minimum width. Returns true if it changed.
  bool AutoSize(int clientWidth);
  int AutoColumn() const { return Count() - 1; }

 private:
  std::vector<TGridColumn> columns_;
  std::vector<int> order_;
};
