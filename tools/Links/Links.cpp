// A sample links library (Links.dat) for the About window's "Do you want
// more wallpapers?" panel. ShowLinks fills the scroll box with SysLink
// controls, one link each, 18 pixels apart. The library runs no code after
// ShowLinks returns: clicks reach the scroll box as WM_NOTIFY, and the
// scroll box opens the link (see src/about/LinksContract.h). The addresses
// are fictional.
// clang-format off
// windows.h first: the other system headers need its types.
#include <windows.h>
// clang-format on

#include <commctrl.h>

#include <string>

#include "about/LinksContract.h"

namespace {

struct TLink {
  const wchar_t* Caption;
  const wchar_t* Url;
};

constexpr TLink kLinks[] = {
    {L"Mountain panoramas", L"https://www.example.com/wallpapers/mountains"},
    {L"Sea and coast", L"https://www.example.com/wallpapers/sea"},
    {L"City lights at night", L"https://www.example.org/city-lights"},
    {L"Abstract patterns for tiling", L"https://patterns.example.net/tiles"},
    {L"Forest seasons", L"https://www.example.org/forest"},
    {L"Desert and dunes", L"https://www.example.com/wallpapers/desert"},
    {L"Space and stars", L"https://stars.example.org/"},
    {L"Classic paintings", L"https://www.example.net/art/classic"},
    {L"Flowers close up", L"https://www.example.com/wallpapers/flowers"},
    {L"Animals of the north", L"https://www.example.org/animals/north"},
    {L"Minimal colour fields", L"https://minimal.example.com/"},
    {L"Old maps", L"https://maps.example.net/old"},
};

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

bool SysLinkAvailable() {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LINK_CLASS};
  if (!InitCommonControlsEx(&init)) return false;
  WNDCLASSEXW info{};
  info.cbSize = sizeof(info);
  return GetClassInfoExW(nullptr, WC_LINK, &info) != FALSE;
}

}  // namespace

extern "C" void __stdcall ShowLinks(HWND aboutWindow, HWND scrollBox) {
  if (!IsWindow(scrollBox)) return;
  RECT client{};
  GetClientRect(scrollBox, &client);
  // Leave room for the vertical scroll bar the box will show.
  const int width = (client.right - client.left) - GetSystemMetrics(SM_CXVSCROLL);
  // The controls take the owner's font, as the window's own labels do.
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(scrollBox, WM_GETFONT, 0, 0));
  if (!font && IsWindow(aboutWindow)) font = reinterpret_cast<HFONT>(SendMessageW(aboutWindow, WM_GETFONT, 0, 0));

  const bool links = SysLinkAvailable();
  // The controls belong to the scroll box's module, not to this library,
  // which is unloaded before they are destroyed.
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(scrollBox, GWLP_HINSTANCE));
  if (!instance) instance = ThisModule();
  int top = 0;
  int id = 1000;
  for (const TLink& link : kLinks) {
    std::wstring text;
    const wchar_t* className;
    if (links) {
      text = std::wstring(L"<a href=\"") + link.Url + L"\">" + link.Caption + L"</a>";
      className = WC_LINK;
    } else {
      text = std::wstring(link.Caption) + L" - " + link.Url;
      className = L"STATIC";
    }
    HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, top, width,
                                   LinksRowHeight - 2, scrollBox, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                   instance, nullptr);
    if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    top += LinksRowHeight;
  }
}
