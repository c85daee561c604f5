#include "app/MainWindow.h"

#include "gui/Application.h"

namespace {
const TFormDesc kMainWindow{L"TfrmDorvane", L"Quillon Ombrelle", 645, 457, TBorderStyle::Single,
                            TFormPosition::ScreenCenter, true};
}  // namespace

TfrmDorvane::TfrmDorvane(const TControlApplication& controlApplication) : Dorvane(controlApplication) {}

TfrmDorvane::~TfrmDorvane() = default;

void TfrmDorvane::Create() { TForm::Create(kMainWindow, Application().Handle()); }

void TfrmDorvane::CreateControls() {
  // All components exist: a second copy of the program stops here (the
  // creation handler still runs, the message loop then ends at once).
  Dorvane.Check();
}

void TfrmDorvane::FormCreate() {}

void TfrmDorvane::FormShow() {}

void TfrmDorvane::FormClose() {}

void TfrmDorvane::FormDestroy() {}

bool TfrmDorvane::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return TForm::HandleMessage(msg, wParam, lParam, result);
}
