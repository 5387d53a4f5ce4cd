#include "support/game_state.h"
#include "rules/state.h"
using SmokeTest = GameStateTest;
TEST_F(SmokeTest, Boards) { EXPECT_EQ(CellCount(5), 243); }
