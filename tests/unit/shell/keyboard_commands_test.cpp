// Character commands: speed limit and field-of-view arithmetic, toggles, help box.
#include <gtest/gtest.h>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_input_control.h"
#include "platform/stub/stub_ui_control.h"
#include "platform/ui.h"
#include "shell/info_boxes.h"
#include "shell/keyboard_commands.h"
#include "shell/popup_menu.h"
#include "shell/program_objects.h"

namespace {

using platform::stub::state;

class KeyboardCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramObjects();
        platform::stub::Reset();
        platform::stub::ResetUi();
        platform::stub::ResetInput();
        camera.fov = 70.0f;  // as the render state starts it
    }
    int Press(int code) { return OnChar(static_cast<uintptr_t>(code), 0); }
    size_t HelpBoxes() const {
        size_t count = 0;
        for (const auto& box : state().shownMessages) count += box.caption == kHelpCaption;
        return count;
    }
};

TEST_F(KeyboardCommands, MinusShrinksTheSpeedLimitDownToAFloor) {
    const float expected[] = {0.15f, 0.1125f, 0.084375f};
    const float builtClearance = collisionState.clearance = 0.0125f;  // as the last tunnel build took it
    for (float value : expected) {
        EXPECT_EQ(Press('-'), 1);
        EXPECT_FLOAT_EQ(flight.maxSpeed, value);
        EXPECT_FLOAT_EQ(flight.maxStep, value / 30.0f);
        // The next build's clearance changes at once; the collision keeps
        // the one it was built with.
        EXPECT_EQ(collisionClearance, flight.maxStep);
        EXPECT_EQ(collisionState.clearance, builtClearance);
    }
    for (int i = 0; i < 40; ++i) Press('-');
    EXPECT_FLOAT_EQ(flight.maxSpeed, 0.01f);
    EXPECT_FLOAT_EQ(collisionClearance, 0.01f / 30.0f);
}

TEST_F(KeyboardCommands, EqualsGrowsTheSpeedLimitUpToACeiling) {
    Press('=');
    EXPECT_FLOAT_EQ(flight.maxSpeed, 0.2666667f);
    Press('=');
    EXPECT_FLOAT_EQ(flight.maxSpeed, 0.3555556f);
    Press('=');
    EXPECT_EQ(flight.maxSpeed, 0.4f);
    Press('=');
    EXPECT_EQ(flight.maxSpeed, 0.4f);
    EXPECT_FLOAT_EQ(flight.maxStep, 0.4f / 30.0f);
}

TEST_F(KeyboardCommands, FieldOfViewWidensToExactly180) {
    EXPECT_EQ(Press('V'), 1);
    EXPECT_FLOAT_EQ(camera.fov, 71.4f);
    for (int i = 0; i < 100; ++i) Press('V');
    EXPECT_EQ(camera.fov, 180.0f);
}

TEST_F(KeyboardCommands, FieldOfViewNarrowsTowardZeroNeverBelow) {
    Press('v');
    EXPECT_FLOAT_EQ(camera.fov, 70.0f / 1.02f);
    for (int i = 0; i < 3000; ++i) Press('v');
    EXPECT_GE(camera.fov, 0.0f);
    EXPECT_LT(camera.fov, 1e-20f);
}

TEST_F(KeyboardCommands, TogglesFlipTheirSettings) {
    Press('f');
    EXPECT_FALSE(settings.fog);
    Press('l');
    EXPECT_FALSE(settings.lighting);
    Press('i');
    EXPECT_TRUE(showInfo);
    Press('o');
    EXPECT_TRUE(showAxes);
    Press('y');
    EXPECT_TRUE(settings.SwapSteerUpDown);
    for (char c : {'f', 'l', 'i', 'o', 'y'}) Press(c);
    EXPECT_TRUE(settings.fog && settings.lighting);
    EXPECT_FALSE(showInfo || showAxes || settings.SwapSteerUpDown);
    EXPECT_EQ(HelpBoxes(), 0u);
}

TEST_F(KeyboardCommands, UnboundCharactersOpenTheHelpBox) {
    const int unbound[] = {'F', 'I',  'L',  'M',  'O',  'Y',  'T',  'a', 'z',
                           ' ', '\r', '\t', '\b', 0x80, 0xE9, 0xFF, 26,  122};
    for (int code : unbound) EXPECT_EQ(Press(code), 0) << code;
    EXPECT_EQ(HelpBoxes(), sizeof(unbound) / sizeof(unbound[0]));
    EXPECT_EQ(state().shownMessages.back().text, kHelpText);
    EXPECT_EQ(flight.maxSpeed, 0.2f);
    EXPECT_EQ(camera.fov, 70.0f);
}

TEST_F(KeyboardCommands, OnlyTheLowByteCounts) {
    EXPECT_EQ(Press(0x100 + '-'), 1);
    EXPECT_FLOAT_EQ(flight.maxSpeed, 0.15f);
}

TEST_F(KeyboardCommands, HelpTextBeginsWithTheSteeringLines) {
    EXPECT_EQ(std::string(kHelpText).rfind("move mouse or joystick to steer \n button 1 : faster", 0), 0u);
}

TEST_F(KeyboardCommands, MOpensThePopupMenuAtTheClientCornerWithTheMouseFree) {
    glWindow.hwnd = reinterpret_cast<platform::WindowHandle>(0x77);
    popupMenu = platform::LoadPopupMenu("Orbalt_Tunnel_PopUp");
    platform::stub::input().clientOrigin = {30, 40};
    EXPECT_EQ(Press('m'), 1);
    ASSERT_EQ(platform::stub::ui().trackedMenus.size(), 1u);
    EXPECT_EQ(platform::stub::ui().trackedMenus[0].x, 30);
    EXPECT_EQ(platform::stub::ui().trackedMenus[0].y, 40);
    EXPECT_EQ(platform::stub::ui().trackedMenus[0].owner, glWindow.hwnd);
    // Afterwards the window has the mouse again, the pointer hidden.
    EXPECT_EQ(platform::stub::input().mouseCapture, glWindow.hwnd);
    EXPECT_FALSE(platform::stub::input().pointerShown);
    EXPECT_TRUE(mouse.captured);
    popupMenu = nullptr;
    glWindow.hwnd = nullptr;
}

TEST_F(KeyboardCommands, MWithoutAMenuShowsNothingAndStillRenders) {
    popupMenu = nullptr;
    EXPECT_EQ(Press('m'), 1);
    EXPECT_TRUE(platform::stub::ui().trackedMenus.empty());
    EXPECT_EQ(HelpBoxes(), 0u);
}

TEST_F(KeyboardCommands, TTogglesTexturingAsTheHelpSaysAndTheMenuMarkFollows) {
    popupMenu = reinterpret_cast<platform::MenuHandle>(0x3e3e);
    tunnelMesh.SetTexCoords(true);
    settings.texcoords = true;
    const auto& marks = platform::stub::ui().checkMarks;
    EXPECT_EQ(Press('t'), 1);
    EXPECT_FALSE(tunnelMesh.texcoords);
    EXPECT_FALSE(settings.texcoords);
    EXPECT_FALSE(marks.at(menu_id::TexCoords));
    Press('t');
    EXPECT_TRUE(tunnelMesh.texcoords);
    EXPECT_TRUE(settings.texcoords);
    EXPECT_TRUE(marks.at(menu_id::TexCoords));
    EXPECT_EQ(HelpBoxes(), 0u);
    popupMenu = nullptr;
}

}  // namespace
