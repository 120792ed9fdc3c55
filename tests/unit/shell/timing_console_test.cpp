// Frame timing from the counter, and the console's output.
#include <gtest/gtest.h>

#include "flight/frame_timer.h"
#include "platform/console.h"
#include "platform/stub/stub_control.h"

namespace {

TEST(FrameTiming, SecondsPerCountUsesTheLow32BitsOfTheFrequency) {
    EXPECT_FLOAT_EQ(SecondsPerCount(10000000), 1e-7f);
    EXPECT_FLOAT_EQ(SecondsPerCount(1000), 0.001f);
    EXPECT_EQ(SecondsPerCount(0), 0.0f);
    EXPECT_EQ(SecondsPerCount(int64_t{1} << 32), 0.0f);  // low bits zero: no usable counter
    EXPECT_FLOAT_EQ(SecondsPerCount((int64_t{1} << 32) + 1000), 0.001f);
}

TEST(FrameTiming, FirstFrameMeasuresFromTheStartUpReading) {
    FrameTimer timer(5000);
    EXPECT_FLOAT_EQ(timer.Advance(5000 + 16667, 1e-6f), 0.016667f);
    EXPECT_FLOAT_EQ(timer.Advance(5000 + 16667 + 20000, 1e-6f), 0.02f);
    EXPECT_EQ(timer.previousValue, 5000u + 16667u);
}

TEST(FrameTiming, WrapOfTheLow32BitsStillGivesTheShortInterval) {
    int64_t before = (int64_t{7} << 32) + 0xFFFFFF00;  // just before the low bits wrap
    FrameTimer timer(before);
    int64_t after = (int64_t{8} << 32) + 0x100;
    EXPECT_FLOAT_EQ(timer.Advance(after, 0.001f), 0x200 * 0.001f);
}

TEST(FrameTiming, NoCounterGivesZeroFrameTimes) {
    FrameTimer timer(0);
    EXPECT_EQ(timer.Advance(123456, SecondsPerCount(0)), 0.0f);
}

TEST(FrameTiming, HighBitsOfReadingsDoNotTakePart) {
    FrameTimer timer(int64_t{3} << 40);
    EXPECT_FLOAT_EQ(timer.Advance((int64_t{9} << 40) + 50, 0.5f), 25.0f);
}

class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override { platform::stub::Reset(); }
};

TEST_F(ConsoleTest, PrintfWritesTheFormattedTextAsIs) {
    Console console;
    EXPECT_EQ(console.Printf("nSegments %d, nSegPoints %d \n", 256, 64), 30);
    EXPECT_EQ(platform::stub::state().consoleText, "nSegments 256, nSegPoints 64 \n");
}

TEST_F(ConsoleTest, TextLongerThanTheBufferIsCutWithoutOverrun) {
    Console console;
    std::string longText(3000, 'x');
    EXPECT_EQ(console.Printf("%s", longText.c_str()), 1023);
    EXPECT_EQ(platform::stub::state().consoleText, std::string(1023, 'x'));
}

TEST_F(ConsoleTest, OpensOnConstructionAndClosesOnDestruction) {
    { Console console; }
    const auto& calls = platform::stub::state().calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "OpenConsole");
    EXPECT_EQ(calls[1], "CloseConsole");
}

}  // namespace
