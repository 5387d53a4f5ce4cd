// The window and its renderer, made so that frames reach the screen cheaply on machines without a
// GPU.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <string>

// How the window and its renderer are made.
enum FramePath : int32_t {
  SdlChoice,  // as SDL chooses by itself, honouring its environment variables
  Software,   // SDL's software renderer, the window framebuffer kept off OpenGL
  AskDriver,  // make SDL's choice, then read what the driver reports
};

// What start-up knows when it picks the path; the driver's names are empty
// until SDL's choice of renderer has been made and read.
struct VideoReport {
  std::string
      userRenderDriver;  // SDL_RENDER_DRIVER, the renderer the user asks for; empty when unset
  bool userSetFramebuffer = false;  // SDL_FRAMEBUFFER_ACCELERATION is set
  bool mayHaveGpu = true;           // false when the system shows no GPU render node
  std::string rendererName;         // SDL_RendererInfo::name of SDL's choice, e.g. "opengl"
  std::string glRenderer;           // GL_RENDERER of its OpenGL context; empty without one
  bool onLinux = true;              // render nodes and Mesa's names are read only on Linux
  bool inBrowser = false;           // built for a web page, where SDL draws into an HTML canvas
};

// Whether a GPU shows: NVIDIA's control device exists, or the folder where Linux lists render
// nodes holds one (renderD128 and on). Without a render node, OpenGL can only be a software
// rasteriser; finding that out from the driver would cost the set-up of an OpenGL context.
bool ShowsGpu(const std::filesystem::path& nvidiaControl, const std::filesystem::path& renderNodes);

// ShowsGpu of the machine's own devices on Linux; elsewhere nothing is read and a GPU may be there.
bool MachineMayHaveGpu();

// What the user's SDL settings and the machine say before any renderer is made.
VideoReport ReadVideoReport();

// The path for what is known so far. AskDriver only while the driver's names
// are still unread.
FramePath ChooseFramePath(const VideoReport& report);

// Makes the window and its renderer on the path ChooseFramePath picks, with the
// arguments and the result of SDL_CreateWindowAndRenderer: 0 with both made,
// -1 with neither (SDL_GetError() says why).
int OpenWindowAndRenderer(int width, int height, uint32_t windowFlags, SDL_Window** window,
                          SDL_Renderer** renderer);
