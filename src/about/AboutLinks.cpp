#include "about/AboutLinks.h"

#include <shellapi.h>

#include <vector>

#include "maker.h"

std::wstring MakerHomeAddress() { return std::wstring(L"http://") + kMakerHost; }

std::wstring MakerPageAddress(const std::wstring& page) { return kMakerSite + page; }

std::wstring SupportMailAddress() { return std::wstring(L"mailto:") + kSupportMail + L"?subject=Support for Ombrelle"; }

void ShellOpenAddress(HWND owner, const std::wstring& address) {
  ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

TModuleOwner LoadLinksLibrary(const std::wstring& path) {
  // A damaged file or a missing dependency must not put up the system's
  // error box in front of the About window: the window says it itself.
  DWORD oldMode = 0;
  const BOOL modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (modeSet) SetThreadErrorMode(oldMode, nullptr);
  return TModuleOwner(module);
}

namespace {

bool ProcedureInModule(HWND window, HMODULE module) {
  const auto procedure = GetWindowLongPtrW(window, GWLP_WNDPROC);
  if (!procedure) return false;
  HMODULE owner = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(procedure), &owner))
    return false;
  return owner == module;
}

void CollectWindowsOfModule(HWND parent, HMODULE module, std::vector<HWND>& found) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ProcedureInModule(child, module))
      found.push_back(child);  // its own children go with it
    else
      CollectWindowsOfModule(child, module, found);
  }
}

}  // namespace

void DestroyWindowsOfModule(HWND parent, HMODULE module) {
  if (!parent || !module) return;
  std::vector<HWND> found;
  CollectWindowsOfModule(parent, module, found);
  for (HWND window : found)
    if (IsWindow(window)) DestroyWindow(window);
}

std::wstring ShortDateText(const SYSTEMTIME& date) {
  wchar_t text[128] = {};
  const int length = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, 128);
  return length > 1 ? std::wstring(text, static_cast<size_t>(length - 1)) : std::wstring();
}

std::wstring FileDateText(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return L"";
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return L"";
  SYSTEMTIME universal{}, local{};
  if (!FileTimeToSystemTime(&data.ftLastWriteTime, &universal)) return L"";
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) return L"";
  return ShortDateText(local);
}
