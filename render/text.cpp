// Text in solid white from "Text.ttf": fonts opened once per size, null-safe drawing.
#include "render/text.h"

#include <map>
#include <utility>

#include "render/colours.h"

namespace {

const char* const kFontFile = "Text.ttf";  // opened by relative name from the working folder
constexpr Uint32 kTexturePixelFormat = SDL_PIXELFORMAT_ARGB8888;
constexpr std::size_t kMaxCachedTexts = 64;  // labels and status lines in use at once, with room

std::map<int, TTF_Font*> openFonts;  // point size -> font, null when opening failed

// Rendered glyph surfaces by font and text. Rasterising is most of the cost of
// a label, and the same few texts are drawn every frame; the surfaces belong
// to no renderer, so each frame still makes and releases its own textures.
std::map<std::pair<TTF_Font*, std::string>, SDL_Surface*> renderedTexts;

void ForgetRenderedTexts() {
  for (auto& [key, surface] : renderedTexts) SDL_FreeSurface(surface);
  renderedTexts.clear();
}

// The cached surface of `text`, rendering it on first use; null when it cannot be rendered.
SDL_Surface* RenderedText(TTF_Font* font, const std::string& text) {
  const auto key = std::make_pair(font, text);
  const auto found = renderedTexts.find(key);
  if (found != renderedTexts.end()) return found->second;
  SDL_Surface* glyphs = TTF_RenderText_Solid(font, text.c_str(), kWhite);
  if (!glyphs) return nullptr;
  // Kept in the texture's own pixel format, with the transparent colour key
  // turned into alpha as SDL would on every upload, so each frame's texture
  // is a plain copy.
  SDL_Surface* surface = SDL_ConvertSurfaceFormat(glyphs, kTexturePixelFormat, 0);
  SDL_FreeSurface(glyphs);
  if (!surface) return nullptr;
  // Texts never in use at once are rare (a status line per player): start afresh.
  if (renderedTexts.size() >= kMaxCachedTexts) ForgetRenderedTexts();
  renderedTexts.emplace(key, surface);
  return surface;
}

}  // namespace

TTF_Font* FontOfSize(int points) {
  const auto found = openFonts.find(points);
  if (found != openFonts.end()) return found->second;
  TTF_Font* font = TTF_WasInit() ? TTF_OpenFont(kFontFile, points) : nullptr;
  openFonts[points] = font;
  return font;
}

void CloseFonts() {
  ForgetRenderedTexts();
  for (auto& [points, font] : openFonts) {
    if (font) TTF_CloseFont(font);
  }
  openFonts.clear();
}

SDL_Texture* MakeTextTexture(TTF_Font* font, const std::string& text, int& tw, int& th) {
  if (!font || !renderer) return nullptr;
  SDL_Surface* surface = RenderedText(font, text);
  if (!surface) return nullptr;
  tw = surface->w;
  th = surface->h;
  return SDL_CreateTextureFromSurface(renderer, surface);
}
