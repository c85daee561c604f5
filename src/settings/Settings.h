#pragma once
// The engine's settings and the commander's own, as values: what the
// registry holds under HKEY_CURRENT_USER\Software\Quillon\Dorvane\Settings.
// One table names every value with its registry name, its default and its
// limits; loading and saving both walk it, in its order. Portable: any store
// with the registry wrapper's calls can be read and written, so the rules are
// tested without Windows.
#include <span>
#include <string>
#include <variant>

#include "list/WallpaperColumns.h"

using TSettingsColor = unsigned;  // a TColor: an RGB value or a system colour

struct TSettings {
  // The commander's own.
  std::wstring LastFolder;  // where the Add dialog opens
  // The wallpaper grid's column widths.
  int FileNameWidth = kWallpaperColumns[kFileNameColumn].Width;
  int PathWidth = kWallpaperColumns[kPathColumn].Width;
  int PositionWidth = kWallpaperColumns[kPositionColumn].Width;
  std::wstring SettingsFile;  // the list file, for the engine (written only)

  // The engine's.
  bool RandomPointers = true;
  bool RandomScreenSaver = true;
  bool RandomTimer = true;
  int TimerInterval = 10;  // 1 to 60, in TimerStyle units
  int TimerStyle = 1;      // 0 second, 1 minute, 2 hour
  bool RunAtStartup = false;
  bool TrayIcon = true;
  int StretchMethod = 1;  // 0 the system's, 1 keeping the aspect ratio
  TSettingsColor BackgroundColor = 0;

  bool operator==(const TSettings&) const = default;
};

// A number outside its limits loads as the nearest limit (kClamp) or as a
// fixed value.
inline constexpr int kClamp = -1;

struct TSettingRule {
  const wchar_t* Name;  // the registry value's name
  std::variant<bool TSettings::*, int TSettings::*, TSettingsColor TSettings::*, std::wstring TSettings::*> Field;
  int Min = 0, Max = 0;    // for numbers; Min == Max: no limits
  int OutOfRange = kClamp;
  bool Loaded = true;  // false: written for the engine, never read back
};

// Every value in the order they are loaded and saved.
std::span<const TSettingRule> SettingRules();

// A stored number brought within its rule's limits.
int WithinLimits(const TSettingRule& rule, int value);

// Reads every value the store holds into settings, in table order; absent
// values keep what settings had. A read that fails (a value of the wrong
// type) throws the store's exception: the values before it are loaded.
template <class Store>
void LoadSettingsFrom(Store& store, TSettings& settings) {
  for (const TSettingRule& rule : SettingRules()) {
    if (!rule.Loaded || !store.ValueExists(rule.Name)) continue;
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(settings.*member)>;
          if constexpr (std::is_same_v<T, bool>)
            settings.*member = store.ReadBool(rule.Name);
          else if constexpr (std::is_same_v<T, std::wstring>)
            settings.*member = store.ReadString(rule.Name);
          else
            settings.*member = static_cast<T>(WithinLimits(rule, store.ReadInteger(rule.Name)));
        },
        rule.Field);
  }
}

// Writes every value in table order; a write that fails throws the store's
// exception and ends the save there.
template <class Store>
void SaveSettingsTo(Store& store, const TSettings& settings) {
  for (const TSettingRule& rule : SettingRules()) {
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(settings.*member)>;
          if constexpr (std::is_same_v<T, const bool>)
            store.WriteBool(rule.Name, settings.*member);
          else if constexpr (std::is_same_v<T, const std::wstring>)
            store.WriteString(rule.Name, settings.*member);
          else
            store.WriteInteger(rule.Name, static_cast<int>(settings.*member));
        },
        rule.Field);
  }
}
