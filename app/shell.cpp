// The application shell: start-up, the frame loop and shutdown.
#include "app/shell.h"

#include <SDL_ttf.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include <csignal>
#include <cstdio>
#include <string>

#include "app/pacing.h"
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

void TakeFrameInput() {
  SampleInput();
  if (stopRequested) running = false;
}

void UpdateScreen(Screen screen) {
  if (screen == Game) {
    UpdateGame();
  } else if (screen == Menu) {
    UpdateMenu();
  }
}

void DrawScreen(Screen screen) {
  ClearWholeWindow();
  if (screen == Game) {
    DrawGame();
  } else if (screen == Menu) {
    DrawMenu();
  }
}

void RunCurrentScreen() {
  const Screen shown = currentScreen;
  UpdateScreen(shown);
  DrawScreen(shown);
}

void RunFrame() {
  // note the time
  frameStartTicks = SDL_GetTicks();
  // pointer and events, unless a screen switch holds input back
  TakeFrameInput();
  // run the screen chosen at the start of the frame, update then draw over black bars
  RunCurrentScreen();
  // keep to the frame floor
  HoldFrameFloor();
}

void RunBrowserFrame() {
  // the game time owed since the last display frame, in whole steps
  const int32_t steps = StepsDue(gameClock, SDL_GetTicks());
  // each step a desktop frame's input and update, without its drawing or its wait
  for (int32_t step = 0; step < steps && running; ++step) {
    TakeFrameInput();
    UpdateScreen(currentScreen);
  }
  // one picture of where the steps left the game; none when nothing moved on
  if (steps > 0 && running) DrawScreen(currentScreen);
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

#ifdef __EMSCRIPTEN__
// The page shows that the game has ended (0), or could not start (1), in place of the canvas.
EM_JS(void, TellPageGameEnded, (int status), {
  if (Module.onGameEnded) Module.onGameEnded(status);
});

namespace {

// The browser's callback: the frame, then, once the game has ended, no more callbacks, the
// shutdown and the page told, instead of a last frame frozen on the canvas.
void RunBrowserFrameOrEnd() {
  RunBrowserFrame();
  if (running) return;
  emscripten_cancel_main_loop();
  ShutDown();
  TellPageGameEnded(0);
}

}  // namespace

int RunZarnith() {
  if (!StartUp()) {
    ShutDown();
    TellPageGameEnded(1);
    return 1;
  }
  // The first frame at once, one step on, as on the desktop; then the browser's.
  gameClock = StartedClock(SDL_GetTicks());
  RunBrowserFrame();
  // 0 frames a second: the browser calls once per display refresh. The game's own loop would
  // block the page, so main returns into the browser here and never comes back.
  emscripten_set_main_loop(RunBrowserFrameOrEnd, 0, 1);
  return 0;
}
#else
int RunZarnith() {
  const bool playable = StartUp();
  while (playable && running) RunFrame();
  ShutDown();
  return playable ? 0 : 1;
}
#endif
