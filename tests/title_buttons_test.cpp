// Tests of the Button table, the game-screen Buttons and the two hit tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game_state.h"
#include "title/buttons.h"

namespace {

struct ExpectedButton {
  const char* label;
  int32_t x, y, w, h;
  int32_t players, dimensions, bots, level, cellSizeValue;
};

// The title screen as designed: four columns, smallest value on top.
const std::vector<ExpectedButton> kTitleTable = {
    {"5 Dimensions", 150, 650, 360, 60, 0, 5, -1, 0, 40},
    {"4 Dimensions", 150, 550, 360, 60, 0, 4, -1, 0, 60},
    {"3 Dimensions", 150, 450, 360, 60, 0, 3, -1, 0, 60},
    {"2 Dimensions", 150, 350, 360, 60, 0, 2, -1, 0, 80},
    {"5 Players", 550, 650, 300, 60, 5, 0, -1, 0, 0},
    {"4 Players", 550, 550, 300, 60, 4, 0, -1, 0, 0},
    {"3 Players", 550, 450, 300, 60, 3, 0, -1, 0, 0},
    {"2 Players", 550, 350, 300, 60, 2, 0, -1, 0, 0},
    {"4 Bots", 900, 750, 200, 60, 0, 0, 4, 0, 0},
    {"3 Bots", 900, 650, 200, 60, 0, 0, 3, 0, 0},
    {"2 Bots", 900, 550, 200, 60, 0, 0, 2, 0, 0},
    {"1 Bots", 900, 450, 200, 60, 0, 0, 1, 0, 0},
    {"0 Bots", 900, 350, 200, 60, 0, 0, 0, 0, 0},
    {"Easy", 1225, 625, 150, 40, 0, 0, -1, 1, 0},
    {"Meh", 1225, 685, 150, 40, 0, 0, -1, 2, 0},
    {"Hard", 1225, 745, 150, 40, 0, 0, -1, 3, 0},
    {"Play", 1200, 350, 200, 60, 0, 0, -1, 0, 0},
    {"Assist Mode", 1175, 450, 250, 40, 0, 0, -1, 0, 0},
    {"Quit", 1250, 530, 100, 35, 0, 0, -1, 0, 0},
};

void ExpectRect(const Button& b, int32_t x, int32_t y, int32_t w, int32_t h) {
  EXPECT_EQ(b.x, x) << b.label;
  EXPECT_EQ(b.y, y) << b.label;
  EXPECT_EQ(b.w, w) << b.label;
  EXPECT_EQ(b.h, h) << b.label;
}

bool Overlap(const Button& a, const Button& b) {
  return a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h && b.y <= a.y + a.h;
}

}  // namespace

using ButtonsTest = GameStateTest;

TEST_F(ButtonsTest, TitleButtonsFollowTheTableInOrder) {
  ASSERT_EQ(menuButtons.size(), kTitleTable.size());
  for (size_t i = 0; i < kTitleTable.size(); ++i) {
    const ExpectedButton& e = kTitleTable[i];
    const Button& b = menuButtons[i];
    SCOPED_TRACE("button " + std::to_string(i) + " " + e.label);
    EXPECT_EQ(b.label, e.label);
    ExpectRect(b, e.x, e.y, e.w, e.h);
    EXPECT_EQ(b.playerValue, e.players);
    EXPECT_EQ(b.dimensionValue, e.dimensions);
    EXPECT_EQ(b.botValue, e.bots);
    EXPECT_EQ(b.difficultyValue, e.level);
    if (e.dimensions > 0) {
      EXPECT_EQ(b.cellSizeValue, e.cellSizeValue);
    }
    EXPECT_FALSE(b.hovered);
    EXPECT_FALSE(b.latched);
  }
}

TEST_F(ButtonsTest, OnlyPlayAssistAndQuitAreActions) {
  std::vector<std::string> actions;
  for (const Button& b : menuButtons)
    if (IsActionButton(b)) actions.push_back(b.label);
  EXPECT_EQ(actions, (std::vector<std::string>{"Play", "Assist Mode", "Quit"}));

  // "0 Bots" carries the value 0, which is a setting and not its absence.
  const Button& noBots = menuButtons[12];
  ASSERT_EQ(noBots.label, "0 Bots");
  EXPECT_FALSE(IsActionButton(noBots));
}

TEST_F(ButtonsTest, TitleButtonsDoNotTouchEachOther) {
  // So one click, edges included, can fire at most one Button.
  for (size_t i = 0; i < menuButtons.size(); ++i)
    for (size_t j = i + 1; j < menuButtons.size(); ++j)
      EXPECT_FALSE(Overlap(menuButtons[i], menuButtons[j]))
          << menuButtons[i].label << " and " << menuButtons[j].label;
}

TEST_F(ButtonsTest, GameScreenButtons) {
  EXPECT_EQ(backButton.label, "Back");
  ExpectRect(backButton, 1400, 815, 150, 45);
  EXPECT_EQ(resetButton.label, "Reset");
  ExpectRect(resetButton, 1100, 700, 100, 35);
  EXPECT_EQ(wRotationButton.label, "W Rotation");
  ExpectRect(wRotationButton, 1050, 750, 200, 35);
  for (const Button* b : {&backButton, &resetButton, &wRotationButton}) {
    EXPECT_TRUE(IsActionButton(*b)) << b->label;
    EXPECT_FALSE(b->hovered) << b->label;
  }
}

TEST_F(ButtonsTest, PointInButtonCountsAllFourEdges) {
  const Button& b = backButton;  // x 1400..1550, y 815..860
  const int32_t midX = b.x + b.w / 2, midY = b.y + b.h / 2;
  EXPECT_TRUE(PointInButton(b, b.x, midY));
  EXPECT_TRUE(PointInButton(b, b.x + b.w, midY));
  EXPECT_TRUE(PointInButton(b, midX, b.y));
  EXPECT_TRUE(PointInButton(b, midX, b.y + b.h));
  EXPECT_TRUE(PointInButton(b, b.x, b.y));
  EXPECT_TRUE(PointInButton(b, b.x + b.w, b.y + b.h));
  EXPECT_FALSE(PointInButton(b, b.x - 1, midY));
  EXPECT_FALSE(PointInButton(b, b.x + b.w + 1, midY));
  EXPECT_FALSE(PointInButton(b, midX, b.y - 1));
  EXPECT_FALSE(PointInButton(b, midX, b.y + b.h + 1));
}

TEST_F(ButtonsTest, PointStrictlyInButtonLeavesTheEdgesOut) {
  const Button& b = resetButton;  // x 1100..1200, y 700..735
  const int32_t midX = b.x + b.w / 2, midY = b.y + b.h / 2;
  EXPECT_TRUE(PointStrictlyInButton(b, midX, midY));
  EXPECT_TRUE(PointStrictlyInButton(b, b.x + 1, b.y + 1));
  EXPECT_TRUE(PointStrictlyInButton(b, b.x + b.w - 1, b.y + b.h - 1));
  EXPECT_FALSE(PointStrictlyInButton(b, b.x, midY));
  EXPECT_FALSE(PointStrictlyInButton(b, b.x + b.w, midY));
  EXPECT_FALSE(PointStrictlyInButton(b, midX, b.y));
  EXPECT_FALSE(PointStrictlyInButton(b, midX, b.y + b.h));
}
