#include "settings/Settings.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kWidest = 0x7FFFFFFF;

const TSettingRule kRules[] = {
    {L"Last Folder", &TSettings::LastFolder},
    {L"HS1", &TSettings::FileNameWidth, kWallpaperColumns[kFileNameColumn].MinWidth, kWidest},
    {L"HS2", &TSettings::PathWidth, kWallpaperColumns[kPathColumn].MinWidth, kWidest},
    {L"HS3", &TSettings::PositionWidth, kWallpaperColumns[kPositionColumn].MinWidth, kWidest},
    {L"Settings File", &TSettings::SettingsFile, 0, 0, kClamp, false},
    {L"Random Pointers", &TSettings::RandomPointers},
    {L"Random Screen Saver", &TSettings::RandomScreenSaver},
    {L"Random Timer", &TSettings::RandomTimer},
    {L"Timer Interval", &TSettings::TimerInterval, 1, 60},
    // A unit other than second, minute and hour loads as minute, so the
    // window never shows a unit that no button stands for.
    {L"Timer Style", &TSettings::TimerStyle, 0, 2, 1},
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
