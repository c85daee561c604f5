#pragma once
// The main window of the commander, frmDorvane.
#include <memory>
#include <string>

#include "app/OneInstance.h"
#include "gui/Form.h"

class TControlApplication;

class TfrmDorvane : public TForm {
 public:
  explicit TfrmDorvane(const TControlApplication& controlApplication);
  ~TfrmDorvane() override;

  void Create();

  // Single-instance guard "Dorvane".
  TOneInstance Dorvane;

 protected:
  void CreateControls() override;
  void FormCreate() override;
  void FormShow() override;
  void FormClose() override;
  void FormDestroy() override;
  bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
