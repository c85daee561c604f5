#pragma once
// The virtual list control under the wallpaper grid. It keeps no cell texts:
// for every cell it paints it asks OnGetText for the text and lets
// OnBeforeCellPaint fill the cell first, every time, so that a list of any
// length costs only the rows that are visible. Rows are numbered from 0 in
// list order; the grid keeps only their count, the rows themselves live in
// the model that it shows, which tells the grid when rows come and go.
//
// Row height and vertical scroll step are 19 pixels, the cell margin is 2,
// at 96 DPI; column widths are told and read in pixels at 96 DPI too, so
// stored widths mean the same on any screen.
// Letters typed find a row by its text in column 0, as in a list view.
// Selection is single and covers the full row; the focused row (the one that
// keyboard actions address) is kept apart from the selection. The last column
// by index takes the width that the other visible columns leave.
//
// In-place editing goes through IEditLink (grid/EditLink.h): EditNode asks
// OnEditing, then OnCreateEditor, and runs the link; EndEditNode and
// CancelEditNode end it. A mouse press while an edit runs first asks the
// editor to end; if the editor refuses, the press is ignored.
//
// A screen reader reads the grid as a list whose items are the rows
// (VirtualGridAccess.cpp): a row's name is its text in column 0, its
// description the other columns' captions with their texts.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/EditLink.h"
#include "grid/GridColumns.h"
#include "grid/GridTypes.h"
#include "gui/Control.h"

class TGridHeader;

class TVirtualGrid : public TControl, private IAccessibleItems {
 public:
  static constexpr int kRowHeight = 19;
  static constexpr int kScrollStep = 19;
  static constexpr int kCellMargin = 2;

  TVirtualGrid(HWND parent, const TBounds& bounds);
  ~TVirtualGrid() override;

  // --- columns ---------------------------------------------------------
  // A column whose width stays within minWidth and maxWidth.
  int AddColumn(const std::wstring& caption, int width, int minWidth, int maxWidth = TGridColumns::kLargestWidth);
  const TGridColumns& Columns() const { return columns_; }
  int ColumnCount() const { return columns_.Count(); }
  int ColumnWidth(int column) const;
  // Kept within the column's minimum and maximum width; the auto column
  // then follows.
  void SetColumnWidth(int column, int width);
  void SetColumnMinWidth(int column, int minWidth);
  // Column indices from left to right.
  std::vector<int> ColumnOrder() const { return columns_.DisplayOrder(); }
  bool SetColumnOrder(const std::vector<int>& order);
  bool MoveColumn(int column, int position);
  // Horizontal extent of a column in client coordinates (scrolling included).
  void GetColumnBounds(int column, int& left, int& right) const;
  // Column under a client x, or kNoColumn.
  int ColumnAt(int x) const;
  int HeaderHeight() const { return headerHeight_; }
  int RowHeight() const { return Scaled(kRowHeight); }

  // --- rows ------------------------------------------------------------
  int RowCount() const { return rowCount_; }
  // The model calls these after changing its rows.
  void RowsAppended(int count);
  void RowDeleted(int row);
  void RowsCleared();
  // Ends a running edit without storing: the model calls it before rows go
  // away, so that no editor writes to a row that moved.
  void AbandonEdit();
  // Row at a client y: above the rows counts as the top edge, below the last
  // row there is none (kNoRow). The horizontal position plays no part.
  int GetNodeAt(int y) const;
  RECT RowRect(int row) const;
  RECT CellRect(int row, int column) const;
  void InvalidateRow(int row);
  // A row's texts changed: it is painted and read anew.
  void RowChanged(int row);
  void ScrollIntoView(int row);
  int TopRow() const;

  int FocusedRow() const { return focusedRow_; }
  // Focuses a row (kNoRow: none) and scrolls it into view.
  void SetFocusedRow(int row);
  int SelectedRow() const { return selectedRow_; }
  bool IsSelected(int row) const { return row != kNoRow && row == selectedRow_; }
  // Selects one row, clearing any other selection; kNoRow clears it.
  void SelectRow(int row);
  void ClearSelection() { SelectRow(kNoRow); }

  // --- scrolling -------------------------------------------------------
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }
  void SetOffsetX(int x);
  void SetOffsetY(int y);

  // --- editing ---------------------------------------------------------
  bool EditNode(int row, int column);
  bool EndEditNode();
  bool CancelEditNode();
  bool IsEditing() const { return static_cast<bool>(link_); }
  IEditLink* EditLink() const { return link_.Get(); }
  int EditRow() const { return editRow_; }
  int EditColumn() const { return editColumn_; }

  // Paints the rows that meet area (client coordinates) into dc.
  void PaintTo(HDC dc, const RECT& area);
  // Applies pending layout work (scroll ranges, auto column) at once.
  void UpdateLayout();
  void ChangeDpi(int dpi) override;

  // --- what a screen reader reads -------------------------------------
  TAccessibleKind AccessibleKind() const override { return TAccessibleKind::Own; }
  void DescribeAccessible(TAccessibleItem& info) const override;
  IAccessibleItems* AccessibleItems() override { return this; }
  // The verb of a row's default action, which OnDblClick carries out.
  std::wstring RowAction = L"Double click";

  // Shown when no OnGetText handler is assigned.
  std::wstring DefaultText = L"Wallpaper";

  std::function<std::wstring(int row, int column)> OnGetText;
  std::function<void(HDC dc, int row, int column, const RECT& cell)> OnBeforeCellPaint;
  std::function<void()> OnDblClick;
  // The handler may read the key and set it to 0 to stop the grid's own
  // handling of it.
  std::function<void(WORD& key, TGridShiftState shift)> OnKeyDown;
  // A left click pressed and released in the same column of the client area.
  std::function<void(int column, TGridShiftState shift)> OnColumnClick;
  // The selection changed; row is kNoRow when nothing is selected any more.
  std::function<void(int row)> OnChange;
  std::function<void(int row, int column, bool& allowed)> OnEditing;
  std::function<void(int row, int column, TEditLinkPtr& link)> OnCreateEditor;

 protected:
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // Pending layout work and links waiting to be released, both handled
  // after the current message.
  static constexpr UINT kMsgLayout = WM_APP + 0x47;
  static constexpr UINT kMsgRetire = WM_APP + 0x48;

  void ScheduleLayout();
  void EnsureLayout();
  void SetScrollBar(int bar, int extent, int page, int position);
  void PlaceHeader();
  void PlaceEditor();
  int RowsTop() const { return headerHeight_; }
  int RowsAreaHeight() const;
  int MaxOffsetY() const;
  int MaxOffsetX() const;
  void RetireLink();
  void UserResize(int column, int width);
  void UserMove(int column, int position);
  void ColumnsChanged();

  bool MousePress(UINT msg, LPARAM lParam);
  void MouseRelease(WPARAM wParam, LPARAM lParam);
  void KeyDown(WPARAM key);
  void FindTyped(wchar_t typed);
  void Scroll(int bar, int code);
  void PaintWindow();
  void PaintRow(HDC dc, int row, const RECT& area);
  void PaintCell(HDC dc, int row, int column, const RECT& cell, bool selected);

  // The rows for a screen reader: item k is row k - 1.
  int Count() const override { return rowCount_; }
  void Describe(int item, TAccessibleItem& info) const override;
  int ItemAt(POINT client) const override;
  int FocusedItem() const override { return focusedRow_ + 1; }
  int SelectedItem() const override { return selectedRow_ + 1; }
  void Select(int item, long flags) override;
  void DoDefaultAction(int item) override;

  std::unique_ptr<TGridHeader> header_;
  TGridColumns columns_;
  HFONT font_ = nullptr;
  int headerHeight_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;

  int rowCount_ = 0;
  int focusedRow_ = kNoRow;
  int selectedRow_ = kNoRow;
  int offsetX_ = 0;
  int offsetY_ = 0;
  struct TScrollState {
    int extent = -1, page = -1, position = -1;
  };
  TScrollState vertical_, horizontal_;
  RECT headerPlace_{};
  bool layoutDirty_ = true;
  bool layoutPosted_ = false;
  bool inLayout_ = false;

  // Letters typed in quick succession, and when the last one came.
  std::wstring typed_;
  DWORD typedAt_ = 0;

  bool pressed_ = false;
  int pressColumn_ = kNoColumn;

  TEditLinkPtr link_;
  std::vector<TEditLinkPtr> retired_;
  bool retirePosted_ = false;
  bool inEditRequest_ = false;
  bool endingEdit_ = false;
  int editRow_ = kNoRow;
  int editColumn_ = kNoColumn;
};
