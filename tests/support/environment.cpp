// Test support: SDL_ttf is started once for the whole test run, so text can be drawn.
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include "render/text.h"

namespace {

class TextEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(TTF_Init(), 0) << TTF_GetError(); }
  void TearDown() override {
    CloseFonts();
    TTF_Quit();
  }
};

const auto* const textEnvironment = ::testing::AddGlobalTestEnvironment(new TextEnvironment);

}  // namespace
