// The run state: the window, its renderer, the screen in front and whether the game goes on.
#include "platform/platform.h"

bool running;
bool fullscreen;
SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
Screen currentScreen;

void ResetRunState() {
  running = true;
  fullscreen = false;
  currentScreen = Menu;
}

Uint32 FullscreenFlags() { return fullscreen ? SDL_WINDOW_FULLSCREEN : 0; }
