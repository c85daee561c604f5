// The real program on a screen of 150 %: Wine reads the DPI from the
// registry when a program starts, so each run below starts the program
// afresh under the DPI it sets.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "ProgramTest.h"

namespace {

using namespace e2e;

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// The DPI of the programs started while this lives; the value before comes
// back afterwards.
class TSystemDpi {
 public:
  explicit TSystemDpi(DWORD dpi) {
    DWORD size = sizeof old_;
    hadOld_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &old_, &size) ==
              ERROR_SUCCESS;
    Set(dpi);
  }
  ~TSystemDpi() {
    if (hadOld_)
      Set(old_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
  }
  TSystemDpi(const TSystemDpi&) = delete;
  TSystemDpi& operator=(const TSystemDpi&) = delete;

 private:
  static void Set(DWORD dpi) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  }
  DWORD old_ = 0;
  bool hadOld_ = false;
};

struct TWindowLayout {
  SIZE Client{};
  // Every control, in the client's coordinates. The list's column header
  // is left out: it fills the list inside the list's edge, which the system
  // keeps 2 pixels wide at any DPI, and takes the height of its font.
  std::vector<RECT> Controls;
  // Whether each is a label: where its text ends depends on the font of
  // each DPI, only the side it stands on scales like every edge.
  std::vector<bool> Labels;
};

BOOL CALLBACK AddChild(HWND child, LPARAM param) {
  auto* layout = reinterpret_cast<std::pair<HWND, TWindowLayout*>*>(param);
  wchar_t className[64] = {};
  GetClassNameW(child, className, 64);
  if (wcscmp(className, L"SysHeader32") == 0) return TRUE;
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, layout->first, reinterpret_cast<POINT*>(&r), 2);
  layout->second->Controls.push_back(r);
  layout->second->Labels.push_back(wcscmp(className, L"DvLabel") == 0 || wcscmp(className, L"DvEffectLabel") == 0);
  return TRUE;
}

// Starts the program, reads its main window and every control in it, and
// closes it again.
TWindowLayout MainWindowLayout(const TProgramFolder& folder) {
  TProgram program(folder.Path() + L"Dorvane.exe");
  TWindowLayout layout;
  HWND main = program.WaitForWindow(L"TfrmDorvane", 20000);
  if (!main) return layout;
  RECT client{};
  GetClientRect(main, &client);
  layout.Client = SIZE{client.right, client.bottom};
  std::pair<HWND, TWindowLayout*> param{main, &layout};
  EnumChildWindows(main, AddChild, reinterpret_cast<LPARAM>(&param));
  program.CloseMainWindow();
  return layout;
}

// Every value of the settings key the engine reads: name, type and bytes.
std::map<std::wstring, std::pair<DWORD, std::string>> StoredSettings() {
  std::map<std::wstring, std::pair<DWORD, std::string>> values;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Quillon\\Dorvane\\Settings", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256, type = 0;
    BYTE data[1024];
    DWORD size = sizeof data;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
    values[name] = {type, std::string(reinterpret_cast<char*>(data), size)};
  }
  RegCloseKey(key);
  return values;
}

using Dpi = TProgramTest;

TEST_F(Dpi, AtOneAndAHalfTimesTheDpiTheWindowAndEveryControlAreOneAndAHalfTimesAsLarge) {
  TProgramFolder folder;
  folder.Copy(L"Dorvane.exe", L"Dorvane.exe");
  const TWindowLayout at96 = MainWindowLayout(folder);
  ASSERT_EQ(at96.Client.cx, 645);
  const auto storedAt96 = StoredSettings();
  TWindowLayout at144;
  {
    TSystemDpi dpi(144);
    at144 = MainWindowLayout(folder);
  }
  // What the program stores (column widths too) reads the same on any screen.
  EXPECT_FALSE(storedAt96.empty());
  EXPECT_EQ(StoredSettings(), storedAt96);
  EXPECT_NEAR(at144.Client.cx, 645 * 1.5, 1);
  EXPECT_NEAR(at144.Client.cy, 457 * 1.5, 1);
  ASSERT_EQ(at144.Controls.size(), at96.Controls.size());
  for (size_t i = 0; i < at96.Controls.size(); ++i) {
    SCOPED_TRACE(i);
    const RECT &before = at96.Controls[i], &after = at144.Controls[i];
    const bool leftScales = std::abs(after.left - before.left * 1.5) <= 1;
    const bool rightScales = std::abs(after.right - before.right * 1.5) <= 1;
    EXPECT_TRUE(at96.Labels[i] ? leftScales || rightScales : leftScales && rightScales)
        << before.left << ".." << before.right << " became " << after.left << ".." << after.right;
    EXPECT_NEAR(at144.Controls[i].top, at96.Controls[i].top * 1.5, 1);
    EXPECT_NEAR(at144.Controls[i].bottom, at96.Controls[i].bottom * 1.5, 1);
  }
}

}  // namespace
