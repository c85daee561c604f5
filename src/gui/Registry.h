#pragma once
// The registry wrapper: one open key under a root key at a time, typed reads
// and writes that raise ERegistryException when a value cannot be read or
// written or has another type than the one asked for. The open key is closed
// by CloseKey, by opening another key and by the destructor, so no way out
// leaves a key handle behind.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "gui/SystemError.h"  // SystemErrorMessage, for the reasons of failures

class ERegistryException : public std::runtime_error {
 public:
  // key: the full name of the key concerned ("HKEY_CURRENT_USER\\..."),
  // code: the system's error code; both may be unknown (empty, 0).
  explicit ERegistryException(const std::string& message, std::wstring key = {}, LONG code = 0)
      : std::runtime_error(message), key_(std::move(key)), code_(code) {}
  const std::wstring& Key() const { return key_; }
  LONG Code() const { return code_; }
  // The system's own words for the code ("Access denied."), or the message
  // when no code is known.
  std::wstring Reason() const;

 private:
  std::wstring key_;
  LONG code_;
};

// Owner of one registry key handle (the predefined root keys are never
// closed).
class TRegKeyOwner {
 public:
  TRegKeyOwner() = default;
  explicit TRegKeyOwner(HKEY key) : key_(key) {}
  ~TRegKeyOwner() { Reset(); }
  TRegKeyOwner(TRegKeyOwner&& other) noexcept : key_(other.Release()) {}
  TRegKeyOwner& operator=(TRegKeyOwner&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TRegKeyOwner(const TRegKeyOwner&) = delete;
  TRegKeyOwner& operator=(const TRegKeyOwner&) = delete;

  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  HKEY Release() {
    HKEY key = key_;
    key_ = nullptr;
    return key;
  }
  void Reset(HKEY key = nullptr);

 private:
  HKEY key_ = nullptr;
};

class TRegistry {
 public:
  explicit TRegistry(HKEY rootKey = HKEY_CURRENT_USER) : rootKey_(rootKey) {}
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return rootKey_; }
  // Closes the open key and works under another root from now on.
  void SetRootKey(HKEY rootKey);
  // The open key, or nullptr.
  HKEY CurrentKey() const { return currentKey_.Get(); }
  const std::wstring& CurrentPath() const { return currentPath_; }

  // Opens a key below the root key (a leading backslash is allowed),
  // creating it and the keys above it when canCreate is set. Closes the key
  // that was open before. Returns false when the key cannot be opened.
  bool OpenKey(const std::wstring& key, bool canCreate);
  // Opens a key for reading only; returns false when it cannot be opened.
  bool OpenKeyReadOnly(const std::wstring& key);
  // Why the last opening failed (ERROR_SUCCESS after one that worked).
  LONG LastOpenError() const { return openError_; }
  // The full name of a key below the root ("HKEY_CURRENT_USER\\...").
  std::wstring FullKeyName(const std::wstring& key) const;
  void CloseKey();

  // Whether a key exists below the root key.
  bool KeyExists(const std::wstring& key) const;
  // Removes a key below the root key with everything under it; returns
  // false when it did not exist or could not be removed.
  bool DeleteKey(const std::wstring& key);

  // The operations below work on the open key. The empty name is the key's
  // default value.
  bool ValueExists(const std::wstring& name) const;
  // Text (REG_SZ or REG_EXPAND_SZ, the latter not expanded).
  std::wstring ReadString(const std::wstring& name) const;
  // A REG_DWORD as a signed number.
  int ReadInteger(const std::wstring& name) const;
  // A REG_DWORD; any number but 0 is true.
  bool ReadBool(const std::wstring& name) const;
  void WriteString(const std::wstring& name, const std::wstring& value);
  void WriteInteger(const std::wstring& name, int value);
  // Written as the REG_DWORD 1 or 0.
  void WriteBool(const std::wstring& name, bool value);
  // Removes a value; false when it did not exist or could not be removed.
  bool DeleteValue(const std::wstring& name);
  // Removes a value if it is there; raises ERegistryException when it is
  // there and cannot be removed.
  void RemoveValue(const std::wstring& name);

 private:
  bool Open(const std::wstring& key, bool canCreate, REGSAM access);
  void WriteData(const std::wstring& name, DWORD type, const void* data, DWORD size);

  HKEY rootKey_;
  TRegKeyOwner currentKey_;
  std::wstring currentPath_;
  // The key that the last opening asked for, and why it failed.
  std::wstring openedPath_;
  LONG openError_ = ERROR_SUCCESS;
};
