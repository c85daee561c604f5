// The list file and the stored settings as users' machines hold them: a
// list that Notepad saved as Unicode, a file that is no list, a list that
// another program holds at start, values that no window showed. None of
// them costs the user's list.
#include <gtest/gtest.h>

#include <random>

#include "ProgramTest.h"

namespace {

using namespace e2e;

using ListFile = TProgramTest;

const wchar_t kSettings[] = L"Software\\Quillon\\Dorvane\\Settings";
const std::wstring kList =
    L"[Wallpaper #1]\r\nFilename=\u00e9t\u00e9.jpg\r\nPath=D:\\Photos\r\nPosition=Tile\r\n\r\n"
    L"[Wallpaper #2]\r\nFilename=b.gif\r\nPath=D:\\P\r\nPosition=Center\r\n\r\n";

std::string Encoded(const std::wstring& text, UINT codePage = CP_ACP) {
  std::string out(text.size() * 3, '\0');
  out.resize(static_cast<std::size_t>(WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                          out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
  return out;
}

std::wstring SystemText(DWORD code) {
  wchar_t text[512] = {};
  DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, 512, nullptr);
  while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' ')) --length;
  return std::wstring(text, length);
}

DWORD Stored(const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  RegGetValueW(HKEY_CURRENT_USER, kSettings, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

TEST_F(ListFile, AUnicodeListSurvivesAStartAndACloseAndIsSavedInTheCodePage) {
  std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF", utf8 = "\xEF\xBB\xBF";
  for (const wchar_t c : kList) {
    utf16le += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    utf16be += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  }
  utf8 += Encoded(kList, CP_UTF8);
  for (const std::string& file : {utf16le, utf16be, utf8}) {
    TProgramFolder folder;
    folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
    folder.WriteFile(L"WPapers.ini", file);
    TProgram program(folder.Path() + L"Dorvane.exe");
    HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitFor([&] { return ChildWithText(main, L"There are 2 files in the list.") != nullptr; }));
    ASSERT_TRUE(program.CloseMainWindow());
    EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), Encoded(kList));
  }
}

TEST_F(ListFile, AFileThatIsNoListIsKeptBesideTheNewOne) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  std::string junk(20000, '\0');
  std::mt19937 random(25);
  for (char& byte : junk) byte = static_cast<char>(random());
  folder.WriteFile(L"WPapers.ini", junk);
  TProgram program(folder.Path() + L"Dorvane.exe");
  HWND box = WaitForMessageBox(program.Id(), L"Ombrelle", 20000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), L"The wallpaper list \"" + folder.Path() +
                                     L"WPapers.ini\" could not be read: it is not a text file.\rThe list starts "
                                     L"empty.\r\rThe file as it was is kept as \"" +
                                     folder.Path() + L"WPapers.ini.bak\".");
  PressButton(box, IDOK);
  HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main, nullptr);
  EXPECT_NE(ChildWithText(main, L"There are no files in the list!"), nullptr);
  ASSERT_TRUE(program.CloseMainWindow());
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini.bak"), junk);
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), "");
}

TEST_F(ListFile, AListHeldAtStartIsReadAfterTryAgainAndQuitOrALogOffMeanwhileSavesNothing) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  const std::string list = Encoded(kList);
  folder.WriteFile(L"WPapers.ini", list);
  const std::wstring path = folder.Path() + L"WPapers.ini";
  HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  struct TQuestion {
    HWND box, tryAgain, quit;
    explicit TQuestion(const TProgram& program)
        : box(WaitForMessageBox(program.Id(), L"Ombrelle", 20000)),
          tryAgain(box ? ChildWithText(box, L"&Try again") : nullptr),
          quit(box ? ChildWithText(box, L"&Quit") : nullptr) {}
    void Press(HWND button) const { PressButton(box, GetDlgCtrlID(button)); }
  };
  {
    TProgram program(folder.Path() + L"Dorvane.exe");
    TQuestion question(program);
    ASSERT_TRUE(question.box && question.tryAgain && question.quit);
    EXPECT_NE(ChildWithText(question.box, L"Your wallpaper list cannot be read."), nullptr);
    EXPECT_NE(
        ChildWithText(question.box, (L"Cannot open file \"" + path + L"\". " + SystemText(ERROR_SHARING_VIOLATION) +
                                     L"\r\rIf another program is using the file, close "
                                     L"it and try again. If you quit, nothing is saved.")
                                        .c_str()),
        nullptr);
    // Windows logs off while the question is open: the session may end,
    // and the window that never loaded saves nothing.
    HWND main = program.FindWindowOfClass(L"TfrmDorvane", false);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(SendMessageW(main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(main, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    question.Press(question.quit);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_FALSE(RegistryKeyExists(L"Software\\Quillon"));
  }
  TProgram program(folder.Path() + L"Dorvane.exe");
  TQuestion first(program);
  ASSERT_TRUE(first.tryAgain);
  first.Press(first.tryAgain);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(first.box); }));
  TQuestion second(program);  // still held: asked again
  ASSERT_TRUE(second.tryAgain);
  CloseHandle(held);
  second.Press(second.tryAgain);
  HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return ChildWithText(main, L"There are 2 files in the list.") != nullptr; }));
  ASSERT_TRUE(program.CloseMainWindow());
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), list);
}

TEST_F(ListFile, StoredValuesNoWindowShowedAreBoundedOrKept) {
  const DWORD huge = 2147483647, unit = 7;
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, L"HS1", REG_DWORD, &huge, sizeof huge);
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettings, L"Timer Style", REG_DWORD, &unit, sizeof unit);
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  TProgram program(folder.Path() + L"Dorvane.exe");
  ASSERT_NE(program.WaitForWindow(L"TfrmDorvane", 20000), nullptr);
  ASSERT_TRUE(program.CloseMainWindow());
  EXPECT_EQ(Stored(L"HS1"), 180u) << "the column's default, as the grid showed it";
  EXPECT_EQ(Stored(L"Timer Style"), 7u) << "a unit the window cannot show is kept";
}

}  // namespace
