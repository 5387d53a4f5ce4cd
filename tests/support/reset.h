// Test support: puts every global of the game back to its start-up values.
#pragma once

// Settings, boards, per-game state, input, view state, assist lines, Buttons
// (rebuilt), the screen and the title background, as right after start-up.
void ResetGameGlobals();
