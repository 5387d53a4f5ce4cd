// Text drawing: cached glyphs give the pixels of a fresh render, and fonts are shared.
#include <SDL_ttf.h>

#include "render/text.h"
#include "support/canvas.h"
#include "support/game_state.h"

using TextTest = GameStateTest;

// Draws `text` straight from SDL_ttf, the way an uncached frame would.
void DrawUncached(TTF_Font* font, const char* text, int x, int y) {
  SDL_Surface* surface = TTF_RenderText_Solid(font, text, SDL_Color{255, 255, 255, 255});
  ASSERT_NE(surface, nullptr);
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
  const SDL_Rect target{x, y, surface->w, surface->h};
  SDL_RenderCopy(renderer, texture, nullptr, &target);
  SDL_DestroyTexture(texture);
  SDL_FreeSurface(surface);
}

TEST_F(TextTest, CachedTextDrawsTheSamePixelsAsAFreshRender) {
  Canvas cached, fresh;
  for (int points : {24, 36, 72}) {
    TTF_Font* font = FontOfSize(points);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(FontOfSize(points), font) << "a size is opened once";
    for (int pass = 0; pass < 2; ++pass) {  // the second pass draws from the cache
      cached.Clear({30, 70, 70});
      fresh.Clear({30, 70, 70});
      renderer = cached.Renderer();
      DrawText(font, "Player 1's Turn", [](int, int) { return SDL_Point{65, 825}; });
      renderer = fresh.Renderer();
      DrawUncached(font, "Player 1's Turn", 65, 825);
      EXPECT_EQ(cached.CountNot({30, 70, 70}), fresh.CountNot({30, 70, 70}));
      EXPECT_GT(cached.CountNot({30, 70, 70}), 0);
      EXPECT_TRUE(cached.SamePixels(fresh)) << points << " points, pass " << pass;
    }
  }
}

TEST_F(TextTest, TextWithoutAFontDrawsNothing) {
  Canvas canvas;
  canvas.Clear({0, 0, 0});
  DrawText(nullptr, "Back", [](int, int) { return SDL_Point{10, 10}; });
  EXPECT_EQ(canvas.CountNot({0, 0, 0}), 0);
}
