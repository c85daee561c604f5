#pragma once
// The list control with one owned record per row. Records are kept in list
// order; deleting a row renumbers the rows after it.
#include <stdexcept>
#include <utility>
#include <vector>

#include "grid/VirtualGrid.h"

template <class T>
class TDataGrid : public TVirtualGrid {
 public:
  using TVirtualGrid::TVirtualGrid;
  ~TDataGrid() override { AbandonEdit(); }

  // Appends a row at the end; returns its index.
  int AppendRow(T data) {
    rows_.push_back(std::move(data));
    RowsAppended(1);
    return static_cast<int>(rows_.size()) - 1;
  }
  // Deletes one row; out-of-range indices are ignored.
  void DeleteRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    if (IsEditing()) AbandonEdit();
    rows_.erase(rows_.begin() + row);
    RowDeleted(row);
  }
  void Clear() {
    if (IsEditing()) AbandonEdit();
    rows_.clear();
    RowsCleared();
  }
  void Reserve(int count) { rows_.reserve(static_cast<size_t>(count > 0 ? count : 0)); }

  T& Data(int row) { return rows_.at(static_cast<size_t>(row)); }
  const T& Data(int row) const { return rows_.at(static_cast<size_t>(row)); }
  T* DataOrNull(int row) { return row >= 0 && row < RowCount() ? &rows_[static_cast<size_t>(row)] : nullptr; }

  // Iteration in list order.
  auto begin() { return rows_.begin(); }
  auto end() { return rows_.end(); }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }

 private:
  std::vector<T> rows_;
};
