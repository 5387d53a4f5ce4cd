// Picks how frames reach the screen and makes the window and its renderer that way.
#include "platform/video.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace {

// How software OpenGL rasterisers name themselves in GL_RENDERER, in lower case.
// OpenGL on one of them costs a core at full frame rate, where SDL's software
// renderer draws the same frames at a tenth of that.
constexpr std::array<std::string_view, 4> kSoftwareRasterisers = {"llvmpipe", "softpipe", "swrast",
                                                                  "software rasterizer"};

#ifdef __linux__
constexpr bool kOnLinux = true;
constexpr const char* kRenderNodeFolder = "/dev/dri";  // where Linux lists its GPUs
constexpr const char* kNvidiaControlDevice =
    "/dev/nvidiactl";  // NVIDIA's driver, even without nodes
#else
constexpr bool kOnLinux = false;
#endif

#ifdef __EMSCRIPTEN__
constexpr bool kInBrowser = true;
#else
constexpr bool kInBrowser = false;
#endif

constexpr int kMade = 0;     // SDL_CreateWindowAndRenderer's result with both made
constexpr int kFailed = -1;  // and with neither

constexpr const char* kSoftwareRenderer = "software";      // SDL's name for its software renderer
constexpr std::string_view kRenderNodePrefix = "renderD";  // one such node per GPU

bool NamesSoftwareRasteriser(std::string glRenderer) {
  std::transform(glRenderer.begin(), glRenderer.end(), glRenderer.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::any_of(
      kSoftwareRasterisers.begin(), kSoftwareRasterisers.end(),
      [&](std::string_view name) { return glRenderer.find(name) != std::string::npos; });
}

// The value of SDL's hint or environment variable `name`; empty when unset,
// and SDL treats an empty value as unset too.
std::string HintValue(const char* name) {
  const char* value = SDL_GetHint(name);
  return value != nullptr ? value : "";
}

// GL_RENDERER of the OpenGL context that a new renderer leaves current; empty without one.
std::string CurrentGlRenderer() {
  if (SDL_GL_GetCurrentContext() == nullptr) return {};
  using GetString = const GLubyte*(APIENTRY*)(GLenum);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const GLubyte* name = getString != nullptr ? getString(GL_RENDERER) : nullptr;
  return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

// Puts SDL's software renderer on the window, its framebuffer kept off OpenGL.
// On failure the window goes too, as SDL_CreateWindowAndRenderer leaves nothing.
int AttachSoftwareRenderer(SDL_Window** window, SDL_Renderer** renderer) {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  *renderer = SDL_CreateRenderer(*window, -1, SDL_RENDERER_SOFTWARE);
  if (*renderer != nullptr) return kMade;
  SDL_DestroyWindow(*window);
  *window = nullptr;
  return kFailed;
}

int CreateSoftwareWindowAndRenderer(int width, int height, uint32_t windowFlags,
                                    SDL_Window** window, SDL_Renderer** renderer) {
  *renderer = nullptr;
  *window = SDL_CreateWindow(nullptr, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                             height, windowFlags);
  return *window != nullptr ? AttachSoftwareRenderer(window, renderer) : kFailed;
}

// Makes SDL's choice, reads the driver's names and, when they name a software
// rasteriser, swaps the renderer for SDL's software one on the same window.
int CreateAfterAskingDriver(VideoReport report, int width, int height, uint32_t windowFlags,
                            SDL_Window** window, SDL_Renderer** renderer) {
  if (SDL_CreateWindowAndRenderer(width, height, windowFlags, window, renderer) != kMade) {
    return kFailed;
  }
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(*renderer, &info);
  report.rendererName = info.name != nullptr ? info.name : "";
  report.glRenderer = CurrentGlRenderer();
  if (ChooseFramePath(report) != Software) return kMade;
  SDL_DestroyRenderer(*renderer);
  return AttachSoftwareRenderer(window, renderer);
}

}  // namespace

bool ShowsGpu(const std::filesystem::path& nvidiaControl,
              const std::filesystem::path& renderNodes) {
  std::error_code error;
  if (std::filesystem::exists(nvidiaControl, error)) return true;
  for (const auto& entry : std::filesystem::directory_iterator(renderNodes, error)) {
    const std::string name = entry.path().filename().string();
    if (name.compare(0, kRenderNodePrefix.size(), kRenderNodePrefix) == 0) return true;
  }
  return false;
}

bool MachineMayHaveGpu() {
#ifdef __linux__
  return ShowsGpu(kNvidiaControlDevice, kRenderNodeFolder);
#else
  return true;
#endif
}

VideoReport ReadVideoReport() {
  VideoReport report;
  report.userRenderDriver = HintValue(SDL_HINT_RENDER_DRIVER);
  report.userSetFramebuffer = !HintValue(SDL_HINT_FRAMEBUFFER_ACCELERATION).empty();
  report.onLinux = kOnLinux;
  report.inBrowser = kInBrowser;
  report.mayHaveGpu = MachineMayHaveGpu();
  return report;
}

FramePath ChooseFramePath(const VideoReport& report) {
  if (report.userSetFramebuffer) return SdlChoice;
  // The renderer asked for is the one made; only SDL's software renderer
  // without a GPU has its framebuffer kept off OpenGL as well.
  if (!report.userRenderDriver.empty()) {
    const bool software = SDL_strcasecmp(report.userRenderDriver.c_str(), kSoftwareRenderer) == 0;
    return software && !report.mayHaveGpu ? Software : SdlChoice;
  }
  // In headless Chromium SDL's WebGL renderer drew the title at half the frame rate of its
  // software renderer into a 2D canvas for twice the processor time, and only the software one
  // draws the desktop's frames to the byte. The driver cannot be asked first: a canvas that has
  // held a WebGL context takes no 2D one.
  if (report.inBrowser) return Software;
  // Elsewhere SDL's own choice, Direct3D on Windows, draws cheaply with or
  // without a GPU.
  if (!report.onLinux) return SdlChoice;
  if (!report.mayHaveGpu) return Software;
  if (report.rendererName.empty()) return AskDriver;
  return NamesSoftwareRasteriser(report.glRenderer) ? Software : SdlChoice;
}

int OpenWindowAndRenderer(int width, int height, uint32_t windowFlags, SDL_Window** window,
                          SDL_Renderer** renderer) {
  const VideoReport report = ReadVideoReport();
  switch (ChooseFramePath(report)) {
    case Software:
      return CreateSoftwareWindowAndRenderer(width, height, windowFlags, window, renderer);
    case AskDriver:
      return CreateAfterAskingDriver(report, width, height, windowFlags, window, renderer);
    case SdlChoice:
      break;
  }
  return SDL_CreateWindowAndRenderer(width, height, windowFlags, window, renderer);
}
