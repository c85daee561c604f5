// The whole Add flow through the real open dialog: several files in one
// choice, a file chosen twice, a file already listed, and the count; after
// a restart the dialog opens in the folder of the last choice. A picture
// that is slow to read never holds up Cancel.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

#include "ProgramTest.h"
#include "support/GifWriter.h"

namespace {

using namespace e2e;

bool WaitFor(const std::function<bool()>& done, DWORD milliseconds = 10000) {
  for (const DWORD start = GetTickCount(); !done(); Sleep(50))
    if (GetTickCount() - start > milliseconds) return false;
  return true;
}

HWND ChildWithText(HWND window, const std::wstring& text) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowText(child) == text) return child;
    if (HWND found = ChildWithText(child, text)) return found;
  }
  return nullptr;
}

using Add = TProgramTest;

TEST_F(Add, SeveralFilesInOneChoiceEachListedOnce) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  for (const wchar_t* name : {L"one.bmp", L"two.jpg", L"three.gif"}) folder.WriteFile(name, "not looked at");
  const std::string listed = "[Wallpaper #1]\r\nFilename=two.jpg\r\nPath=" + std::string(folder.Path().begin(),
                                                                                         folder.Path().end() - 1) +
                             "\r\nPosition=Tile\r\n\r\n";
  folder.WriteFile(L"WPapers.ini", listed);
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main, nullptr);

  HWND add = ChildWithText(main, L"&Add...");
  ASSERT_NE(add, nullptr);
  PostMessageW(add, BM_CLICK, 0, 0);
  HWND dialog = WaitForMessageBox(program.Id(), L"Add Wallpaper", 10000);
  ASSERT_NE(dialog, nullptr);
  // Typed into the name box of the dialog, which opens in the program's
  // folder: one file twice and the listed one once more.
  HWND name = GetDlgItem(dialog, 0x47C);
  ASSERT_NE(name, nullptr);
  SetWindowTextW(name, L"\"one.bmp\" \"three.gif\" \"one.bmp\" \"two.jpg\"");
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(WaitFor([&] { return ChildWithText(main, L"There are 3 files in the list.") != nullptr; }));
  ASSERT_TRUE(program.CloseMainWindow());
  // In the order chosen after the listed one, each file once, centred.
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"),
            listed + "[Wallpaper #2]\r\nFilename=one.bmp\r\nPath=" +
                std::string(folder.Path().begin(), folder.Path().end() - 1) +
                "\r\nPosition=Center\r\n\r\n[Wallpaper #3]\r\nFilename=three.gif\r\nPath=" +
                std::string(folder.Path().begin(), folder.Path().end() - 1) + "\r\nPosition=Center\r\n\r\n");

  // Started again from elsewhere, the dialog opens where the files came from.
  TProgramFolder other;
  other.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram again(other.Path() + L"Dorvane.exe");
  main = again.WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main, nullptr);
  PostMessageW(ChildWithText(main, L"&Add..."), BM_CLICK, 0, 0);
  dialog = WaitForMessageBox(again.Id(), L"Add Wallpaper", 10000);
  ASSERT_NE(dialog, nullptr);
  // It shows the three pictures of that folder (the program's new folder
  // has none).
  HWND files = FindWindowExW(FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr), nullptr, L"SysListView32",
                             nullptr);
  if (!files) files = FindWindowExW(dialog, nullptr, L"SysListView32", nullptr);
  ASSERT_NE(files, nullptr);
  EXPECT_TRUE(WaitFor([&] { return SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) == 3; }, 5000))
      << "the dialog shows " << SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) << " files";
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  ASSERT_TRUE(again.CloseMainWindow());
}

// A picture of 4200 x 3150 noisy pixels whose image data comes in one-byte
// sub-blocks: about 20 MB.
std::string OneByteBlockGif() {
  const int width = 4200, height = 3150;
  giftest::FrameOptions options;
  options.blockSizes = {1};
  giftest::GifBuilder gif;
  gif.Header(width, height, 256).Image(width, height, giftest::NoisyPixels(width, height, 256, 9), options).Trailer();
  return std::string(gif.Data().begin(), gif.Data().end());
}

// Selects the first entry of a list view of another process: the item's
// state goes through memory of that process.
bool SelectFirst(DWORD processId, HWND list) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return false;
  LVITEMW item{};
  item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
  void* remote = VirtualAllocEx(process, nullptr, sizeof item, MEM_COMMIT, PAGE_READWRITE);
  const bool sent = remote && WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
                    SendMessageW(list, LVM_SETITEMSTATE, 0, LPARAM(remote));
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return sent;
}

BOOL CALLBACK FindPreviewCaption(HWND window, LPARAM found) {
  if (GetDlgCtrlID(window) != 1201) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

TEST_F(Add, CancelWhileA20MegabyteGifOfOneByteBlocksPreviewsReturnsWithinASecond) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder.WriteFile(L"blocks.gif", OneByteBlockGif());
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main, nullptr);
  PostMessageW(ChildWithText(main, L"&Add..."), BM_CLICK, 0, 0);
  HWND dialog = WaitForMessageBox(program.Id(), L"Add Wallpaper", 10000);
  ASSERT_NE(dialog, nullptr);
  HWND files =
      FindWindowExW(FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr), nullptr, L"SysListView32", nullptr);
  if (!files) files = FindWindowExW(dialog, nullptr, L"SysListView32", nullptr);
  ASSERT_NE(files, nullptr);
  ASSERT_TRUE(WaitFor([&] { return SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) == 1; }, 5000));
  ASSERT_TRUE(SelectFirst(program.Id(), files));

  // Half a second into the preview's decode, the user gives up.
  Sleep(500);
  HWND caption = nullptr;
  EnumChildWindows(dialog, FindPreviewCaption, LPARAM(&caption));
  const std::wstring shown = caption ? WindowText(caption) : L"?";
  const DWORD start = GetTickCount();
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 30000));
  const DWORD took = GetTickCount() - start;
  std::printf("Cancel %s the preview had loaded took %lu ms\n", shown.empty() ? "before" : "after", took);
  EXPECT_LT(took, 1000u);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer)) << "the window froze";
  ASSERT_TRUE(program.CloseMainWindow());
}

}  // namespace
