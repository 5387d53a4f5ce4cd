// The hovered cell and the assist lines through it.
#pragma once

#include <vector>

#include "rules/state.h"

extern std::vector<Line> assistLines;  // lines the player to move would extend, this frame

// The line through two different cells a and b, end-middle-end, into `line`;
// clears `ok` (which the caller sets) when they share no line.
void LineThroughCells(const CellCoord& a, const CellCoord& b, Line& line, bool& ok);

// Record the empty cell under the pointer and, with assist on, collect the lines.
void UpdateHover2D();
void UpdateHover3D();
void UpdateHover4D();
void UpdateHover5D();
