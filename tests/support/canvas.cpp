// Test support: a 1600x900 software canvas installed as the game's renderer.
#include "support/canvas.h"

#include <ostream>

#include "app/shell.h"
#include "platform/platform.h"

Canvas::Canvas() {
  surface_ = SDL_CreateRGBSurfaceWithFormat(0, kCanvasWidth, kCanvasHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  canvasRenderer_ = SDL_CreateSoftwareRenderer(surface_);
  previous_ = renderer;
  renderer = canvasRenderer_;
}

Canvas::~Canvas() {
  renderer = previous_;
  SDL_DestroyRenderer(canvasRenderer_);
  SDL_FreeSurface(surface_);
}

void Canvas::Clear(Rgb colour) {
  SDL_SetRenderDrawBlendMode(canvasRenderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(canvasRenderer_, colour.r, colour.g, colour.b, 255);
  SDL_RenderClear(canvasRenderer_);
}

Rgb Canvas::Pixel(int x, int y) const {
  const auto* row = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch;
  const uint32_t value = reinterpret_cast<const uint32_t*>(row)[x];
  Rgb c;
  SDL_GetRGB(value, surface_->format, &c.r, &c.g, &c.b);
  return c;
}

int Canvas::CountNot(Rgb colour, SDL_Rect area) const {
  int count = 0;
  for (int y = area.y; y < area.y + area.h; ++y)
    for (int x = area.x; x < area.x + area.w; ++x) count += Pixel(x, y) != colour;
  return count;
}

bool Canvas::SamePixels(const Canvas& other) const {
  for (int y = 0; y < kCanvasHeight; ++y)
    for (int x = 0; x < kCanvasWidth; ++x)
      if (Pixel(x, y) != other.Pixel(x, y)) return false;
  return true;
}

bool Canvas::SaveBmp(const char* path) const { return SDL_SaveBMP(surface_, path) == 0; }

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}
