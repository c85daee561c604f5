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
  const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultPtr);
  if (size <= 0) {
    if (representable) *representable = false;
    return {};
  }
  std::string out(static_cast<std::size_t>(size), '\0');
  usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, flags, text.data(), length, out.data(), size, nullptr, usedDefaultPtr);
  if (representable && usedDefault) *representable = false;
  return out;
}

std::wstring AnsiToWide(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), length, out.data(), size);
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
