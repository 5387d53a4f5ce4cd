// PLACEHOLDER: replaced by the real implementation before this lands.
#include "title/menu.h"
double backgroundRed = 0.0;
int backgroundRedStep = 1;
double backgroundBlue = 25.0;
int backgroundBlueStep = 1;
void UpdateMenu() {}
void DrawMenu() {}
