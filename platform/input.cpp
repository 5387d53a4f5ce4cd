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

// Samples the pointer, then drains the queue. Returns this frame's release candidate.
bool TakeInput() {
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  frameInput.prevMouseX = frameInput.mouseX;
  frameInput.prevMouseY = frameInput.mouseY;
  // SDL reports window pixels; the screens hit-test canvas pixels.
  SDL_Point pointer;
  SDL_GetMouseState(&pointer.x, &pointer.y);
  WindowSize size;
  SDL_GetWindowSize(window, &size.w, &size.h);
  const SDL_Point canvas = WindowToCanvas(pointer, size);
  frameInput.mouseX = canvas.x;
  frameInput.mouseY = canvas.y;

  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event, keys);
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
