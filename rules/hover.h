// The hovered cell and the assist lines through it.
#pragma once

#include <vector>

#include "rules/state.h"

// ---- Hover records: kept across games, followed by the pointer ---------------

extern CellCoord hoveredCell2, hoveredCell3, hoveredCell4, hoveredCell5;  // last empty cell hovered
extern std::vector<Line> assistLines;  // lines the player to move would extend, this frame

// Every record back to the corner cell (all indices 0).
void ForgetHoveredCells();

// The hovered-cell record of a dimension count.
CellCoord& HoveredCell(int dimensions);

// Record the empty cell under the pointer and, with assist on, collect the lines.
void UpdateHover2D();
void UpdateHover3D();
void UpdateHover4D();
void UpdateHover5D();
