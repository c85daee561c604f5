#include "list/WallpaperPanel.h"

#include "gui/AnsiText.h"
#include "gui/Control.h"
#include "gui/Dialogs.h"
#include "gui/ProgramPath.h"
#include "list/DroppedPictures.h"

namespace {

// Names the files that AddFiles could not list, if any.
void ReportNotAdded(const std::vector<std::wstring>& leftOut) {
  if (leftOut.empty()) return;
  std::wstring names;
  for (const std::wstring& name : leftOut) names += L"\r" + name;
  ShowErrorBox(
      L"These files were not added: their names contain characters that the system's code page "
      L"cannot hold, and their volume keeps no short names for them:\r" +
      names + L"\r\rRename them and add them again.");
}

}  // namespace

TWallpaperPanel::TWallpaperPanel(const TWallpaperControls& controls, TWallpaperList& list)
    : controls_(controls), list_(list), view_(*controls.Files, list) {
  list_.OnChange = [this](const TWallpaperChange& change) { ListChanged(change); };
  controls_.FileCount->SetCaption(list_.CountText());
  controls_.Add->OnClick = [this](TControl&) { AddClick(); };
  controls_.Remove->OnClick = [this](TControl&) { RemoveClick(); };
  controls_.Clear->OnClick = [this](TControl&) { ClearClick(); };
  // Delete in the list removes as Remove does, with its rules.
  view_.OnDeleteKey = [this] { RemoveClick(); };

  addDialog_.Title = L"Add Wallpaper";
  addDialog_.Filters = {
      {L"All Supported Files", PicturePatterns()},
      {L"Bitmap Files (*.bmp)", L"*.bmp"},
      {L"JPEG Image Files (*.jpg; *.jpeg; *.jpe; *.jfif)", L"*.jpg;*.jpeg;*.jpe;*.jfif"},
      {L"GIF Images (*.gif)", L"*.gif"},
      {L"All Files (*.*)", L"*.*"},
  };
}

void TWallpaperPanel::AcceptDrops() {
  if (drop_) return;
  drop_ = TWallpaperDrop::Register(*controls_.Files,
                                   [this](const std::vector<std::wstring>& pictures) { DropFiles(pictures); });
}

TWallpaperPanel::~TWallpaperPanel() {
  if (drop_) drop_->Revoke();
}

void TWallpaperPanel::ListChanged(const TWallpaperChange& change) {
  view_.Show(change);
  // Written only when it reads differently: a screen reader hears each change of it once.
  if (const std::wstring count = list_.CountText(); count != controls_.FileCount->Caption())
    controls_.FileCount->SetCaption(count);
}

std::vector<std::wstring> TWallpaperPanel::AddFiles(const std::vector<std::wstring>& files) {
  std::vector<std::wstring> leftOut;
  for (const std::wstring& chosen : files) {
    // The list file keeps names in the system's ANSI code page, for the
    // engine's sake: a name it cannot hold is listed under its short name.
    std::wstring listed;
    if (AnsiSafeFileName(chosen, listed))
      list_.Add(listed);
    else
      leftOut.push_back(chosen);
  }
  SelectFile(list_.Count() - 1);
  return leftOut;
}

void TWallpaperPanel::AddClick() {
  if (!addDialog_.Execute(GetAncestor(controls_.Files->Handle(), GA_ROOT))) return;
  const std::vector<std::wstring> leftOut = AddFiles(addDialog_.Files());
  addDialog_.InitialDir = FolderOf(addDialog_.FileName());
  ReportNotAdded(leftOut);
}

void TWallpaperPanel::DropFiles(const std::vector<std::wstring>& pictures) {
  // The edit ends as Enter ends it, keeping the choice; an editor that
  // refuses to end (the pointer rests on its row) is cancelled, so that the
  // drop goes ahead.
  TVirtualGrid& grid = *controls_.Files;
  if (grid.IsEditing() && !grid.EndEditNode()) grid.CancelEditNode();
  ReportNotAdded(AddFiles(pictures));
}

void TWallpaperPanel::RemoveClick() {
  const int focused = controls_.Files->FocusedRow();
  if (focused == kNoRow) return;
  list_.Remove(focused);
  SelectFile(focused < list_.Count() ? focused : list_.Count() - 1);
}

void TWallpaperPanel::ClearClick() {
  if (list_.Empty()) return;
  // The question box plays the question sound itself.
  if (!AskYesNo(L"Are you sure you want to remove all files from the list?")) return;
  list_.Clear();
}
