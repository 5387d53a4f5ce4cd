// Benchmark support: the game's start values, and a 1600x900 software canvas as the game's
// renderer.
#pragma once

#include <SDL.h>

#include "app/shell.h"
#include "platform/platform.h"
#include "rules/state.h"
#include "screens/buttons.h"

inline void ResetGameGlobals() {
  SetStartValues();
  BuildMenuButtons();
  StartNewGame();
}

struct Canvas {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* previous = renderer;
  Canvas() { renderer = SDL_CreateSoftwareRenderer(surface); }
  ~Canvas() {
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
    renderer = previous;
  }
};
