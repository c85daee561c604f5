// The settings values: their table, limits and the order of load and save,
// through a store that keeps values in memory as the registry keeps them.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <variant>
#include <vector>

#include "settings/Settings.h"

namespace {

// Values as the registry types them: a number or a text. Reading a number
// from a text (or the other way round) fails, as the registry wrapper does.
class TMemoryStore {
 public:
  std::map<std::wstring, std::variant<int, std::wstring>> Values;
  std::vector<std::wstring> Written;
  std::wstring FailAt;  // a write of this name fails

  bool ValueExists(const wchar_t* name) const { return Values.count(name) != 0; }
  int ReadInteger(const wchar_t* name) const { return std::get<int>(Values.at(name)); }
  bool ReadBool(const wchar_t* name) const { return ReadInteger(name) != 0; }
  std::wstring ReadString(const wchar_t* name) const { return std::get<std::wstring>(Values.at(name)); }
  void WriteInteger(const wchar_t* name, int value) { Put(name, value); }
  void WriteBool(const wchar_t* name, bool value) { Put(name, value ? 1 : 0); }
  void WriteString(const wchar_t* name, const std::wstring& value) { Put(name, value); }

 private:
  void Put(const wchar_t* name, std::variant<int, std::wstring> value) {
    if (FailAt == name) throw std::runtime_error("write refused");
    Values[name] = std::move(value);
    Written.push_back(name);
  }
};

TEST(Settings, EmptyStoreLoadsTheDefaultsAndSaveWritesEveryValueInOrder) {
  TMemoryStore store;
  TSettings settings;
  LoadSettingsFrom(store, settings);
  EXPECT_EQ(settings, TSettings());
  SaveSettingsTo(store, settings);
  const std::vector<std::wstring> order = {
      L"Last Folder",  L"HS1",           L"HS2",          L"HS3",          L"Settings File",
      L"Random Pointers", L"Random Screen Saver", L"Random Timer", L"Timer Interval", L"Timer Style",
      L"Run at Startup",  L"System Tray Icon",    L"Stretch Method", L"Background Color"};
  EXPECT_EQ(store.Written, order);
  EXPECT_EQ(std::get<int>(store.Values[L"Timer Interval"]), 10);
  EXPECT_EQ(std::get<int>(store.Values[L"Run at Startup"]), 0);
}

TEST(Settings, NumbersOutsideTheirLimitsLoadAsTheRulesSay) {
  TMemoryStore store;
  store.Values = {{L"Timer Interval", 0},  {L"Timer Style", 7},
                  {L"Stretch Method", -3}, {L"HS3", 5},
                  {L"HS1", 400},           {L"HS2", 1 << 30},
                  {L"Random Pointers", 5}, {L"Background Color", static_cast<int>(0xFF00000F)}};
  TSettings settings;
  LoadSettingsFrom(store, settings);
  EXPECT_EQ(settings.TimerInterval, 1);
  EXPECT_EQ(settings.TimerStyle, 7) << "an unknown unit is kept";
  EXPECT_EQ(settings.StretchMethod, 1);
  EXPECT_EQ(settings.PositionWidth, 90) << "a width no grid showed loads as the default";
  EXPECT_EQ(settings.PathWidth, 277);
  EXPECT_EQ(settings.FileNameWidth, 400);
  EXPECT_TRUE(settings.RandomPointers);
  EXPECT_EQ(settings.BackgroundColor, 0xFF00000Fu);
  store.Values = {{L"Timer Interval", 500}, {L"Timer Style", 2}, {L"Stretch Method", 0}};
  LoadSettingsFrom(store, settings);
  EXPECT_EQ(settings.TimerInterval, 60);
  EXPECT_EQ(settings.TimerStyle, 2);
  EXPECT_EQ(settings.StretchMethod, 0);
}

TEST(Settings, AValueOfTheWrongTypeEndsTheLoadThereAndAFailedWriteTheSave) {
  TMemoryStore store;
  store.Values = {{L"HS1", 200},
                  {L"Random Pointers", 0},
                  {L"Random Timer", std::wstring(L"yes")},
                  {L"Timer Interval", 30},
                  {L"Settings File", std::wstring(L"X:\\elsewhere.ini")}};
  TSettings settings;
  EXPECT_ANY_THROW(LoadSettingsFrom(store, settings));
  EXPECT_EQ(settings.FileNameWidth, 200);
  EXPECT_FALSE(settings.RandomPointers);
  EXPECT_EQ(settings.TimerInterval, 10) << "values after the failing one are not loaded";
  EXPECT_TRUE(settings.SettingsFile.empty()) << "the list file's name is written for the engine, never read";

  TMemoryStore target;
  target.FailAt = L"Timer Style";
  EXPECT_ANY_THROW(SaveSettingsTo(target, settings));
  EXPECT_EQ(target.Written.back(), L"Timer Interval");
  EXPECT_EQ(target.Values.count(L"Run at Startup"), 0u);
}

}  // namespace
