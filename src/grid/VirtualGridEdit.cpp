// The editing machinery of the list control: one editor link at a time, run
// in the order rule, creator, prepare, place, begin; ended by finish (which
// the editor may refuse) or cancel.
#include "grid/VirtualGrid.h"

bool TVirtualGrid::EditNode(int row, int column) {
  // While an editor is open (or being opened), further requests are ignored.
  if (link_ || inEditRequest_) return false;
  if (row < 0 || row >= rowCount_) return false;
  inEditRequest_ = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{inEditRequest_};

  bool allowed = false;
  if (OnEditing) OnEditing(row, column, allowed);
  // Even a refused request moves the focus to the row.
  SetFocusedRow(row);
  if (!allowed || !Handle()) return false;

  TEditLinkPtr link;
  if (OnCreateEditor) OnCreateEditor(row, column, link);
  if (!link) return false;

  EnsureLayout();
  link_ = link;
  editRow_ = row;
  editColumn_ = column;
  if (!link->PrepareEdit(this, row, column)) {
    RetireLink();
    return false;
  }
  link->SetBounds(CellRect(row, column));
  if (!link->BeginEdit()) {
    RetireLink();
    return false;
  }
  return true;
}

bool TVirtualGrid::EndEditNode() {
  if (!link_ || endingEdit_) return false;
  endingEdit_ = true;
  TEditLinkPtr link = link_;
  const bool ended = link->EndEdit();
  endingEdit_ = false;
  if (ended && link_ == link) {
    InvalidateRow(editRow_);
    RetireLink();
  }
  return ended;
}

bool TVirtualGrid::CancelEditNode() {
  if (!link_ || endingEdit_) return false;
  endingEdit_ = true;
  TEditLinkPtr link = link_;
  const bool ended = link->CancelEdit();
  endingEdit_ = false;
  if (ended && link_ == link) {
    InvalidateRow(editRow_);
    RetireLink();
  }
  return ended;
}

void TVirtualGrid::AbandonEdit() {
  if (!link_) return;
  TEditLinkPtr link = link_;
  endingEdit_ = true;
  link->CancelEdit();
  endingEdit_ = false;
  RetireLink();
}

void TVirtualGrid::RetireLink() {
  // The link may be the caller further up the stack (its own key or focus
  // handler asked to end the edit), so the last reference is released after
  // the current message rather than now.
  retired_.push_back(std::move(link_));
  link_.Reset();
  editRow_ = kNoRow;
  editColumn_ = kNoColumn;
  if (!retirePosted_ && Handle()) retirePosted_ = PostMessageW(Handle(), kMsgRetire, 0, 0) != FALSE;
}
