// Win and draw detection.
#pragma once

#include "rules/state.h"

// Whether u, v, w in that order form a line: every coordinate is constant,
// runs 0,1,2 or runs 2,1,0.
bool IsLineTriple(const CellCoord& u, const CellCoord& v, const CellCoord& w);

// After-move checks: on a completed line set gameOver, winner and the board's
// winLine. No-ops once the game is over.
void CheckWin2D();
void CheckWin3D();
void CheckWin4D();
void CheckWin5D();

// Ends the game as a draw when the played board has no empty cell.
void CheckFullBoard();
