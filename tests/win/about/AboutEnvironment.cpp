// What the program sets up before any window: the application object and the
// GIF picture type that the window's pictures are stored as.
#include <gtest/gtest.h>

#include "gui/Application.h"
#include "gui/Picture.h"
#include "pictures/gif/GIFImage.h"

namespace {

class TAboutEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    Application().Initialize();
    TPicture::RegisterClassName("TGIFImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TGIFImage>()); });
  }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new TAboutEnvironment);

}  // namespace
