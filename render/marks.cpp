// PLACEHOLDER: replaced by the real implementation before this lands.
#include "render/marks.h"
void DrawCircle(int32_t, int32_t, int32_t) {}
void DrawPlayerMark(int32_t, int32_t, int32_t) {}
void DrawThickLine(int32_t, int32_t, int32_t, int32_t) {}
void DrawProjectedMark(int32_t, double, double, double) {}
