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

  // A release is taken where it was made: when its motion came in the same
  // pass, the pointer sampled before the events is still where it was before.
  // SDL gives a button event's position in canvas pixels already, through the
  // renderer's logical size.
  if (event.type == SDL_MOUSEBUTTONUP && event.button.button == SDL_BUTTON_LEFT) {
    frameInput.mouseX = event.button.x;
    frameInput.mouseY = event.button.y;
    frameInput.mouseReleased = true;
    frameInput.releaseFrames = 1;
    frameInput.mouseHeld = false;
  } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    frameInput.mouseHeld = true;
  }
}

// The pointer as a canvas point, through the window's present size. SDL
// keeps the pointer's window position from the last motion it took, and a
// window that moves under a still pointer (F11, the window manager) brings no
// motion, or one at the old position: until SDL reports another position, the
// pointer lies as far the other way in the window as the window has moved.
void SamplePointer() {
  FrameInput& in = frameInput;
  SDL_Rect now;
  SDL_GetWindowPosition(window, &now.x, &now.y);
  SDL_GetWindowSize(window, &now.w, &now.h);
  SDL_Point reported;
  SDL_GetMouseState(&reported.x, &reported.y);
  if (reported.x != in.reportedPointer.x || reported.y != in.reportedPointer.y) {
    in.reportedPointer = reported;
    in.windowMove = {0, 0};
  } else if (in.windowArea.w > 0) {
    in.windowMove.x += in.windowArea.x - now.x;
    in.windowMove.y += in.windowArea.y - now.y;
  }
  in.windowArea = now;
  const SDL_Point canvas =
      WindowToCanvas({reported.x + in.windowMove.x, reported.y + in.windowMove.y}, {now.w, now.h});
  in.mouseX = canvas.x;
  in.mouseY = canvas.y;
}

// Samples the pointer, then drains the queue. Returns this frame's release candidate.
bool TakeInput() {
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  frameInput.prevMouseX = frameInput.mouseX;
  frameInput.prevMouseY = frameInput.mouseY;
  SamplePointer();

  const bool wasFullscreen = fullscreen;
  SDL_Event event;
  while (SDL_PollEvent(&event)) HandleEvent(event, keys);
  FitWindowToLateFrame();
  // After F11 the pointer is mapped through the switched window at once, so
  // that this frame's hover is already the new window's.
  if (fullscreen != wasFullscreen) SamplePointer();
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
