// The title screen: hover and clicks (UpdateMenu) and its drawing (DrawMenu).
#pragma once

// ---- Background colour cycle: the only state a drawing step keeps ----------

extern double backgroundRed;        // 0..50, climbs 0.1 a frame
extern int backgroundRedStep;       // +1 or -1
extern double backgroundBlue;       // 0..50, climbs 0.15 a frame
extern int backgroundBlueStep;      // +1 or -1

// Hover, latch and fire every title Button; applies settings and actions.
void UpdateMenu();

// Paints the whole title screen and presents it.
void DrawMenu();
