// PLACEHOLDER: replaced by the real implementation before this lands.
#include "screen/game_screen.h"
void DrawGame() {}
void DrawButton(Button, TTF_Font*) {}
std::string StatusText() { return {}; }
