// The whole saver, start to end, against the platform stand-in: the windows it
// makes over the monitors or in a preview, the input that ends it, its
// settings dialog and its pacing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_desktop_control.h"
#include "platform/stub/stub_gl_context_control.h"
#include "platform/stub/stub_input_control.h"
#include "platform/stub/stub_ui_control.h"
#include "platform/ui.h"
#include "saver/saver_command_line.h"
#include "saver/saver_objects.h"
#include "saver/saver_program.h"
#include "saver/settings_dialog.h"
#include "support/temp_dir.h"

namespace {

using platform::stub::desktop;
using platform::stub::state;
namespace msg = platform::msg;

class Saver : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSaverObjects();
        platform::stub::Reset();
        platform::stub::ResetInput();
        platform::stub::ResetUi();
        state().commandLine = "\"" + dir.File("orbalt.scr") + "\" /s";
        dir.Write("test.sct", TempDir::Read(std::string(ORBALT_DATA_DIR) + "/test.sct"));
        desktop().userDataFolder = dir.path();
        std::filesystem::create_directory(dir.File("orbalt"));
    }
    void TearDown() override { ResetSaverObjects(); }

    // Input that arrives after the given frame of the first view.
    static void After(int swap, uint32_t message, uintptr_t wParam = 0) {
        state().messagesAfterSwap[swap].push_back({FirstWindow(), message, wParam, 0});
    }
    static platform::WindowHandle FirstWindow() { return reinterpret_cast<platform::WindowHandle>(0x1010); }
    std::string Log() const { return TempDir::Read(dir.File("orbalt/orbalt_scr_log.txt")); }

    TempDir dir;
};

TEST_F(Saver, AnUnknownCommandLineShowsWhatItAcceptsAndExitsWith2) {
    EXPECT_EQ(RunSaver("/x"), 2);
    ASSERT_EQ(state().shownMessages.size(), 1u);
    EXPECT_EQ(state().shownMessages[0].text, kSaverUsage);
    EXPECT_TRUE(state().createdWindows.empty());
}

// One portrait monitor and one left of the primary: each gets a borderless
// topmost window of its own, with a view of its own aspect, and nothing
// changes the display mode.
TEST_F(Saver, EachMonitorGetsItsOwnWindowAndAspect) {
    desktop().monitors = {{{0, 0, 1080, 1920}, true}, {{-960, 0, 0, 1080}, false}, {{1080, 0, 2104, 768}, false}};
    After(4, msg::KeyDown, 'A');
    EXPECT_EQ(RunSaver("/s"), 0);
    ASSERT_EQ(state().createdWindows.size(), 3u);
    ASSERT_EQ(views.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const platform::Rect& area = desktop().monitors[i].area;
        const auto& window = state().createdWindows[i];
        EXPECT_EQ(window.x, area.left);
        EXPECT_EQ(window.y, area.top);
        EXPECT_EQ(window.width, area.right - area.left);
        EXPECT_EQ(window.height, area.bottom - area.top);
        EXPECT_EQ(window.exStyle, platform::style::ExTopmost);
        EXPECT_EQ(window.style & platform::style::Popup, platform::style::Popup);
        EXPECT_FLOAT_EQ(views[i]->camera.aspect,
                        static_cast<float>(area.right - area.left) / static_cast<float>(area.bottom - area.top));
    }
    EXPECT_LT(views[0]->camera.aspect, 1.0f);  // the portrait monitor's view is portrait
    EXPECT_TRUE(state().displayRequests.empty());
    EXPECT_TRUE(state().liveWindows.empty());  // every window closed at the end
    // Hidden while flying, shown again at the end.
    const auto& calls = state().calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "ShowPointer(hide)"), calls.end());
    EXPECT_TRUE(platform::stub::input().pointerShown);
    const std::string log = Log();
    EXPECT_NE(log.find("monitor -960, 0, 960 x 1080"), std::string::npos) << log;
    EXPECT_NE(log.find("monitor 0, 0, 1080 x 1920, primary"), std::string::npos) << log;
}

TEST_F(Saver, TheFlightGoesOnUntilAKeyAndTheCameraFliesForward) {
    // The ring is built over as many frames as this machine needs; the key
    // comes after 20 frames of flight, whenever the flight began.
    constexpr int kFlownFrames = 20;
    int flown = 0, keyAtSwap = 0;
    auto& actions = platform::stub::glState().actionsAfterSwap;
    constexpr int kGiveUp = 5000;  // a view that never flies still ends, and fails below
    After(kGiveUp, msg::KeyDown, 'A');
    for (int swap = 1; swap < kGiveUp; ++swap)
        actions[swap] = [&, swap] {
            if (views.empty() || !views[0]->flying || keyAtSwap != 0) return;
            if (++flown < kFlownFrames) return;
            keyAtSwap = swap;
            state().messages.push_back({FirstWindow(), msg::KeyDown, 'A', 0});
        };
    EXPECT_EQ(RunSaver("/s"), 0);
    ASSERT_NE(keyAtSwap, 0) << "the view never flew";
    EXPECT_EQ(platform::stub::glState().swapCount, keyAtSwap);  // the key ended it at once
    ASSERT_EQ(views.size(), 1u);
    EXPECT_TRUE(views[0]->flying);
    EXPECT_GT(views[0]->camera.direction.z, 0.0f);
}

TEST_F(Saver, JitterLeavesItRunningAndAMoveEndsIt) {
    const int32_t slack = ExitWatch::kPointerSlack;
    desktop().pointer = {500, 400};
    auto movePointerTo = [](int32_t x, int32_t y) {
        return [x, y] {
            desktop().pointer = {x, y};
            state().messages.push_back({FirstWindow(), msg::MouseMove, 0, 0});
        };
    };
    auto& actions = platform::stub::glState().actionsAfterSwap;
    actions[2] = movePointerTo(502, 398);  // two 2-pixel nudges
    actions[3] = movePointerTo(500 + slack, 400 - slack);
    After(4, msg::LeftButtonUp);  // a button let go is no reason to end
    actions[5] = movePointerTo(501 + slack, 400);
    EXPECT_EQ(RunSaver("/s"), 0);
    EXPECT_EQ(platform::stub::glState().swapCount, 5);
    EXPECT_TRUE(state().liveWindows.empty());
}

// Folders named outside any ANSI code page: the section file beside the
// saver and the settings and log in the user's folder are found under their
// UTF-8 names. A file that cannot be opened leaves the system's reason in the log.
TEST_F(Saver, FoldersOfAnyCharactersHoldItsFilesAndAFailedOpenIsLogged) {
    const std::string folder = dir.File("Демо папка") + "/";
    std::filesystem::create_directory(folder);
    dir.Write("Демо папка/test.sct", TempDir::Read(dir.File("test.sct")));
    state().commandLine = "\"" + folder + "orbalt.scr\" /s";
    desktop().userDataFolder = dir.File("ユーザー");
    std::filesystem::create_directories(dir.File("ユーザー/orbalt"));
    dir.Write("ユーザー/orbalt/orbalt_scr.txt", "Sections 128\n");
    state().lastError = {2, "The system cannot find the file specified."};
    const std::string reason = "): system error 2: The system cannot find the file specified. \n";
    After(2, msg::KeyDown, 'A');
    EXPECT_EQ(RunSaver("/s"), 0);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(views[0]->mesh.nSegments, 128u);
    std::string log = TempDir::Read(dir.File("ユーザー/orbalt/orbalt_scr_log.txt"));
    EXPECT_NE(log.find("fopen(" + folder + "texture.bmp" + reason), std::string::npos) << log;
    EXPECT_EQ(log.find("fopen(" + folder + "test.sct"), std::string::npos) << log;

    ResetSaverObjects();
    std::filesystem::remove(folder + "test.sct");
    EXPECT_EQ(RunSaver("/s"), 0);
    log = TempDir::Read(dir.File("ユーザー/orbalt/orbalt_scr_log.txt"));
    EXPECT_NE(log.find("fopen(" + folder + "test.sct" + reason), std::string::npos) << log;
    EXPECT_NE(log.find("the tunnel could not be built from " + folder + "test.sct \n"), std::string::npos) << log;
}

TEST_F(Saver, NoMonitorAtAllEndsAtOnce) {
    desktop().monitors.clear();
    EXPECT_EQ(RunSaver("/s"), 0);
    EXPECT_TRUE(state().createdWindows.empty());
    EXPECT_NE(Log().find("no monitor to cover"), std::string::npos) << Log();
}

TEST_F(Saver, ASecondSaverExitsAtOnce) {
    desktop().otherInstanceRuns = true;
    EXPECT_EQ(RunSaver("/S"), 0);
    EXPECT_TRUE(state().createdWindows.empty());
    EXPECT_EQ(desktop().claimedInstances.size(), 1u);
}

TEST_F(Saver, ThePrimaryMonitorOnlyWhenTheSettingsSaySo) {
    dir.Write("orbalt/orbalt_scr.txt", "Monitors PRIMARY\nSpeed 7\n");
    desktop().monitors = {{{-1280, 0, 0, 1024}, false}, {{0, 0, 1920, 1080}, true}};
    After(2, msg::KeyDown, 'A');
    EXPECT_EQ(RunSaver("/s"), 0);
    ASSERT_EQ(state().createdWindows.size(), 1u);
    EXPECT_EQ(state().createdWindows[0].width, 1920);
    EXPECT_EQ(saverSettings.speed, SaverSettings::kFastest);
    EXPECT_NE(Log().find("settings: Speed 7: using 0.4"), std::string::npos) << Log();
}

TEST_F(Saver, ThePreviewFillsItsParentFollowsItsSizeAndEndsWhenItGoes) {
    const auto parent = reinterpret_cast<platform::WindowHandle>(uintptr_t{28672});
    platform::stub::input().clientRect = {0, 0, 152, 112};
    auto& actions = platform::stub::glState().actionsAfterSwap;
    actions[2] = [] { platform::stub::input().clientRect = {0, 0, 300, 200}; };
    actions[6] = [parent] { desktop().goneWindows.push_back(parent); };
    EXPECT_EQ(RunSaver("/p 28672"), 0);
    ASSERT_EQ(desktop().children.size(), 1u);
    const auto& child = desktop().children[0];
    EXPECT_EQ(child.parent, parent);
    EXPECT_EQ(child.width, 152);
    EXPECT_EQ(child.height, 112);
    EXPECT_EQ(platform::stub::glState().swapCount, 6);
    EXPECT_NE(std::find(state().calls.begin(), state().calls.end(), "MoveWindow 0 0 300 200"),
              state().calls.end());
    EXPECT_TRUE(state().liveWindows.empty());
    EXPECT_TRUE(platform::stub::input().pointerShown) << "a preview leaves the pointer alone";
    EXPECT_TRUE(desktop().claimedInstances.empty());
}

TEST_F(Saver, InputDoesNotEndAPreview) {
    const auto parent = reinterpret_cast<platform::WindowHandle>(uintptr_t{28672});
    After(2, msg::KeyDown, 'A');
    After(3, msg::LeftButtonDown);
    platform::stub::glState().actionsAfterSwap[4] = [parent] { desktop().goneWindows.push_back(parent); };
    EXPECT_EQ(RunSaver("/p:28672"), 0);
    EXPECT_EQ(platform::stub::glState().swapCount, 4);
}

void ChooseWireframeFewerSectionsAndOk(platform::WindowHandle dialog, platform::DialogProc proc) {
    namespace id = saver_dialog_id;
    for (int mode = 0; mode < kRenderModeCount; ++mode)
        platform::stub::ui().itemChecks[id::kFirstMode + mode] = false;
    platform::stub::ui().itemChecks[id::kFirstMode + 2] = true;
    platform::stub::ui().itemChecks[id::kPrimaryOnly] = true;
    platform::stub::ui().itemTexts[id::kSections] = "128";
    platform::stub::ui().itemTexts[id::kFrameRateCap] = "1000";
    proc(dialog, msg::Command, platform::kIdOk, 0);
}

TEST_F(Saver, TheDialogShowsTheFileAndOkSavesWhatTheNextRunUses) {
    dir.Write("orbalt/orbalt_scr.txt", "Speed 0.25\nFog NO\n");
    dir.Write("orbalt/orbalt_scr_log.txt", "a saver's run\n");
    platform::stub::ui().userActions = ChooseWireframeFewerSectionsAndOk;
    EXPECT_EQ(RunSaver("/c:4242"), 0);
    // The settings add to the log of a saver that may still run; the saver starts it afresh.
    EXPECT_EQ(Log().rfind("a saver's run\n", 0), 0u) << Log();
    EXPECT_NE(Log().find("settings saved to "), std::string::npos) << Log();
    // What the dialog showed first: the file's values.
    EXPECT_EQ(platform::stub::ui().itemTexts[saver_dialog_id::kSpeed], "0.25");
    EXPECT_FALSE(platform::stub::ui().itemChecks[saver_dialog_id::kFog]);
    const std::string saved = TempDir::Read(dir.File("orbalt/orbalt_scr.txt"));
    EXPECT_NE(saved.find("RenderMode WIREFRAME\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Sections 128\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("FrameRateCap 240\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Speed 0.25\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Fog NO\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Monitors PRIMARY\n"), std::string::npos) << saved;

    ResetSaverObjects();
    After(2, msg::KeyDown, 'A');
    EXPECT_EQ(RunSaver("/s"), 0);
    EXPECT_EQ(Log().find("a saver's run"), std::string::npos);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_EQ(views[0]->mesh.renderMode, RenderMode::Wireframe);
    EXPECT_EQ(views[0]->mesh.nSegments, 128u);
}

TEST_F(Saver, CancelSavesNothing) {
    platform::stub::ui().userActions = [](platform::WindowHandle dialog, platform::DialogProc proc) {
        platform::stub::ui().itemTexts[saver_dialog_id::kSections] = "512";
        proc(dialog, msg::Command, platform::kIdCancel, 0);
    };
    EXPECT_EQ(RunSaver(""), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("orbalt/orbalt_scr.txt")));
}

TEST_F(Saver, TheFrameRateCapWaitsOutTheRestOfEachFrame) {
    dir.Write("orbalt/orbalt_scr.txt", "FrameRateCap 50\n");
    After(5, msg::KeyDown, 'A');
    EXPECT_EQ(RunSaver("/s"), 0);
    // The stand-in's counter stands still, so each frame takes no time.
    EXPECT_EQ(desktop().waits, (std::vector<uint32_t>(5, 20)));
}

}  // namespace
