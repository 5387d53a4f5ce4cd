// Test support: every global at its start value, a 1600x900 software canvas read back pixel by pixel.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <iosfwd>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& out, const Rgb& c);
Rgb ToRgb(SDL_Color c);

// A software renderer on a 1600x900 surface, installed as the game's renderer while it lives.
class Canvas {
 public:
  Canvas();
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  void Clear(Rgb colour = {});
  Rgb Pixel(int x, int y) const;
  int Count(Rgb colour, SDL_Rect area = {0, 0, 1600, 900}) const;  // pixels of that colour

 private:
  SDL_Surface* surface_;
  SDL_Renderer* previous_;
};

// Settings, state, input, view and Buttons as right after start-up.
struct GameTest : ::testing::Test {
  void SetUp() override;
};
