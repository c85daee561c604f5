// The release's installer and uninstaller, run as an administrator runs
// them (/S and /D=) and as a user does, through their pages: the program
// they install opens and keeps its list, an upgrade closes a running copy
// so that it saves, and the uninstaller keeps what it did not install.
#include <shlobj.h>
#include <shlwapi.h>

#include <filesystem>

#include "ProgramTest.h"

namespace {

using namespace e2e;

const wchar_t kAppsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Dorvane";
const wchar_t kProductKey[] = L"Software\\Quillon\\Dorvane";
const std::string kList = "[Wallpaper #1]\r\nFilename=a.jpg\r\nPath=D:\\P\r\nPosition=Tile\r\n\r\n";

std::wstring Release(const wchar_t* name) { return BinFolder() + L"..\\dist\\" + name; }

std::wstring Text(const wchar_t* key, const wchar_t* name) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text;
  RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
  return text;
}

DWORD Number(const wchar_t* name) {
  DWORD number = 0, size = sizeof number;
  RegGetValueW(HKEY_CURRENT_USER, kAppsKey, name, RRF_RT_REG_DWORD, nullptr, &number, &size);
  return number;
}

std::wstring Shortcut() {
  wchar_t programs[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
  return std::wstring(programs) + L"\\Ombrelle commander.lnk";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

uintmax_t SizeOf(const std::wstring& path) { return std::filesystem::file_size(std::filesystem::path(path)); }

bool CommanderRunning() { return FindWindowW(L"TfrmDorvane", nullptr) != nullptr; }

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

// The folder in the directory page's edit box, which holds its text itself.
std::wstring FolderShown(HWND wizard) {
  HWND edit = FindWindowExW(FindWindowExW(wizard, nullptr, L"#32770", nullptr), nullptr, L"Edit", nullptr);
  wchar_t text[MAX_PATH] = {};
  SendMessageW(edit, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
  return text;
}

// A message box of the setup, whose caption is the wizard's own.
HWND WaitForBox(const TProgram& setup, HWND wizard) {
  std::wstring caption = WindowText(wizard);
  caption.erase(caption.find_last_not_of(L' ') + 1);
  HWND box = nullptr;
  WaitFor([&] { return (box = WaitForMessageBox(setup.Id(), caption, 0)) != nullptr && box != wizard; });
  return box == wizard ? nullptr : box;
}

class Install : public TProgramTest {
 protected:
  // The uninstaller's window runs in a copy of the uninstaller that the test
  // holds no handle of; a failed step must not leave it open.
  DWORD uninstallerId_ = 0;

  void TearDown() override {
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, uninstallerId_)) {
      if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
    if (HWND left = FindWindowW(L"TfrmDorvane", nullptr)) PostMessageW(left, WM_CLOSE, 0, 0);
    WaitFor([] { return !CommanderRunning(); });
    SHDeleteKeyW(HKEY_CURRENT_USER, kAppsKey);
    DeleteFileW(Shortcut().c_str());
    // The uninstaller runs from a copy in the temporary folder, which
    // Windows removes at the next start; the test prefix never restarts.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    WaitFor([&] {
      std::error_code error;
      bool left = false;
      for (const auto& entry : std::filesystem::directory_iterator(temp, error)) {
        if (entry.path().filename().wstring().starts_with(L"~nsu")) {
          std::filesystem::remove_all(entry.path(), error);
          left = left || error;
        }
      }
      return !left;
    });
    TProgramTest::TearDown();
  }
};

TEST_F(Install, SilentlyInstallsUpgradesOverARunningCopyAndUninstallsKeepingTheListAndTheEngine) {
  TProgramFolder folder;
  folder.Copy(L"REVorude.exe", L"REVorude.exe");
  const std::wstring switches = L"/S /D=" + folder.Path().substr(0, folder.Path().size() - 1);
  {
    TProgram setup(Release(L"" DV_SETUP_NAME), switches);
    ASSERT_TRUE(setup.WaitForExit(30000));
    ASSERT_EQ(setup.ExitCode(), 0u);
  }
  ASSERT_TRUE(folder.Exists(L"Dorvane.exe"));
  EXPECT_TRUE(Exists(Shortcut()));

  folder.WriteFile(L"WPapers.ini", kList);
  {
    TProgram program(folder.Path() + L"Dorvane.exe");
    ASSERT_NE(program.WaitForWindow(L"TfrmDorvane", 20000), nullptr);
    DeleteFileW((folder.Path() + L"WPapers.ini").c_str());
    ASSERT_TRUE(program.CloseMainWindow());
  }
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), kList);
  // The version the program reads from its own resource and records.
  EXPECT_EQ(Text(kAppsKey, L"DisplayVersion"), Text(kProductKey, L"Version"));
  EXPECT_EQ(Text(kAppsKey, L"DisplayName"), L"Ombrelle commander");
  EXPECT_EQ(Text(kAppsKey, L"DisplayIcon"), folder.Path() + L"Dorvane.exe,0");
  const std::wstring uninstaller = folder.Path() + L"Uninstall Dorvane.exe";
  EXPECT_EQ(Text(kAppsKey, L"UninstallString"), L"\"" + uninstaller + L"\"");
  EXPECT_EQ(Text(kAppsKey, L"QuietUninstallString"), L"\"" + uninstaller + L"\" /S");
  EXPECT_EQ(Number(L"NoModify") + Number(L"NoRepair"), 2u);
  EXPECT_GE(Number(L"EstimatedSize"), SizeOf(Release(L"Dorvane.exe")) / 1024);

  // An upgrade over a copy that runs, and holds the list only in its window.
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  {
    TProgram running(folder.Path() + L"Dorvane.exe");
    ASSERT_NE(running.WaitForWindow(L"TfrmDorvane", 20000), nullptr);
    DeleteFileW((folder.Path() + L"WPapers.ini").c_str());
    TProgram setup(Release(L"" DV_SETUP_NAME), switches);
    ASSERT_TRUE(setup.WaitForExit(30000));
    EXPECT_EQ(setup.ExitCode(), 0u);
    EXPECT_TRUE(running.WaitForExit(0));
  }
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), kList);
  EXPECT_EQ(SizeOf(folder.Path() + L"Dorvane.exe"), SizeOf(Release(L"Dorvane.exe")));

  // The uninstaller hands over to a copy of itself and ends at once.
  TProgram uninstall(uninstaller, L"/S");
  ASSERT_TRUE(WaitFor([&] { return !Exists(uninstaller); }, 30000));
  EXPECT_FALSE(folder.Exists(L"Dorvane.exe"));
  EXPECT_FALSE(Exists(Shortcut()));
  EXPECT_FALSE(RegistryKeyExists(kAppsKey));
  EXPECT_EQ(folder.ReadFile(L"WPapers.ini"), kList);
  EXPECT_TRUE(folder.Exists(L"REVorude.exe"));
  EXPECT_TRUE(RegistryKeyExists(std::wstring(kProductKey) + L"\\Settings"));
}

TEST_F(Install, ThePagesOfferTheRecordedFolderWarnWithoutTheEngineAndTheUninstallerRemovesTheListWhenTicked) {
  TProgramFolder folder;
  // Recorded by the commander with its trailing backslash.
  RegSetKeyValueW(HKEY_CURRENT_USER, kProductKey, L"Path", REG_SZ, folder.Path().c_str(),
                  DWORD((folder.Path().size() + 1) * sizeof(wchar_t)));
  TProgram setup(Release(L"" DV_SETUP_NAME));
  HWND wizard = setup.WaitForWindow(L"#32770", 20000);
  ASSERT_NE(wizard, nullptr);
  ASSERT_TRUE(WaitFor([&] { return ChildWithText(wizard, L"&Install") != nullptr; }));
  EXPECT_EQ(FolderShown(wizard), folder.Path().substr(0, folder.Path().size() - 1));

  Click(ChildWithText(wizard, L"&Install"));
  HWND warning = WaitForBox(setup, wizard);
  ASSERT_NE(warning, nullptr);
  EXPECT_NE(MessageBoxText(warning).find(L"REVorude.exe, is not in this folder"), std::wstring::npos);
  PressButton(warning, IDNO);
  folder.Copy(L"REVorude.exe", L"REVorude.exe");
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(warning); }));
  Click(ChildWithText(wizard, L"&Install"));
  // The finish page starts the commander from its new folder.
  ASSERT_TRUE(WaitFor([&] { return ChildWithText(wizard, L"&Finish") != nullptr; }, 30000));
  Click(ChildWithText(wizard, L"&Finish"));
  ASSERT_TRUE(setup.WaitForExit(10000));
  ASSERT_TRUE(WaitFor(CommanderRunning, 20000));
  PostMessageW(FindWindowW(L"TfrmDorvane", nullptr), WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor([&] { return !CommanderRunning() && folder.Exists(L"WPapers.ini"); }));

  const std::wstring caption = L"Ombrelle commander " + Text(kAppsKey, L"DisplayVersion") + L" Uninstall";
  TProgram uninstall(folder.Path() + L"Uninstall Dorvane.exe");
  HWND page = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (page = FindWindowW(L"#32770", caption.c_str())) != nullptr; }, 20000));
  GetWindowThreadProcessId(page, &uninstallerId_);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return (box = ChildWithText(page, L"Also remove the wallpaper &list (WPapers.ini) and the settings")) != nullptr;
  }));
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(ChildWithText(page, L"&Uninstall"));
  // Close is there from the start of the work, and enabled at its end.
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(ChildWithText(page, L"&Close")); }, 30000));
  Click(ChildWithText(page, L"&Close"));
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(page); }));
  EXPECT_FALSE(folder.Exists(L"WPapers.ini"));
  EXPECT_FALSE(RegistryKeyExists(kProductKey));
  EXPECT_TRUE(folder.Exists(L"REVorude.exe"));
}

}  // namespace
