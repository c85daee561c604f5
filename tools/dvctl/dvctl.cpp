// dvctl: a small helper of the run script and of manual checks. It finds a
// top-level window by class and caption and sends it a command:
//   dvctl close <class> <caption>   posts WM_CLOSE
//   dvctl wait <class> <caption>    waits up to 30 s for the window to exist
// Exit code 0 when the window was found.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    fwprintf(stderr, L"usage: dvctl close|wait <class> <caption>\n");
    return 2;
  }
  const wchar_t* command = argv[1];
  if (wcscmp(command, L"wait") == 0) {
    for (int i = 0; i < 300; ++i) {
      if (FindWindowW(argv[2], argv[3])) return 0;
      Sleep(100);
    }
    return 1;
  }
  HWND window = FindWindowW(argv[2], argv[3]);
  if (!window) return 1;
  if (wcscmp(command, L"close") == 0) return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  return 2;
}
