// The whole benchmark, start to end, against the platform stand-in (its GL
// draws nothing, so only the run's course is checked here; the measuring is
// checked on an offscreen context): the window it opens, the paths it runs,
// the results file, a run the user stops, and the exit codes.
#include <gtest/gtest.h>

#include <string>

#include "drawbench/bench_objects.h"
#include "drawbench/bench_program.h"
#include "json_reader.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_input_control.h"
#include "support/temp_dir.h"

namespace {

using platform::stub::state;
namespace msg = platform::msg;

class BenchProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ResetBenchObjects();
        platform::stub::Reset();
        platform::stub::ResetInput();
        state().commandLine = "\"" + dir.File("orbalt-bench.exe") + "\"";
        dir.Write("test.sct", TempDir::Read(std::string(ORBALT_DATA_DIR) + "/test.sct"));
    }
    void TearDown() override { ResetBenchObjects(); }

    int Run(const std::string& arguments) { return RunBench(arguments.c_str()); }
    JsonValue Results(const std::string& name) const {
        JsonValue document;
        EXPECT_TRUE(JsonReader().Read(TempDir::Read(dir.File(name)), document));
        return document;
    }

    TempDir dir;
};

TEST_F(BenchProgram, RunsTheChosenPathsInAWindowOfTheSizeAskedAndWritesTheirResults) {
    const std::string results = dir.File("r.json");
    platform::stub::input().clientRect = {0, 0, 320, 200};
    ASSERT_EQ(Run("--seconds 0.01 --rounds 2 --size 320x200 --paths solid-flat/*,*/direct/lists --results \"" +
                  results + "\""),
              bench_exit::Done);
    ASSERT_EQ(state().createdWindows.size(), 1u);
    EXPECT_EQ(state().createdWindows[0].title, "orbalt-bench");
    // The window's frame around a client area of the size asked for.
    EXPECT_EQ(state().createdWindows[0].width, 320 + 8);
    EXPECT_EQ(state().createdWindows[0].height, 200 + 27);
    const JsonValue document = Results("r.json");
    EXPECT_EQ(document["header"]["width"].number, 320);
    EXPECT_EQ(document["header"]["rounds"].number, 2);
    EXPECT_EQ(document["header"]["workload_hash"].text.size(), 16u);
    const auto& paths = document["paths"].items;
    ASSERT_EQ(paths.size(), 10u);  // six solid flat, and four more with direct vertices and lists
    EXPECT_EQ(paths[0]["name"].text, "points/direct/lists");
    EXPECT_EQ(paths[9]["name"].text, "solid-smooth/direct/lists");
    // The stand-in offers no compiled-array extension.
    EXPECT_EQ(paths[5]["name"].text, "solid-flat/arrays+lock/no-lists");
    EXPECT_FALSE(paths[5]["supported"].boolean);
    EXPECT_TRUE(paths[4]["supported"].boolean);
    EXPECT_NE(state().consoleText.find("[10/10] solid-smooth/direct/lists"), std::string::npos);
    EXPECT_NE(state().consoleText.find("results: " + results), std::string::npos);
    // A console of its own (started from Explorer) stays until Enter.
    EXPECT_EQ(state().consoleHoldPrompt, "Press Enter to close this window.\n");
}

TEST_F(BenchProgram, ClosingTheWindowStopsTheRunAndKeepsWhatWasMeasured) {
    // Long rounds: only the close ends the run, after the second path's first round.
    state().messagesAfterSwap[40].push_back({reinterpret_cast<platform::WindowHandle>(0x1010), msg::Close, 0, 0});
    ASSERT_EQ(Run("--seconds 600 --rounds 1 --paths points/* --results " + dir.File("r.json")),
              bench_exit::Stopped);
    const JsonValue document = Results("r.json");
    EXPECT_LT(document["paths"].items.size(), 6u);
    EXPECT_NE(state().consoleText.find("stopped before the end"), std::string::npos);
    EXPECT_EQ(benchWindow.hwnd, nullptr);  // the window is gone at the end
}

TEST_F(BenchProgram, BadArgumentsHelpAndAnUnwritableResultsFileOpenNoWindow) {
    EXPECT_EQ(Run("--rounds 0"), bench_exit::BadArgument);
    EXPECT_NE(state().consoleText.find("--rounds"), std::string::npos);
    EXPECT_NE(state().consoleText.find("--paths"), std::string::npos);  // and the usage after it
    EXPECT_EQ(Run("--help"), bench_exit::Done);
    EXPECT_EQ(Run("--results \"" + dir.File("no folder/r.csv") + "\""), bench_exit::Failed);
    EXPECT_NE(state().consoleText.find("cannot write " + dir.File("no folder/r.csv") + ": system error "),
              std::string::npos);
    EXPECT_TRUE(state().createdWindows.empty());
}

TEST_F(BenchProgram, MissingSectionFileFailsWithItsName) {
    EXPECT_EQ(Run("\"" + dir.File("none.sct") + "\""), bench_exit::Failed);
    EXPECT_NE(state().consoleText.find("the tunnel could not be built from " + dir.File("none.sct")),
              std::string::npos);
}

}  // namespace
