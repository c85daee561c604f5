// Log-off as Windows does it: WM_QUERYENDSESSION, WM_ENDSESSION, then the
// process is ended. Every edit is saved first; a list that cannot be saved
// holds the log-off with a reason, and no message box.
#include <gtest/gtest.h>

#include "ProgramTest.h"

namespace {

using namespace e2e;

using EndSession = TProgramTest;

LRESULT Ask(HWND main, UINT message, WPARAM wParam) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(main, message, wParam, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 10000, &answer)) return -1;
  return static_cast<LRESULT>(answer);
}

// The reason the window holds the session with, where the system keeps
// reasons. Wine keeps none (it has no ShutdownBlockReasonQuery); there ctest
// finds the reason in the trace of Wine's ShutdownBlockReasonCreate, which
// this test turns on for the program.
const std::wstring kNotKept = L"(not kept)";
std::wstring Reason(HWND main) {
  using TQuery = BOOL(WINAPI*)(HWND, LPWSTR, DWORD*);
  const auto query = reinterpret_cast<TQuery>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ShutdownBlockReasonQuery")));
  wchar_t text[256] = {};
  DWORD length = 256;
  if (!query) return kNotKept;
  return query(main, text, &length) ? text : L"";
}

TEST_F(EndSession, LogOffSavesEveryEditAndAListThatCannotBeSavedHoldsItWithAReason) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  const std::string three =
      "[Wallpaper #1]\r\nFilename=a.jpg\r\nPath=D:\\P\r\nPosition=Tile\r\n\r\n"
      "[Wallpaper #2]\r\nFilename=b.jpg\r\nPath=D:\\P\r\nPosition=Center\r\n\r\n"
      "[Wallpaper #3]\r\nFilename=c.jpg\r\nPath=D:\\P\r\nPosition=Stretch\r\n\r\n";
  folder.WriteFile(L"WPapers.ini", three);
  const std::wstring list = folder.Path() + L"WPapers.ini";
  SetEnvironmentVariableW(L"WINEDEBUG", L"-all,fixme+graphics");
  TProgram program(folder.Path() + L"Dorvane.exe");
  SetEnvironmentVariableW(L"WINEDEBUG", nullptr);
  HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main, nullptr);
  PostMessageW(ChildWithText(main, L"&Remove"), BM_CLICK, 0, 0);
  PostMessageW(ChildWithText(main, L"Random &mouse pointers"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return ChildWithText(main, L"There are 2 files in the list.") != nullptr; }));

  SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Ask(main, WM_QUERYENDSESSION, 0), FALSE);
  EXPECT_FALSE(WaitForMessageBox(program.Id(), L"Ombrelle", 1000)) << "no message while Windows logs off";
  if (const std::wstring reason = Reason(main); reason != kNotKept) {
    EXPECT_EQ(reason, L"The wallpaper list could not be saved.");
  }
  EXPECT_EQ(Ask(main, WM_ENDSESSION, FALSE), 0);  // the log-off was cancelled
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), three);

  // Once it can be saved the log-off goes on, and the reason is gone.
  SetFileAttributesW(list.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Ask(main, WM_QUERYENDSESSION, 0), TRUE);
  EXPECT_NE(Reason(main), L"The wallpaper list could not be saved.");
  EXPECT_EQ(Ask(main, WM_ENDSESSION, TRUE), 0);
  EXPECT_TRUE(program.Running()) << "Windows ends the process, not the program";
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"),
            "[Wallpaper #1]\r\nFilename=b.jpg\r\nPath=D:\\P\r\nPosition=Center\r\n\r\n"
            "[Wallpaper #2]\r\nFilename=c.jpg\r\nPath=D:\\P\r\nPosition=Stretch\r\n\r\n");
  DWORD pointers = 1, size = sizeof pointers;
  RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quillon\\Dorvane\\Settings", L"Random Pointers", RRF_RT_REG_DWORD,
               nullptr, &pointers, &size);
  EXPECT_EQ(pointers, 0u);
}

}  // namespace
