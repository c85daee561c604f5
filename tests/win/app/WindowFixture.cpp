#include "WindowFixture.h"

#include <commctrl.h>
#include <shlwapi.h>

#include "app/PictureTypes.h"
#include "gui/Application.h"
#include "gui/ProgramPath.h"

void MainWindowFixture::SetUpTestSuite() {
  static bool initialised = false;
  if (initialised) return;
  initialised = true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&controls);
  Application().Initialize();
  Application().SetTitle(L"Ombrelle");
  RegisterPictureTypes();
}

void MainWindowFixture::ClearRegistry() {
  SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quillon");
  HKEY run;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_SET_VALUE,
                    &run) == ERROR_SUCCESS) {
    RegDeleteValueW(run, L"Dorvane");
    RegCloseKey(run);
  }
}

std::wstring MainWindowFixture::ListFile() { return ProgramFolder() + L"WPapers.ini"; }

void MainWindowFixture::SetUp() {
  ClearRegistry();
  DeleteFileW(ListFile().c_str());
  controlApplication_ = std::make_unique<TControlApplication>();
}

void MainWindowFixture::TearDown() {
  if (form_ && form_->Handle()) CloseWindow();
  form_.reset();
  controlApplication_.reset();
  ClearRegistry();
  DeleteFileW(ListFile().c_str());
}

TfrmDorvane& MainWindowFixture::Open() {
  form_ = std::make_unique<TfrmDorvane>(*controlApplication_);
  form_->Create();
  form_->Show();
  Pump();
  return *form_;
}

void MainWindowFixture::CloseWindow() {
  SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  Pump();
}

void MainWindowFixture::Pump() { Application().ProcessMessages(); }
