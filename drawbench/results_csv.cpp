// The results as CSV (RFC 4180): a header line, then one row a path. Each row
// repeats the run's renderer, size, swap interval and workload, so that the
// rows of many runs can be gathered in one file and still be told apart.
#include <iterator>
#include <string>

#include "drawbench/results_formats.h"

namespace {

constexpr const char* kCsvHeader =
    "mode,method,lock,lists,supported,fps,bare_fps,ratio,ratio_min,ratio_max,p50_ms,p95_ms,p99_ms,max_ms,"
    "compile_ms,differing_pixels,capped,renderer,width,height,swap_interval,workload_hash";
constexpr const char* kLineEnd = "\r\n";
constexpr size_t kFigureColumns = 12;

// A field as it stands, or quoted with its quotes doubled when it holds a
// comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

const char* YesNo(bool value) { return value ? "yes" : "no"; }

// The measured columns, fps to capped; empty for a path the driver cannot draw.
std::string Figures(const PathResult& r) {
    if (!r.supported) return std::string(kFigureColumns - 1, ',');
    const std::string fields[kFigureColumns] = {Fixed(r.fps, kFpsDecimals),
                                                Fixed(r.bareFps, kFpsDecimals),
                                                Fixed(r.ratio.median, kRatioDecimals),
                                                Fixed(r.ratio.min, kRatioDecimals),
                                                Fixed(r.ratio.max, kRatioDecimals),
                                                Fixed(r.frameTimes.p50, kMsDecimals),
                                                Fixed(r.frameTimes.p95, kMsDecimals),
                                                Fixed(r.frameTimes.p99, kMsDecimals),
                                                Fixed(r.frameTimes.max, kMsDecimals),
                                                Fixed(r.compileMs, kMsDecimals),
                                                std::to_string(r.differingPixels),
                                                YesNo(r.capped)};
    std::string row = fields[0];
    for (size_t i = 1; i < std::size(fields); ++i) row += "," + fields[i];
    return row;
}

std::string CsvRow(const RunHeader& header, const PathResult& r) {
    const DrawingPath& path = r.path;
    return CsvField(ModeName(path.mode)) + "," + MethodColumn(path.method) + "," + YesNo(path.lock) + "," +
           YesNo(path.lists) + "," + YesNo(r.supported) + "," + Figures(r) + "," + CsvField(header.glRenderer) +
           "," + std::to_string(header.width) + "," + std::to_string(header.height) + "," +
           std::to_string(header.swapInterval) + "," + CsvField(header.workloadHash) + kLineEnd;
}

}  // namespace

std::string ResultsCsv(const RunHeader& header, const std::vector<PathResult>& results) {
    std::string csv = std::string(kCsvHeader) + kLineEnd;
    for (const PathResult& r : results) csv += CsvRow(header, r);
    return csv;
}
