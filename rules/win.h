// Win and draw detection.
#pragma once

#include "rules/state.h"

// After-move checks: on a completed line set gameOver, winner and the board's
// winLine. No-ops once the game is over.
void CheckWin2D();
void CheckWin3D();
void CheckWin4D();
void CheckWin5D();

// Ends the game as a draw when the played board has no empty cell.
void CheckFullBoard();
