// Test support: a 1600x900 software canvas installed as the game's renderer.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <iosfwd>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// Makes a software renderer on a 1600x900 ARGB surface, installs it as the
// global `renderer` and restores the previous one on destruction.
class Canvas {
 public:
  Canvas();
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  // Fills the whole canvas with one opaque colour.
  void Clear(Rgb colour);
  Rgb Pixel(int x, int y) const;
  // Number of pixels inside the rectangle that differ from `colour`.
  int CountNot(Rgb colour, SDL_Rect area) const;
  int CountNot(Rgb colour) const { return CountNot(colour, {0, 0, 1600, 900}); }
  SDL_Surface* Surface() const { return surface_; }
  SDL_Renderer* Renderer() const { return canvasRenderer_; }
  // Whether every pixel equals the other canvas's.
  bool SamePixels(const Canvas& other) const;
  bool SaveBmp(const char* path) const;

 private:
  SDL_Surface* surface_ = nullptr;
  SDL_Renderer* canvasRenderer_ = nullptr;
  SDL_Renderer* previous_ = nullptr;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c);
