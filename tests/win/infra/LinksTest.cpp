// The sample links library fills a scroll box with SysLink controls that
// keep working after the library is unloaded.
// clang-format off
// windows.h first: the other system headers need its types.
#include <windows.h>
// clang-format on

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "WineTestKit.h"
#include "about/LinksContract.h"
#include "gui/ProgramPath.h"

namespace {

std::vector<std::wstring> g_clicked;

// Stands for the About window's scroll box: it opens the links of its
// SysLink children; here it only records them.
LRESULT CALLBACK ScrollBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == NM_CLICK || header->code == NM_RETURN) {
      g_clicked.push_back(reinterpret_cast<const NMLINK*>(lParam)->item.szUrl);
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class TLibrary {
 public:
  explicit TLibrary(const std::wstring& name) : module_(LoadLibraryW(name.c_str())) {}
  ~TLibrary() { Free(); }
  TLibrary(const TLibrary&) = delete;
  TLibrary& operator=(const TLibrary&) = delete;
  HMODULE Get() const { return module_; }
  void Free() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }

 private:
  HMODULE module_;
};

struct TChild {
  HWND Window;
  std::wstring ClassName;
  RECT Place;
};

std::vector<TChild> Children(HWND parent) {
  std::vector<TChild> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    children.push_back({child, className, place});
  }
  return children;
}

TEST(LinksLibrary, FillsTheScrollBoxWithWorkingLinks) {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_LINK_CLASS};
  InitCommonControlsEx(&init);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ScrollBoxProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"InfraScrollBox";
  RegisterClassW(&windowClass);
  HWND about = CreateWindowExW(0, L"STATIC", L"About", WS_OVERLAPPEDWINDOW, 0, 0, 376, 480, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  HWND box = CreateWindowExW(0, L"InfraScrollBox", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 8, 32, 337, 139, about,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(box, nullptr);

  {
    TLibrary links(ProgramFolder() + LinksFileName);
    ASSERT_NE(links.Get(), nullptr);
    auto show = reinterpret_cast<TShowLinksProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(links.Get(), ShowLinksExportName)));
    ASSERT_NE(show, nullptr);
    show(about, box);
  }  // unloaded here, as the About window does before its controls go

  const std::vector<TChild> children = Children(box);
  RECT client{};
  GetClientRect(box, &client);
  ASSERT_GT(static_cast<int>(children.size()) * LinksRowHeight, client.bottom) << "the list would not scroll";
  for (std::size_t i = 0; i < children.size(); ++i) {
    EXPECT_EQ(children[i].ClassName, WC_LINK) << i;
    EXPECT_EQ(children[i].Place.top, static_cast<LONG>(i) * LinksRowHeight) << i;
    EXPECT_EQ(children[i].Place.left, 0) << i;
    LITEM item{};
    item.mask = LIF_ITEMINDEX | LIF_URL;
    item.iLink = 0;
    ASSERT_TRUE(SendMessageW(children[i].Window, LM_GETITEM, 0, reinterpret_cast<LPARAM>(&item))) << i;
    const std::wstring url = item.szUrl;
    EXPECT_EQ(url.rfind(L"https://", 0), 0u) << i;
    EXPECT_NE(url.find(L".example."), std::wstring::npos) << url;
  }

  // A click on a link reaches the scroll box with its address, with the
  // library gone.
  g_clicked.clear();
  HWND first = children.front().Window;
  ShowWindow(about, SW_SHOWNA);
  UpdateWindow(about);
  SendMessageW(first, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 6));
  SendMessageW(first, WM_LBUTTONUP, 0, MAKELPARAM(3, 6));
  PumpUntil([] { return !g_clicked.empty(); }, 3000);
  ASSERT_EQ(g_clicked.size(), 1u);
  EXPECT_EQ(g_clicked[0], L"https://www.example.com/wallpapers/mountains");

  DestroyWindow(about);
}

}  // namespace
