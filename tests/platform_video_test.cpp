// Tests of the frame path chosen from the user's SDL settings, the machine and the names drivers
// report.
#include "support/support.h"

// SDL_RENDER_DRIVER, SDL_FRAMEBUFFER_ACCELERATION set, a render node, SDL's renderer, GL_RENDERER.
TEST(FramePathTest, UserSettingsThenGpuThenDriverNames) {
  const std::pair<VideoReport, FramePath> rows[] = {
      {{"", false, false, "", ""}, Software},
      {{"", false, true, "", ""}, AskDriver},
      {{"", false, true, "opengl", "llvmpipe (LLVM 15.0.6, 256 bits)"}, Software},
      {{"", false, true, "opengles2", "softpipe"}, Software},
      {{"", false, true, "opengl", "Software Rasterizer"}, Software},
      {{"", false, true, "opengl", "Mesa DRI Intel(R) HD Graphics 620 (KBL GT2)"}, SdlChoice},
      {{"", false, true, "opengl",
        "AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49, 6.1.0)"},
       SdlChoice},
      {{"", false, true, "opengles2", "NVIDIA GeForce GTX 1060/PCIe/SSE2"}, SdlChoice},
      {{"", false, true, "software", ""}, SdlChoice},
      {{"Software", false, false, "", ""}, Software},
      {{"software", false, true, "", ""}, SdlChoice},
      {{"opengl", false, false, "", ""}, SdlChoice},
      {{"software", true, false, "", ""}, SdlChoice},
      {{"", true, false, "", ""}, SdlChoice}};
  for (const auto& [report, path] : rows)
    EXPECT_EQ(ChooseFramePath(report), path)
        << report.userRenderDriver << report.mayHaveGpu << report.glRenderer;
}

// What the user sets in the environment reaches the choice (on a machine taken to have no GPU).
TEST(FramePathTest, TheUsersSettingsReachTheChoice) {
  const struct {
    const char* renderDriver;
    const char* framebuffer;
    FramePath path;
  } rows[] = {{"", "", Software},
              {"opengl", "", SdlChoice},
              {"software", "", Software},
              {"", "1", SdlChoice},
              {"software", "0", SdlChoice}};
  for (const auto& row : rows) {
    setenv(SDL_HINT_RENDER_DRIVER, row.renderDriver, 1);
    setenv(SDL_HINT_FRAMEBUFFER_ACCELERATION, row.framebuffer, 1);
    SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);  // start-up may have set it
    VideoReport report = ReadVideoReport();
    report.mayHaveGpu = false;
    EXPECT_EQ(ChooseFramePath(report), row.path) << row.renderDriver << " " << row.framebuffer;
  }
}
