// Tests of the Button table: order, rectangles, setting values, and which Buttons are actions.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/game_state.h"
#include "screens/buttons.h"

namespace {

// One line per Button: label, corner, size, players, dimensions, bots, level and,
// for dimension Buttons only, the cell size; "!" marks a hover or latch flag set.
std::string Describe(const Button& b) {
  std::ostringstream s;
  s << b.label << ' ' << b.x << ',' << b.y << ' ' << b.w << 'x' << b.h << " p" << b.playerValue
    << " d" << b.dimensionValue << " b" << b.botValue << " l" << b.difficultyValue;
  if (b.dimensionValue > 0) s << " c" << b.cellSizeValue;
  if (b.hovered || b.latched) s << " !";
  return s.str();
}

}  // namespace

using ButtonsTest = GameStateTest;

TEST_F(ButtonsTest, AllButtonsInOrderWithTheirValues) {
  std::vector<std::string> got;
  for (const Button& b : menuButtons) got.push_back(Describe(b));
  for (const Button* b : {&backButton, &resetButton, &wRotationButton}) got.push_back(Describe(*b));
  const std::vector<std::string> expected = {
    "5 Dimensions 150,650 360x60 p0 d5 b-1 l0 c40", "4 Dimensions 150,550 360x60 p0 d4 b-1 l0 c60",
    "3 Dimensions 150,450 360x60 p0 d3 b-1 l0 c60", "2 Dimensions 150,350 360x60 p0 d2 b-1 l0 c80",
    "5 Players 550,650 300x60 p5 d0 b-1 l0", "4 Players 550,550 300x60 p4 d0 b-1 l0",
    "3 Players 550,450 300x60 p3 d0 b-1 l0", "2 Players 550,350 300x60 p2 d0 b-1 l0",
    "4 Bots 900,750 200x60 p0 d0 b4 l0", "3 Bots 900,650 200x60 p0 d0 b3 l0",
    "2 Bots 900,550 200x60 p0 d0 b2 l0", "1 Bots 900,450 200x60 p0 d0 b1 l0",
    "0 Bots 900,350 200x60 p0 d0 b0 l0", "Easy 1225,625 150x40 p0 d0 b-1 l1",
    "Meh 1225,685 150x40 p0 d0 b-1 l2", "Hard 1225,745 150x40 p0 d0 b-1 l3",
    "Play 1200,350 200x60 p0 d0 b-1 l0", "Assist Mode 1175,450 250x40 p0 d0 b-1 l0",
    "Quit 1250,530 100x35 p0 d0 b-1 l0", "Back 1400,815 150x45 p0 d0 b-1 l0",
    "Reset 1100,700 100x35 p0 d0 b-1 l0", "W Rotation 1050,750 200x35 p0 d0 b-1 l0"};
  EXPECT_EQ(got, expected);
}

TEST_F(ButtonsTest, OnlyPlayAssistAndQuitAreActions) {
  // "0 Bots" carries the value 0, a setting, so it must not count as an action.
  std::vector<std::string> actions;
  for (const Button& b : menuButtons)
    if (IsActionButton(b)) actions.push_back(b.label);
  EXPECT_EQ(actions, (std::vector<std::string>{"Play", "Assist Mode", "Quit"}));
}
