// The application shell: start-up, the frame loop and shutdown.
#include "app/shell.h"

#include <SDL_ttf.h>

#include <csignal>
#include <cstdio>

#include "platform/video.h"
#include "render/mesh.h"
#include "render/text.h"
#include "rules/state.h"
#include "rules/turn.h"
#include "screen/game_screen.h"
#include "title/buttons.h"
#include "title/menu.h"

bool running = true;
bool fullscreen = false;
SDL_Window* window = nullptr;
SDL_Renderer* renderer = nullptr;
Screen currentScreen = Menu;
uint32_t frameStartTicks = 0;
FrameInput frameInput;

namespace {

volatile std::sig_atomic_t stopRequested = 0;  // set by SIGINT or SIGTERM

void RequestStop(int) { stopRequested = 1; }

void Report(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

// Waits out the rest of the frame floor; a slow frame is followed at once.
void HoldFrameFloor() {
  const auto elapsed = static_cast<int32_t>(SDL_GetTicks() - frameStartTicks);
  if (elapsed < static_cast<int32_t>(kFrameFloorMs)) {
    SDL_Delay(kFrameFloorMs - static_cast<uint32_t>(elapsed));
  }
}

}  // namespace

bool StartUp() {
  running = true;
  fullscreen = false;
  // Installed before SDL so that SDL keeps these handlers instead of its own.
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);

  if (SDL_Init(SDL_INIT_EVERYTHING) < 0) Report("Failed at SDL_Init()");
  if (TTF_Init() < 0) {
    std::printf("Error: %s\n", SDL_GetError());
    std::fflush(stdout);
  }
  if (OpenWindowAndRenderer(kCanvasWidth, kCanvasHeight, fullscreen, &window, &renderer) < 0) {
    Report("Failed at SDL_CreateWindowAndRenderer()");
    return false;
  }
  SDL_SetWindowTitle(window, "Zarnith");
  SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "2");

  BuildCellMeshes();
  BuildMenuButtons();
  StartNewGame();
  return true;
}

void RunFrame() {
  // note the time
  frameStartTicks = SDL_GetTicks();
  // pointer and events, unless a screen switch holds input back
  SampleInput();
  if (stopRequested) running = false;
  // run the screen chosen at the start of the frame, update then draw
  if (currentScreen == Game) {
    UpdateGame();
    DrawGame();
  } else if (currentScreen == Menu) {
    UpdateMenu();
    DrawMenu();
  }
  // keep to the frame floor
  HoldFrameFloor();
}

void ShutDown() {
  CloseFonts();
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  renderer = nullptr;
  window = nullptr;
  TTF_Quit();
  SDL_Quit();
}

int RunZarnith() {
  const bool playable = StartUp();
  while (playable && running) RunFrame();
  ShutDown();
  return playable ? 0 : 1;
}
