// dvctl: a small helper of the run script and of manual checks. It finds a
// top-level window by class and caption and sends it a command:
//   dvctl close <class> <caption>   posts WM_CLOSE
//   dvctl wait <class> <caption>    waits up to 30 s for the window to exist
//   dvctl tree [<class> [<caption>]]
//                                   prints the accessible tree of the window
//                                   (by default the commander's main window)
//                                   and of the visible windows it owns (the
//                                   About window when it is open)
// Exit code 0 when the window was found.
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "AccessibleTreeText.h"

namespace {

struct TOwnedWindows {
  HWND Owner;
  std::vector<HWND> Windows;
};

BOOL CALLBACK CollectOwned(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TOwnedWindows*>(data);
  if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->Owner) search->Windows.push_back(window);
  return TRUE;
}

// The trees as UTF-8, with plain line feeds, whatever the console's code page.
void Print(const std::wstring& text) {
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  _setmode(_fileno(stdout), _O_BINARY);
  fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int PrintTrees(HWND window) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  TOwnedWindows others{window, {}};
  EnumWindows(CollectOwned, reinterpret_cast<LPARAM>(&others));
  std::wstring text = AccessibleTreeText(window);
  for (HWND other : others.Windows)
    if (const std::wstring tree = AccessibleTreeText(other); !tree.empty()) text += L"\n" + tree;
  Print(text);
  CoUninitialize();
  return text.empty() ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool tree = argc >= 2 && wcscmp(argv[1], L"tree") == 0;
  if (tree ? argc > 4 : argc != 4) {
    fwprintf(stderr, L"usage: dvctl close|wait <class> <caption>\n       dvctl tree [<class> [<caption>]]\n");
    return 2;
  }
  const wchar_t* command = argv[1];
  const wchar_t* className = argc > 2 ? argv[2] : L"TfrmDorvane";
  const wchar_t* caption = argc > 3 ? argv[3] : nullptr;
  if (wcscmp(command, L"wait") == 0) {
    for (int i = 0; i < 300; ++i) {
      if (FindWindowW(className, caption)) return 0;
      Sleep(100);
    }
    return 1;
  }
  HWND window = FindWindowW(className, caption);
  if (!window) return 1;
  if (tree) return PrintTrees(window);
  if (wcscmp(command, L"close") == 0) return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  return 2;
}
