// Tests of the frame path chosen from the user's SDL settings, the machine and the names drivers
// report.
#include "support/support.h"

// SDL_RENDER_DRIVER, SDL_FRAMEBUFFER_ACCELERATION set, a GPU, SDL's renderer, GL_RENDERER, Linux,
// a browser.
TEST(FramePathTest, UserSettingsThenGpuThenDriverNames) {
  const struct {
    VideoReport report;
    FramePath path;
  } rows[] = {{{"", false, false, "", ""}, Software},
              {{"", false, true, "", ""}, AskDriver},
              {{"", false, true, "opengl", "llvmpipe (LLVM 15)"}, Software},
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
  for (const auto& row : rows)
    EXPECT_EQ(ChooseFramePath(row.report), row.path) << "row " << &row - rows;
}

// A GPU shows as NVIDIA's control device, or as a render node among the devices listed.
TEST(FramePathTest, AGpuShowsAsItsDeviceOrARenderNode) {
  const std::string nodes = testing::TempDir() + "dri";
  std::filesystem::create_directories(nodes + "/renderD128");
  EXPECT_TRUE(ShowsGpu("/dev/null", "/none")) << "NVIDIA's control device shows no GPU";
  EXPECT_TRUE(ShowsGpu("/none", nodes)) << "a render node shows no GPU";
  EXPECT_FALSE(ShowsGpu("/none", "/")) << "a GPU shows without a device or render node";
}
