#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "gui/Application.h"

namespace {

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, OpensAndClosesAndWritesBothStores) {
  TfrmDorvane& form = Open();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  CloseWindow();
  EXPECT_EQ(form.Handle(), nullptr);
  form_.reset();
  EXPECT_NE(GetFileAttributesW(ListFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

namespace {

TEST_F(MainWindow, RunsItsMessageLoopUntilClosed) {
  form_ = std::make_unique<TfrmDorvane>(*controlApplication_);
  form_->Create();
  PostMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  Application().Run(*form_);
  EXPECT_EQ(form_->Handle(), nullptr);
  form_.reset();
}

}  // namespace
