// The popup menu's check marks and the parameter dialog's record arithmetic.
#include <gtest/gtest.h>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_ui_control.h"
#include "platform/ui.h"
#include "shell/frame.h"
#include "shell/parameter_dialog.h"
#include "shell/popup_menu.h"
#include "shell/program_objects.h"

namespace {

using platform::stub::ui;

platform::MenuHandle Menu() { return platform::LoadPopupMenu(kPopupMenuName); }

class MenuDialog : public ::testing::Test {
protected:
    void SetUp() override { platform::stub::ResetUi(); }
};

TEST_F(MenuDialog, CheckMarksFollowTheSettings) {
    Settings settings;
    settings.renderMode = RenderMode::Wireframe;
    settings.colors = true;
    settings.normals = false;
    settings.renderMethod = RenderMethod::VertexArrays;
    settings.DisplayLists = true;
    CheckMenuItems(Menu(), settings);
    auto& marks = ui().checkMarks;
    EXPECT_FALSE(marks.at(menu_id::Points));
    EXPECT_FALSE(marks.at(menu_id::Sections));
    EXPECT_TRUE(marks.at(menu_id::Wireframe));
    EXPECT_FALSE(marks.at(menu_id::SolidFlat));
    EXPECT_FALSE(marks.at(menu_id::SolidSmooth));
    EXPECT_FALSE(marks.at(menu_id::Normals));
    EXPECT_TRUE(marks.at(menu_id::Colors));
    EXPECT_TRUE(marks.at(menu_id::TexCoords));
    EXPECT_FALSE(marks.at(menu_id::DirectVertices));
    EXPECT_TRUE(marks.at(menu_id::VertexArrays));
    EXPECT_TRUE(marks.at(menu_id::DisplayLists));
    EXPECT_EQ(marks.size(), 11u);  // every item but "orbalt..." and "quit"
}

TEST_F(MenuDialog, FieldsShowTheDefaults) {
    SetDialogFields(nullptr, TunnelParams{});
    EXPECT_EQ(ui().itemTexts[dialog_id::Sections], "256");
    EXPECT_EQ(ui().itemTexts[dialog_id::SectionPoints], "64");
    EXPECT_EQ(ui().itemTexts[dialog_id::Spacing], " 0.031");
}

TEST_F(MenuDialog, ArrowsStepTheRecordWithinTheirLowerBounds) {
    TunnelParams p;
    using platform::scroll::LineDown;
    using platform::scroll::LineUp;
    EXPECT_TRUE(StepParameter(p, dialog_id::SpacingArrows, LineDown));
    EXPECT_FLOAT_EQ(p.spacing, 0.03125f);  // not above 0.1: unchanged
    EXPECT_TRUE(StepParameter(p, dialog_id::SpacingArrows, LineUp));
    EXPECT_FLOAT_EQ(p.spacing, 0.13125f);

    p.sections = 40;
    StepParameter(p, dialog_id::SectionsArrows, LineDown);
    EXPECT_EQ(p.sections, 8u);
    StepParameter(p, dialog_id::SectionsArrows, LineDown);
    EXPECT_EQ(p.sections, 8u);
    StepParameter(p, dialog_id::SectionsArrows, LineUp);
    EXPECT_EQ(p.sections, 40u);

    p.sectionPoints = 8;
    StepParameter(p, dialog_id::SectionPointsArrows, LineDown);
    EXPECT_EQ(p.sectionPoints, 8u);
    StepParameter(p, dialog_id::SectionPointsArrows, LineUp);
    EXPECT_EQ(p.sectionPoints, 16u);

    TunnelParams before = p;
    EXPECT_FALSE(StepParameter(p, dialog_id::SectionsArrows, 5));  // thumb track
    EXPECT_FALSE(StepParameter(p, 99, LineUp));
    EXPECT_EQ(p.sections, before.sections);
}

TEST_F(MenuDialog, ParsedFieldsFollowIntegerAndFloatRules) {
    TunnelParams p;
    ui().itemTexts[dialog_id::Sections] = "  128abc";
    ui().itemTexts[dialog_id::SectionPoints] = "x";
    ui().itemTexts[dialog_id::Spacing] = " 0.0625";
    GetDialogFields(nullptr, p);
    EXPECT_EQ(p.sections, 128u);
    EXPECT_EQ(p.sectionPoints, 0u);
    EXPECT_FLOAT_EQ(p.spacing, 0.0625f);
    ui().itemTexts[dialog_id::Sections] = "4294967295";
    ui().itemTexts[dialog_id::Spacing] = "-1.5";
    GetDialogFields(nullptr, p);
    EXPECT_EQ(p.sections, 4294967295u);
    EXPECT_FLOAT_EQ(p.spacing, -1.5f);
}

TEST_F(MenuDialog, OverlongFieldTextIsReadUpTo31Characters) {
    TunnelParams p;
    ui().itemTexts[dialog_id::Sections] = std::string(31, '1') + "999";
    GetDialogFields(nullptr, p);
    EXPECT_EQ(p.sections, 0xFFFFFFFFu);  // 31 ones saturate, the rest is never read
}

void TypeThenClickArrowsUpThenOk(platform::WindowHandle dialog, platform::DialogProc proc) {
    ui().itemTexts[dialog_id::Sections] = "100";  // typed, not confirmed
    ui().controlIds[0x5C] = dialog_id::SectionsArrows;
    ui().controlIds[0x5D] = dialog_id::SpacingArrows;
    proc(dialog, platform::msg::VerticalScroll, platform::scroll::LineUp, 0x5C);
    proc(dialog, platform::msg::VerticalScroll, platform::scroll::LineUp, 0x5D);
    proc(dialog, platform::msg::Command, platform::kIdOk, 0);
}

TEST_F(MenuDialog, ArrowReplacesTypedTextAndOkConfirmsTheRecord) {
    TunnelParams params;
    ui().userActions = TypeThenClickArrowsUpThenOk;
    EXPECT_TRUE(RunParameterDialog(nullptr, params));
    EXPECT_EQ(ui().itemTexts[dialog_id::Sections], "288");
    EXPECT_EQ(params.sections, 288u);
    // The field shows the stepped spacing to three places, and OK takes what it shows.
    EXPECT_EQ(ui().itemTexts[dialog_id::Spacing], " 0.131");
    EXPECT_FLOAT_EQ(params.spacing, 0.131f);
}

void ClickArrowsThenCancel(platform::WindowHandle dialog, platform::DialogProc proc) {
    ui().controlIds[0x5C] = dialog_id::SectionPointsArrows;
    for (int i = 0; i < 3; ++i) proc(dialog, platform::msg::VerticalScroll, platform::scroll::LineUp, 0x5C);
    proc(dialog, platform::msg::Command, platform::kIdCancel, 0);
}

TEST_F(MenuDialog, CancelChangesNothing) {
    TunnelParams params;
    ui().userActions = ClickArrowsThenCancel;
    EXPECT_FALSE(RunParameterDialog(nullptr, params));
    EXPECT_EQ(params.sectionPoints, 64u);
    EXPECT_EQ(ui().itemTexts[dialog_id::SectionPoints], "88");
}

TEST_F(MenuDialog, ADialogThatCannotBeCreatedIsNoConfirmation) {
    TunnelParams params;
    params.sections = 64;
    ui().dialogCreatable = false;
    EXPECT_FALSE(RunParameterDialog(nullptr, params));
    EXPECT_EQ(params.sections, 64u);
}

TEST_F(MenuDialog, EditNotificationsAreNotHandled) {
    TunnelParams params;
    DialogProc(nullptr, platform::msg::InitDialog, 0, reinterpret_cast<intptr_t>(&params));
    EXPECT_EQ(DialogProc(nullptr, platform::msg::Command, (0x0300u << 16) | dialog_id::Sections, 0), 0);
    EXPECT_EQ(DialogProc(nullptr, 0x0200, 0, 0), 0);
}

}  // namespace

namespace {

class MenuCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ResetProgramObjects();
        platform::stub::Reset();
        platform::stub::ResetUi();
        popupMenu = platform::LoadPopupMenu(kPopupMenuName);
        tunnelMesh.SetTexCoords(settings.texcoords);  // as the start-up build leaves the mesh
    }
    int Choose(uint32_t id) { return OnCommand(id, 0); }
};

TEST_F(MenuCommands, ARenderModeMarksOnlyItself) {
    EXPECT_EQ(Choose(menu_id::Wireframe), 1);
    EXPECT_EQ(tunnelMesh.renderMode, RenderMode::Wireframe);
    EXPECT_EQ(settings.renderMode, RenderMode::Wireframe);
    auto& marks = ui().checkMarks;
    EXPECT_TRUE(marks.at(menu_id::Wireframe));
    for (uint32_t id : {menu_id::Points, menu_id::Sections, menu_id::SolidFlat, menu_id::SolidSmooth})
        EXPECT_FALSE(marks.at(id)) << id;
    // A drawing option rebuilds nothing: a build here, without a section
    // file, would size the mesh or show why it cannot.
    EXPECT_EQ(tunnelMesh.nSegments, 0u);
    EXPECT_TRUE(platform::stub::state().shownMessages.empty());
    const uint32_t modes[] = {menu_id::Points, menu_id::Sections, menu_id::Wireframe, menu_id::SolidFlat,
                              menu_id::SolidSmooth};
    for (int32_t mode = 0; mode < kRenderModeCount; ++mode) {
        Choose(modes[mode]);
        EXPECT_EQ(tunnelMesh.renderMode, static_cast<RenderMode>(mode));
        EXPECT_EQ(settings.renderMode, static_cast<RenderMode>(mode));
    }
}

TEST_F(MenuCommands, TogglesTakeTheMeshsFlagAndCopyItBack) {
    settings.normals = false;  // out of step on purpose: the mesh's flag decides
    Choose(menu_id::Normals);
    EXPECT_FALSE(tunnelMesh.normals);
    EXPECT_FALSE(settings.normals);
    EXPECT_FALSE(ui().checkMarks.at(menu_id::Normals));
    Choose(menu_id::Colors);
    EXPECT_TRUE(tunnelMesh.colors);
    EXPECT_TRUE(settings.colors);
    EXPECT_TRUE(ui().checkMarks.at(menu_id::Colors));
    Choose(menu_id::TexCoords);
    EXPECT_FALSE(tunnelMesh.texcoords);
    EXPECT_FALSE(ui().checkMarks.at(menu_id::TexCoords));
    Choose(menu_id::TexCoords);
    EXPECT_TRUE(settings.texcoords);
}

TEST_F(MenuCommands, MethodsAndDisplayLists) {
    Choose(menu_id::VertexArrays);
    EXPECT_EQ(tunnelMesh.method, RenderMethod::VertexArrays);
    EXPECT_TRUE(ui().checkMarks.at(menu_id::VertexArrays));
    EXPECT_FALSE(ui().checkMarks.at(menu_id::DirectVertices));
    Choose(menu_id::DirectVertices);
    EXPECT_EQ(settings.renderMethod, RenderMethod::DirectVertices);
    bool before = tunnelMesh.listsActive;
    Choose(menu_id::DisplayLists);
    EXPECT_EQ(static_cast<bool>(tunnelMesh.listsActive), !before);
    EXPECT_EQ(settings.DisplayLists, static_cast<bool>(tunnelMesh.listsActive));
    EXPECT_EQ(ui().checkMarks.at(menu_id::DisplayLists), settings.DisplayLists);
    tunnelMesh.SetDisplayLists(false);

    // Lists the driver could not hold (the mesh dropped them and kept the
    // error): the next frame says so once, and the menu's mark follows.
    Choose(menu_id::DisplayLists);
    tunnelMesh.listsActive = 0;
    tunnelMesh.listsError = 0x0505;
    DrawFrame();
    DrawFrame();
    EXPECT_FALSE(settings.DisplayLists);
    EXPECT_FALSE(ui().checkMarks.at(menu_id::DisplayLists));
    const std::string line = "display lists: GL error 0x0505, drawing without them \n";
    const std::string& console = platform::stub::state().consoleText;
    EXPECT_NE(console.find(line), std::string::npos) << console;
    EXPECT_EQ(console.find(line, console.find(line) + 1), std::string::npos) << "once";
}

TEST_F(MenuCommands, UnknownIdsDoNothingAndQuitQuits) {
    EXPECT_EQ(Choose(111), 0);
    EXPECT_EQ(Choose(0), 0);
    EXPECT_TRUE(ui().checkMarks.empty());
    EXPECT_EQ(Choose(menu_id::Quit | (1u << 16)), 1);  // only the low 16 bits are the id
    EXPECT_EQ(ui().destroyedMenus, 1);
    EXPECT_EQ(platform::stub::state().quitCodes.size(), 1u);
}

}  // namespace
