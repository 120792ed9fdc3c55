#include "drawbench/results.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "drawbench/results_formats.h"

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size()) return false;
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - ending.size() + i])) != ending[i])
            return false;
    return true;
}

std::string Formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

// printf into a string of whatever length the figures need.
std::string Formatted(const char* format, ...) {
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    return text;
}

std::string ConsoleLine(const PathResult& r) {
    const char* lists = r.path.lists ? "on" : "off";
    if (!r.supported)
        return Formatted("%-13s %-12s %-6s %8s\n", ModeName(r.path.mode), MethodName(r.path), lists,
                         "unsupported");
    return Formatted("%-13s %-12s %-6s %8.1f %8.1f %6.2f  (%5.2f - %5.2f) %8.2f %11.2f %9lld%s\n",
                     ModeName(r.path.mode), MethodName(r.path), lists, r.fps, r.bareFps, r.ratio.median,
                     r.ratio.min, r.ratio.max, r.frameTimes.p99, r.compileMs,
                     static_cast<long long>(r.differingPixels), r.capped ? "  vsync" : "");
}

}  // namespace

const char* MethodColumn(RenderMethod method) {
    return method == RenderMethod::DirectVertices ? "direct" : "arrays";
}

std::string Fixed(double value, int decimals) {
    if (!std::isfinite(value)) return {};
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

ResultsFormat FormatForFileName(const std::string& fileName) {
    if (EndsWithNoCase(fileName, ".json")) return ResultsFormat::Json;
    if (EndsWithNoCase(fileName, ".html") || EndsWithNoCase(fileName, ".htm")) return ResultsFormat::Html;
    return ResultsFormat::Csv;
}

std::string FormatResults(ResultsFormat format, const RunHeader& header, const std::vector<PathResult>& results) {
    switch (format) {
        case ResultsFormat::Json: return ResultsJson(header, results);
        case ResultsFormat::Html: return ResultsHtml(header, results);
        case ResultsFormat::Csv: break;
    }
    return ResultsCsv(header, results);
}

std::string FormatConsoleTable(const std::vector<PathResult>& results) {
    std::string table = Formatted("%-13s %-12s %-6s %8s %8s %6s %15s %8s %11s %9s\n", "mode", "method", "lists",
                                  "fps", "bare fps", "ratio", "(range)", "p99 ms", "compile ms", "diff px");
    bool anyCapped = false, anyUnsupported = false;
    for (const PathResult& r : results) {
        table += ConsoleLine(r);
        anyCapped = anyCapped || (r.supported && r.capped);
        anyUnsupported = anyUnsupported || !r.supported;
    }
    if (anyCapped) table += "vsync: the rate is the display's refresh, so the ratio says little of the path.\n";
    if (anyUnsupported) table += "unsupported: the driver lacks the compiled-array extension the path needs.\n";
    return table;
}
