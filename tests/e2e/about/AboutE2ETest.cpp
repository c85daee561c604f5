// The About window of the real program: opened by the About button, modal
// over the main window, holding Links.dat only while it is open.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>  // needs the types of windows.h
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "ProgramTest.h"

namespace {

using namespace e2e;

constexpr DWORD kStart = 20000;

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool HasText(HWND root, const std::wstring& text) {
  const auto all = Descendants(root);
  return std::any_of(all.begin(), all.end(), [&](HWND w) { return WindowText(w) == text; });
}

std::wstring TextStartingWith(HWND root, const std::wstring& start) {
  for (HWND w : Descendants(root))
    if (const std::wstring text = WindowText(w); text.rfind(start, 0) == 0) return text;
  return L"";
}

// The About button: the glyph-only 25 x 25 push button of the main window.
HWND AboutButton(HWND main) {
  for (HWND w : Descendants(main)) {
    wchar_t name[32] = {};
    GetClassNameW(w, name, 32);
    RECT r{};
    GetWindowRect(w, &r);
    if (lstrcmpiW(name, L"Button") == 0 && WindowText(w).empty() && r.right - r.left == 25 && r.bottom - r.top == 25)
      return w;
  }
  return nullptr;
}

// Whether the process has the file loaded as a module.
bool ModuleLoaded(DWORD process, const std::wstring& path) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Module32FirstW(snapshot, &entry); more && !found; more = Module32NextW(snapshot, &entry))
    found = lstrcmpiW(entry.szExePath, path.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
}

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(50);
  }
  return true;
}

using AboutE2E = TProgramTest;

TEST_F(AboutE2E, AboutButtonOpensTheWindowWhichHoldsTheLinksWhileOpen) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  folder.Copy(L"Links.dat", L"Links.dat");
  const std::wstring links = folder.Path() + L"Links.dat";
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  HWND button = AboutButton(main);
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(ModuleLoaded(program.Id(), links));

  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    PostMessageW(button, BM_CLICK, 0, 0);
    HWND about = program.WaitForWindow(L"TfrmAbout", 10000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), L"About Ombrelle");
    EXPECT_EQ(GetWindow(about, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main));
    EXPECT_TRUE(HasText(about, L"Version 1.00  (Build 762)"));
    EXPECT_NE(TextStartingWith(about, L"Links.dat - "), L"");
    EXPECT_FALSE(HasText(about, L"Unable to find the external links file!"));
    EXPECT_TRUE(ModuleLoaded(program.Id(), links));

    PostMessageW(about, WM_KEYDOWN, opening == 0 ? VK_ESCAPE : VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main); }));
    EXPECT_FALSE(ModuleLoaded(program.Id(), links));
  }
  EXPECT_TRUE(program.CloseMainWindow());
}

TEST_F(AboutE2E, WithoutLinksFileTheWindowSaysSo) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND main = program.WaitForWindow(L"TfrmDorvane", kStart);
  ASSERT_NE(main, nullptr);
  HWND button = AboutButton(main);
  ASSERT_NE(button, nullptr);
  PostMessageW(button, BM_CLICK, 0, 0);
  HWND about = program.WaitForWindow(L"TfrmAbout", 10000);
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(HasText(about, L"Unable to find the external links file!"));
  EXPECT_EQ(TextStartingWith(about, L"Links.dat"), L"");
  PostMessageW(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  EXPECT_TRUE(program.CloseMainWindow());
}

}  // namespace
