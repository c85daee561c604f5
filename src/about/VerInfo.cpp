#include "about/VerInfo.h"

#include <windows.h>

#include <cstdio>

#include "gui/AnsiText.h"
#include "gui/ProgramPath.h"

namespace {

// Index -> string-table key; index 0 is the language name.
constexpr const char* kStringKeys[] = {nullptr,        "CompanyName",    "FileDescription", "FileVersion",
                                       "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename",
                                       "ProductName",  "ProductVersion", "Comments"};
constexpr int kStringKeyCount = static_cast<int>(sizeof(kStringKeys) / sizeof(kStringKeys[0]));

// Texts longer than this are cut (the terminating NUL counted).
constexpr UINT kMaxValueLength = 255;

}  // namespace

std::string ProgramFileNameAnsi() {
  const std::wstring wide = ProgramFileName();
  bool representable = false;
  std::string name = WideToAnsi(wide, &representable);
  if (!representable) {
    const std::wstring shortName = ShortPathName(wide);
    if (!shortName.empty() && IsAnsiRepresentable(shortName)) name = WideToAnsi(shortName);
  }
  return name;
}

TVersionInfo::TVersionInfo() : FileName_(ProgramFileNameAnsi()) { Read(); }

TVersionInfo::TVersionInfo(std::string fileName) : FileName_(std::move(fileName)) { Read(); }

void TVersionInfo::Read() {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(FileName_.c_str(), &handle);
  if (size == 0) return;
  VersionBlock_.assign(size, 0);
  if (!GetFileVersionInfoA(FileName_.c_str(), handle, size, VersionBlock_.data())) {
    VersionBlock_.clear();
    return;
  }

  DWORD translation = 0;
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueA(VersionBlock_.data(), "\\VarFileInfo\\Translation", &value, &length) && value &&
      length >= 2 * sizeof(WORD)) {
    const WORD* pair = static_cast<const WORD*>(value);
    translation = (static_cast<DWORD>(pair[0]) << 16) | pair[1];
  }
  char digits[9];
  std::snprintf(digits, sizeof(digits), "%08lX", static_cast<unsigned long>(translation));
  LangCodePage_ = digits;

  char name[256] = {};
  // The returned length does not count the terminator on every system;
  // the text ends at the first NUL either way.
  VerLanguageNameA(translation >> 16, name, sizeof(name));
  name[sizeof(name) - 1] = '\0';
  LanguageName_ = name;

  value = nullptr;
  length = 0;
  if (VerQueryValueA(VersionBlock_.data(), "\\", &value, &length) && value && length >= sizeof(VS_FIXEDFILEINFO))
    FixedInfo_ = static_cast<const VS_FIXEDFILEINFO*>(value);
}

std::string TVersionInfo::QueryStringValue(const std::string& name) const {
  if (VersionBlock_.empty()) return {};
  const std::string path = "\\StringFileInfo\\" + LangCodePage_ + "\\" + name;
  void* value = nullptr;
  UINT length = 0;
  // The query does not change the block; the function merely lacks const.
  void* block = const_cast<std::uint8_t*>(VersionBlock_.data());
  if (!VerQueryValueA(block, path.c_str(), &value, &length) || !value || length <= 1) return {};
  if (length > kMaxValueLength) length = kMaxValueLength;
  const char* text = static_cast<const char*>(value);
  // Stop at an embedded NUL as the text would for any reader of it.
  std::size_t size = 0;
  while (size < length - 1 && text[size] != '\0') ++size;
  return std::string(text, size);
}

std::string TVersionInfo::GetVersionString(int index) const {
  if (index == 0) return LanguageName_;
  if (index < 1 || index >= kStringKeyCount) return {};
  return QueryStringValue(kStringKeys[index]);
}

std::uint32_t TVersionInfo::GetVersionNumber(int index) const {
  if (!FixedInfo_) return 0;
  switch (index) {
    case 0:
      return HIWORD(FixedInfo_->dwFileVersionMS);
    case 1:
      return LOWORD(FixedInfo_->dwFileVersionMS);
    case 2:
      return HIWORD(FixedInfo_->dwFileVersionLS);
    case 3:
      return LOWORD(FixedInfo_->dwFileVersionLS);
    default:
      return 0;
  }
}
