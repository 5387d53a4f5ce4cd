// The computer players' move choice at "Easy", "Meh" and "Hard".
#pragma once

#include "rules/state.h"

// Writes currentPlayer into the cell its priorities choose (one cell whenever
// any is empty) and passes the turn on.
void BotMove2D();
void BotMove3D();
void BotMove4D();
void BotMove5D();
