// What the saver takes from outside: its command line, its settings file, and
// the input that ends it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "saver/exit_watch.h"
#include "saver/saver_command_line.h"
#include "saver/saver_settings.h"
#include "support/temp_dir.h"

namespace {

platform::WindowHandle Handle(uintptr_t value) { return reinterpret_cast<platform::WindowHandle>(value); }

TEST(SaverCommandLine, TheScreenSaverFormsInEitherCaseAndPrefix) {
    for (const char* text : {"/s", "/S", "-s", "-S", "  /s  "})
        EXPECT_EQ(ParseSaverCommandLine(text).mode, SaverMode::Run) << text;
    for (const char* text : {"/p 1234", "/P:1234", "-p 1234", "/p:1234", "/p\t1234"}) {
        const SaverCommand command = ParseSaverCommandLine(text);
        EXPECT_EQ(command.mode, SaverMode::Preview) << text;
        EXPECT_EQ(command.window, Handle(1234)) << text;
    }
    EXPECT_EQ(ParseSaverCommandLine("/c").mode, SaverMode::Configure);
    EXPECT_EQ(ParseSaverCommandLine("").mode, SaverMode::Configure);
    EXPECT_EQ(ParseSaverCommandLine(nullptr).mode, SaverMode::Configure);
    EXPECT_EQ(ParseSaverCommandLine("/c").window, nullptr);
    const SaverCommand owned = ParseSaverCommandLine("/C:65552");
    EXPECT_EQ(owned.mode, SaverMode::Configure);
    EXPECT_EQ(owned.window, Handle(65552));
}

TEST(SaverCommandLine, AnythingElseIsInvalid) {
    for (const char* text : {"/p", "/p:", "/p x12", "/p 12x", "/p -5", "/p 0", "/s 5", "/sx", "/x", "s", "/", "-",
                             "/c:abc", "/p 99999999999999999999999", "my.sct"})
        EXPECT_EQ(ParseSaverCommandLine(text).mode, SaverMode::Invalid) << text;
}

TEST(SaverSettings, AMissingFileGivesTheDefaultsWithANote) {
    TempDir dir;
    std::vector<std::string> notes;
    const SaverSettings read = ReadSaverSettings(dir.File("absent.txt"), notes);
    const SaverSettings defaults;
    EXPECT_EQ(read.sections, defaults.sections);
    EXPECT_EQ(read.renderMode, defaults.renderMode);
    EXPECT_EQ(read.speed, defaults.speed);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("not read"), std::string::npos);
}

TEST(SaverSettings, WhatIsWrittenIsReadBack) {
    TempDir dir;
    SaverSettings chosen;
    chosen.renderMode = RenderMode::Wireframe;
    chosen.renderMethod = RenderMethod::DirectVertices;
    chosen.displayLists = true;
    chosen.textures = chosen.fog = chosen.lighting = false;
    chosen.speed = 0.3f;
    chosen.frameRateCap = 30;
    chosen.sections = 512;
    chosen.sectionPoints = 128;
    chosen.allMonitors = false;
    ASSERT_TRUE(WriteSaverSettings(dir.File("orbalt_scr.txt"), chosen));
    std::vector<std::string> notes;
    const SaverSettings read = ReadSaverSettings(dir.File("orbalt_scr.txt"), notes);
    EXPECT_TRUE(notes.empty()) << notes[0];
    EXPECT_EQ(read.renderMode, RenderMode::Wireframe);
    EXPECT_EQ(read.renderMethod, RenderMethod::DirectVertices);
    EXPECT_TRUE(read.displayLists);
    EXPECT_FALSE(read.textures || read.fog || read.lighting);
    EXPECT_EQ(read.speed, 0.3f);
    EXPECT_EQ(read.frameRateCap, 30);
    EXPECT_EQ(read.sections, 512u);
    EXPECT_EQ(read.sectionPoints, 128u);
    EXPECT_FALSE(read.allMonitors);
    EXPECT_FALSE(WriteSaverSettings(dir.File("no/such/folder/orbalt_scr.txt"), chosen));
}

TEST(SaverSettings, ValuesOutOfRangeAreBroughtInAndNoted) {
    std::vector<std::string> notes;
    const SaverSettings read = SettingsFromEntries({{"Speed", "9"},
                                                    {"FrameRateCap", "-3"},
                                                    {"Sections", "300"},
                                                    {"SectionPoints", "100000"},
                                                    {"RenderMode", "TEAPOT"},
                                                    {"Unknown", "1"}},
                                                   notes);
    EXPECT_EQ(read.speed, SaverSettings::kFastest);
    EXPECT_EQ(read.frameRateCap, 0);
    EXPECT_EQ(read.sections, 256u);  // the nearest power of two
    EXPECT_EQ(read.sectionPoints, SaverSettings::kMaxSectionPoints);
    EXPECT_EQ(read.renderMode, RenderMode::SolidSmooth);
    EXPECT_EQ(notes, (std::vector<std::string>{"Speed 9: using 0.4", "FrameRateCap -3: using 0",
                                               "Sections 300: using 256", "SectionPoints 100000: using 1024",
                                               "RenderMode TEAPOT: using SMOOTH"}));
}

TEST(SaverSettings, ValuesThatCannotBeReadKeepTheDefaults) {
    std::vector<std::string> notes;
    const SaverSettings read = SettingsFromEntries(
        {{"Speed", "nan"}, {"Speed", "fast"}, {"FrameRateCap", "1e999"}, {"Sections", "x"}, {"Speed", "1e99"}},
        notes);
    const SaverSettings defaults;
    EXPECT_EQ(read.speed, defaults.speed);
    EXPECT_EQ(read.frameRateCap, defaults.frameRateCap);
    EXPECT_EQ(read.sections, defaults.sections);
    EXPECT_EQ(notes.size(), 5u);
}

TEST(SaverSettings, ADamagedFileGivesWhatItCanAndNeverMore) {
    TempDir dir;
    const std::string bytes = std::string("Speed 0.1\n\x1a\xff\xfe garbage\nSections\n") + std::string(4000, 'x') +
                              "\nSectionPoints 32\r\n";
    std::vector<std::string> notes;
    const SaverSettings read = ReadSaverSettings(dir.Write("orbalt_scr.txt", bytes), notes);
    EXPECT_EQ(read.speed, 0.1f);
    EXPECT_EQ(read.sections, SaverSettings{}.sections);
    EXPECT_EQ(read.sectionPoints, 32u);
}

TEST(ExitWatch, KeysButtonsAndDeactivationEnd) {
    namespace msg = platform::msg;
    const ExitWatch watch{{100, 100}};
    for (uint32_t message :
         {msg::KeyDown, msg::SysKeyDown, msg::LeftButtonDown, msg::RightButtonDown, msg::MiddleButtonDown})
        EXPECT_TRUE(watch.Ends(message, 0, {100, 100})) << message;
    EXPECT_FALSE(watch.Ends(msg::Activate, 0, {100, 100}));  // another of the saver's windows took it
    EXPECT_TRUE(watch.Ends(msg::ActivateApp, 0, {100, 100}));
    EXPECT_FALSE(watch.Ends(msg::ActivateApp, 1, {100, 100}));
    EXPECT_FALSE(watch.Ends(msg::KeyUp, 0, {100, 100}));
    EXPECT_FALSE(watch.Ends(msg::Paint, 0, {100, 100}));
}

TEST(ExitWatch, OnlyAMoveBeyondTheSlackEnds) {
    const ExitWatch watch{{100, 100}};
    const int32_t slack = ExitWatch::kPointerSlack;
    for (platform::Point still :
         {platform::Point{100, 100}, platform::Point{102, 98}, platform::Point{100 + slack, 100 - slack}})
        EXPECT_FALSE(watch.Ends(platform::msg::MouseMove, 0, still)) << still.x << " " << still.y;
    for (platform::Point moved :
         {platform::Point{101 + slack, 100}, platform::Point{100, 99 - slack}, platform::Point{-500, 3000}})
        EXPECT_TRUE(watch.Ends(platform::msg::MouseMove, 0, moved)) << moved.x << " " << moved.y;
}

}  // namespace
