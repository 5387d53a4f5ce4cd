// The title screen: hover and clicks (UpdateMenu) and its drawing (DrawMenu).
#pragma once

#include <cstdint>

// ---- Background colour cycle: stepped by the update, painted by the drawing -

extern double backgroundRed;        // red level 0..50, moves 0.1 a frame
extern int32_t backgroundRedStep;   // +1 rising, -1 falling
extern double backgroundBlue;       // blue level 0..50, moves 0.15 a frame
extern int32_t backgroundBlueStep;  // +1 rising, -1 falling

// Red at 0 and blue at 25, both rising.
void ResetTitleBackground();

// Hover, latch and fire every title Button; applies settings and actions.
void UpdateMenu();

// Paints the whole title screen and presents it.
void DrawMenu();
