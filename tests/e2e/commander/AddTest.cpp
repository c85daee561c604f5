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
#include <vector>

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

// A picture of 8500 x 8500 pixels, flat areas with a speck of noise,
// whose image data comes in one-byte sub-blocks: about 20 MB, and it takes
// the reader a while.
std::string OneByteBlockGif() {
  const int side = 8500;
  std::vector<std::uint8_t> pixels(std::size_t(side) * side);
  unsigned noise = 1;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      noise = noise * 1103515245u + 12345u;
      pixels[std::size_t(y) * side + std::size_t(x)] = std::uint8_t(x / 64 + y / 48 + ((noise >> 16) % 100 == 0));
    }
  giftest::FrameOptions options;
  options.blockSizes = {1};
  giftest::GifBuilder gif;
  gif.Header(side, side, 256).Image(side, side, pixels, options).Trailer();
  return std::string(gif.Data().begin(), gif.Data().end());
}

// Selects one entry of a list view of another process, and only that one:
// the items' states go through memory of that process.
bool Select(DWORD processId, HWND list, int index) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return false;
  LVITEMW items[2] = {};
  items[0].stateMask = items[1].stateMask = items[1].state = LVIS_SELECTED | LVIS_FOCUSED;
  auto* remote = static_cast<LVITEMW*>(VirtualAllocEx(process, nullptr, sizeof items, MEM_COMMIT, PAGE_READWRITE));
  const bool sent = remote && WriteProcessMemory(process, remote, items, sizeof items, nullptr) &&
                    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(-1), LPARAM(remote)) &&
                    SendMessageW(list, LVM_SETITEMSTATE, WPARAM(index), LPARAM(remote + 1));
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
  const std::string gif = OneByteBlockGif();
  folder.WriteFile(L"a.gif", gif);
  folder.WriteFile(L"b.gif", gif);
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
  ASSERT_TRUE(WaitFor([&] { return SendMessageW(files, LVM_GETITEMCOUNT, 0, 0) == 2; }, 5000));
  HWND caption = nullptr;
  EnumChildWindows(dialog, FindPreviewCaption, LPARAM(&caption));
  ASSERT_NE(caption, nullptr);

  // The first copy previews whole, which gives the time a decode takes.
  DWORD start = GetTickCount();
  ASSERT_TRUE(Select(program.Id(), files, 0));
  ASSERT_TRUE(WaitFor([&] { return !WindowText(caption).empty(); }, 60000));
  const DWORD whole = GetTickCount() - start;
  EXPECT_EQ(WindowText(caption), L"8500 x 8500");
  // A quarter into the second copy's decode, the user gives up: the dialog
  // goes and the window answers again.
  ASSERT_TRUE(Select(program.Id(), files, 1));
  Sleep(whole / 4);
  const bool loading = WindowText(caption).empty();
  start = GetTickCount();
  PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 60000));
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
  const DWORD took = GetTickCount() - start;
  std::printf("%zu bytes: the whole preview took %lu ms; Cancel %s it had loaded took %lu ms\n", gif.size(), whole,
              loading ? "before" : "after", took);
  EXPECT_LT(took, 1000u);
  EXPECT_LT(took, whole / 2) << "Cancel waited for the decode";
  ASSERT_TRUE(program.CloseMainWindow());
}

}  // namespace
