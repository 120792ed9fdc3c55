// The whole start-up, main loop and exit, run against the platform stand-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_gl_context_control.h"
#include "platform/stub/stub_ui_control.h"
#include "shell/command_line.h"
#include "shell/info_boxes.h"
#include "shell/popup_menu.h"
#include "shell/program.h"
#include "shell/program_objects.h"
#include "support/temp_dir.h"
#include "tunnel/init_orbalt.h"
#include "tunnel/standard_tunnel.h"

namespace {

using platform::stub::state;

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramObjects();  // no window or tunnel from an earlier run
        platform::stub::Reset();
        platform::stub::ResetUi();
        state().commandLine = "\"" + dir.File("orbalt.exe") + "\"";
        state().displayModes = {{1024, 768, 32, 0}, {640, 480, 16, 60}, {1024, 768, 16, 0}};
        dir.Write("test.sct", TempDir::Read(std::string(ORBALT_DATA_DIR) + "/test.sct"));
    }

    int Run(const std::string& config, const char* commandLineText = "") {
        if (!config.empty()) dir.Write("orbalt_config.txt", config);
        return RunProgram(commandLineText);
    }

    std::string Log() const { return TempDir::Read(dir.File("orbalt_log.txt")); }

    // A second run within one test starts as the first did.
    void Restart() {
        ResetProgramObjects();
        platform::stub::Reset();
        platform::stub::ResetUi();
        state().commandLine = "\"" + dir.File("orbalt.exe") + "\"";
    }

    void PressEscape() {
        state().messages.push_back({reinterpret_cast<void*>(0x1010), platform::msg::Char, 27, 0});
    }

    TempDir dir;
};

TEST_F(StartUp, WindowedRunQuitsWithEscape) {
    PressEscape();
    EXPECT_EQ(Run("FullScreen NO\n"), 0);

    ASSERT_FALSE(state().shownMessages.empty());
    EXPECT_EQ(state().shownMessages[0].caption, kAboutCaption);
    EXPECT_EQ(state().shownMessages[0].owner, nullptr);  // no window yet
    EXPECT_EQ(state().shownMessages.size(), 1u);

    ASSERT_EQ(state().createdWindows.size(), 1u);
    const auto& window = state().createdWindows[0];
    EXPECT_EQ(window.title, "orbalt");
    EXPECT_EQ(window.className, "GLwindow");
    EXPECT_EQ(window.exStyle, 0u);
    EXPECT_EQ(window.style,
              platform::style::OverlappedWindow | platform::style::Visible | platform::style::ClipChildren);
    EXPECT_EQ(window.width, 648);  // 640 plus the stand-in's frame
    EXPECT_EQ(window.height, 507);
    EXPECT_EQ(std::string(state().windowClass.iconName), "Orbalt_Icon");
    EXPECT_EQ(state().windowClass.cursorName, nullptr);
    EXPECT_EQ(glWindow.hwnd, nullptr);   // destroyed by Quit
    EXPECT_GE(state().restoreCount, 1);  // the exit clean-up restores the mode
    EXPECT_EQ(state().displayRequests.size(), 0u);
}

TEST_F(StartUp, LogHoldsBannerModesAndWindowLine) {
    PressEscape();
    Run("FullScreen NO\n");
    std::string log = Log();
    EXPECT_EQ(log.rfind("orbalt log, ", 0), 0u) << log;
    EXPECT_NE(log.find("path: " + dir.path() + "/ \n\n"), std::string::npos) << log;
    EXPECT_NE(log.find("[Screen Mode Enumeration]\n"
                       "original  : 1024 x  768, 32 bit @  60 Hz \n"
                       "available :  640 x  480, 16 bit @  60 Hz \n"
                       "available : 1024 x  768, 16 bit @   0 Hz \n"
                       "available : 1024 x  768, 32 bit @   0 Hz \n\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("GLwindow::Windowed 640 x 480 \n\n"), std::string::npos) << log;
    EXPECT_EQ(state().consoleText.rfind("orbalt console, ", 0), 0u);
}

TEST_F(StartUp, AboutBoxComesFirst) {
    PressEscape();
    Run("FullScreen NO\n");
    auto first = std::find_if(state().calls.begin(), state().calls.end(),
                              [](const std::string& call) { return call != "OpenConsole"; });
    ASSERT_NE(first, state().calls.end());
    EXPECT_EQ(*first, "ShowMessage");
}

TEST_F(StartUp, RefusedFullScreenModeShowsTheChainedMessage) {
    state().changeDisplayResult = platform::display_change::BadMode;
    EXPECT_EQ(Run("FullScreen YES\n"), 0);
    ASSERT_EQ(state().shownMessages.size(), 2u);
    EXPECT_EQ(state().shownMessages[1].text,
              "GLwindow::FullScreen() error GENERIC: GLwindow::SetScreen() error GENERIC: "
              "graphics mode not supported");
    EXPECT_EQ(state().shownMessages[1].caption, "orbalt");
    EXPECT_EQ(state().shownMessages[1].owner, nullptr);
    EXPECT_TRUE(state().createdWindows.empty());
    std::string log = Log();
    EXPECT_NE(log.find("GLwindow::FullScreen 640 x 480, 16 bit @ 0 Hz \n\n"
                       "GLwindow::FullScreen 16 bit refused, asking for 32 bit \n\n"
                       "GLwindow::SetScreen() error GENERIC: graphics mode not supported \n"
                       "GLwindow::FullScreen() error GENERIC: GLwindow::SetScreen() error GENERIC: "
                       "graphics mode not supported \n"),
              std::string::npos)
        << log;
}

TEST_F(StartUp, AcceptedFullScreenModeOpensATopmostPopup) {
    PressEscape();
    EXPECT_EQ(Run("FullScreen YES\nXResolution 1024\nYResolution 768\n"), 0);
    ASSERT_EQ(state().displayRequests.size(), 1u);
    EXPECT_EQ(state().displayRequests[0].bits, 16u);
    ASSERT_EQ(state().createdWindows.size(), 1u);
    EXPECT_EQ(state().createdWindows[0].exStyle, platform::style::ExTopmost);
    EXPECT_EQ(state().createdWindows[0].width, 1024);
    EXPECT_EQ(state().createdWindows[0].height, 768);
    EXPECT_NE(Log().find("GLwindow::FullScreen 1024 x 768, 16 bit @ 0 Hz \n\n"), std::string::npos);
    EXPECT_GE(state().restoreCount, 1);
}

TEST_F(StartUp, FailedClassRegistrationEndsStartUp) {
    state().registerClassSucceeds = false;
    EXPECT_EQ(Run("FullScreen NO\n"), 0);
    ASSERT_EQ(state().shownMessages.size(), 2u);
    EXPECT_EQ(state().shownMessages[1].text, "GLwindow::Init() error GENERIC: RegisterClassEx() failed");
    EXPECT_TRUE(state().createdWindows.empty());
}

TEST_F(StartUp, FailedWindowCreationEndsStartUp) {
    state().createWindowSucceeds = false;
    EXPECT_EQ(Run("FullScreen NO\n"), 0);
    ASSERT_EQ(state().shownMessages.size(), 2u);
    EXPECT_EQ(state().shownMessages[1].text,
              "GLwindow::Windowed() error GENERIC: GLwindow::Create() error GENERIC: CreateWindowEx() failed");
}

TEST_F(StartUp, MissingConfigurationMeansFullScreenDefaults) {
    state().changeDisplayResult = platform::display_change::BadMode;
    state().lastError = {2, "The system cannot find the file specified."};
    Run("");
    // The log says why the file was not read.
    EXPECT_NE(Log().find("fopen(" + dir.path() +
                         "/orbalt_config.txt): system error 2: The system cannot find the "
                         "file specified. \n\n"),
              std::string::npos)
        << Log();
    // 16 bits, then the desktop's 32, both refused.
    ASSERT_EQ(state().displayRequests.size(), 2u);
    for (const auto& request : state().displayRequests) {
        EXPECT_EQ(request.width, 640u);
        EXPECT_EQ(request.height, 480u);
    }
}

TEST_F(StartUp, UnwritableLogDirectoryStillRuns) {
    state().commandLine = "\"" + dir.File("missing-dir/orbalt.exe") + "\"";
    PressEscape();
    EXPECT_EQ(RunProgram(""), 0);
    EXPECT_EQ(state().createdWindows.size(), 1u);
    EXPECT_EQ(logFile, nullptr);
}

TEST_F(StartUp, SectionPathFromCommandLineOrBesideTheProgram) {
    PressEscape();
    Run("FullScreen NO\n", "\"my tunnel.sct\"");
    EXPECT_EQ(sectionPath, "my tunnel.sct");
    PressEscape();
    Run("FullScreen NO\n", "");
    EXPECT_EQ(sectionPath, dir.path() + "/test.sct");
    // The log is the latest run's alone, not the two runs' one after the other.
    const std::string log = Log();
    EXPECT_EQ(log.find("orbalt log, "), 0u);
    EXPECT_EQ(log.find("orbalt log, ", 1), std::string::npos);
}

TEST_F(StartUp, TheTunnelIsBuiltFromTheSectionFileBesideTheProgram) {
    PressEscape();
    EXPECT_EQ(Run("FullScreen NO\n"), 0);
    EXPECT_NE(state().consoleText.find("nSegments 256, nSegPoints 64, nVertices 16384, nTriangles 32768 \n"),
              std::string::npos);
    // Escape came before any frame could carry the ring on: it is whole, or
    // under way and completed by the frames that would have followed.
    EXPECT_TRUE(tunnelBuilder.Ready() || tunnelBuilder.Building());
    while (tunnelBuilder.Building()) ContinueTunnelBuild({tunnelMesh, tunnelBuilder});
    EXPECT_TRUE(tunnelBuilder.Ready());
    EXPECT_EQ(state().shownMessages.size(), 1u);  // the About box alone
}

TEST_F(StartUp, AnUnusableSectionFileShowsItsBoxesAndQuitsBeforeAnyFrame) {
    // Activation is waiting in the queue: a frame would run if the loop went on.
    state().messages.push_back({reinterpret_cast<void*>(0x1010), platform::msg::Activate, 1, 0});
    dir.Write("bad.sct", std::string(144, 'x'));
    const std::string path = dir.File("bad.sct");
    EXPECT_EQ(Run("FullScreen NO\n", path.c_str()), 0);
    std::vector<std::string> texts;
    for (const auto& shown : state().shownMessages) texts.push_back(shown.text);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end()),
              (std::vector<std::string>{"not a section file", "TunnelBuilder::Init() section load failure",
                                        "InitOrbalt() builder.Init() failure"}));
    EXPECT_EQ(state().shownMessages[3].owner, reinterpret_cast<void*>(0x1010));
    EXPECT_EQ(state().quitCodes, std::vector<int>{0});
    EXPECT_TRUE(state().liveWindows.empty());
    EXPECT_EQ(platform::stub::glState().swapCount, 0);
    EXPECT_FALSE(tunnelBuilder.Ready());
}

TEST_F(StartUp, OverlongSectionPathIsRefusedWithAMessage) {
    std::string longPath(400, 's');
    EXPECT_EQ(Run("FullScreen NO\n", longPath.c_str()), 0);
    ASSERT_EQ(state().shownMessages.size(), 2u);
    EXPECT_NE(state().shownMessages[1].text.find("longer than 263"), std::string::npos);
    EXPECT_TRUE(state().liveWindows.empty());
}

// The limit counts characters: a Cyrillic path of 263 letters (526 bytes) is
// taken, and only one more letter is refused.
TEST_F(StartUp, TheSectionPathLimitCountsCharactersNotBytes) {
    std::string atLimit;
    for (size_t i = 0; i < kMaxSectionPath; ++i) atLimit += "д";
    Run("FullScreen NO\n", atLimit.c_str());
    EXPECT_EQ(sectionPath, atLimit);
    ASSERT_GE(state().shownMessages.size(), 2u);
    EXPECT_EQ(state().shownMessages[1].text, "TunnelBuilder::Init() section load failure");  // no such file

    Restart();
    const std::string pastLimit = atLimit + "д";
    Run("FullScreen NO\n", pastLimit.c_str());
    ASSERT_EQ(state().shownMessages.size(), 2u);
    EXPECT_EQ(state().shownMessages[1].text, "the section file path is longer than 263 characters: " + pastLimit);
}

// A file that cannot be opened leaves the system's reason in the log, each on
// a line of its own; the boxes stay as they are.
TEST_F(StartUp, TextureAndSectionFilesThatCannotBeOpenedLeaveTheSystemsReasonInTheLog) {
    state().lastError = {3, "The system cannot find the path specified."};
    const std::string missing = dir.File("デモ/missing.sct");
    EXPECT_EQ(Run("FullScreen NO\n", missing.c_str()), 0);
    std::vector<std::string> texts;
    for (const auto& shown : state().shownMessages) texts.push_back(shown.text);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 1, texts.end()),
              (std::vector<std::string>{"TunnelBuilder::Init() section load failure",
                                        "InitOrbalt() builder.Init() failure"}));
    const std::string log = Log();
    EXPECT_NE(log.find("fopen(" + dir.File("texture.bmp") +
                       "): system error 3: The system cannot find the path specified. \n\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("fopen(" + missing + "): system error 3: The system cannot find the path specified. \n\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("fopen(" + dir.File("orbalt_config.txt")), std::string::npos) << log;
}

TEST_F(StartUp, InactiveWindowWaitsInsteadOfRunningFrames) {
    // No activation arrives: the loop must block on the queue, not tick;
    // but a tunnel still being made is finished and shown first.
    tunnelBuilder.buildBudget = 1e-12;  // one walker try at a time
    EXPECT_EQ(Run("FullScreen NO\n"), platform::stub::kWaitedOnEmptyQueue);
    tunnelBuilder.buildBudget = kFrameBuildBudget;
    EXPECT_NE(std::find(state().calls.begin(), state().calls.end(), "WaitMessage"), state().calls.end());
    EXPECT_FALSE(glWindow.active);
    EXPECT_TRUE(tunnelBuilder.Ready());
    EXPECT_EQ(platform::stub::glState().swapCount, 1);
}

// One run through the frame loop's states: frames run while the window is
// active, every pending message is handled before the next frame, a
// minimised or deactivated window runs none (a move or resize meanwhile
// starts none), and a paint while inactive, as under a modal box, draws one.
TEST_F(StartUp, FramesFollowActivationAndPendingMessagesGoFirst) {
    using platform::Message;
    namespace msg = platform::msg;
    const auto window = reinterpret_cast<void*>(0x1010);
    constexpr uintptr_t kActive = 1, kMinimised = 1u << 16 | 1;
    const std::vector<Message> burst = {{window, msg::MouseMove, 0, 5},
                                        {window, msg::MouseMove, 0, 9},
                                        {window, msg::KeyDown, 'A', 1},
                                        {window, msg::KeyUp, 'A', 1}};
    state().messages.push_back({window, msg::Activate, kActive, 0});
    state().messages.insert(state().messages.end(), burst.begin(), burst.end());
    // After the second frame a burst arrives, then the window is minimised
    // and moved and resized, and a paint comes; after that paint's frame it
    // is activated again, and after two more frames deactivated.
    std::vector<Message> minimising = burst;
    minimising.push_back({window, msg::Activate, kMinimised, 0});
    minimising.push_back({window, msg::Move, 0, 0});
    minimising.push_back({window, msg::Size, 0, (480 << 16) | 640});
    minimising.push_back({window, msg::Paint, 0, 0});
    state().messagesAfterSwap[2] = minimising;
    state().messagesAfterSwap[3] = {{window, msg::Activate, kActive, 0}};
    state().messagesAfterSwap[5] = {{window, msg::Activate, 0, 0}};
    tunnelBuilder.buildBudget = 0.0;  // the ring whole at start-up, so every frame is the loop's

    EXPECT_EQ(Run("FullScreen NO\n"), platform::stub::kWaitedOnEmptyQueue);
    // Dispatched messages at each frame's swap: the first burst before the
    // first frame, the second with the minimising before the paint's frame,
    // and none after the deactivation.
    const int first = 1 + static_cast<int>(burst.size());
    const int second = first + static_cast<int>(minimising.size());
    EXPECT_EQ(state().dispatchedAtSwap, (std::vector<int>{first, first, second, second + 1, second + 1}));
    EXPECT_FALSE(glWindow.active);
}

TEST_F(StartUp, CloseRequestQuits) {
    state().messages.push_back({reinterpret_cast<void*>(0x1010), platform::msg::Close, 0, 0});
    EXPECT_EQ(Run("FullScreen NO\n"), 0);
    EXPECT_TRUE(state().liveWindows.empty());
}

TEST_F(StartUp, FailedGLContextShowsTheChainedMessageAndQuitsAfterStartUp) {
    platform::stub::glState().chosenFormat = 0;
    EXPECT_EQ(Run("FullScreen NO\n"), 0);
    ASSERT_EQ(state().shownMessages.size(), 2u);
    EXPECT_EQ(state().shownMessages[1].text,
              "GLwindow::OnCREATE() error GENERIC: GLwindow::Set_PixelFormat() error GENERIC: "
              "ChoosePixelFormat() failed");
    EXPECT_EQ(state().shownMessages[1].owner, nullptr);
    EXPECT_EQ(state().quitCodes, std::vector<int>{0});
    EXPECT_EQ(state().liveWindows.size(), 1u);  // the window itself was still created
    // Start-up still ran to its end: the render state and the texture were tried.
    EXPECT_NE(state().consoleText.find("WGL_EXT_swap_control not supported \n"), std::string::npos);
    EXPECT_NE(state().consoleText.find("InitTexture(" + dir.File("texture.bmp") + ") : Image::Load() error\n"),
              std::string::npos);
}

TEST_F(StartUp, AltF4IsConsumed) {
    auto window = reinterpret_cast<void*>(0x1010);
    state().messages.push_back({window, platform::msg::SysKeyDown, 0x73, 0});
    state().messages.push_back({window, platform::msg::SysKeyUp, 0x73, 0});
    EXPECT_EQ(Run("FullScreen NO\n"), platform::stub::kWaitedOnEmptyQueue);
    EXPECT_EQ(state().liveWindows.size(), 1u);
    glWindow.Close();
}

TEST_F(StartUp, PopupMenuIsLoadedMarkedAndDestroyedOnce) {
    PressEscape();
    state().messages.push_back({reinterpret_cast<void*>(0x1010), platform::msg::Close, 0, 0});
    Run("FullScreen NO\nRenderMethod ARRAYS\nDisplayLists YES\n");
    auto& marks = platform::stub::ui().checkMarks;
    EXPECT_TRUE(marks.at(menu_id::SolidSmooth));
    EXPECT_TRUE(marks.at(menu_id::VertexArrays));
    EXPECT_FALSE(marks.at(menu_id::DirectVertices));
    EXPECT_TRUE(marks.at(menu_id::DisplayLists));
    EXPECT_EQ(platform::stub::ui().destroyedMenus, 1);  // Escape, then a close request: one menu
    EXPECT_EQ(popupMenu, nullptr);
}

TEST_F(StartUp, MissingMenuResourceLeavesNoMenu) {
    platform::stub::ui().menuExists = false;
    PressEscape();
    EXPECT_EQ(Run("FullScreen NO\n"), 0);
    EXPECT_TRUE(platform::stub::ui().checkMarks.empty());
    EXPECT_EQ(platform::stub::ui().destroyedMenus, 0);
}

// Every byte of a plain record, padding and all, is scribbled over, as a
// field that a hand-written reset forgot would be left.
template <typename Record>
void Scribble(Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    std::memset(static_cast<void*>(&record), 0xA5, sizeof record);
}

// The record as the program starts it, built on storage scribbled the same
// way, so that padding compares equal where the reset renews the record whole.
template <typename Record, typename... Arguments>
bool StartsAfresh(const Record& record, Arguments... arguments) {
    alignas(Record) unsigned char storage[sizeof(Record)];
    std::memset(storage, 0xA5, sizeof storage);
    const Record* fresh = new (storage) Record(arguments...);
    return std::memcmp(static_cast<const void*>(&record), static_cast<const void*>(fresh), sizeof(Record)) == 0;
}

// The same for the records a device object keeps in a vector.
template <typename Record>
void Scribble(std::vector<Record>& records) {
    for (Record& record : records) Scribble(record);
}

template <typename Record>
bool SameRecords(const std::vector<Record>& records, const std::vector<Record>& fresh) {
    return records.size() == fresh.size() &&
           std::memcmp(static_cast<const void*>(records.data()), static_cast<const void*>(fresh.data()),
                       records.size() * sizeof(Record)) == 0;
}

TEST_F(StartUp, TheResetGivesEveryProgramObjectItsStartingState) {
    state().messages.push_back({reinterpret_cast<void*>(0x1010), platform::msg::Char, 'i', 0});
    PressEscape();
    ASSERT_EQ(Run("FullScreen NO\nXResolution 800\nDisplayLists YES\n"), 0);
    ASSERT_NE(tunnelMesh.nSegments, 0u);  // the run left its marks
    Scribble(camera);
    Scribble(flight);
    Scribble(collisionState);
    Scribble(keyboard.keys);
    Scribble(mouse.channels);
    Scribble(joystick.axes);
    Scribble(joystick.buttons);
    keyboard.changed = mouse.changed = joystick.changed = false;
    mouse.captured = true;
    Scribble(settings);
    Scribble(tunnelParams);
    Scribble(frameTimer);
    collisionClearance = frameTime = secondsPerCount = -1.0f;
    glWindow.active = glWindow.fullscreen = true;
    GLwindow::status.Set(5, "GLwindow", "test", "failure");
    contextResources.extensions.compiledArrays = true;

    ResetProgramObjects();
    EXPECT_TRUE(StartsAfresh(camera));
    EXPECT_TRUE(StartsAfresh(flight));
    EXPECT_TRUE(StartsAfresh(collisionState));
    EXPECT_TRUE(SameRecords(keyboard.keys, Keyboard().keys));
    EXPECT_TRUE(SameRecords(mouse.channels, Mouse().channels));
    EXPECT_TRUE(SameRecords(joystick.axes, Joystick().axes));
    EXPECT_TRUE(SameRecords(joystick.buttons, Joystick().buttons));
    EXPECT_TRUE(keyboard.changed && mouse.changed && joystick.changed);
    EXPECT_FALSE(mouse.captured);
    EXPECT_TRUE(StartsAfresh(settings));
    EXPECT_TRUE(StartsAfresh(tunnelParams));
    EXPECT_TRUE(StartsAfresh(frameTimer, int64_t{0}));  // the stand-in's counter reads 0
    EXPECT_EQ(collisionClearance, FlightState{}.maxStep);
    EXPECT_EQ(frameTime, 0.0f);
    EXPECT_EQ(secondsPerCount, SecondsPerCount(state().counterFrequency));
    // What cannot be compared byte by byte: the objects that own memory or handles.
    EXPECT_EQ(tunnelMesh.nSegments, 0u);
    EXPECT_EQ(tunnelMesh.lists, nullptr);
    EXPECT_EQ(tunnelMesh.listsActive, 0);
    EXPECT_FALSE(tunnelBuilder.Ready());
    EXPECT_EQ(tunnelBuilder.updateBudget, kFrameGenerationBudget);
    EXPECT_EQ(tunnelBuilder.buildBudget, kFrameBuildBudget);
    EXPECT_EQ(glWindow.hwnd, nullptr);
    EXPECT_FALSE(glWindow.active || glWindow.fullscreen);
    EXPECT_TRUE(glWindow.modes.empty());
    EXPECT_EQ(glWindow.currentMode.width, glWindow.desktopMode.width);
    EXPECT_STREQ(GLwindow::status.Message(), "");
    EXPECT_EQ(GLwindow::status.log, nullptr);
    EXPECT_FALSE(contextResources.extensions.compiledArrays);
    EXPECT_TRUE(programDirectory.empty() && sectionPath.empty());
    EXPECT_EQ(tunnelMessages.owner, nullptr);
    EXPECT_EQ(popupMenu, nullptr);
    EXPECT_FALSE(showInfo || showAxes || joystickPresent);
}

}  // namespace
