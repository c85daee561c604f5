#include "engine/EngineControl.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "engine/EngineContract.h"
#include "gui/Dialogs.h"
#include "gui/ProgramPath.h"

namespace {

std::wstring EngineFile() { return ProgramFolder() + EngineFileName; }

void RunEngine(const wchar_t* parameters) {
  ShellExecuteW(nullptr, L"open", EngineFile().c_str(), parameters, nullptr, SW_HIDE);
}

}  // namespace

bool IsEngineRunning() { return FindWindowW(EngineWindowClass, EngineWindowTitle) != nullptr; }

bool EngineInstalled() {
  const DWORD attributes = GetFileAttributesW(EngineFile().c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ReportEngineMissing() {
  ShowErrorBox(L"Unable to find the Ombrelle engine \"REVorude.exe\".\r\rPlease reinstall it and try again.");
}

void StartEngine() { RunEngine(EngineStartParam); }

void StopEngine() { RunEngine(EngineStopParam); }
