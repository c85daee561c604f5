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

std::wstring SetRunAtStartupFor(const std::wstring& programFolder, bool enable) {
  TRegistry registry(HKEY_CURRENT_USER);
  try {
    if (enable) {
      // A key that fails to open makes the write below fail, for its reason.
      registry.OpenKey(RunKeyPath, true);
      registry.WriteString(RunValueName, StartupCommand(programFolder));
    } else if (registry.OpenKeyReadOnly(RunKeyPath)) {
      // Only an entry that is there needs a key that may be written; one
      // that cannot be removed is an error, not a success. A Run key that
      // cannot even be read shows no entry to remove: that says nothing,
      // as a save that changed nothing should.
      if (registry.ValueExists(RunValueName)) {
        registry.OpenKey(RunKeyPath, false);
        registry.RemoveValue(RunValueName);
      }
    }
    return {};
  } catch (const ERegistryException& error) {
    return L"Unable to update the start-up entry \"" + std::wstring(RunValueName) + L"\" in\r" +
           (error.Key().empty() ? registry.FullKeyName(RunKeyPath) : error.Key()) + L".\r\r" + error.Reason() +
           (enable ? L"\r\rThe engine may not start when you log on." : L"\r\rThe engine will still start when you log on.");
  }
}

std::wstring SetRunAtStartup(bool enable) { return SetRunAtStartupFor(ProgramFolder(), enable); }

void ReportStartupFailure(const std::wstring& message) { ShowErrorBox(message); }

#endif
