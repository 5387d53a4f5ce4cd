// PLACEHOLDER: replaced by the real implementation before this lands.
#include "rules/layout.h"
int32_t GridOriginX(int32_t) { return 0; }
int32_t GridOriginY(int32_t) { return 0; }
CellSquare CellSquareOf(int, int32_t, int) { return {}; }
bool InsideSquare(const CellSquare&, int32_t, int32_t) { return false; }
int32_t SquareCentreX(const CellSquare&) { return 0; }
int32_t SquareCentreY(const CellSquare&) { return 0; }
int CellAtPoint(int, int32_t, int32_t, int32_t) { return -1; }
