// Test support: the start-up fixture, the software canvas, and SDL_ttf started for the whole run.
#include "support/fixture.h"

#include <SDL_ttf.h>

#include <ostream>

#include "app/shell.h"
#include "platform/platform.h"
#include "render/text.h"
#include "rules/state.h"
#include "screens/buttons.h"

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

Rgb ToRgb(SDL_Color c) { return {c.r, c.g, c.b}; }

Canvas::Canvas()
    : surface_(SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32, SDL_PIXELFORMAT_ARGB8888)),
      previous_(renderer) {
  renderer = SDL_CreateSoftwareRenderer(surface_);
}

Canvas::~Canvas() {
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface_);
  renderer = previous_;
}

void Canvas::Clear(Rgb colour) {
  SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, 255);
  SDL_RenderClear(renderer);
}

Rgb Canvas::Pixel(int x, int y) const {
  const auto* row = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch;
  Rgb c;
  SDL_GetRGB(reinterpret_cast<const uint32_t*>(row)[x], surface_->format, &c.r, &c.g, &c.b);
  return c;
}

int Canvas::Count(Rgb colour, SDL_Rect area) const {
  int count = 0;
  for (int y = area.y; y < area.y + area.h; ++y)
    for (int x = area.x; x < area.x + area.w; ++x) count += Pixel(x, y) == colour;
  return count;
}

void GameTest::SetUp() {
  SetStartValues();
  BuildMenuButtons();
  StartNewGame();
}

namespace {

struct TextEnvironment : ::testing::Environment {
  void SetUp() override { ASSERT_EQ(TTF_Init(), 0) << TTF_GetError(); }
  void TearDown() override { CloseFonts(), TTF_Quit(); }
};
const auto* const textEnvironment = ::testing::AddGlobalTestEnvironment(new TextEnvironment);

}  // namespace
