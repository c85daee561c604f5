// Opens the About window over a plain owner window, as the main window's
// About button does, and ends when it closes.
#include <windows.h>

#include "about/About.h"
#include "gui/Application.h"
#include "gui/Picture.h"
#include "pictures/gif/GIFImage.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Application().Initialize();
  Application().SetTitle(L"Ombrelle");
  TPicture::RegisterClassName("TGIFImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TGIFImage>()); });
  HWND owner = CreateWindowExW(0, L"STATIC", L"Ombrelle", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 60, 40, 649, 483,
                               nullptr, nullptr, instance, nullptr);
  try {
    ShowAboutWindow(owner);
  } catch (...) {
    Application().HandleCurrentException();
  }
  DestroyWindow(owner);
  return 0;
}
