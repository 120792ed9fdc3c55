// The workload's hash and the results in each format: CSV a spreadsheet
// reads, JSON a parser takes, an HTML page with nothing outside it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "drawbench/results.h"
#include "drawbench/workload.h"
#include "json_reader.h"

namespace {

Workload FixedWorkload() {
    Workload workload;
    workload.sectionFile = std::string("SCT\0\x01\xfe\r\n", 8);
    workload.seed = 8;
    workload.sections = 256;
    workload.pointsPerSection = 64;
    workload.spacing = 0.5f;
    workload.speed = 0.05f;
    workload.timeStep = 1.0 / 60.0;
    workload.frames = 600;
    return workload;
}

TEST(WorkloadHash, AFixedLiteralThatEveryFieldChanges) {
    // FNV-1a 64 over the little-endian encoding, worked out apart from this code.
    EXPECT_EQ(WorkloadHash(FixedWorkload()), "6ed0dae0919b955b");
    const std::string base = WorkloadHash(FixedWorkload());
    const std::vector<void (*)(Workload&)> changes = {[](Workload& w) { w.sectionFile[3] = '\x02'; },
                                                      [](Workload& w) { w.sectionFile += '\0'; },
                                                      [](Workload& w) { w.seed = 9; },
                                                      [](Workload& w) { w.sections = 512; },
                                                      [](Workload& w) { w.pointsPerSection = 32; },
                                                      [](Workload& w) { w.spacing = 0.25f; },
                                                      [](Workload& w) { w.speed = 0.06f; },
                                                      [](Workload& w) { w.timeStep = 1.0 / 30.0; },
                                                      [](Workload& w) { w.frames = 601; }};
    for (size_t i = 0; i < changes.size(); ++i) {
        Workload changed = FixedWorkload();
        changes[i](changed);
        EXPECT_NE(WorkloadHash(changed), base) << "change " << i;
    }
    // The length comes first: moving a byte from the file into the seed changes the hash.
    Workload shorter;
    shorter.sectionFile = "ab";
    Workload longer;
    longer.sectionFile = std::string("ab\0", 3);
    EXPECT_NE(WorkloadHash(shorter), WorkloadHash(longer));
}

RunHeader Header() {
    RunHeader header;
    header.glVendor = "Vendor <&> \"Inc\"";
    header.glRenderer = "Fast, \"Pro\" GPU";
    header.glVersion = "1.1 build\t7\n\x01 caf\xc3\xa9";
    header.extensionsUsed = {"GL_EXT_compiled_vertex_array", "WGL_EXT_swap_control"};
    header.width = 640;
    header.height = 480;
    header.swapInterval = 0;
    header.refreshHz = 60;
    header.windowsVersion = "Windows 10 <build>";
    header.wineVersion = "wine-8.0";
    header.orbaltVersion = "1.0";
    header.workloadHash = "6ed0dae0919b955b";
    header.secondsPerRound = 0.25;
    header.rounds = 3;
    return header;
}

std::vector<PathResult> Results() {
    PathResult measured;
    measured.path = {RenderMode::SolidFlat, RenderMethod::VertexArrays, false, true};
    measured.fps = 1234.56;
    measured.bareFps = 1000;
    measured.ratio = {1.23456, 1.2, 1.3};
    measured.frameTimes = {0.8, 0.9, 1.25, 2.5};
    measured.compileMs = 12.3456;
    measured.differingPixels = 42;
    PathResult capped = measured;
    capped.path = {RenderMode::Points, RenderMethod::DirectVertices, false, false};
    capped.fps = 59.9;
    capped.capped = true;
    PathResult unsupported;
    unsupported.path = {RenderMode::Wireframe, RenderMethod::VertexArrays, true, false};
    unsupported.supported = false;
    return {measured, capped, unsupported};
}

std::vector<std::string> Lines(const std::string& text, const std::string& end) {
    std::vector<std::string> lines;
    for (size_t at = 0, next = 0; at < text.size(); at = next + end.size()) {
        next = text.find(end, at);
        if (next == std::string::npos) next = text.size();
        lines.push_back(text.substr(at, next - at));
    }
    return lines;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(ResultsFormat, ChosenByTheFileNamesEnding) {
    EXPECT_EQ(FormatForFileName("run.json"), ResultsFormat::Json);
    EXPECT_EQ(FormatForFileName("C:\\runs\\RUN.JSON"), ResultsFormat::Json);
    EXPECT_EQ(FormatForFileName("run.Html"), ResultsFormat::Html);
    EXPECT_EQ(FormatForFileName("run.htm"), ResultsFormat::Html);
    for (const char* csv : {"run.csv", "run.txt", "run", "json", "run.json.bak", ".htmx", ""})
        EXPECT_EQ(FormatForFileName(csv), ResultsFormat::Csv) << csv;
}

TEST(ResultsCsv, AHeaderLineThenOneQuotedRowAPath) {
    const std::string csv = FormatResults(ResultsFormat::Csv, Header(), Results());
    const std::vector<std::string> lines = Lines(csv, "\r\n");
    ASSERT_EQ(lines.size(), 4u) << csv;
    EXPECT_EQ(lines[0],
              "mode,method,lock,lists,supported,fps,bare_fps,ratio,ratio_min,ratio_max,p50_ms,p95_ms,p99_ms,"
              "max_ms,compile_ms,differing_pixels,capped,renderer,width,height,swap_interval,workload_hash");
    EXPECT_EQ(lines[1],
              "solid flat,arrays,no,yes,yes,1234.6,1000.0,1.235,1.200,1.300,0.800,0.900,1.250,2.500,12.346,42,no,"
              "\"Fast, \"\"Pro\"\" GPU\",640,480,0,6ed0dae0919b955b");
    EXPECT_EQ(lines[2].substr(0, 26), "points,direct,no,no,yes,59");
    EXPECT_NE(lines[2].find(",42,yes,"), std::string::npos);
    EXPECT_EQ(lines[3],
              "wireframe,arrays,yes,no,no,,,,,,,,,,,,,\"Fast, \"\"Pro\"\" GPU\",640,480,0,6ed0dae0919b955b");
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
    RunHeader lineBreak = Header();
    lineBreak.glRenderer = "two\nlines";
    EXPECT_NE(FormatResults(ResultsFormat::Csv, lineBreak, Results()).find(",\"two\nlines\","), std::string::npos);
}

TEST(ResultsJson, ParsesWithEveryHeaderFieldAndNullsForWhatWasNotMeasured) {
    std::vector<PathResult> results = Results();
    results[0].bareFps = NAN;
    results[0].frameTimes.max = INFINITY;
    const std::string json = FormatResults(ResultsFormat::Json, Header(), results);
    JsonValue document;
    JsonReader reader;
    ASSERT_TRUE(reader.Read(json, document)) << "at " << reader.at() << " of\n" << json;

    const JsonValue& header = document["header"];
    EXPECT_EQ(header["gl_vendor"].text, Header().glVendor);
    EXPECT_EQ(header["gl_renderer"].text, Header().glRenderer);
    EXPECT_EQ(header["gl_version"].text, Header().glVersion);  // tab, line break, \x01, UTF-8 back as written
    EXPECT_NE(json.find("\"1.1 build\\u0009"
                        "7\\u000a\\u0001 caf\xc3\xa9\""),
              std::string::npos);
    ASSERT_EQ(header["extensions_used"].items.size(), 2u);
    EXPECT_EQ(header["extensions_used"].items[1].text, "WGL_EXT_swap_control");
    EXPECT_EQ(header["swap_interval"].number, 0);
    EXPECT_EQ(header["refresh_hz"].number, 60);
    EXPECT_EQ(header["wine_version"].text, "wine-8.0");
    EXPECT_EQ(header["seconds_per_round"].number, 0.25);
    EXPECT_EQ(header["rounds"].number, 3);
    EXPECT_EQ(header.members.size(), 14u);

    const std::vector<JsonValue>& paths = document["paths"].items;
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[0]["name"].text, "solid-flat/arrays/lists");
    EXPECT_EQ(paths[0]["mode"].text, "solid flat");
    EXPECT_EQ(paths[0]["method"].text, "arrays");
    EXPECT_TRUE(paths[0]["lists"].boolean && !paths[0]["lock"].boolean && paths[0]["supported"].boolean);
    EXPECT_EQ(paths[0]["fps"].number, 1234.6);
    EXPECT_TRUE(paths[0]["bare_fps"].IsNull());
    EXPECT_EQ(paths[0]["ratio"]["median"].number, 1.235);
    EXPECT_EQ(paths[0]["frame_ms"]["p99"].number, 1.25);
    EXPECT_TRUE(paths[0]["frame_ms"]["max"].IsNull());
    EXPECT_EQ(paths[0]["differing_pixels"].number, 42);
    EXPECT_TRUE(paths[1]["capped"].boolean);
    EXPECT_FALSE(paths[2]["supported"].boolean);
    for (const char* figure : {"fps", "bare_fps", "ratio", "frame_ms", "compile_ms", "differing_pixels", "capped"})
        EXPECT_TRUE(paths[2][figure].IsNull() && paths[2].members.count(figure) == 1) << figure;

    JsonValue empty;
    EXPECT_TRUE(reader.Read(FormatResults(ResultsFormat::Json, RunHeader{}, {}), empty));
    EXPECT_TRUE(empty["paths"].items.empty());
}

TEST(ResultsHtml, ASelfContainedPageWithTheHeaderEscapedAndABarAPath) {
    const std::string html = FormatResults(ResultsFormat::Html, Header(), Results());
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http"), std::string::npos);
    EXPECT_EQ(html.find("<link"), std::string::npos);
    EXPECT_EQ(html.find("Vendor <&>"), std::string::npos);
    EXPECT_NE(html.find("Vendor &lt;&amp;&gt; &quot;Inc&quot;"), std::string::npos);
    EXPECT_NE(html.find("Windows 10 &lt;build&gt;"), std::string::npos);
    EXPECT_NE(html.find("<title>orbalt-bench: Fast, &quot;Pro&quot; GPU</title>"), std::string::npos);
    for (const char* shown : {"6ed0dae0919b955b", "wine-8.0", "60.00 Hz", "640 x 480", "3 x 0.250 s"})
        EXPECT_NE(html.find(shown), std::string::npos) << shown;

    // Two charts, each with a row a path: a bar for each measured path, a
    // label for the unsupported one, the capped one marked.
    const size_t first = html.find("<svg"), second = html.find("<svg", first + 1);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(Count(html, "<svg"), 2u);
    for (const std::string& chart : {html.substr(first, second - first), html.substr(second)}) {
        EXPECT_EQ(Count(chart, "<rect class=\"bar"), 2u);
        EXPECT_EQ(Count(chart, "<rect class=\"bar capped\""), 1u);
        EXPECT_EQ(Count(chart, ">unsupported</text>"), 1u);
        for (const PathResult& r : Results()) EXPECT_EQ(Count(chart, ">" + PathName(r.path) + "</text>"), 1u);
    }
    // The ratio chart's whisker and its line at 1.0.
    EXPECT_EQ(Count(html.substr(first, second - first), "class=\"whisker\""), 2u);
    EXPECT_EQ(Count(html.substr(first, second - first), ">1.0</text>"), 1u);
    // The full table: a row a path after its header row.
    EXPECT_EQ(Count(html.substr(second), "<tr>"), 4u);
}

TEST(ConsoleTable, ALineAPathWithItsMarks) {
    const std::vector<std::string> lines = Lines(FormatConsoleTable(Results()), "\n");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_NE(lines[0].find("p99 ms"), std::string::npos);
    EXPECT_EQ(lines[1],
              "solid flat    arrays       on       1234.6   1000.0   1.23  ( 1.20 -  1.30)     1.25       12.35   "
              "     42");
    EXPECT_EQ(lines[2].substr(lines[2].size() - 7), "  vsync");
    EXPECT_EQ(lines[3], "wireframe     arrays+lock  off    unsupported");
    EXPECT_EQ(lines[4].substr(0, 6), "vsync:");
    EXPECT_EQ(lines[5].substr(0, 12), "unsupported:");
}

}  // namespace
