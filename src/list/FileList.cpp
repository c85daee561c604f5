// The wallpaper grid of the main window: cell texts, row shading, opening a
// file, the keyboard, cell clicks, selection and the count label.
#include <windows.h>

#include <shellapi.h>

#include "app/MainWindow.h"
#include "gui/AnsiText.h"
#include "gui/Color.h"
#include "list/HSLColor.h"
#include "list/PositionEditLink.h"
#include "settings/WPapers.h"
#include "widgets/EffectLabel.h"

namespace {

constexpr int kPositionColumn = 2;

// The wallpaper grid as the list file reads and writes it.
class TGridWallpaperList : public IWallpaperList {
 public:
  explicit TGridWallpaperList(TfrmDorvane& form) : form_(form) {}
  int Count() const override { return form_.lstFiles->RowCount(); }
  TWallpaperFields Entry(int index) const override {
    const TWallpaperEntry& entry = form_.lstFiles->Data(index);
    return {entry.FileName, entry.Path, entry.Position};
  }
  void Clear() override { form_.ClearEntries(); }
  void Append(const TWallpaperFields& fields) override {
    TWallpaperEntry entry;
    entry.FileName = fields.FileName;
    entry.Path = fields.Path;
    entry.SetPosition(fields.Position);
    form_.AppendEntry(std::move(entry));
  }

 private:
  TfrmDorvane& form_;
};

}  // namespace

IWallpaperList& TfrmDorvane::WallpaperList() {
  if (!wallpaperList_) wallpaperList_ = std::make_unique<TGridWallpaperList>(*this);
  return *wallpaperList_;
}

void TfrmDorvane::lstFilesGetText(int row, int column, std::wstring& text) {
  const TWallpaperEntry* entry = lstFiles->DataOrNull(row);
  if (!entry) return;
  if (column == 0 || column == kNoColumn)
    text = entry->FileName;
  else if (column == 1)
    text = entry->Path;
  else
    text = AnsiToWide(entry->Position);  // the file's bytes are ANSI text
}

void TfrmDorvane::lstFilesBeforeCellPaint(HDC dc, int row, int /*column*/, const RECT& cell) {
  // The focused row shows the selection; even rows keep the background.
  if (row == lstFiles->FocusedRow() || row % 2 == 0) return;
  THSL hsl{};
  RGBToHSL(ColorToRGB(SystemColorFlag | COLOR_WINDOW), hsl);
  hsl.Lightness = hsl.Lightness >= 30 ? hsl.Lightness - 15 : hsl.Lightness + 30;
  const TColor shade = HSLToRGB(hsl);
  HBRUSH brush = CreateSolidBrush(shade);
  FillRect(dc, &cell, brush);
  DeleteObject(brush);
}

void TfrmDorvane::lstFilesDblClick() {
  const TWallpaperEntry* entry = lstFiles->DataOrNull(lstFiles->FocusedRow());
  if (!entry) return;
  ShellExecuteW(Handle(), L"open", entry->FullFileName().c_str(), nullptr, nullptr, SW_SHOW);
}

void TfrmDorvane::lstFilesKeyDown(WORD& key, TGridShiftState /*shift*/) {
  if (key == VK_RETURN) {
    lstFilesDblClick();
  } else if (key == VK_SPACE) {
    if (lstFiles->FocusedRow() != kNoRow) lstFiles->EditNode(lstFiles->FocusedRow(), kPositionColumn);
  }
}

void TfrmDorvane::lstFilesColumnClick(int column, TGridShiftState /*shift*/) {
  if (lstFiles->FocusedRow() == kNoRow) return;
  lstFiles->EditNode(lstFiles->FocusedRow(), column);
}

void TfrmDorvane::lstFilesChange(int row) {
  // Column 0 may never be edited: the request only focuses the row.
  if (row != kNoRow) lstFiles->EditNode(row, 0);
}

void TfrmDorvane::lstFilesEditing(int /*row*/, int column, bool& allowed) { allowed = column == kPositionColumn; }

void TfrmDorvane::lstFilesCreateEditor(int /*row*/, int /*column*/, TEditLinkPtr& link) {
  link = TPositionEditLink::Create();
}

void TfrmDorvane::SelectFile(int index) {
  if (index < 0 || index >= lstFiles->RowCount()) return;
  lstFiles->SetFocusedRow(index);
  lstFiles->SelectRow(index);
}

void TfrmDorvane::UpdateFileCount() {
  const int count = lstFiles->RowCount();
  if (count == 0)
    lblFileCount->SetCaption(L"There are no files in the list!");
  else if (count == 1)
    lblFileCount->SetCaption(L"There is 1 file in the list.");
  else
    lblFileCount->SetCaption(L"There are " + std::to_wstring(count) + L" files in the list.");
}

void TfrmDorvane::AppendEntry(TWallpaperEntry entry) {
  fileIndex_.Add(entry.FullFileName());
  lstFiles->AppendRow(std::move(entry));
}

void TfrmDorvane::DeleteEntry(int row) {
  const TWallpaperEntry* entry = lstFiles->DataOrNull(row);
  if (!entry) return;
  fileIndex_.Remove(entry->FullFileName());
  lstFiles->DeleteRow(row);
}

void TfrmDorvane::ClearEntries() {
  fileIndex_.Clear();
  lstFiles->Clear();
}
