#include "settings/ListFileSession.h"

#include "gui/Application.h"
#include "gui/Dialogs.h"
#include "gui/SafeFile.h"
#include "settings/WPapers.h"

namespace {

constexpr int kTryAgain = IDRETRY;
constexpr int kQuit = IDCANCEL;

// A list file that cannot be opened: true to read it again, false to quit.
bool AskTryAgain(HWND owner, const std::wstring& reason) {
  const std::wstring instruction = L"Your wallpaper list cannot be read.";
  const std::wstring content =
      reason + L"\r\rIf another program is using the file, close it and try again. If you quit, nothing is saved.";
  int choice = ShowTaskDialog(owner, Application().Title(), instruction, content,
                              {{kTryAgain, L"&Try again"}, {kQuit, L"&Quit"}}, kTryAgain);
  if (choice == 0)
    choice = ShowMessageBox(owner, instruction + L"\r\r" + content + L"\r\rRetry: read the list again.\rCancel: quit.",
                            Application().Title(), MB_RETRYCANCEL | MB_ICONSTOP | MB_DEFBUTTON1);
  return choice == kTryAgain;
}

// What a save would lose of the file, in words for the user.
std::wstring WhatIsWrong(const std::wstring& fileName, const TWallpaperListRead& found) {
  if (found.State == TWallpaperListRead::TState::NotAList)
    return L"The wallpaper list \"" + fileName + L"\" could not be read: " + found.Problem +
           L".\rThe list starts empty.";
  std::wstring names;
  for (const std::wstring& name : found.LossyNames) names += L"\r" + name;
  return L"These names in the wallpaper list \"" + fileName +
         L"\" contain characters that the system's code page cannot hold, and their volume keeps no short names "
         L"for them:\r" +
         names + L"\r\rThe list is saved in that code page, where these characters become question marks.";
}

}  // namespace

bool TListFileSession::Load(HWND owner, const std::wstring& fileName, TWallpaperList& list) {
  fileName_ = fileName;
  TWallpaperListRead found;
  for (;;) {
    try {
      found = LoadWallpaperList(fileName_, list);
      break;
    } catch (const EStreamError& error) {
      if (!AskTryAgain(owner, Utf8ToWide(error.what()))) return false;
    }
  }
  read_ = true;
  if (!found.KeepFile()) return true;
  pendingCopy_ = std::move(found.Bytes);
  copyPending_ = true;
  std::wstring copy;
  try {
    copy = L"The file as it was is kept as \"" + KeepCopy() + L"\".";
  } catch (const EStreamError& error) {
    copy = L"A copy of the file as it was could not be made. " + Utf8ToWide(error.what()) +
           L"\rThe list is not saved over the file until the copy can be made.";
  }
  ShowMessageBox(owner, WhatIsWrong(fileName_, found) + L"\r\r" + copy, Application().Title(), MB_OK | MB_ICONWARNING);
  return true;
}

void TListFileSession::Save(const TWallpaperList& list) {
  if (!read_) return;
  if (copyPending_) {
    try {
      KeepCopy();
    } catch (const EStreamError& error) {
      throw EStreamError("A copy of \"" + WideToUtf8(fileName_) +
                         "\" could not be made, so the list is not saved over it. " + error.what());
    }
  }
  SaveWallpaperList(fileName_, list);
}

std::wstring TListFileSession::KeepCopy() {
  std::wstring name = KeepCopyBeside(fileName_, pendingCopy_);
  copyPending_ = false;
  std::string().swap(pendingCopy_);
  return name;
}
