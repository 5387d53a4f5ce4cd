// PLACEHOLDER: replaced by the real implementation before this lands.
#include "bots/bot.h"
void BotMove2D() {}
void BotMove3D() {}
void BotMove4D() {}
void BotMove5D() {}
int PickCentralCell(const std::vector<CellCoord>&) { return 0; }
int PickEdgeCell(const std::vector<CellCoord>&, bool) { return 0; }
