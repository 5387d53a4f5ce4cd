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
