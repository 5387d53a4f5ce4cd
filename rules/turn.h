// The game screen's update: "Back", turns, bot pacing, clicks, view controls.
#pragma once

#include <cstdint>

constexpr int32_t kBotDelayFrames = 100;  // frames a bot waits; it moves on the 101st

// ---- Turn pacing and view state: kept across games -------------------------

extern int32_t botDelayFrames;  // frames the current bot's turn has waited
extern double viewYaw;          // degrees, from horizontal dragging
extern double viewPitch;        // degrees, from vertical dragging
extern bool viewResetting;      // yaw and pitch are easing back to 0
extern double wAngleTarget;     // degrees about the fourth axis the 4D view turns toward
extern double wAngle;           // degrees about the fourth axis now

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
