#include "settings/Settings.h"

#include <algorithm>
#include <iterator>

namespace {

// A stored width outside these is none that the grid ever showed (a value
// written by hand, or by another program): the column's default takes its
// place. One within them but below the column's minimum the grid raises.
constexpr int kNarrowestStoredWidth = 8;

constexpr TSettingRule Width(const wchar_t* name, int TSettings::*field, int column) {
  return {name, field, kNarrowestStoredWidth, kWallpaperColumns[column].MaxWidth, kWallpaperColumns[column].Width};
}

const TSettingRule kRules[] = {
    {L"Last Folder", &TSettings::LastFolder},
    Width(L"HS1", &TSettings::FileNameWidth, kFileNameColumn),
    Width(L"HS2", &TSettings::PathWidth, kPathColumn),
    Width(L"HS3", &TSettings::PositionWidth, kPositionColumn),
    {L"Settings File", &TSettings::SettingsFile, 0, 0, kClamp, false},
    {L"Random Pointers", &TSettings::RandomPointers},
    {L"Random Screen Saver", &TSettings::RandomScreenSaver},
    {L"Random Timer", &TSettings::RandomTimer},
    {L"Timer Interval", &TSettings::TimerInterval, 1, 60},
    // A unit other than second, minute and hour is kept as it is, and
    // written back so, until the user picks a unit: the window then shows
    // the minute button and no unit word.
    {L"Timer Style", &TSettings::TimerStyle},
    {L"Run at Startup", &TSettings::RunAtStartup},
    {L"System Tray Icon", &TSettings::TrayIcon},
    // Likewise a method other than the two the window offers loads as the
    // window's own choice.
    {L"Stretch Method", &TSettings::StretchMethod, 0, 1, 1},
    {L"Background Color", &TSettings::BackgroundColor},
};

}  // namespace

std::span<const TSettingRule> SettingRules() { return kRules; }

int WithinLimits(const TSettingRule& rule, int value) {
  if (rule.Min == rule.Max) return value;
  if (value >= rule.Min && value <= rule.Max) return value;
  if (rule.OutOfRange != kClamp) return rule.OutOfRange;
  return std::clamp(value, rule.Min, rule.Max);
}
