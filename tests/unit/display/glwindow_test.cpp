// GLwindow's display modes and window handling, through the platform stand-in.
#include <gtest/gtest.h>

#include "display/glwindow.h"
#include "platform/stub/stub_control.h"
#include "support/temp_dir.h"

namespace {

using namespace platform;
using stub::state;

intptr_t RecordingProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
GLwindow* current = nullptr;

intptr_t RecordingProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == msg::Create) current->OnCREATE(window, wParam, lParam);
    if (message == msg::Destroy) current->OnDESTROY(window, wParam, lParam);
    return 0;
}

class GLwindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        stub::Reset();
        state().desktop = {1280, 1024, 32, 75};
        window = std::make_unique<GLwindow>();
        current = window.get();
        ASSERT_EQ(window->Init(RecordingProc, "orbalt", "Orbalt_Icon", nullptr), 1);
    }
    void TearDown() override {
        window.reset();
        current = nullptr;
    }
    std::unique_ptr<GLwindow> window;
};

TEST_F(GLwindowTest, ConstructionRecordsTheDesktopMode) {
    EXPECT_EQ(window->desktopMode, (ScreenMode{1280, 1024, 32, 75}));
    EXPECT_EQ(window->currentMode, window->desktopMode);
    EXPECT_EQ(window->hwnd, nullptr);
    EXPECT_EQ(window->className, "GLwindow");
}

TEST_F(GLwindowTest, InitRegistersTheClass) {
    EXPECT_EQ(window->title, "orbalt");
    EXPECT_EQ(state().windowClass.style, 0x23u);
    EXPECT_EQ(std::string(state().windowClass.className), "GLwindow");
    EXPECT_EQ(window->wndProc, &RecordingProc);
}

TEST_F(GLwindowTest, SetScreenRequestsBitsOnlyWhenGiven) {
    EXPECT_EQ(window->SetScreen({800, 600, 16, 0}), 1);
    EXPECT_EQ(window->SetScreen({800, 600, 0, 60}), 1);
    ASSERT_EQ(state().displayRequests.size(), 2u);
    EXPECT_EQ(state().displayRequests[0].fields,
              display_field::PixelsWidth | display_field::PixelsHeight | display_field::BitsPerPixel);
    EXPECT_EQ(state().displayRequests[1].fields, display_field::PixelsWidth | display_field::PixelsHeight);
    // On success the mode is taken whole, refresh rate included.
    EXPECT_EQ(window->currentMode, (ScreenMode{800, 600, 0, 60}));
    EXPECT_EQ(state().restoreCount, 0);
}

TEST_F(GLwindowTest, SetScreenFailuresNameTheirCauseAndRestore) {
    struct Case {
        int result;
        const char* detail;
    } cases[] = {{display_change::Restart, "computer must be restarted"},
                 {display_change::Failed, "failed to set graphics mode"},
                 {display_change::BadMode, "graphics mode not supported"},
                 {display_change::NotUpdated, "unable to update registry"},
                 {display_change::BadFlags, "invalid set of flags"},
                 {-5, "unknown error"},
                 {7, "unknown error"}};
    int restores = 0;
    for (const Case& c : cases) {
        state().changeDisplayResult = c.result;
        EXPECT_EQ(window->SetScreen({640, 480, 16, 0}), 0);
        EXPECT_EQ(std::string(GLwindow::status.Message()),
                  std::string("GLwindow::SetScreen() error GENERIC: ") + c.detail);
        EXPECT_EQ(state().restoreCount, ++restores);
        EXPECT_EQ(window->currentMode, window->desktopMode);
    }
}

TEST_F(GLwindowTest, FullScreenRecreatesAWindowAtTheMode) {
    ASSERT_EQ(window->Windowed(640, 480), 1);
    WindowHandle first = window->hwnd;
    ASSERT_EQ(window->FullScreen({1024, 768, 16, 0}), 1);
    EXPECT_NE(window->hwnd, first);
    EXPECT_TRUE(window->fullscreen);
    EXPECT_EQ(window->currentMode, (ScreenMode{1024, 768, 16, 0}));
    ASSERT_EQ(state().createdWindows.size(), 2u);
    EXPECT_EQ(state().createdWindows[1].style, style::Popup | style::Visible | style::ClipChildren);
    EXPECT_EQ(state().liveWindows.size(), 1u);
}

TEST_F(GLwindowTest, FullScreenWithAFailedCreateKeepsTheModeForTheExit) {
    TempDir dir;
    const std::string path = dir.File("log.txt");
    window->log = std::fopen(path.c_str(), "w");
    GLwindow::status.log = window->log;
    state().createWindowSucceeds = false;
    state().lastError = {1400, "Invalid window handle."};
    EXPECT_EQ(window->FullScreen({1024, 768, 16, 0}), 0);
    std::fclose(window->log);
    window->log = GLwindow::status.log = nullptr;
    // The system's reason on a line of its own, before the message as it always was.
    EXPECT_NE(TempDir::Read(path).find("CreateWindowEx(): system error 1400: Invalid window handle. \n"
                                       "GLwindow::Create() error GENERIC: CreateWindowEx() failed \n"),
              std::string::npos)
        << TempDir::Read(path);
    EXPECT_TRUE(window->fullscreen);
    EXPECT_STREQ(
        GLwindow::status.Message(),
        "GLwindow::FullScreen() error GENERIC: GLwindow::Create() error GENERIC: CreateWindowEx() failed");
    int restoresBefore = state().restoreCount;
    window.reset();  // the destructor restores the display
    EXPECT_EQ(state().restoreCount, restoresBefore + 1);
}

// Current drivers offer no 16-bit modes: the size is asked again at the
// desktop's depth, then at 32, and the log says which depth was taken. Only
// when every depth is refused does full screen fail, naming the first refusal.
TEST_F(GLwindowTest, FullScreenWithout16BitModesTakesTheDesktopDepthThen32) {
    TempDir dir;
    const std::string path = dir.File("log.txt");
    window->log = std::fopen(path.c_str(), "w");
    state().sendCreateMessage = false;
    state().refusedDepths = {16};
    ASSERT_EQ(window->FullScreen({1024, 768, 16, 0}), 1);
    EXPECT_EQ(window->currentMode, (ScreenMode{1024, 768, 32, 0}));
    ASSERT_EQ(state().displayRequests.size(), 2u);
    EXPECT_EQ(state().displayRequests[1].bits, 32u);
    EXPECT_EQ(state().displayRequests[1].width, 1024u);
    std::fclose(window->log);
    window->log = nullptr;
    EXPECT_NE(TempDir::Read(path).find("GLwindow::FullScreen 16 bit refused, asking for 32 bit \n\n"
                                       "GLwindow::FullScreen 32 bit taken \n\n"),
              std::string::npos);

    // A 24-bit desktop: its own depth comes before 32.
    window.reset();
    stub::Reset();
    state().desktop = {1280, 1024, 24, 60};
    state().refusedDepths = {16, 24};
    window = std::make_unique<GLwindow>();
    current = window.get();
    ASSERT_EQ(window->FullScreen({800, 600, 16, 0}), 1);
    ASSERT_EQ(state().displayRequests.size(), 3u);
    EXPECT_EQ(state().displayRequests[1].bits, 24u);
    EXPECT_EQ(window->currentMode.bits, 32u);

    state().refusedDepths = {16, 24, 32};
    const int restores = state().restoreCount;
    EXPECT_EQ(window->FullScreen({800, 600, 16, 0}), 0);
    EXPECT_STREQ(GLwindow::status.Message(),
                 "GLwindow::FullScreen() error GENERIC: GLwindow::SetScreen() error GENERIC: graphics mode not "
                 "supported");
    EXPECT_GE(state().restoreCount, restores + 3);  // each refusal leaves the display restored
}

TEST_F(GLwindowTest, WindowedOverAnOrdinaryWindowOnlyResizes) {
    ASSERT_EQ(window->Windowed(640, 480), 1);
    WindowHandle first = window->hwnd;
    ASSERT_EQ(window->Windowed(800, 600), 1);
    EXPECT_EQ(window->hwnd, first);
    EXPECT_EQ(state().createdWindows.size(), 1u);
    EXPECT_EQ(state().calls.back(), "MoveWindow 0 0 808 627");
}

TEST_F(GLwindowTest, WindowedFromFullScreenRestoresAndRecreates) {
    ASSERT_EQ(window->FullScreen({1024, 768, 16, 0}), 1);
    WindowHandle first = window->hwnd;
    int restores = state().restoreCount;
    ASSERT_EQ(window->Windowed(640, 480), 1);
    EXPECT_FALSE(window->fullscreen);
    EXPECT_NE(window->hwnd, first);
    EXPECT_EQ(state().restoreCount, restores + 1);
    EXPECT_EQ(state().createdWindows.back().exStyle, 0u);
}

TEST_F(GLwindowTest, CloseWithoutAWindowDoesNothing) {
    window->Close();
    EXPECT_FALSE(window->destroying);
    ASSERT_EQ(window->Windowed(640, 480), 1);
    window->Close();
    EXPECT_TRUE(window->destroying);
    EXPECT_EQ(window->hwnd, nullptr);
}

TEST_F(GLwindowTest, SetTitleChangesALiveWindowAtOnce) {
    window->SetTitle(nullptr);
    EXPECT_EQ(window->title, "orbalt");
    EXPECT_TRUE(state().titles.empty());
    ASSERT_EQ(window->Windowed(640, 480), 1);
    window->SetTitle("orbalt 60 fps");
    ASSERT_EQ(state().titles.size(), 1u);
    EXPECT_EQ(state().titles[0], "orbalt 60 fps");
}

TEST_F(GLwindowTest, MoveAndSizeTakeUnsignedHalves) {
    window->OnMOVE(nullptr, 0, static_cast<intptr_t>(0xFFF0FFF8u));  // -8, -16 as 16-bit values
    EXPECT_EQ(window->x, 0xFFF8);
    EXPECT_EQ(window->y, 0xFFF0);
    window->OnSIZE(nullptr, 0, (480 << 16) | 640);
    EXPECT_EQ(window->width, 640);
    EXPECT_EQ(window->height, 480);
}

TEST_F(GLwindowTest, ActivationNeedsActiveAndNotMinimised) {
    WindowHandle w = reinterpret_cast<WindowHandle>(0x42);
    window->OnACTIVATE(w, 1, 0);  // WA_ACTIVE
    EXPECT_TRUE(window->active);
    window->OnACTIVATE(w, 2, 0);  // WA_CLICKACTIVE
    EXPECT_TRUE(window->active);
    window->OnACTIVATE(w, (1u << 16) | 1u, 0);  // active but minimised
    EXPECT_FALSE(window->active);
    window->OnACTIVATE(w, 1, 0);
    window->OnACTIVATE(w, 0, 0);  // WA_INACTIVE
    EXPECT_FALSE(window->active);
}

TEST_F(GLwindowTest, DeactivatingFullScreenMinimisesAndRestores) {
    ASSERT_EQ(window->FullScreen({1024, 768, 16, 0}), 1);
    int restores = state().restoreCount;
    window->active = true;
    window->OnACTIVATEAPP(window->hwnd, 0, 0);
    EXPECT_FALSE(window->active);
    EXPECT_EQ(state().restoreCount, restores + 1);
    EXPECT_EQ(state().calls[state().calls.size() - 2], "ShowWindow(minimize)");
    ASSERT_GE(state().styleChanges.size(), 2u);
    EXPECT_EQ(state().styleChanges[state().styleChanges.size() - 1], style::Visible | style::ClipChildren);

    size_t requests = state().displayRequests.size();
    window->OnACTIVATEAPP(window->hwnd, 1, 0);
    EXPECT_TRUE(window->active);
    EXPECT_EQ(state().displayRequests.size(), requests + 1);
    EXPECT_EQ(state().displayRequests.back().width, 1024u);
    EXPECT_EQ(state().styleChanges[state().styleChanges.size() - 2], style::ExTopmost);
}

TEST_F(GLwindowTest, DeactivatingADyingFullScreenWindowDoesNotRestyleIt) {
    ASSERT_EQ(window->FullScreen({1024, 768, 16, 0}), 1);
    window->destroying = true;
    window->OnACTIVATEAPP(window->hwnd, 0, 0);
    EXPECT_TRUE(state().styleChanges.empty());
    EXPECT_EQ(state().calls.back(), "RestoreDisplay");
}

TEST_F(GLwindowTest, ActivationOfAnOrdinaryWindowLeavesTheDisplayAlone) {
    ASSERT_EQ(window->Windowed(640, 480), 1);
    window->OnACTIVATEAPP(window->hwnd, 0, 0);
    window->OnACTIVATEAPP(window->hwnd, 1, 0);
    EXPECT_TRUE(state().displayRequests.empty());
    EXPECT_EQ(state().restoreCount, 0);
}

TEST_F(GLwindowTest, LogLinesForModeChanges) {
    TempDir dir;
    std::string path = dir.File("log.txt");
    window->log = std::fopen(path.c_str(), "w");
    ASSERT_NE(window->log, nullptr);
    state().sendCreateMessage = false;  // the creation's pixel-format lines are the GL side's
    window->FullScreen({1024, 768, 16, 0});
    window->Windowed(640, 480);
    std::fclose(window->log);
    window->log = nullptr;
    EXPECT_EQ(TempDir::Read(path),
              "GLwindow::FullScreen 1024 x 768, 16 bit @ 0 Hz \n\nGLwindow::Windowed 640 x 480 \n\n");
}

}  // namespace
