// GLwindow's GL side through the stand-in: pixel formats, the context, the
// palette, their release, and the chained failure messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "display/glwindow.h"
#include "display/pixel_format.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_gl_context_control.h"
#include "support/temp_dir.h"

namespace {

using namespace platform;
using stub::glState;

const auto kWindow = reinterpret_cast<WindowHandle>(0x1010);
const uintptr_t kOtherWindow = 0x2020;

PixelFormat Format(uint32_t flags, uint8_t colorBits) {
    PixelFormat format;
    format.dwFlags = flags;
    format.cColorBits = colorBits;
    return format;
}

// An 8-bit palette format with 3 red, 3 green and 2 blue bits.
PixelFormat PaletteFormat() {
    PixelFormat format = Format(pfd::DrawToWindow | pfd::SupportOpenGL | pfd::NeedPalette, 8);
    format.cRedBits = 3;
    format.cGreenBits = 3;
    format.cGreenShift = 3;
    format.cBlueBits = 2;
    format.cBlueShift = 6;
    return format;
}

class GLwindowGL : public ::testing::Test {
protected:
    void SetUp() override {
        stub::Reset();
        window = std::make_unique<GLwindow>();
        glState().formats = {Format(0x24, 32), Format(0x25, 24)};
        glState().chosenFormat = 2;
    }
    void OpenLog() {
        window->log = std::fopen(dir.File("log.txt").c_str(), "w");
        ASSERT_NE(window->log, nullptr);
    }
    std::string CloseLog() {
        std::fclose(window->log);
        window->log = nullptr;
        return TempDir::Read(dir.File("log.txt"));
    }
    bool Called(const std::string& call) const {
        const auto& calls = glState().calls;
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    TempDir dir;
    std::unique_ptr<GLwindow> window;
};

TEST_F(GLwindowGL, CreationSetsTheChosenFormatAndMakesTheContextCurrent) {
    window->currentMode.bits = 0x118;  // only its low 8 bits go into the request
    EXPECT_EQ(window->OnCREATE(kWindow, 0, 0), 1);
    EXPECT_EQ(glState().calls, (std::vector<std::string>{"GetDC", "ChoosePixelFormat", "SetPixelFormat 2",
                                                         "CreateRenderContext", "MakeCurrent"}));
    EXPECT_EQ(glState().lastRequest.cColorBits, 0x18);
    EXPECT_EQ(glState().lastRequest.dwFlags, 0x25u);
    EXPECT_EQ(glState().lastRequest.cDepthBits, 16);
    EXPECT_EQ(window->hwnd, kWindow);
    EXPECT_EQ(window->hdc, glState().deviceContext);
    EXPECT_NE(window->hglrc, nullptr);
    EXPECT_EQ(window->hpalette, nullptr);  // the format needs none
    EXPECT_EQ(window->pfd.cColorBits, 0);  // described only for a log
}

TEST_F(GLwindowGL, LogHoldsEveryFormatTheChosenOneAndTheGLStrings) {
    OpenLog();
    EXPECT_EQ(window->OnCREATE(kWindow, 0, 0), 1);
    std::string log = CloseLog();
    std::string formats = "[Pixel Format Enumeration]\n" + PixelFormatText(&glState().formats[0], 1) +
                          PixelFormatText(&glState().formats[1], 2) + "\n";
    std::string chosen = "Current pixel format: \n" + PixelFormatText(&glState().formats[1], 2) + "\n";
    // No real context behind the stand-in: the GL strings are empty.
    std::string strings = "GL_VENDOR:      \nGL_RENDERER:    \nGL_VERSION:     \nGL_EXTENSIONS:  \n\n";
    EXPECT_EQ(log, formats + chosen + strings);
    EXPECT_EQ(window->pfd.cColorBits, 24);
}

TEST_F(GLwindowGL, WithoutALogFormatsAreStillWalked) {
    EXPECT_EQ(window->EnumPixelFormats(window->hdc), 3);
    glState().formats.clear();
    EXPECT_EQ(window->EnumPixelFormats(window->hdc), 1);
}

TEST_F(GLwindowGL, AGivenRequestReplacesTheStandardOne) {
    PixelFormat request = Format(pfd::DrawToWindow | pfd::SupportOpenGL, 8);
    request.cStencilBits = 8;
    window->pfdRequest = &request;
    EXPECT_EQ(window->OnCREATE(kWindow, 0, 0), 1);
    EXPECT_EQ(glState().lastRequest.cStencilBits, 8);
    EXPECT_EQ(glState().lastRequest.dwFlags, request.dwFlags);
}

TEST_F(GLwindowGL, FailuresAreChainedAndTheDestructionReleasesWhatWasMade) {
    struct Case {
        void (*script)();
        const char* message;
        int contexts;  // left for the destruction to release
    } cases[] = {
        {[] { glState().chosenFormat = 0; },
         "GLwindow::OnCREATE() error GENERIC: GLwindow::Set_PixelFormat() error GENERIC: ChoosePixelFormat() "
         "failed",
         0},
        {[] { glState().setFormatSucceeds = false; },
         "GLwindow::OnCREATE() error GENERIC: GLwindow::Set_PixelFormat() error GENERIC: SetPixelFormat() failed",
         0},
        {[] { glState().createContextSucceeds = false; },
         "GLwindow::OnCREATE() error GENERIC: wglCreateContext() failure", 0},
        {[] { glState().makeCurrentSucceeds = false; },
         "GLwindow::OnCREATE() error GENERIC: wglMakeCurrent() failure", 1},
    };
    for (const Case& c : cases) {
        SetUp();
        c.script();
        EXPECT_EQ(window->OnCREATE(kWindow, 0, 0), 0) << c.message;
        EXPECT_EQ(std::string(GLwindow::status.Message()), c.message);
        EXPECT_EQ(glState().liveDeviceContexts, 1) << c.message;
        EXPECT_EQ(glState().liveContexts, c.contexts) << c.message;
        window->OnDESTROY(kWindow, 0, 0);
        EXPECT_EQ(glState().liveDeviceContexts, 0) << c.message;
        EXPECT_EQ(glState().liveContexts, 0) << c.message;
        EXPECT_EQ(window->hdc, nullptr);
        EXPECT_EQ(window->hglrc, nullptr);
        EXPECT_EQ(window->hwnd, nullptr);
    }
}

TEST_F(GLwindowGL, PaletteFormatGetsARealisedPaletteReleasedLast) {
    glState().formats[1] = PaletteFormat();
    EXPECT_EQ(window->OnCREATE(kWindow, 0, 0), 1);
    EXPECT_TRUE(Called("CreatePalette 256"));
    EXPECT_TRUE(Called("SelectPalette"));
    EXPECT_TRUE(Called("RealizePalette"));
    ASSERT_EQ(glState().paletteEntries.size(), 256u);
    EXPECT_EQ(glState().paletteEntries[3].red, 109);
    EXPECT_EQ(glState().paletteEntries[128].blue, 170);
    ASSERT_NE(window->hpalette, nullptr);

    glState().calls.clear();
    window->OnDESTROY(kWindow, 0, 0);
    EXPECT_EQ(glState().calls, (std::vector<std::string>{"MakeCurrent(none)", "DeleteRenderContext",
                                                         "DeletePalette", "ReleaseDC"}));
    EXPECT_EQ(glState().livePalettes, 0);
    EXPECT_EQ(window->hpalette, nullptr);
}

TEST_F(GLwindowGL, PaletteThatCannotBeMadeDoesNotStopCreation) {
    glState().formats[1] = PaletteFormat();
    glState().createPaletteSucceeds = false;
    EXPECT_EQ(window->OnCREATE(kWindow, 0, 0), 1);
    EXPECT_EQ(window->hpalette, nullptr);
    EXPECT_FALSE(Called("SelectPalette"));
}

TEST_F(GLwindowGL, PaletteMessagesReselectOnlyWhenTheyShould) {
    glState().formats[1] = PaletteFormat();
    // Before the context exists: nothing.
    EXPECT_EQ(window->OnQUERYNEWPALETTE(), 1);
    EXPECT_EQ(window->OnPALETTECHANGED(kOtherWindow), 1);
    EXPECT_TRUE(glState().calls.empty());

    ASSERT_EQ(window->OnCREATE(kWindow, 0, 0), 1);
    glState().calls.clear();
    EXPECT_EQ(window->OnPALETTECHANGED(reinterpret_cast<uintptr_t>(kWindow)), 1);  // our own change
    EXPECT_TRUE(glState().calls.empty());

    EXPECT_EQ(window->OnPALETTECHANGED(kOtherWindow), 1);
    EXPECT_EQ(glState().calls, (std::vector<std::string>{"UnrealizePalette", "SelectPalette", "RealizePalette",
                                                         "InvalidateWindow"}));
    glState().calls.clear();
    EXPECT_EQ(window->OnQUERYNEWPALETTE(), 1);
    EXPECT_EQ(glState().calls, (std::vector<std::string>{"UnrealizePalette", "SelectPalette", "RealizePalette"}));
}

TEST_F(GLwindowGL, WithoutAPaletteThePaletteMessagesDoNothing) {
    ASSERT_EQ(window->OnCREATE(kWindow, 0, 0), 1);
    glState().calls.clear();
    window->OnQUERYNEWPALETTE();
    window->OnPALETTECHANGED(kOtherWindow);
    EXPECT_TRUE(glState().calls.empty());
}

TEST_F(GLwindowGL, HasExtensionWithoutAContextIsFalse) { EXPECT_FALSE(GLwindow::HasExtension("GL_EXT_bgra")); }

}  // namespace
