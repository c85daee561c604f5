#pragma once
// What the commander and the engine program agree on. The engine lies in the
// commander's folder, is started and stopped through the shell with one
// parameter, owns a top-level window while it runs, and tells the
// commander's main window its state with one message.
// Portable: plain constants, no Windows header.

// The engine program in the commander's folder.
inline constexpr wchar_t EngineFileName[] = L"REVorude.exe";
// Its parameters: start, stop.
inline constexpr wchar_t EngineStartParam[] = L"-startzpe";
inline constexpr wchar_t EngineStopParam[] = L"-stopzpe";
// The window that the running engine owns (class and title).
inline constexpr wchar_t EngineWindowClass[] = L"obj_Form";
inline constexpr wchar_t EngineWindowTitle[] = L"REVorude";
// The commander's main window, to which the engine sends its state.
inline constexpr wchar_t CommanderWindowClass[] = L"TfrmDorvane";
inline constexpr wchar_t CommanderWindowTitle[] = L"Quillon Ombrelle";
// The state message (WM_USER + 351): WParam 1 while the engine runs, any
// other WParam once it has stopped; LParam carries nothing.
inline constexpr unsigned WM_ENGINE_STATE = 0x55F;
inline constexpr unsigned EngineStateRunning = 1;
inline constexpr unsigned EngineStateStopped = 0;

// The registry key (under HKEY_CURRENT_USER) from which the engine reads its
// settings, and the value naming the wallpaper list file.
inline constexpr wchar_t SettingsKeyPath[] = L"Software\\Quillon\\Dorvane\\Settings";
inline constexpr wchar_t SettingsFileValue[] = L"Settings File";
