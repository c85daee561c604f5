// clang-format off
// windows.h first: the other system headers need its types.
#include <windows.h>
// clang-format on

#include <aclapi.h>
#include <gtest/gtest.h>

#include "KeyAccess.h"
#include "WineTestKit.h"
#include "engine/Startup.h"
#include "gui/ProgramPath.h"
#include "gui/Registry.h"

namespace {

constexpr wchar_t kMakerKey[] = L"Software\\Quillon";
constexpr wchar_t kSettingsKey[] = L"Software\\Quillon\\Dorvane\\Settings";

// Every test starts and ends without the program's keys and start-up entry.
class RegistryIsolated : public ::testing::Test {
 protected:
  void SetUp() override { Clean(); }
  void TearDown() override { Clean(); }
  static void Clean() {
    TRegistry registry;
    registry.DeleteKey(kMakerKey);
    if (registry.OpenKey(RunKeyPath, false)) registry.DeleteValue(RunValueName);
  }
  static std::string Raised(const std::function<void()>& action) {
    try {
      action();
    } catch (const ERegistryException& e) {
      return e.what();
    }
    return "(nothing raised)";
  }
};

using RegistryWrapper = RegistryIsolated;

TEST_F(RegistryWrapper, WritesAndReadsEachTypeBack) {
  TRegistry registry;
  EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(registry.OpenKey(kSettingsKey, false));
  EXPECT_FALSE(registry.KeyExists(kSettingsKey));
  ASSERT_TRUE(registry.OpenKey(std::wstring(L"\\") + kSettingsKey, true));
  registry.WriteString(L"Last Folder", L"C:\\Pictures\\\u00C9t\u00E9\\");
  registry.WriteInteger(L"Timer Interval", -17);
  registry.WriteBool(L"Random Timer", true);
  registry.WriteString(L"", L"default value");
  registry.CloseKey();
  EXPECT_TRUE(registry.KeyExists(kSettingsKey));

  ASSERT_TRUE(registry.OpenKeyReadOnly(kSettingsKey));
  EXPECT_EQ(registry.ReadString(L"last folder"), L"C:\\Pictures\\\u00C9t\u00E9\\");
  EXPECT_EQ(registry.ReadInteger(L"Timer Interval"), -17);
  EXPECT_TRUE(registry.ReadBool(L"Random Timer"));
  EXPECT_EQ(registry.ReadString(L""), L"default value");
  EXPECT_TRUE(registry.ValueExists(L"Random Timer"));
  EXPECT_FALSE(registry.ValueExists(L"Random Pointers"));
  // A read-only key takes no writes.
  EXPECT_EQ(Raised([&] { registry.WriteInteger(L"X", 1); }), "Failed to set data for 'X'");

  ASSERT_TRUE(registry.OpenKey(kSettingsKey, false));
  registry.WriteInteger(L"Random Timer", 5);
  EXPECT_TRUE(registry.ReadBool(L"Random Timer"));  // any number but 0
  registry.WriteBool(L"Random Timer", false);
  EXPECT_EQ(registry.ReadInteger(L"Random Timer"), 0);
  EXPECT_TRUE(registry.DeleteValue(L"Random Timer"));
  EXPECT_FALSE(registry.DeleteValue(L"Random Timer"));
  EXPECT_FALSE(registry.ValueExists(L"Random Timer"));
}

TEST_F(RegistryWrapper, TypeMismatchRaisesInvalidDataType) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kSettingsKey, true));
  registry.WriteString(L"Random Timer", L"1");
  registry.WriteInteger(L"Last Folder", 3);
  const BYTE four[4] = {1, 0, 0, 0};
  RegSetValueExW(registry.CurrentKey(), L"Binary", 0, REG_BINARY, four, 4);
  RegSetValueExW(registry.CurrentKey(), L"Short", 0, REG_DWORD, four, 2);
  EXPECT_EQ(Raised([&] { registry.ReadInteger(L"Random Timer"); }), "Invalid data type for 'Random Timer'");
  EXPECT_EQ(Raised([&] { registry.ReadBool(L"Random Timer"); }), "Invalid data type for 'Random Timer'");
  EXPECT_EQ(Raised([&] { registry.ReadString(L"Last Folder"); }), "Invalid data type for 'Last Folder'");
  EXPECT_EQ(Raised([&] { registry.ReadInteger(L"Binary"); }), "Invalid data type for 'Binary'");
  EXPECT_EQ(Raised([&] { registry.ReadInteger(L"Short"); }), "Invalid data type for 'Short'");
}

TEST_F(RegistryWrapper, MissingValuesAndClosedKeysRaiseOrAnswerNo) {
  TRegistry registry;
  EXPECT_EQ(Raised([&] { registry.WriteString(L"Orphan", L"x"); }), "Failed to set data for 'Orphan'");
  EXPECT_EQ(Raised([&] { registry.ReadInteger(L"Orphan"); }), "Failed to get data for 'Orphan'");
  EXPECT_FALSE(registry.ValueExists(L"Orphan"));
  EXPECT_FALSE(registry.DeleteValue(L"Orphan"));

  ASSERT_TRUE(registry.OpenKey(kSettingsKey, true));
  EXPECT_EQ(Raised([&] { registry.ReadString(L"Missing"); }), "Failed to get data for 'Missing'");
  EXPECT_EQ(Raised([&] { registry.ReadInteger(L"Missing"); }), "Failed to get data for 'Missing'");
  // A key that cannot be opened closes the one open before: the write that
  // follows fails rather than landing in the wrong key.
  EXPECT_FALSE(registry.OpenKey(L"Software\\Quillon\\Nowhere", false));
  EXPECT_EQ(registry.CurrentKey(), nullptr);
  EXPECT_EQ(Raised([&] { registry.WriteBool(L"Random Timer", true); }), "Failed to set data for 'Random Timer'");
  registry.CloseKey();
  ASSERT_TRUE(registry.OpenKey(kSettingsKey, false));
  EXPECT_FALSE(registry.ValueExists(L"Random Timer"));
}

TEST_F(RegistryWrapper, ReadsTextStoredWithoutTerminatorAndExpandableText) {
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(kSettingsKey, true));
  const wchar_t raw[] = L"abcdef";
  RegSetValueExW(registry.CurrentKey(), L"Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 3 * sizeof(wchar_t));
  RegSetValueExW(registry.CurrentKey(), L"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(L"%TEMP%\\x"),
                 9 * sizeof(wchar_t));
  registry.WriteString(L"Empty", L"");
  EXPECT_EQ(registry.ReadString(L"Raw"), L"abc");
  EXPECT_EQ(registry.ReadString(L"Expand"), L"%TEMP%\\x");
  EXPECT_EQ(registry.ReadString(L"Empty"), L"");
}

// ---- the start-up entry ----

using StartupEntry = RegistryIsolated;

std::wstring RunValue() {
  TRegistry registry;
  if (!registry.OpenKeyReadOnly(RunKeyPath) || !registry.ValueExists(RunValueName)) return L"<none>";
  return registry.ReadString(RunValueName);
}

TEST_F(StartupEntry, WritesTheEngineCommandQuotedOnlyWithABlank) {
  {
    TBoxWatcher box(L"Error", 500);
    EXPECT_EQ(SetRunAtStartupFor(L"D:\\Apps\\", true), L"");
    EXPECT_FALSE(box.Finish());
  }
  EXPECT_EQ(RunValue(), L"D:\\Apps\\REVorude.exe -startzpe");
  EXPECT_EQ(SetRunAtStartupFor(L"C:\\Program Files\\Ombrelle\\", true), L"");
  EXPECT_EQ(RunValue(), L"\"C:\\Program Files\\Ombrelle\\REVorude.exe\" -startzpe");

  EXPECT_EQ(SetRunAtStartup(true), L"");
  const std::wstring folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(RunValue(), StartupCommand(folder));
  EXPECT_NE(RunValue().find(folder + L"REVorude.exe"), std::wstring::npos);
}

TEST_F(StartupEntry, RemovalLeavesNothingAndAbsentEntryIsNoError) {
  ASSERT_EQ(SetRunAtStartupFor(L"D:\\Apps\\", true), L"");
  TBoxWatcher box(L"Error", 500);
  EXPECT_EQ(SetRunAtStartup(false), L"");
  EXPECT_EQ(RunValue(), L"<none>");
  EXPECT_EQ(SetRunAtStartup(false), L"");
  EXPECT_FALSE(box.Finish());
}

TEST_F(StartupEntry, RemovalDoesNotCreateAMissingRunKey) {
  // Set the Run key aside with its values, and put it back afterwards.
  TRegistry registry;
  std::vector<std::pair<std::wstring, std::wstring>> saved;
  if (registry.OpenKeyReadOnly(RunKeyPath)) {
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
      DWORD length = 16384;
      if (RegEnumValueW(registry.CurrentKey(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      try {
        saved.emplace_back(name, registry.ReadString(name));
      } catch (const ERegistryException&) {
      }
    }
  }
  registry.DeleteKey(RunKeyPath);
  ASSERT_FALSE(registry.KeyExists(RunKeyPath));
  TBoxWatcher box(L"Error", 500);
  EXPECT_EQ(SetRunAtStartup(false), L"");
  EXPECT_FALSE(registry.KeyExists(RunKeyPath));
  EXPECT_FALSE(box.Finish());
  ASSERT_TRUE(registry.OpenKey(RunKeyPath, true));
  for (const auto& [name, value] : saved) registry.WriteString(name, value);
}

const std::wstring kRunKeyName = L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_F(StartupEntry, AnEntryThatCannotBeWrittenIsReturnedNotShown) {
  std::wstring message;
  bool enforced = false;
  {
    TKeyAccess none(RunKeyPath, 0);
    enforced = none.Enforced();
    TBoxWatcher box(L"Error", 500);
    if (enforced) message = SetRunAtStartupFor(L"D:\\Apps\\", true);
    EXPECT_FALSE(box.Finish()) << "the caller reports it, after its save";
  }
  if (!enforced) GTEST_SKIP() << "this system does not enforce registry key permissions";
  EXPECT_EQ(message, L"Unable to update the start-up entry \"Dorvane\" in\r" + kRunKeyName + L".\r\r" +
                         SystemErrorMessage(ERROR_ACCESS_DENIED) + L"\r\rThe engine may not start when you log on.");
  EXPECT_EQ(RunValue(), L"<none>");
  // With no entry to remove, a Run key that may only be read is no error.
  TKeyAccess readOnly(RunKeyPath, KEY_READ);
  EXPECT_EQ(SetRunAtStartup(false), L"");
}

}  // namespace
