// The application shell: start-up, the frame loop and shutdown.
#include "app/shell.h"

#include <SDL_ttf.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "platform/canvas_fit.h"
#include "platform/platform.h"
#include "platform/video.h"
#include "render/colours.h"
#include "render/mesh.h"
#include "render/projection.h"
#include "render/text.h"
#include "rules/hover.h"
#include "rules/state.h"
#include "screens/buttons.h"
#include "screens/game_screen.h"
#include "screens/title_screen.h"

uint32_t frameStartTicks;

namespace {

volatile std::sig_atomic_t stopRequested = 0;  // set by SIGINT or SIGTERM

void RequestStop(int) { stopRequested = 1; }

void Report(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void HoldFrameFloor() { SDL_Delay(FrameFloorDelayMs(frameStartTicks, SDL_GetTicks())); }

}  // namespace

uint32_t FrameFloorDelayMs(uint32_t startMs, uint32_t nowMs) {
  const uint32_t elapsedMs = nowMs - startMs;
  if (elapsedMs >= kFrameFloorMs) return 0;
  return kFrameFloorMs - elapsedMs;
}

void SetStartValues() {
  ResetRunState();
  ResetFrameInput();
  SetDefaultSettings();
  ForgetHoveredCells();
  ResetBotPacing();
  ResetView();
  ResetTitleBackground();
}

bool StartUp() {
  SetStartValues();
  // Installed before SDL so that SDL keeps these handlers instead of its own.
  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);

  // The click that brings the window to the front counts, as it does on X11;
  // SDL on Windows would drop it, and a first click on a Button would do nothing.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_Init(SDL_INIT_EVERYTHING) < 0) Report("Failed at SDL_Init()");
  if (TTF_Init() < 0) Report(std::string("Error: ") + SDL_GetError());
  const WindowSize size = WindowSizeFor(UsableDesktopSize());
  if (OpenWindowAndRenderer(size.w, size.h, FullscreenFlags(), &window, &renderer) != 0) {
    Report("Failed at SDL_CreateWindowAndRenderer()");
    return false;
  }
  SDL_SetWindowTitle(window, "Zarnith");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "2");
  FitCanvasToWindow();

  BuildCellMeshes();
  BuildMenuButtons();
  StartNewGame();
  return true;
}

void RunCurrentScreen() {
  if (currentScreen == Game) {
    UpdateGame();
    DrawGame();
  } else if (currentScreen == Menu) {
    UpdateMenu();
    DrawMenu();
  }
}

void RunFrame() {
  // note the time
  frameStartTicks = SDL_GetTicks();
  // pointer and events, unless a screen switch holds input back
  SampleInput();
  if (stopRequested) running = false;
  // black bars where the window is not 16:9, under the canvas the screen draws
  ClearWholeWindow();
  // run the screen chosen at the start of the frame, update then draw
  RunCurrentScreen();
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
