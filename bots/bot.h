// The computer players' move choice at "Easy", "Meh" and "Hard".
#pragma once

#include <vector>

#include "rules/state.h"

// Writes currentPlayer into the cell its priorities choose (one cell whenever
// any is empty) and passes the turn on.
void BotMove2D();
void BotMove3D();
void BotMove4D();
void BotMove5D();

// Index into `candidates` of a random most-central cell (centrality >= 2),
// else of a random corner; 0 when none qualifies.
int PickCentralCell(const std::vector<CellCoord>& candidates);

// With preferCentral, as PickCentralCell; otherwise a random cell of
// centrality exactly 1; 0 when none qualifies.
int PickEdgeCell(const std::vector<CellCoord>& candidates, bool preferCentral);

// The bot's view of one line through a cell. Base-3 digit d of `direction`
// (1 .. 3^dimensions - 1) tells how axis d, counted from the innermost,
// runs along the line: 0 stays, 1 rises, 2 falls. When `cell` is the middle
// or an end of that line, stores the other two cell numbers in cellA and
// cellB (for an end, cellA is the middle) and returns true; returns false
// when the moving axes disagree about the cell's place on the line.
bool OtherCellsOfLine(int dimensions, int cell, int direction, int& cellA, int& cellB);

// The same move as BotMove2D .. BotMove5D, with every cell's marks collected
// over all direction numbers instead of each line once. Slower; it states the
// rule directly and is kept to check the fast scan against.
void BotMoveByDirectionScan(int dimensions);
