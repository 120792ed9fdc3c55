// The results as one self-contained HTML page: inline CSS and SVG, no scripts
// and nothing fetched, so that the file alone shows everything in any
// browser. The run's context as a table, a bar chart of each path's ratio to
// its bare loop (the median as the bar, the rounds' range as a whisker, a
// line at 1.0), a bar chart of frames per second, then every figure.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "drawbench/results_formats.h"

namespace {

constexpr double kLabelWidth = 230, kPlotWidth = 480, kValueWidth = 200;
constexpr double kRowHeight = 20, kTop = 8, kBottom = 26;

constexpr const char* kStyle =
    "body{font-family:sans-serif;margin:1.5em;color:#222;background:#fff}"
    "table{border-collapse:collapse;margin-bottom:1.5em}"
    "th,td{border:1px solid #ccc;padding:2px 8px;text-align:left}"
    "td.n{text-align:right;font-variant-numeric:tabular-nums}"
    "svg{display:block;margin-bottom:1.5em}svg text{font:12px sans-serif;fill:#222}"
    ".bar{fill:#4a7ab5}.bar.capped{fill:#c8963e}"
    ".whisker{stroke:#222;stroke-width:1.5}"
    ".mark{stroke:#b33;stroke-dasharray:4 3}"
    "svg text.unsupported,td.unsupported{fill:#777;color:#777;font-style:italic}"
    "p.legend{font-size:90%;color:#555}";

std::string Escaped(const std::string& text) {
    std::string html;
    for (const char c : text) {
        switch (c) {
            case '&': html += "&amp;"; break;
            case '<': html += "&lt;"; break;
            case '>': html += "&gt;"; break;
            case '"': html += "&quot;"; break;
            case '\'': html += "&#39;"; break;
            default: html += c;
        }
    }
    return html;
}

// A figure for the page: "-" for one that is not finite.
std::string Figure(double value, int decimals) {
    const std::string text = Fixed(value, decimals);
    return text.empty() ? "-" : text;
}

std::string Coordinate(double value) { return Fixed(value, 1); }

std::string Row(const char* name, const std::string& value) {
    return std::string("<tr><th>") + name + "</th><td>" + Escaped(value) + "</td></tr>\n";
}

std::string HeaderTable(const RunHeader& h) {
    std::string extensions;
    for (const std::string& name : h.extensionsUsed) extensions += (extensions.empty() ? "" : ", ") + name;
    return "<table>\n" + Row("renderer", h.glRenderer) + Row("vendor", h.glVendor) +
           Row("driver version", h.glVersion) +
           Row("size", std::to_string(h.width) + " x " + std::to_string(h.height)) +
           Row("swap interval", h.swapInterval < 0 ? "no swap control" : std::to_string(h.swapInterval)) +
           Row("refresh", h.refreshHz > 1.0 ? Figure(h.refreshHz, 2) + " Hz" : "unknown") +
           Row("Windows", h.windowsVersion) +
           Row("Wine", h.wineVersion.empty() ? "not under Wine" : h.wineVersion) + Row("orbalt", h.orbaltVersion) +
           Row("workload hash", h.workloadHash) +
           Row("rounds", std::to_string(h.rounds) + " x " + Figure(h.secondsPerRound, 3) + " s") +
           Row("extensions used", extensions.empty() ? "none" : extensions) + "</table>\n";
}

// One chart's figures for a path: the bar, its whisker (none when low is not
// below high) and the text beside them.
struct Bar {
    double value = 0, low = 0, high = 0;
    std::string text;
};

class BarChart {
public:
    BarChart(double largest, double markAt, std::string markLabel)
        : scale_(kPlotWidth / (std::max({largest, markAt, 1e-9}) * 1.05)),
          markAt_(markAt),
          markLabel_(std::move(markLabel)) {}

    std::string Svg(const std::vector<PathResult>& results, const std::vector<Bar>& bars) const {
        const double height = kTop + kRowHeight * static_cast<double>(results.size()) + kBottom;
        std::string svg = "<svg width=\"" + Coordinate(kLabelWidth + kPlotWidth + kValueWidth) + "\" height=\"" +
                          Coordinate(height) + "\">\n";
        for (size_t i = 0; i < results.size(); ++i)
            svg += PathRow(results[i], bars[i], kTop + kRowHeight * static_cast<double>(i));
        if (markAt_ > 0) svg += Mark(height);
        return svg + "</svg>\n";
    }

private:
    double X(double value) const {
        return kLabelWidth + (std::isfinite(value) ? std::max(value, 0.0) : 0) * scale_;
    }

    std::string PathRow(const PathResult& r, const Bar& bar, double y) const {
        std::string row = "<text x=\"" + Coordinate(kLabelWidth - 6) + "\" y=\"" + Coordinate(y + 14) +
                          "\" text-anchor=\"end\">" + Escaped(PathName(r.path)) + "</text>";
        if (!r.supported)
            return row + "<text class=\"unsupported\" x=\"" + Coordinate(kLabelWidth + 4) + "\" y=\"" +
                   Coordinate(y + 14) + "\">unsupported</text>\n";
        row += std::string("<rect class=\"bar") + (r.capped ? " capped" : "") + "\" x=\"" +
               Coordinate(kLabelWidth) + "\" y=\"" + Coordinate(y + 3) + "\" width=\"" +
               Coordinate(X(bar.value) - kLabelWidth) + "\" height=\"14\"/>";
        if (bar.low < bar.high)
            row += "<line class=\"whisker\" x1=\"" + Coordinate(X(bar.low)) + "\" x2=\"" +
                   Coordinate(X(bar.high)) + "\" y1=\"" + Coordinate(y + 10) + "\" y2=\"" + Coordinate(y + 10) +
                   "\"/>";
        const double textX = std::max(X(bar.value), X(bar.high)) + 6;
        return row + "<text x=\"" + Coordinate(textX) + "\" y=\"" + Coordinate(y + 14) + "\">" +
               Escaped(bar.text) + (r.capped ? " (vsync)" : "") + "</text>\n";
    }

    std::string Mark(double height) const {
        const std::string x = Coordinate(X(markAt_));
        return "<line class=\"mark\" x1=\"" + x + "\" x2=\"" + x + "\" y1=\"" + Coordinate(kTop - 4) + "\" y2=\"" +
               Coordinate(height - kBottom + 4) + "\"/><text x=\"" + x + "\" y=\"" + Coordinate(height - 6) +
               "\" text-anchor=\"middle\">" + Escaped(markLabel_) + "</text>\n";
    }

    double scale_;
    double markAt_;
    std::string markLabel_;
};

double Largest(const std::vector<Bar>& bars) {
    double largest = 0;
    for (const Bar& bar : bars)
        for (const double value : {bar.value, bar.high})
            if (std::isfinite(value)) largest = std::max(largest, value);
    return largest;
}

std::string RatioChart(const std::vector<PathResult>& results) {
    std::vector<Bar> bars;
    bars.reserve(results.size());
    for (const PathResult& r : results)
        bars.push_back({r.ratio.median, r.ratio.min, r.ratio.max,
                        Figure(r.ratio.median, kRatioDecimals) + " (" + Figure(r.ratio.min, kRatioDecimals) +
                            " - " + Figure(r.ratio.max, kRatioDecimals) + ")"});
    return BarChart(Largest(bars), 1.0, "1.0").Svg(results, bars);
}

std::string FpsChart(const RunHeader& header, const std::vector<PathResult>& results) {
    std::vector<Bar> bars;
    bars.reserve(results.size());
    for (const PathResult& r : results)
        bars.push_back({r.fps, r.fps, r.fps, Figure(r.fps, kFpsDecimals) + " fps"});
    const double refresh = header.refreshHz > 1.0 ? header.refreshHz : 0.0;
    return BarChart(Largest(bars), refresh, "refresh").Svg(results, bars);
}

std::string Cell(const std::string& text) { return "<td class=\"n\">" + text + "</td>"; }

std::string FigureCells(const PathResult& r) {
    if (!r.supported) return "<td class=\"unsupported\" colspan=\"13\">unsupported</td>";
    return Cell(Figure(r.fps, kFpsDecimals)) + Cell(Figure(r.bareFps, kFpsDecimals)) +
           Cell(Figure(r.ratio.median, kRatioDecimals)) + Cell(Figure(r.ratio.min, kRatioDecimals)) +
           Cell(Figure(r.ratio.max, kRatioDecimals)) + Cell(Figure(r.frameTimes.p50, kMsDecimals)) +
           Cell(Figure(r.frameTimes.p95, kMsDecimals)) + Cell(Figure(r.frameTimes.p99, kMsDecimals)) +
           Cell(Figure(r.frameTimes.max, kMsDecimals)) + Cell(Figure(r.compileMs, kMsDecimals)) +
           Cell(std::to_string(r.differingPixels)) + "<td>" + (r.capped ? "vsync" : "") + "</td>";
}

std::string FiguresTable(const std::vector<PathResult>& results) {
    std::string table =
        "<table>\n<tr><th>path</th><th>fps</th><th>bare fps</th><th>ratio</th><th>min</th><th>max</th>"
        "<th>p50 ms</th><th>p95 ms</th><th>p99 ms</th><th>max ms</th><th>compile ms</th>"
        "<th>differing pixels</th><th>capped</th></tr>\n";
    for (const PathResult& r : results)
        table += "<tr><td>" + Escaped(PathName(r.path)) + "</td>" + FigureCells(r) + "</tr>\n";
    return table + "</table>\n";
}

}  // namespace

std::string ResultsHtml(const RunHeader& header, const std::vector<PathResult>& results) {
    const std::string title = "orbalt-bench: " + Escaped(header.glRenderer);
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
           "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n" +
           HeaderTable(header) + "<h2>Ratio to the bare loop</h2>\n" +
           "<p class=\"legend\">Frames per second of the path over those of a bare loop of the same primitives: "
           "the bar is the median of the rounds, the whisker their range. Above 1.0 the path draws faster "
           "than the bare loop. An amber bar marked (vsync): the rate is the display's refresh.</p>\n" +
           RatioChart(results) + "<h2>Frames per second</h2>\n" + FpsChart(header, results) +
           "<h2>All figures</h2>\n" + FiguresTable(results) + "</body>\n</html>\n";
}
