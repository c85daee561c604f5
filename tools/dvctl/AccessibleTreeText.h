#pragma once
// The accessible tree of a window as a screen reader reads it through
// Active Accessibility, one element a line: role, name, value, description
// and states, children indented under their parent. Works from any process.
#include <windows.h>

#include <string>

// The tree under the window's client object; empty text when the window
// answers with none. COM must be started on the calling thread.
std::wstring AccessibleTreeText(HWND window);
