// Tests of the frame path chosen from the user's SDL settings, the machine and the names drivers
// report.
#include "support/support.h"

// SDL_RENDER_DRIVER, SDL_FRAMEBUFFER_ACCELERATION set, a GPU, SDL's renderer, GL_RENDERER, Linux,
// a browser.
TEST(FramePathTest, UserSettingsThenGpuThenDriverNames) {
  const std::pair<VideoReport, FramePath> rows[] = {
      {{"", false, false, "", ""}, Software},
      {{"", false, true, "", ""}, AskDriver},
      {{"", false, true, "opengl", "llvmpipe (LLVM 15)"}, Software},
      {{"", false, true, "opengles2", "softpipe"}, Software},
      {{"", false, true, "opengl", "Software Rasterizer"}, Software},
      {{"", false, true, "opengl", "Mesa Intel(R) HD Graphics 620"}, SdlChoice},
      {{"", false, true, "software", ""}, SdlChoice},
      {{"Software", false, false, "", ""}, Software},
      {{"software", false, true, "", ""}, SdlChoice},
      {{"opengl", false, false, "", ""}, SdlChoice},
      {{"software", true, false, "", ""}, SdlChoice},
      {{"", true, false, "", ""}, SdlChoice},
      {{"", false, false, "", "", false}, SdlChoice},
      {{"", false, true, "", "", false, true}, Software},
      {{"opengles2", false, true, "", "", false, true}, SdlChoice}};
  for (const auto& row : rows) EXPECT_EQ(ChooseFramePath(row.first), row.second) << &row - rows;
}

// What the user sets in the environment and what the machine shows reach the choice (here on a
// machine taken to have no GPU).
TEST(FramePathTest, TheUsersSettingsReachTheChoice) {
  const std::tuple<const char*, const char*, FramePath> rows[] = {
      {"opengl", "", SdlChoice}, {"software", "", Software}, {"software", "0", SdlChoice}};
  for (const auto& [driver, framebuffer, path] : rows) {
    setenv(SDL_HINT_RENDER_DRIVER, driver, 1);
    setenv(SDL_HINT_FRAMEBUFFER_ACCELERATION, framebuffer, 1);
    // Start-up may have set it.
    SDL_ResetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    VideoReport report = ReadVideoReport();
    EXPECT_EQ(std::pair(report.mayHaveGpu, report.onLinux), std::pair(MachineMayHaveGpu(), true));
    report.mayHaveGpu = false;
    EXPECT_EQ(ChooseFramePath(report), path) << driver << " " << framebuffer;
  }
}

// A GPU shows as NVIDIA's control device, or as a render node among the devices listed.
TEST(FramePathTest, AGpuShowsAsItsDeviceOrARenderNode) {
  const std::string nodes = testing::TempDir() + "dri";
  std::filesystem::create_directories(nodes + "/renderD128");
  EXPECT_EQ(
      std::tuple(ShowsGpu("/dev/null", "/none"), ShowsGpu("/none", nodes), ShowsGpu("/none", "/")),
      std::tuple(true, true, false));
}
