// Text in solid white from "Text.ttf": fonts opened once per size, null-safe drawing.
#include "render/text.h"

#include <map>

namespace {

const char* const kFontFile = "Text.ttf";  // opened by relative name, beside the executable
const SDL_Color kTextColour{255, 255, 255, 255};

std::map<int, TTF_Font*> openFonts;  // point size -> font, null when opening failed

}  // namespace

TTF_Font* FontOfSize(int points) {
  const auto found = openFonts.find(points);
  if (found != openFonts.end()) return found->second;
  TTF_Font* font = TTF_WasInit() ? TTF_OpenFont(kFontFile, points) : nullptr;
  openFonts[points] = font;
  return font;
}

void CloseFonts() {
  for (auto& [points, font] : openFonts) {
    if (font) TTF_CloseFont(font);
  }
  openFonts.clear();
}

SDL_Texture* MakeTextTexture(TTF_Font* font, const std::string& text, int& tw, int& th) {
  if (!font || !renderer) return nullptr;
  SDL_Surface* surface = TTF_RenderText_Solid(font, text.c_str(), kTextColour);
  if (!surface) return nullptr;
  tw = surface->w;
  th = surface->h;
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
  SDL_FreeSurface(surface);
  return texture;
}
