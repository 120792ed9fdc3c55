#pragma once
// A benchmark run's results: the run's context (driver, window, versions,
// workload) and one record a drawing path, written as CSV, JSON or a
// self-contained HTML page, or as the table printed on the console.
#include <cstdint>
#include <string>
#include <vector>

#include "drawbench/drawing_path.h"
#include "drawbench/statistics.h"

struct PathResult {
    DrawingPath path;
    bool supported = true;        // false: the driver lacks what the path needs (the compiled-array lock)
    double fps = 0, bareFps = 0;  // medians of the path's rounds and of its bare loop's
    RatioRange ratio;             // the path's rate over its bare loop's, round by round
    FrameTimes frameTimes;
    double compileMs = 0;         // compiling the display lists; 0 without lists
    int64_t differingPixels = 0;  // between a frame of the path and the same frame of its bare loop
    bool capped = false;          // the rate is the display's refresh (CappedByRefresh)
};

struct RunHeader {
    std::string glVendor, glRenderer, glVersion;
    std::vector<std::string> extensionsUsed;
    int width = 0, height = 0;
    int swapInterval = -1;  // read back; -1 when the driver has no swap control
    double refreshHz = 0;   // 0 when unknown
    std::string windowsVersion, wineVersion /* empty when not under Wine */, orbaltVersion, workloadHash;
    double secondsPerRound = 0;
    int rounds = 0;
};

enum class ResultsFormat { Csv, Json, Html };

// By the file name's ending, in any case: .json, .html or .htm; CSV otherwise.
ResultsFormat FormatForFileName(const std::string& fileName);

// The whole results file. CSV lines end in CR LF (RFC 4180), so write the
// text in binary mode; JSON and HTML lines end in LF.
std::string FormatResults(ResultsFormat format, const RunHeader& header, const std::vector<PathResult>& results);

// The table printed at the end of a run: one line a path with its rates,
// ratio and range, p99 frame time, list compile time and differing pixels,
// marking capped and unsupported paths.
std::string FormatConsoleTable(const std::vector<PathResult>& results);
