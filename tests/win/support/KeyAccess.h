#pragma once
// Lets everyone do only what access allows on a key under HKEY_CURRENT_USER
// (0: nothing at all), creating the key if needed, and puts the key's own
// permissions back when it goes.
#include <windows.h>

#include <aclapi.h>

class TKeyAccess {
 public:
  TKeyAccess(const wchar_t* path, DWORD access) {
    RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, WRITE_DAC | READ_CONTROL, nullptr, &key_, nullptr);
    GetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &original_, nullptr,
                    &descriptor_);
    EXPLICIT_ACCESSW entry{};
    entry.grfAccessPermissions = access;
    entry.grfAccessMode = SET_ACCESS;
    entry.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    entry.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    PACL acl = nullptr;
    if (access) SetEntriesInAclW(1, &entry, nullptr, &acl);
    SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                    nullptr, acl ? acl : &empty, nullptr);
    if (acl) LocalFree(acl);
  }
  ~TKeyAccess() {
    SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, original_, nullptr);
    LocalFree(descriptor_);
    RegCloseKey(key_);
  }
  TKeyAccess(const TKeyAccess&) = delete;
  TKeyAccess& operator=(const TKeyAccess&) = delete;

  // Whether this system holds a key to its permissions: the key may not be
  // written now.
  bool Enforced() const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(key_, nullptr, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return true;
    RegCloseKey(key);
    return false;
  }

 private:
  HKEY key_ = nullptr;
  PSECURITY_DESCRIPTOR descriptor_ = nullptr;
  PACL original_ = nullptr;
};
