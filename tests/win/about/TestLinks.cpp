// Links libraries that the About window must cope with, built as DLLs and
// copied to Links.dat by the tests:
//  - ABOUT_NO_EXPORT: a library without the ShowLinks entry point;
//  - otherwise: a library whose ShowLinks adds, beside a static text, a
//    control of a window class of its own, whose code lives in the library;
//    with ABOUT_DLLEXPORT it is exported as a third party would without a
//    .def file (dllexport, and --kill-at for the plain 32-bit name).
#include <windows.h>

#include "about/LinksContract.h"

#ifdef ABOUT_NO_EXPORT

extern "C" __declspec(dllexport) int __stdcall ShowNothing() { return 0; }

#else

namespace {

HINSTANCE g_module = nullptr;
const wchar_t kOwnClass[] = L"AboutTestOwnLink";

LRESULT CALLBACK OwnLinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  if (reason == DLL_PROCESS_DETACH) UnregisterClassW(kOwnClass, instance);
  return TRUE;
}

#ifdef ABOUT_DLLEXPORT
#define ABOUT_EXPORT __declspec(dllexport)
#else
#define ABOUT_EXPORT
#endif

extern "C" ABOUT_EXPORT void __stdcall ShowLinks(HWND, HWND scrollBox) {
  WNDCLASSW own{};
  own.lpfnWndProc = OwnLinkProc;
  own.hInstance = g_module;
  own.lpszClassName = kOwnClass;
  RegisterClassW(&own);
  CreateWindowExW(0, L"STATIC", L"plain text", WS_CHILD | WS_VISIBLE, 0, 0, 200, 16, scrollBox, nullptr, g_module,
                  nullptr);
  CreateWindowExW(0, kOwnClass, L"own control", WS_CHILD | WS_VISIBLE, 0, LinksRowHeight, 200, 16, scrollBox, nullptr,
                  g_module, nullptr);
}

#endif
