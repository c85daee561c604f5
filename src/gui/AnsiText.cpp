#include "gui/AnsiText.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>

std::string WideToAnsi(std::wstring_view text, bool* representable) {
  if (representable) *representable = true;
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  // With a UTF-8 system code page every character is representable and the
  // best-fit and default-character options are not allowed.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPtr = utf8 ? nullptr : &usedDefault;
  // One conversion into a buffer large enough for any code page (a UTF-16
  // unit never needs more than three bytes); lists of many names are
  // converted one by one, so a second sizing call would double the work.
  std::string out(text.size() * 3, '\0');
  const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, out.data(), static_cast<int>(out.size()),
                                       nullptr, usedDefaultPtr);
  if (size <= 0) {
    if (representable) *representable = false;
    return {};
  }
  out.resize(static_cast<std::size_t>(size));
  if (representable && usedDefault) *representable = false;
  return out;
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  // A byte never gives more than one UTF-16 unit.
  std::wstring out(text.size(), L'\0');
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                       static_cast<int>(out.size()));
  out.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  return out;
}

std::wstring ShortPathName(const std::wstring& path) {
  DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  // The name may change between the two calls; a few tries are enough.
  for (int attempt = 0; attempt < 3 && size != 0; ++attempt) {
    std::vector<wchar_t> buffer(size);
    const DWORD got = GetShortPathNameW(path.c_str(), buffer.data(), size);
    if (got == 0) return {};
    if (got < size) return std::wstring(buffer.data(), got);
    size = got;
  }
  return {};
}

#else

std::string WideToAnsi(std::wstring_view text, bool* representable) {
  bool exact = true;
  std::string out;
  out.reserve(text.size());
  for (const wchar_t c : text) {
    const auto code = static_cast<unsigned long>(c);
    if (code <= 0xFF) {
      out += static_cast<char>(code);
    } else {
      out += '?';
      exact = false;
    }
  }
  if (representable) *representable = exact;
  return out;
}

std::wstring AnsiToWide(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (const char c : text) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return out;
}

std::wstring ShortPathName(const std::wstring&) { return {}; }

#endif

bool IsAnsiRepresentable(std::wstring_view text) {
  bool representable = false;
  WideToAnsi(text, &representable);
  return representable;
}

bool AnsiSafeFileName(const std::wstring& fullFileName, std::wstring& listed) {
  if (IsAnsiRepresentable(fullFileName)) {
    listed = fullFileName;
    return true;
  }
  const std::wstring shortName = ShortPathName(fullFileName);
  if (shortName.empty() || !IsAnsiRepresentable(shortName)) return false;
  listed = shortName;
  return true;
}
