#include "grid/GridColumns.h"

#include <algorithm>

namespace {

void Limit(TGridColumn& column) {
  column.MinWidth = std::clamp(column.MinWidth, 0, TGridColumns::kLargestWidth);
  column.MaxWidth = std::clamp(column.MaxWidth, column.MinWidth, TGridColumns::kLargestWidth);
  column.Width = std::clamp(column.Width, column.MinWidth, column.MaxWidth);
  column.SetWidth = std::clamp(column.SetWidth, column.MinWidth, column.MaxWidth);
}

}  // namespace

int TGridColumns::Add(const std::wstring& caption, int width, int minWidth, int maxWidth) {
  TGridColumn column;
  column.Caption = caption;
  column.MinWidth = minWidth;
  column.MaxWidth = maxWidth;
  column.Width = column.SetWidth = width;
  Limit(column);
  // The former auto column becomes an ordinary one again.
  if (!columns_.empty()) columns_.back().Width = columns_.back().SetWidth;
  columns_.push_back(column);
  order_.push_back(Count() - 1);
  return Count() - 1;
}

void TGridColumns::Clear() {
  columns_.clear();
  order_.clear();
}

void TGridColumns::SetWidth(int index, int width) {
  if (!Valid(index)) return;
  TGridColumn& column = columns_[static_cast<size_t>(index)];
  column.Width = column.SetWidth = width;
  Limit(column);
}

void TGridColumns::SetMinWidth(int index, int minWidth) {
  if (!Valid(index)) return;
  columns_[static_cast<size_t>(index)].MinWidth = minWidth;
  Limit(columns_[static_cast<size_t>(index)]);
}

void TGridColumns::SetWidthLimits(int index, int minWidth, int maxWidth) {
  if (!Valid(index)) return;
  TGridColumn& column = columns_[static_cast<size_t>(index)];
  column.MinWidth = minWidth;
  column.MaxWidth = maxWidth;
  Limit(column);
}

void TGridColumns::SetVisible(int index, bool visible) {
  if (Valid(index)) columns_[static_cast<size_t>(index)].Visible = visible;
}

void TGridColumns::SetCaption(int index, const std::wstring& caption) {
  if (Valid(index)) columns_[static_cast<size_t>(index)].Caption = caption;
}

bool TGridColumns::SetDisplayOrder(const std::vector<int>& order) {
  if (order.size() != columns_.size()) return false;
  std::vector<bool> seen(columns_.size(), false);
  for (int index : order) {
    if (!Valid(index) || seen[static_cast<size_t>(index)]) return false;
    seen[static_cast<size_t>(index)] = true;
  }
  order_ = order;
  return true;
}

bool TGridColumns::MoveTo(int index, int position) {
  if (!Valid(index) || position < 0 || position >= Count()) return false;
  order_.erase(std::find(order_.begin(), order_.end(), index));
  order_.insert(order_.begin() + position, index);
  return true;
}

int TGridColumns::Position(int index) const {
  const auto it = std::find(order_.begin(), order_.end(), index);
  return it == order_.end() ? -1 : static_cast<int>(it - order_.begin());
}

void TGridColumns::Bounds(int index, int& left, int& right) const {
  left = right = 0;
  int x = 0;
  for (int i : order_) {
    const TGridColumn& column = columns_[static_cast<size_t>(i)];
    if (i == index) {
      left = x;
      right = column.Visible ? x + column.Width : x;
      return;
    }
    if (column.Visible) x += column.Width;
  }
}

int TGridColumns::TotalWidth() const {
  int total = 0;
  for (const TGridColumn& column : columns_)
    if (column.Visible) total += column.Width;
  return total;
}

int TGridColumns::ColumnAt(int x) const {
  if (x < 0) return -1;
  int left = 0;
  for (int i : order_) {
    const TGridColumn& column = columns_[static_cast<size_t>(i)];
    if (!column.Visible) continue;
    if (x < left + column.Width) return i;
    left += column.Width;
  }
  return -1;
}

bool TGridColumns::AutoSize(int clientWidth) {
  const int autoColumn = AutoColumn();
  if (autoColumn < 0 || !columns_[static_cast<size_t>(autoColumn)].Visible) return false;
  int others = 0;
  for (int i = 0; i < autoColumn; ++i)
    if (columns_[static_cast<size_t>(i)].Visible) others += columns_[static_cast<size_t>(i)].Width;
  TGridColumn& column = columns_[static_cast<size_t>(autoColumn)];
  const int width = std::max(column.MinWidth, clientWidth - others);
  if (width == column.Width) return false;
  column.Width = width;
  return true;
}
