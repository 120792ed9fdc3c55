// The configuration file: keys, values, comments and malformed input.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "display/config_file.h"
#include "shell/settings.h"
#include "support/temp_dir.h"

namespace {

struct Config {
    Settings settings;
    TunnelParams params;
    int opened = -1;
};

Config Read(const std::string& text) {
    TempDir dir;
    Config config;
    StoreDefaults(config.settings);
    config.opened = ReadConfig(config.settings, config.params, dir.Write("orbalt_config.txt", text).c_str());
    return config;
}

TEST(ConfigFile, ShippedNineLinesGiveTheDefaults) {
    Config c = Read(
        "# orbalt configuration\nFullScreen YES\nXResolution 640\nYResolution 480\n"
        "SwapSteerUpDown NO\nSectionPoints 64\nRenderMethod DIRECT\nDisplayLists NO\nLockArrays YES\n");
    EXPECT_EQ(c.opened, 1);
    Settings defaults;
    EXPECT_TRUE(c.settings.FullScreen);
    EXPECT_EQ(c.settings.XResolution, defaults.XResolution);
    EXPECT_EQ(c.settings.YResolution, defaults.YResolution);
    EXPECT_FALSE(c.settings.SwapSteerUpDown);
    EXPECT_EQ(c.params.sectionPoints, 64u);
    EXPECT_EQ(c.settings.renderMethod, RenderMethod::DirectVertices);
    EXPECT_FALSE(c.settings.DisplayLists);
    EXPECT_TRUE(c.settings.LockArrays);
}

TEST(ConfigFile, DefaultsOfTheRecords) {
    Settings s;
    StoreDefaults(s);
    EXPECT_TRUE(s.FullScreen && s.lighting && s.fog && s.depthTest && s.normals && s.texcoords && s.LockArrays);
    EXPECT_FALSE(s.SwapSteerUpDown || s.DisplayLists || s.colors);
    EXPECT_EQ(s.renderMode, RenderMode::SolidSmooth);
    EXPECT_EQ(s.renderMethod, RenderMethod::DirectVertices);
    TunnelParams p;
    EXPECT_EQ(p.sections, 256u);
    EXPECT_EQ(p.sectionPoints, 64u);
    EXPECT_FLOAT_EQ(p.spacing, 0.03125f);
}

TEST(ConfigFile, EveryKeyIsApplied) {
    Config c = Read(
        "FullScreen NO\nXResolution 1024\nYResolution 768\nSwapSteerUpDown YES\n"
        "SectionPoints 128\nRenderMethod ARRAYS\nDisplayLists YES\nLockArrays NO\n");
    EXPECT_FALSE(c.settings.FullScreen);
    EXPECT_EQ(c.settings.XResolution, 1024);
    EXPECT_EQ(c.settings.YResolution, 768);
    EXPECT_TRUE(c.settings.SwapSteerUpDown);
    EXPECT_EQ(c.params.sectionPoints, 128u);
    EXPECT_EQ(c.settings.renderMethod, RenderMethod::VertexArrays);
    EXPECT_TRUE(c.settings.DisplayLists);
    EXPECT_FALSE(c.settings.LockArrays);
}

TEST(ConfigFile, OnlyUpperCaseNoIsFalseAndOnlyDirectIsDirect) {
    for (const char* word : {"no", "No", "0", "FALSE", "off"}) {
        Config c = Read(std::string("FullScreen ") + word + "\n");
        EXPECT_TRUE(c.settings.FullScreen) << word;
    }
    EXPECT_EQ(Read("RenderMethod direct\n").settings.renderMethod, RenderMethod::VertexArrays);
}

TEST(ConfigFile, KeysMatchCaseSensitively) {
    Config c = Read("fullscreen NO\nxresolution 800\n");
    EXPECT_TRUE(c.settings.FullScreen);
    EXPECT_EQ(c.settings.XResolution, 640);
}

TEST(ConfigFile, IntegersStopAtTheFirstNonDigit) {
    EXPECT_EQ(Read("XResolution 800x600\n").settings.XResolution, 800);
    EXPECT_EQ(Read("XResolution abc\n").settings.XResolution, 0);
    EXPECT_EQ(Read("XResolution -12\n").settings.XResolution, -12);
    EXPECT_EQ(Read("XResolution +42\n").settings.XResolution, 42);
}

TEST(ConfigFile, HugeIntegersSaturateInsteadOfWrapping) {
    EXPECT_EQ(Read("XResolution 99999999999999999999\n").settings.XResolution, INT32_MAX);
    EXPECT_EQ(Read("YResolution -99999999999999999999\n").settings.YResolution, INT32_MIN);
}

TEST(ConfigFile, CommentsOnlyAtTheVeryFirstCharacter) {
    EXPECT_TRUE(Read("#FullScreen NO\n").settings.FullScreen);
    // Blanks before '#': not a comment, its key is the number sign.
    Config c = Read("  # FullScreen NO\n");
    EXPECT_TRUE(c.settings.FullScreen);
}

TEST(ConfigFile, LaterLinesOverrideEarlierOnes) {
    EXPECT_EQ(Read("XResolution 800\nXResolution 1280\n").settings.XResolution, 1280);
}

TEST(ConfigFile, ThirdWordAndRestAreIgnored) {
    Config c = Read("XResolution 800 600 and more words\n");
    EXPECT_EQ(c.settings.XResolution, 800);
}

TEST(ConfigFile, LinesWithFewerThanTwoWordsChangeNothing) {
    Config c = Read("FullScreen NO\nXResolution\n\n   \nFullScreen\n");
    EXPECT_FALSE(c.settings.FullScreen);
    EXPECT_EQ(c.settings.XResolution, 640);
}

TEST(ConfigFile, CrLfLineEndings) {
    Config c = Read("FullScreen NO\r\nXResolution 800\r\nRenderMethod DIRECT\r\n");
    EXPECT_FALSE(c.settings.FullScreen);
    EXPECT_EQ(c.settings.XResolution, 800);
    EXPECT_EQ(c.settings.renderMethod, RenderMethod::DirectVertices);
}

// Every byte is read as it is, as on Windows where text mode would differ: a
// lone CR is a blank, not a line end, and 0x1A ends nothing.
TEST(ConfigFile, LoneCrIsABlankAndCtrlZEndsNothing) {
    Config c = Read("XResolution 800\rYResolution 600\n");
    EXPECT_EQ(c.settings.XResolution, 800);
    EXPECT_EQ(c.settings.YResolution, 480);  // the third word of the line
    EXPECT_FALSE(Read("FullScreen\rNO\n").settings.FullScreen);

    c = Read("FullScreen YES\r\n\x1A\r\nFullScreen NO\r\nXResolution 720\x1A\n");
    EXPECT_FALSE(c.settings.FullScreen);
    EXPECT_EQ(c.settings.XResolution, 720);                        // the number stops before the byte
    EXPECT_TRUE(Read("FullScreen NO\x1A\n").settings.FullScreen);  // "NO" and a byte is not "NO"
}

// Notepad's "UTF-8 with BOM" starts the file with a byte-order mark; the
// first line reads as written. A mark anywhere else is part of the text.
TEST(ConfigFile, AByteOrderMarkAtTheStartIsSkipped) {
    Config c = Read(
        "\xEF\xBB\xBF"
        "FullScreen NO\r\nXResolution 800\r\n");
    EXPECT_FALSE(c.settings.FullScreen);
    EXPECT_EQ(c.settings.XResolution, 800);
    EXPECT_TRUE(Read("\n\xEF\xBB\xBF"
                     "FullScreen NO\n")
                    .settings.FullScreen);
    EXPECT_TRUE(Read("\xEF\xBB"
                     "FullScreen NO\n")
                    .settings.FullScreen);  // half a mark is no mark
}

TEST(ConfigFile, LastLineWithoutLineEnd) { EXPECT_EQ(Read("XResolution 1000").settings.XResolution, 1000); }

TEST(ConfigFile, OverlongLinesCountOnlyTheirFirst127Characters) {
    // The tail of a long comment must not be read as a setting of its own.
    std::string comment = "#" + std::string(140, 'x') + " FullScreen NO\n";
    EXPECT_TRUE(Read(comment).settings.FullScreen);
    // A setting within the first 127 characters still applies.
    std::string padded = "XResolution 800 " + std::string(300, 'y') + "\nYResolution 600\n";
    Config c = Read(padded);
    EXPECT_EQ(c.settings.XResolution, 800);
    EXPECT_EQ(c.settings.YResolution, 600);
}

TEST(ConfigFile, OverlongWordsMakeTheLineIgnored) {
    Config c = Read("XResolution " + std::string(64, '9') + "\nFullScreen" + std::string(60, 'Z') + " NO\n");
    EXPECT_EQ(c.settings.XResolution, 640);
    EXPECT_TRUE(c.settings.FullScreen);
    EXPECT_EQ(Read("XResolution " + std::string(60, '0') + "7\n").settings.XResolution, 7);
}

TEST(ConfigFile, BinaryGarbageAndEmptyFilesLeaveTheDefaults) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    Config c = Read(garbage);
    EXPECT_EQ(c.opened, 1);
    EXPECT_EQ(c.settings.XResolution, 640);
    EXPECT_EQ(Read("").opened, 1);
}

TEST(ConfigFile, EmbeddedNulDoesNotLeakIntoTheValue) {
    Config c =
        Read(std::string("XResolution 8\0"
                         "00\n",
                         17));
    EXPECT_EQ(c.settings.XResolution, 8);
}

TEST(ConfigFile, MissingFileOrDirectoryLeavesTheRecordsUntouched) {
    TempDir dir;
    Settings s;
    StoreDefaults(s);
    s.XResolution = 123;
    TunnelParams p;
    EXPECT_EQ(ReadConfig(s, p, dir.File("absent.txt").c_str()), 0);
    EXPECT_EQ(s.XResolution, 123);
    std::filesystem::create_directory(dir.File("orbalt_config.txt"));
    ReadConfig(s, p, dir.File("orbalt_config.txt").c_str());
    EXPECT_EQ(s.XResolution, 123);
}

// Files are named in UTF-8, whatever characters their folders hold.
TEST(ConfigFile, WrittenAndReadInFoldersOfAnyCharacters) {
    TempDir dir;
    const std::vector<ConfigEntry> written{{"FullScreen", "NO"}, {"XResolution", "800"}};
    for (const char* folder : {"Демо папка", "デモ", "My Demos ö"}) {
        SCOPED_TRACE(folder);
        std::filesystem::create_directory(dir.File(folder));
        const std::string path = dir.File(std::string(folder) + "/orbalt_config.txt");
        ASSERT_TRUE(WriteConfigFile(path.c_str(), written));
        std::vector<ConfigEntry> read;
        ASSERT_TRUE(ReadConfigFile(path.c_str(), read));
        ASSERT_EQ(read.size(), 2u);
        EXPECT_EQ(read[1].value, "800");
    }
    EXPECT_FALSE(WriteConfigFile(dir.File("Нет/orbalt_config.txt").c_str(), written));  // no such folder
}

TEST(ConfigFile, NoKeysForRuntimeOnlySettings) {
    Config c = Read("lighting NO\nfog NO\nRenderMode 0\nsections 16\n");
    EXPECT_TRUE(c.settings.lighting);
    EXPECT_TRUE(c.settings.fog);
    EXPECT_EQ(c.settings.renderMode, RenderMode::SolidSmooth);
    EXPECT_EQ(c.params.sections, 256u);
}

}  // namespace
