#pragma once
// orbalt-bench's command line: how long and how often each drawing path is
// timed, the window's size, which paths, and where the results go.
#include <string>
#include <vector>

struct BenchOptions {
    // The defaults time 30 paths x 3 rounds x (path + bare loop) x 0.25 s:
    // 45 s, a run of under a minute.
    double seconds = 0.25;  // a round's length
    int rounds = 3;         // rounds of each path, and as many of its bare loop
    int width = 640, height = 480;
    std::string paths = "*";  // the patterns of PathMatches
    std::string results;      // a file for the results; empty: the console only
    std::string sectionFile;  // the tunnel's section file; empty: test.sct beside the program
    bool help = false;        // print kBenchUsage and do nothing else
};

// Reads the arguments after the program's name into `options`. On a bad
// argument returns false with `error` one line naming it, e.g.
// `--rounds: "0" is not a whole number from 1 to 1000`. A help switch ends
// the reading with `help` set.
bool ParseBenchArguments(const std::vector<std::string>& args, BenchOptions& options, std::string& error);

// What orbalt-bench prints for --help and after a bad argument.
extern const char* const kBenchUsage;
