// Test support: a fixture that puts every global of the game back to its start-up values.
#pragma once

#include <gtest/gtest.h>

#include "support/reset.h"

class GameStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameGlobals(); }
};
