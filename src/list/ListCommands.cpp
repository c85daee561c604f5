// Add, Remove and Clear beside the wallpaper grid. They change the grid
// only; the list file is written at close and before the engine starts.
#include "app/MainWindow.h"
#include "gui/AnsiText.h"
#include "gui/Dialogs.h"
#include "gui/OpenPictureDialog.h"
#include "gui/ProgramPath.h"

namespace {

// The list file keeps names in the system's ANSI code page, for the engine's
// sake. A name that the code page cannot hold is listed under its short
// name when the volume keeps one; otherwise it cannot be listed.
bool AnsiSafeName(const std::wstring& fullFileName, std::wstring& listed) {
  if (IsAnsiRepresentable(fullFileName)) {
    listed = fullFileName;
    return true;
  }
  const std::wstring shortName = ShortPathName(fullFileName);
  if (shortName.empty() || !IsAnsiRepresentable(shortName)) return false;
  listed = shortName;
  return true;
}

}  // namespace

bool TfrmDorvane::IsInList(const std::wstring& fullFileName) const { return fileIndex_.Contains(fullFileName); }

bool TfrmDorvane::AddFile(const std::wstring& fullFileName) {
  TWallpaperEntry entry;
  SplitFileName(fullFileName, entry.Path, entry.FileName);
  if (IsInList(fullFileName)) return false;
  entry.Position = "Center";
  AppendEntry(std::move(entry));
  return true;
}

void TfrmDorvane::btnAddClick() {
  if (!dlgAddFile->Execute(Handle())) return;
  std::wstring leftOut;
  for (const std::wstring& chosen : dlgAddFile->Files()) {
    std::wstring listed;
    if (AnsiSafeName(chosen, listed))
      AddFile(listed);
    else
      leftOut += L"\r" + chosen;
  }
  SelectFile(lstFiles->RowCount() - 1);
  UpdateFileCount();
  dlgAddFile->InitialDir = FolderOf(dlgAddFile->FileName());
  if (!leftOut.empty())
    ShowErrorBox(L"These files were not added: their names contain characters that the system's code page "
                 L"cannot hold, and their volume keeps no short names for them:\r" +
                 leftOut + L"\r\rRename them and add them again.");
}

void TfrmDorvane::btnRemoveClick() {
  const int focused = lstFiles->FocusedRow();
  if (focused == kNoRow) return;
  DeleteEntry(focused);
  int index = focused;
  if (index > lstFiles->RowCount() - 1) index = lstFiles->RowCount() - 1;
  if (index >= 0) SelectFile(index);
  UpdateFileCount();
}

void TfrmDorvane::btnClearClick() {
  if (lstFiles->RowCount() == 0) return;
  // The question box plays the question sound itself.
  if (!AskYesNo(L"Are you sure you want to remove all files from the list?")) return;
  ClearEntries();
  UpdateFileCount();
}
