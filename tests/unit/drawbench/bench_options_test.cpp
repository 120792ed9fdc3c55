// orbalt-bench's command line: the defaults, each switch, and every way an
// argument is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawbench/bench_options.h"

namespace {

BenchOptions Parsed(const std::vector<std::string>& args) {
    BenchOptions options;
    std::string error;
    EXPECT_TRUE(ParseBenchArguments(args, options, error)) << error;
    EXPECT_EQ(error, "");
    return options;
}

std::string Refusal(const std::vector<std::string>& args) {
    BenchOptions options;
    std::string error;
    EXPECT_FALSE(ParseBenchArguments(args, options, error));
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    return error;
}

TEST(BenchOptions, NoArgumentsGiveTheDefaults) {
    const BenchOptions options = Parsed({});
    EXPECT_EQ(options.seconds, 0.25);
    EXPECT_EQ(options.rounds, 3);
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_EQ(options.paths, "*");
    EXPECT_EQ(options.results, "");
    EXPECT_EQ(options.sectionFile, "");
    EXPECT_FALSE(options.help);
}

TEST(BenchOptions, EverySwitch) {
    const BenchOptions options = Parsed({"--seconds", "1.5", "--rounds", "1000", "--size", "1024X768", "--paths",
                                         "solid*,*/lists", "--results", "out.html", "my tunnel.sct"});
    EXPECT_EQ(options.seconds, 1.5);
    EXPECT_EQ(options.rounds, 1000);
    EXPECT_EQ(options.width, 1024);
    EXPECT_EQ(options.height, 768);
    EXPECT_EQ(options.paths, "solid*,*/lists");
    EXPECT_EQ(options.results, "out.html");
    EXPECT_EQ(options.sectionFile, "my tunnel.sct");
    EXPECT_EQ(Parsed({"--seconds", "600"}).seconds, 600);
    EXPECT_EQ(Parsed({"--seconds", ".5"}).seconds, 0.5);
    EXPECT_EQ(Parsed({"--seconds", "2e-3"}).seconds, 0.002);
    EXPECT_EQ(Parsed({"--rounds", "1"}).rounds, 1);
    EXPECT_EQ(Parsed({"--size", "64x8192"}).height, 8192);
    for (const char* help : {"--help", "-h", "/?"}) EXPECT_TRUE(Parsed({"--rounds", "2", help, "--bogus"}).help);
}

TEST(BenchOptions, NumbersMustBeWholeWordsInRange) {
    for (const char* seconds : {"0", "-1", "600.001", "1e", "1e+", "nan", "inf", "-inf", "0x10", "3x", "", " 1",
                                "1 ", ".", "1..2", "1e999"})
        EXPECT_EQ(Refusal({"--seconds", seconds}),
                  std::string("--seconds: \"") + seconds + "\" is not a number of seconds above 0 and up to 600");
    for (const char* rounds : {"0", "1001", "-3", "+3", "2.0", "1e2", "3x", "", "99999999999999999999"})
        EXPECT_EQ(Refusal({"--rounds", rounds}),
                  std::string("--rounds: \"") + rounds + "\" is not a whole number from 1 to 1000");
    for (const char* size :
         {"640", "640x", "x480", "63x480", "640x8193", "640*480", "640x480x2", "640 x 480", "64.0x480", ""})
        EXPECT_EQ(Refusal({"--size", size}),
                  std::string("--size: \"") + size + "\" is not a size WxH with whole numbers from 64 to 8192");
}

TEST(BenchOptions, OtherRefusalsNameTheArgument) {
    EXPECT_EQ(Refusal({"--rounds"}), "--rounds: a value is missing");
    EXPECT_EQ(Refusal({"--results", "--rounds", "2"}), "--results: a value is missing");
    EXPECT_EQ(Refusal({"--paths", "lines*"}),
              "--paths: \"lines*\" selects no drawing path (names look like points/direct/no-lists)");
    EXPECT_EQ(Refusal({"--paths", ""}),
              "--paths: \"\" selects no drawing path (names look like points/direct/no-lists)");
    EXPECT_EQ(Refusal({"--results", ""}), "--results: the file name is empty");
    EXPECT_EQ(Refusal({"--frames", "3"}), "--frames: no such switch (--help lists them)");
    EXPECT_EQ(Refusal({"-x"}), "-x: no such switch (--help lists them)");
    EXPECT_EQ(Refusal({"a.sct", "b.sct"}), "\"b.sct\": a second section file (the first is \"a.sct\")");
    EXPECT_EQ(Refusal({""}), "\"\": an empty section file name");
    // A bad argument after good ones is still found.
    EXPECT_EQ(Refusal({"--rounds", "2", "--seconds", "0"}),
              "--seconds: \"0\" is not a number of seconds above 0 and up to 600");
}

TEST(BenchOptions, UsageNamesEverySwitchItsDefaultAndTheExitCodes) {
    const std::string usage = kBenchUsage;
    for (const char* text :
         {"--seconds", "0.25", "--rounds", "3)", "--size", "640x480", "--paths", "--results", "--help", "-h", "/?",
          "0 done", "1 stopped", "2 bad argument", "3 GL or results file failed"})
        EXPECT_NE(usage.find(text), std::string::npos) << text;
}

}  // namespace
