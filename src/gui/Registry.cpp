#include "gui/Registry.h"

#include <vector>

#include "gui/Stream.h"  // WideToUtf8

namespace {

bool IsRootKey(HKEY key) {
  // The predefined keys are the values 0x80000000 and above.
  return (reinterpret_cast<ULONG_PTR>(key) & 0xFFFFFFF0u) == 0x80000000u;
}

std::wstring RelativePath(const std::wstring& key) {
  std::size_t start = 0;
  while (start < key.size() && key[start] == L'\\') ++start;
  return key.substr(start);
}

[[noreturn]] void RaiseGetFailed(const std::wstring& name) {
  throw ERegistryException("Failed to get data for '" + WideToUtf8(name) + "'");
}

[[noreturn]] void RaiseInvalidType(const std::wstring& name) {
  throw ERegistryException("Invalid data type for '" + WideToUtf8(name) + "'");
}

const wchar_t* RootKeyName(HKEY key) {
  if (key == HKEY_CURRENT_USER) return L"HKEY_CURRENT_USER";
  if (key == HKEY_LOCAL_MACHINE) return L"HKEY_LOCAL_MACHINE";
  if (key == HKEY_CLASSES_ROOT) return L"HKEY_CLASSES_ROOT";
  if (key == HKEY_USERS) return L"HKEY_USERS";
  return L"(key)";
}

}  // namespace

std::wstring ERegistryException::Reason() const {
  if (code_ != ERROR_SUCCESS) return SystemErrorMessage(static_cast<DWORD>(code_));
  return Utf8ToWide(what());
}

void TRegKeyOwner::Reset(HKEY key) {
  if (key_ && !IsRootKey(key_)) RegCloseKey(key_);
  key_ = key;
}

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  rootKey_ = rootKey;
}

bool TRegistry::Open(const std::wstring& key, bool canCreate, REGSAM access) {
  CloseKey();
  const std::wstring path = RelativePath(key);
  HKEY opened = nullptr;
  LONG result;
  if (canCreate)
    result =
        RegCreateKeyExW(rootKey_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened, nullptr);
  else
    result = RegOpenKeyExW(rootKey_, path.c_str(), 0, access, &opened);
  openedPath_ = path;
  openError_ = result;
  if (result != ERROR_SUCCESS) return false;
  currentKey_.Reset(opened);
  currentPath_ = path;
  return true;
}

bool TRegistry::OpenKey(const std::wstring& key, bool canCreate) { return Open(key, canCreate, KEY_READ | KEY_WRITE); }

bool TRegistry::OpenKeyReadOnly(const std::wstring& key) { return Open(key, false, KEY_READ); }

std::wstring TRegistry::FullKeyName(const std::wstring& key) const {
  const std::wstring path = RelativePath(key);
  return path.empty() ? RootKeyName(rootKey_) : std::wstring(RootKeyName(rootKey_)) + L"\\" + path;
}

void TRegistry::CloseKey() {
  currentKey_.Reset();
  currentPath_.clear();
}

bool TRegistry::KeyExists(const std::wstring& key) const {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(rootKey_, RelativePath(key).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
  TRegKeyOwner owner(opened);
  return true;
}

bool TRegistry::DeleteKey(const std::wstring& key) {
  const std::wstring path = RelativePath(key);
  if (path.empty()) return false;  // never the whole root
  return RegDeleteTreeW(rootKey_, path.c_str()) == ERROR_SUCCESS &&
         RegDeleteKeyW(rootKey_, path.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::wstring& name) const {
  if (!currentKey_) return false;
  return RegQueryValueExW(currentKey_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring TRegistry::ReadString(const std::wstring& name) const {
  if (!currentKey_) RaiseGetFailed(name);
  // The value may grow between asking for its size and reading it; a few
  // tries are enough, an endless loop is not acceptable.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(currentKey_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      RaiseGetFailed(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseInvalidType(name);
    // Room for a terminator that the stored text may lack.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LONG result =
        RegQueryValueExW(currentKey_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) RaiseGetFailed(name);
    if (type != REG_SZ && type != REG_EXPAND_SZ) RaiseInvalidType(name);
    std::size_t length = got / sizeof(wchar_t);
    while (length > 0 && buffer[length - 1] == L'\0') --length;
    return std::wstring(buffer.data(), length);
  }
  RaiseGetFailed(name);
}

int TRegistry::ReadInteger(const std::wstring& name) const {
  if (!currentKey_) RaiseGetFailed(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(currentKey_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    RaiseGetFailed(name);
  if (type != REG_DWORD || size != sizeof(DWORD)) RaiseInvalidType(name);
  DWORD value = 0;
  size = sizeof(value);
  if (RegQueryValueExW(currentKey_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
      ERROR_SUCCESS)
    RaiseGetFailed(name);
  if (type != REG_DWORD || size != sizeof(DWORD)) RaiseInvalidType(name);
  return static_cast<int>(value);
}

bool TRegistry::ReadBool(const std::wstring& name) const { return ReadInteger(name) != 0; }

void TRegistry::WriteData(const std::wstring& name, DWORD type, const void* data, DWORD size) {
  // With no key open the write fails for the reason the opening failed.
  const LONG result = currentKey_ ? RegSetValueExW(currentKey_.Get(), name.c_str(), 0, type,
                                                   static_cast<const BYTE*>(data), size)
                                  : (openError_ != ERROR_SUCCESS ? openError_ : ERROR_INVALID_HANDLE);
  if (result != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + WideToUtf8(name) + "'",
                             FullKeyName(currentKey_ ? currentPath_ : openedPath_), result);
}

void TRegistry::WriteString(const std::wstring& name, const std::wstring& value) {
  WriteData(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void TRegistry::WriteInteger(const std::wstring& name, int value) {
  const DWORD data = static_cast<DWORD>(value);
  WriteData(name, REG_DWORD, &data, sizeof(data));
}

void TRegistry::WriteBool(const std::wstring& name, bool value) { WriteInteger(name, value ? 1 : 0); }

bool TRegistry::DeleteValue(const std::wstring& name) {
  return currentKey_ && RegDeleteValueW(currentKey_.Get(), name.c_str()) == ERROR_SUCCESS;
}

void TRegistry::RemoveValue(const std::wstring& name) {
  const LONG result = currentKey_ ? RegDeleteValueW(currentKey_.Get(), name.c_str())
                                  : (openError_ != ERROR_SUCCESS ? openError_ : ERROR_INVALID_HANDLE);
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
    throw ERegistryException("Failed to delete '" + WideToUtf8(name) + "'",
                             FullKeyName(currentKey_ ? currentPath_ : openedPath_), result);
}
