// Start-up with a real GL context behind the stand-in's window: the log's
// pixel-format and GL lines, the console's texture and extension lines, and
// the sky colour of the first frame.
#include <gtest/gtest.h>

#include "gl_context_fixture.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_gl_context_control.h"
#include "shell/program.h"
#include "shell/program_objects.h"
#include "support/temp_dir.h"
#include "tunnel/standard_tunnel.h"

namespace {

using platform::stub::glState;
using platform::stub::state;

class StartUpWithGL : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        ResetProgramObjects();
        platform::stub::Reset();
        // The size message Windows sends while the window is created.
        glWindow.width = kWidth;
        glWindow.height = kHeight;
        state().commandLine = "\"" + dir.File("orbalt.exe") + "\"";
        dir.Write("orbalt_config.txt", "FullScreen NO\n");
        dir.Write("test.sct", TempDir::Read(std::string(ORBALT_SOURCE_DIR) + "/data/test.sct"));
        platform::PixelFormat single;
        single.dwFlags = platform::pfd::DrawToWindow | platform::pfd::SupportOpenGL;
        single.cColorBits = 32;
        platform::PixelFormat twin = single;
        twin.dwFlags |= platform::pfd::DoubleBuffer;
        twin.cDepthBits = 16;
        glState().formats = {single, twin};
        glState().chosenFormat = 2;
        // A paint request, then Escape: no frame carries a ring on between
        // them, so this program's start-up build is made whole at once.
        state().messages.push_back({window, platform::msg::Paint, 0, 0});
        state().messages.push_back({window, platform::msg::Char, 27, 0});
        tunnelBuilder.buildBudget = 0.0;
    }

    void TearDown() override {
        ResetProgramObjects();  // while the test's context is current
        GLTest::TearDown();
    }

    std::string Log() const { return TempDir::Read(dir.File("orbalt_log.txt")); }

    void* const window = reinterpret_cast<void*>(0x1010);
    TempDir dir;
};

TEST_F(StartUpWithGL, LogHoldsPixelFormatsAndGLStrings) {
    dir.Write("texture.bmp", TempDir::Read(std::string(ORBALT_SOURCE_DIR) + "/data/texture.bmp"));
    EXPECT_EQ(RunProgram(""), 0);
    std::string log = Log();
    EXPECT_NE(log.find("[Pixel Format Enumeration]\n"
                       "ID  1: flags: WINDOW OPENGL  \n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Current pixel format: \nID  2: flags: WINDOW OPENGL DOUBLEBUFFER  \n"), std::string::npos)
        << log;
    EXPECT_NE(log.find("GL_VENDOR:     Mesa/X.org \n"), std::string::npos) << log;
    EXPECT_NE(log.find("GL_RENDERER:   llvmpipe"), std::string::npos) << log;
    EXPECT_NE(log.find("GL_VERSION:    "), std::string::npos) << log;
    size_t extensions = log.find("GL_EXTENSIONS: ");
    ASSERT_NE(extensions, std::string::npos);
    EXPECT_NE(log.find(" GL_EXT_compiled_vertex_array ", extensions), std::string::npos);
    EXPECT_NE(log.find(" \n\n", extensions), std::string::npos);
    EXPECT_EQ(glState().setFormat, 2);
    EXPECT_EQ(glState().lastRequest.cColorBits, 32);  // the desktop's depth in a window
}

TEST_F(StartUpWithGL, ConsoleShowsTextureAndExtensionsAndThePaintedFrameShowsTheTunnel) {
    dir.Write("texture.bmp", TempDir::Read(std::string(ORBALT_SOURCE_DIR) + "/data/texture.bmp"));
    EXPECT_EQ(RunProgram(""), 0);
    const std::string& console = state().consoleText;
    EXPECT_NE(console.find("WGL_EXT_swap_control not supported \n"), std::string::npos) << console;
    // Mesa offers compiled vertex arrays, but the stand-in's look-up knows no entry points.
    EXPECT_NE(console.find("wglGetProcAddress() failure \n"), std::string::npos) << console;
    EXPECT_NE(console.find("InitTexture(" + dir.File("texture.bmp") + ") \n"), std::string::npos) << console;
    EXPECT_NE(textureName, 0u);
    EXPECT_TRUE(glIsTexture(textureName));

    EXPECT_EQ(glState().swapCount, 1);  // the paint request
    // The start-up trail, stage by stage to the painted frame, with no GL error.
    const std::string log = Log();
    size_t at = 0;
    for (const char* stage :
         {"start-up: window, pixel format and rendering context made \n\n",
          "start-up: extensions looked up, no array lock \n\n", "start-up: texture uploaded \n\n",
          "start-up: tunnel built \n\n", "start-up: first frame drawn \n\n"}) {
        at = log.find(stage, at);
        EXPECT_NE(at, std::string::npos) << stage << log;
    }
    EXPECT_EQ(log.find("GL error"), std::string::npos) << log;
    // The near wall fills the corners; down the tunnel it fades into the sky-coloured fog.
    const std::vector<uint8_t> sky{128, 178, 255, 255};
    EXPECT_NE(Pixel(0, 0), sky);
    EXPECT_NE(Pixel(kWidth - 1, kHeight - 1), sky);
    const std::vector<uint8_t> centre = Pixel(kWidth / 2, kHeight / 2);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(centre[c], sky[c], 8) << c;
    EXPECT_EQ(camera.aspect, 640.0f / 480.0f);
    EXPECT_EQ(glState().liveContexts, 0);  // released when the window went
    EXPECT_EQ(glState().liveDeviceContexts, 0);
}

TEST_F(StartUpWithGL, MissingTextureIsReportedAndTheProgramRuns) {
    EXPECT_EQ(RunProgram(""), 0);
    EXPECT_NE(state().consoleText.find("InitTexture(" + dir.File("texture.bmp") + ") : Image::Load() error\n"),
              std::string::npos);
    EXPECT_EQ(textureName, 0u);
    EXPECT_EQ(glState().swapCount, 1);
    EXPECT_EQ(state().shownMessages.size(), 1u);  // the About box only
}

TEST_F(StartUpWithGL, SizeMessageSetsViewportAndAspect) {
    state().messages.push_front({window, platform::msg::Size, 0, 800 | (600 << 16)});
    EXPECT_EQ(RunProgram(""), 0);
    EXPECT_EQ(glWindow.width, 800);
    EXPECT_EQ(camera.aspect, 1.3333334f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
}

}  // namespace
