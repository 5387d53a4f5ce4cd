// Input sampling: the pointer, the event queue, the one-frame click and the cooldown.
#include "platform/canvas_fit.h"
#include "platform/platform.h"

FrameInput frameInput;

namespace {

// Quit, Escape, F11 and the left button; every other event is only drained.
void HandleEvent(const SDL_Event& event, const Uint8* keys) {
  // Escape ends the game on its own key-down, so a quick tap whose release is
  // taken in the same pass still counts, and through the live key state on
  // any event taken while it is held.
  const bool escapePressed =
      event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_ESCAPE;
  if (event.type == SDL_QUIT || escapePressed || keys[SDL_SCANCODE_ESCAPE]) running = false;

  // F11 flips once per press: repeats and other events while it is held do not.
  if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_F11 &&
      !event.key.repeat) {
    fullscreen = !fullscreen;
    SDL_SetWindowFullscreen(window, FullscreenFlags());
  }

  if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
    frameInput.mouseReleased = true;
    frameInput.releaseFrames = 1;
    frameInput.mouseHeld = false;
  } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    frameInput.mouseHeld = true;
  }
}

// SDL keeps the pointer's window position from the last motion it took, and a
// window that moves under a still pointer (F11, the window manager) brings no
// motion, or one at the old position: the pointer then lies that much the
// other way in the window. Returns whether the window moved or changed size
// since the last look.
bool FollowWindow() {
  SDL_Rect now;
  SDL_GetWindowPosition(window, &now.x, &now.y);
  SDL_GetWindowSize(window, &now.w, &now.h);
  SDL_Rect& last = frameInput.windowArea;
  if (SDL_RectEquals(&now, &last)) return false;
  if (last.w > 0) {
    frameInput.windowMove.x += last.x - now.x;
    frameInput.windowMove.y += last.y - now.y;
  }
  last = now;
  return true;
}

// The pointer as a canvas point, through the window's present place and size:
// SDL reports window pixels, the screens hit-test canvas pixels. Once SDL
// reports another position, the pointer has moved and its report holds again.
void SamplePointer() {
  FollowWindow();
  SDL_Point reported;
  SDL_GetMouseState(&reported.x, &reported.y);
  if (reported.x != frameInput.reportedPointer.x || reported.y != frameInput.reportedPointer.y) {
    frameInput.reportedPointer = reported;
    frameInput.windowMove = {0, 0};
  }
  const SDL_Point pointer{reported.x + frameInput.windowMove.x,
                          reported.y + frameInput.windowMove.y};
  const SDL_Rect& area = frameInput.windowArea;
  const SDL_Point canvas = WindowToCanvas(pointer, {area.w, area.h});
  frameInput.mouseX = canvas.x;
  frameInput.mouseY = canvas.y;
}

// Samples the pointer, then drains the queue. Returns this frame's release candidate.
bool TakeInput() {
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  frameInput.prevMouseX = frameInput.mouseX;
  frameInput.prevMouseY = frameInput.mouseY;
  SamplePointer();

  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event, keys);
  // A window that the pass switched or the window manager moved or resized is
  // followed at once, so that this frame's hover is already the new window's.
  if (FollowWindow()) SamplePointer();
  return frameInput.mouseReleased;
}

}  // namespace

void ResetFrameInput() { frameInput = FrameInput{}; }

void SampleInput() {
  bool releaseCandidate = false;
  if (frameInput.inputCooldown > 0) {
    // Events stay queued: a release made now becomes a click after the cooldown.
    --frameInput.inputCooldown;
  } else {
    releaseCandidate = TakeInput();
  }

  frameInput.mouseReleased = frameInput.releaseFrames > 0 ? releaseCandidate : false;
  // Only "greater than 0" is ever asked, so the countdown rests at 0 instead of
  // running down for ever (and overflowing after months of frames).
  if (frameInput.releaseFrames > 0) --frameInput.releaseFrames;
}
