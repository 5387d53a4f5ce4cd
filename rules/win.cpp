// PLACEHOLDER: replaced by the real implementation before this lands.
#include "rules/win.h"
bool IsLineTriple(const CellCoord&, const CellCoord&, const CellCoord&) { return false; }
void CheckWin2D() {}
void CheckWin3D() {}
void CheckWin4D() {}
void CheckWin5D() {}
void CheckFullBoard() {}
