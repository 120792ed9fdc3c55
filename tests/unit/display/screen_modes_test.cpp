// The list of display modes: order and log lines.
#include <gtest/gtest.h>

#include "display/glwindow.h"
#include "platform/stub/stub_control.h"
#include "support/temp_dir.h"

namespace {

using platform::stub::state;

class ScreenModes : public ::testing::Test {
protected:
    void SetUp() override {
        platform::stub::Reset();
        state().desktop = {1024, 768, 32, 1};
    }
    std::string EnumerateToLog(GLwindow& window, uint32_t* reported = nullptr) {
        std::string path = dir.File("log.txt");
        window.log = std::fopen(path.c_str(), "w");
        uint32_t count = window.EnumScreenModes();
        if (reported) *reported = count;
        std::fclose(window.log);
        window.log = nullptr;
        return TempDir::Read(path);
    }
    TempDir dir;
};

TEST_F(ScreenModes, SortedByWidthHeightBitsAndRate) {
    state().displayModes = {{800, 600, 16, 75}, {640, 480, 32, 60}, {640, 480, 16, 60}, {640, 480, 16, 0}};
    GLwindow window;
    uint32_t reported = 0;
    std::string log = EnumerateToLog(window, &reported);
    EXPECT_EQ(reported, 4u);
    EXPECT_EQ(log,
              "[Screen Mode Enumeration]\n"
              "original  : 1024 x  768, 32 bit @   1 Hz \n"
              "available :  640 x  480, 16 bit @   0 Hz \n"
              "available :  640 x  480, 16 bit @  60 Hz \n"
              "available :  640 x  480, 32 bit @  60 Hz \n"
              "available :  800 x  600, 16 bit @  75 Hz \n"
              "\n");
}

TEST_F(ScreenModes, NumericNotTextualOrderAndDuplicatesKept) {
    state().displayModes = {{1024, 768, 8, 0}, {800, 600, 8, 0}, {1024, 768, 8, 0}};
    GLwindow window;
    window.EnumScreenModes();
    ASSERT_EQ(window.modes.size(), 3u);
    EXPECT_EQ(window.modes[0].width, 800u);
    EXPECT_EQ(window.modes[1], window.modes[2]);
}

TEST_F(ScreenModes, NoModesGiveHeaderOriginalAndBlankLine) {
    GLwindow window;
    uint32_t reported = 7;
    EXPECT_EQ(EnumerateToLog(window, &reported),
              "[Screen Mode Enumeration]\noriginal  : 1024 x  768, 32 bit @   1 Hz \n\n");
    EXPECT_EQ(reported, 0u);
}

TEST_F(ScreenModes, WithoutALogTheListIsStillBuilt) {
    state().displayModes = {{800, 600, 16, 0}, {640, 480, 16, 0}};
    GLwindow window;
    EXPECT_EQ(window.EnumScreenModes(), 2u);
    EXPECT_EQ(window.modes[0].width, 640u);
}

TEST_F(ScreenModes, WideNumbersArePrintedInFull) {
    state().displayModes = {{12345, 67890, 128, 1000}};
    GLwindow window;
    EXPECT_NE(EnumerateToLog(window).find("available : 12345 x 67890, 128 bit @ 1000 Hz \n"), std::string::npos);
}

TEST_F(ScreenModes, AppendedNotReplacedOnASecondCall) {
    state().displayModes = {{640, 480, 16, 0}};
    GLwindow window;
    window.EnumScreenModes();
    window.EnumScreenModes();
    EXPECT_EQ(window.modes.size(), 2u);
}

}  // namespace
