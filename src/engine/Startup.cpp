#include "engine/Startup.h"

#include "engine/EngineContract.h"

std::wstring StartupCommand(const std::wstring& programFolder) {
  std::wstring engine = programFolder + EngineFileName;
  if (engine.find(L' ') != std::wstring::npos) engine = L'"' + engine + L'"';
  return engine + L" " + EngineStartParam;
}

#ifdef _WIN32

#include "gui/Dialogs.h"
#include "gui/ProgramPath.h"
#include "gui/Registry.h"

bool SetRunAtStartupFor(const std::wstring& programFolder, bool enable) {
  try {
    TRegistry registry(HKEY_CURRENT_USER);
    if (enable) {
      // A key that fails to open makes the write below fail and be reported.
      registry.OpenKey(RunKeyPath, true);
      registry.WriteString(RunValueName, StartupCommand(programFolder));
    } else if (registry.OpenKey(RunKeyPath, false)) {
      // An entry that is not there is no error.
      registry.DeleteValue(RunValueName);
    }
    return true;
  } catch (const ERegistryException&) {
    ShowErrorBox(
        L"Unable to add the Ombrelle to the startup list!\r\r"
        L"You have not permission to change system settings.");
    return false;
  }
}

bool SetRunAtStartup(bool enable) { return SetRunAtStartupFor(ProgramFolder(), enable); }

#endif
