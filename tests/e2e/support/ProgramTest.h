#pragma once
// The base of the end-to-end tests: the program's registry keys are cleared
// before and after each test, so no test sees another's settings.
#include <gtest/gtest.h>

#include "Driver.h"

namespace e2e {

class TProgramTest : public testing::Test {
 protected:
  void SetUp() override { ClearProgramRegistry(); }
  void TearDown() override { ClearProgramRegistry(); }
};

}  // namespace e2e
