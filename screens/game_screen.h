// The game screen: its update (turns, bot pacing, clicks, view controls) and its drawing.
#pragma once

#include <cstdint>
#include <string>

#include "screens/buttons.h"

constexpr int32_t kBotDelayFrames = 100;  // frames a bot waits; it moves on the 101st

// ---- Bot pacing: kept across games, reset only by a bot's move --------------

extern int32_t botDelayFrames;  // frames the current bot's turn has waited

// No wait under way.
void ResetBotPacing();

// ---- Update -----------------------------------------------------------------

// The per-dimension operations the update calls; one row per dimension count.
struct DimensionRules {
  void (*botMove)();      // the bot's move, which also passes the turn on
  void (*checkWin)();     // the after-move line check
  void (*updateHover)();  // the hovered cell and assist lines
};

// The row of `dimensions`, or null for a count that has no board.
const DimensionRules* RulesOf(int32_t dimensions);

// One frame of the game screen's logic; draws nothing.
void UpdateGame();

// ---- Drawing ----------------------------------------------------------------

// Paints the whole game screen and presents it.
void DrawGame();

// Outline, centred label (never moved) and, when hovered, an additive overlay.
void DrawButton(Button button);

// "Game has ended in a draw", "Player 2 wins!", "Computer 1's Turn" and so on.
std::string StatusText();
