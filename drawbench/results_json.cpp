// The results as JSON: {"header": {...}, "paths": [{...}, ...]}. Figures a
// path could not be measured for, and numbers that are not finite, are null.
#include <cmath>
#include <cstdio>
#include <string>

#include "drawbench/results_formats.h"

namespace {

// Quotes and backslashes escaped, control characters as \u00XX; every other
// byte, UTF-8 sequences included, as it stands.
std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string JsonFixed(double value, int decimals) {
    return std::isfinite(value) ? Fixed(value, decimals) : "null";
}

// A figure of the header, in as few digits as say it.
std::string JsonShortest(double value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

const char* JsonBool(bool value) { return value ? "true" : "false"; }

std::string Member(const char* name, const std::string& json) { return JsonString(name) + ": " + json; }

std::string HeaderJson(const RunHeader& h) {
    std::string extensions = "[";
    for (const std::string& name : h.extensionsUsed)
        extensions += (extensions.size() > 1 ? ", " : "") + JsonString(name);
    extensions += "]";
    const std::string members[] = {Member("gl_vendor", JsonString(h.glVendor)),
                                   Member("gl_renderer", JsonString(h.glRenderer)),
                                   Member("gl_version", JsonString(h.glVersion)),
                                   Member("extensions_used", extensions),
                                   Member("width", std::to_string(h.width)),
                                   Member("height", std::to_string(h.height)),
                                   Member("swap_interval", std::to_string(h.swapInterval)),
                                   Member("refresh_hz", JsonShortest(h.refreshHz)),
                                   Member("windows_version", JsonString(h.windowsVersion)),
                                   Member("wine_version", JsonString(h.wineVersion)),
                                   Member("orbalt_version", JsonString(h.orbaltVersion)),
                                   Member("workload_hash", JsonString(h.workloadHash)),
                                   Member("seconds_per_round", JsonShortest(h.secondsPerRound)),
                                   Member("rounds", std::to_string(h.rounds))};
    std::string json = "{\n";
    for (const std::string& member : members) json += (json.size() > 2 ? ",\n    " : "    ") + member;
    return json + "\n  }";
}

std::string FiguresJson(const PathResult& r) {
    if (!r.supported)
        return "\"fps\": null, \"bare_fps\": null, \"ratio\": null, \"frame_ms\": null, \"compile_ms\": null, "
               "\"differing_pixels\": null, \"capped\": null";
    const std::string ratio = "{\"median\": " + JsonFixed(r.ratio.median, kRatioDecimals) +
                              ", \"min\": " + JsonFixed(r.ratio.min, kRatioDecimals) +
                              ", \"max\": " + JsonFixed(r.ratio.max, kRatioDecimals) + "}";
    const FrameTimes& t = r.frameTimes;
    const std::string frameMs =
        "{\"p50\": " + JsonFixed(t.p50, kMsDecimals) + ", \"p95\": " + JsonFixed(t.p95, kMsDecimals) +
        ", \"p99\": " + JsonFixed(t.p99, kMsDecimals) + ", \"max\": " + JsonFixed(t.max, kMsDecimals) + "}";
    return Member("fps", JsonFixed(r.fps, kFpsDecimals)) + ", " +
           Member("bare_fps", JsonFixed(r.bareFps, kFpsDecimals)) + ", " + Member("ratio", ratio) + ", " +
           Member("frame_ms", frameMs) + ", " + Member("compile_ms", JsonFixed(r.compileMs, kMsDecimals)) + ", " +
           Member("differing_pixels", std::to_string(r.differingPixels)) + ", " +
           Member("capped", JsonBool(r.capped));
}

std::string PathJson(const PathResult& r) {
    const DrawingPath& path = r.path;
    const char* method = MethodColumn(path.method);
    return "{" + Member("name", JsonString(PathName(path))) + ", " +
           Member("mode", JsonString(ModeName(path.mode))) + ", " + Member("method", JsonString(method)) + ", " +
           Member("lock", JsonBool(path.lock)) + ", " + Member("lists", JsonBool(path.lists)) + ", " +
           Member("supported", JsonBool(r.supported)) + ", " + FiguresJson(r) + "}";
}

}  // namespace

std::string ResultsJson(const RunHeader& header, const std::vector<PathResult>& results) {
    std::string json = "{\n  \"header\": " + HeaderJson(header) + ",\n  \"paths\": [";
    for (size_t i = 0; i < results.size(); ++i) json += (i == 0 ? "\n    " : ",\n    ") + PathJson(results[i]);
    return json + (results.empty() ? "]\n}\n" : "\n  ]\n}\n");
}
