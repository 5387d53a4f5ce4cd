// Text in solid white from "Text.ttf": fonts opened once per size, null-safe drawing.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>

#include "platform/platform.h"

// The font "Text.ttf" at `points`, opened on first use and kept until
// CloseFonts. Null when the file is missing or unreadable (tried once per size).
TTF_Font* FontOfSize(int points);

// Closes every font FontOfSize opened, with the texts rendered in them; the
// next call opens afresh.
void CloseFonts();

// Renders `text` solid white with `font` and copies it to the top-left corner
// that place(tw, th) returns for the rendered size. Draws nothing when the
// font is null or the text cannot be rendered.
template <class Place>
void DrawText(TTF_Font* font, const std::string& text, Place place);

// The non-template half of DrawText: a texture of the text and its size, or null.
SDL_Texture* MakeTextTexture(TTF_Font* font, const std::string& text, int& tw, int& th);

template <class Place>
void DrawText(TTF_Font* font, const std::string& text, Place place) {
  int tw{}, th{};
  SDL_Texture* texture = MakeTextTexture(font, text, tw, th);
  if (!texture) return;
  const SDL_Point at = place(tw, th);
  const SDL_Rect target{at.x, at.y, tw, th};
  SDL_RenderCopy(renderer, texture, nullptr, &target);
  SDL_DestroyTexture(texture);
}
