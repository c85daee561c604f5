#include "gui/Accessibility.h"

#include <cwctype>

namespace {
// The character after the mnemonic's "&", or 0.
wchar_t MnemonicOf(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;
  }
  return 0;
}
}  // namespace

std::wstring AccessibleText(const std::wstring& caption) {
  std::wstring text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

std::wstring MnemonicShortcut(const std::wstring& caption) {
  const wchar_t key = MnemonicOf(caption);
  if (!key) return {};
  return std::wstring(L"Alt+") + static_cast<wchar_t>(std::towupper(key));
}
