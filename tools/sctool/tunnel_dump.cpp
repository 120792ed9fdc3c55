#include "tools/sctool/tunnel_dump.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "flight/wrap_around.h"
#include "shell/program.h"
#include "tools/sctool/arguments.h"
#include "tunnel/orbalt2.h"
#include "tunnel/section_walker.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel/tunnel_builder.h"

namespace {

struct BuildOptions {
    std::string path;
    uint32_t sections = 256;
    uint32_t points = 64;
    float spacing = 0.03125f;
    uint32_t seed = kStandardWalkSeed;
    std::vector<float> fly;  // camera z of each move
    std::vector<std::string> flyLabels;
};

bool SplitLabels(const std::string& text, std::vector<std::string>& labels) {
    size_t from = 0;
    while (true) {
        const size_t comma = text.find(',', from);
        labels.push_back(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (comma == std::string::npos) return true;
        from = comma + 1;
    }
}

bool ParseBuildOptions(const std::vector<std::string>& args, bool allowFly, BuildOptions& options) {
    if (args.empty()) return false;
    options.path = args[0];
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "sctool: option %s needs a value\n", args[i].c_str());
            return false;
        }
        const std::string& option = args[i];
        const std::string& value = args[i + 1];
        bool good = false;
        if (option == "--sections") good = ParseUnsigned(value, options.sections);
        if (option == "--points") good = ParseUnsigned(value, options.points);
        if (option == "--spacing") good = ParseFloat(value, options.spacing);
        if (option == "--seed") good = ParseUnsigned(value, options.seed);
        if (option == "--fly" && allowFly)
            good = ParseFloatList(value, 0, options.fly) && SplitLabels(value, options.flyLabels);
        if (!good) {
            std::fprintf(stderr, "sctool: bad option %s %s (see sctool --help)\n", option.c_str(), value.c_str());
            return false;
        }
    }
    return true;
}

// What the program would show in a message box, printed on the error stream.
void PrintMessage(platform::WindowHandle, const char* text, const char* caption) {
    std::fprintf(stderr, "sctool: %s: %s\n", caption, text);
}

const TunnelMessages kPrintedMessages{nullptr, kProgramName, PrintMessage};

// The program's start-up build: the standard tunnel of the given size.
bool BuildRequestedTunnel(const BuildOptions& options, Orbalt2& mesh, TunnelBuilder& builder) {
    const TunnelParams params{options.sections, options.points, options.spacing};
    if (!SizeStandardMesh(mesh, params) || !AttachStandardBuilder(builder, mesh)) {
        std::fprintf(stderr, "sctool: the mesh or the builder rejects %u sections of %u points\n",
                     options.sections, options.points);
        return false;
    }
    if (!builder.Init(options.seed, 0.0f, options.spacing, options.path.c_str(), kPrintedMessages)) {
        std::fprintf(stderr, "sctool: the tunnel cannot be built from %s\n", options.path.c_str());
        return false;
    }
    return true;
}

void PrintBox(const char* tag, const Box2& b) {
    std::printf("%s %.9g %.9g %.9g %.9g\n", tag, b.xmin, b.ymin, b.xmax, b.ymax);
}

void PrintState(const std::string& label, const Orbalt2& mesh, const TunnelBuilder& builder) {
    std::printf("state %s\n", label.c_str());
    std::printf("window %d %d %d %u\n", builder.start, builder.end, builder.current, builder.lookahead);
    std::printf("mesh %u %u %.9g\n", mesh.nSegments, mesh.nSegPoints, builder.spacing);
    PrintBox("limits", builder.sectionAhead.limits);
    for (uint32_t s = 0; s < mesh.nSegments; ++s)
        for (uint32_t j = 0; j < mesh.nSegPoints; ++j) {
            const uint32_t v = mesh.VertexOf(s, j);
            const Vector3 &p = mesh.pos[v], &n = mesh.norm[v];
            std::printf("v %u %u %.9g %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", s, j, p.x, p.y, p.z, n.x, n.y, n.z,
                        mesh.texc[v].s, mesh.texc[v].t);
        }
    for (uint32_t t = 0; t < mesh.nTriangles; ++t)
        std::printf("f %u %.9g %.9g %.9g\n", t, mesh.triN[t].x, mesh.triN[t].y, mesh.triN[t].z);
    char tag[48];
    for (uint32_t s = 0; s < mesh.nSegments; ++s) {
        std::snprintf(tag, sizeof tag, "box %u", s);
        PrintBox(tag, mesh.segBoxes[s]);
    }
    for (uint32_t s = 0; s < mesh.nSegments; ++s)
        for (uint32_t k = 0; k < mesh.nSubBoxes; ++k) {
            std::snprintf(tag, sizeof tag, "sub %u %u", s, k);
            PrintBox(tag, mesh.subBoxes[s * mesh.nSubBoxes + k]);
        }
    std::printf("end\n");
}

// One frame of the program for a camera at z: the builder follows it, then
// the tunnel wraps around as the frame tick does when z has passed +-L.
void MoveCamera(float z, const Orbalt2& mesh, TunnelBuilder& builder) {
    builder.Update(z);
    float wrap = WrapDistance(z, WrapLength(mesh, builder.spacing));
    if (wrap != 0.0f) builder.Shift(wrap);
}

}  // namespace

int DumpTunnel(const std::vector<std::string>& args) {
    BuildOptions options;
    if (!ParseBuildOptions(args, true, options)) return 2;
    static Orbalt2 mesh;  // large: kept off the stack
    static TunnelBuilder builder;
    if (!BuildRequestedTunnel(options, mesh, builder)) return 1;
    PrintState("build", mesh, builder);
    for (size_t m = 0; m < options.fly.size(); ++m) {
        MoveCamera(options.fly[m], mesh, builder);
        PrintState(options.flyLabels[m], mesh, builder);
    }
    return 0;
}

// Walks one section through many advances and counts how many sections
// changed and how many varied parameters changed.
int WalkStatistics(const std::vector<std::string>& args) {
    BuildOptions options;
    options.sections = 10000;
    if (!ParseBuildOptions(args, false, options)) return 2;
    Section section;
    SectionWalker walker;
    if (!section.Resize(options.points) ||
        !section.LoadParams(options.path.c_str(), walker.stepScale, kPrintedMessages)) {
        std::fprintf(stderr, "sctool: cannot load %s with %u points\n", options.path.c_str(), options.points);
        return 1;
    }
    walker.Init(options.seed, 0.2f);
    const int varied[] = {kRadius, kWave, kWavePhase, kAnglePhase};
    uint32_t sectionsChanged = 0, parametersChanged = 0, parametersTotal = 0;
    Box2 reach = section.box;
    float narrowest = section.box.xmax - section.box.xmin;
    for (uint32_t n = 0; n < options.sections; ++n) {
        const SectionParams before = section.params;
        walker.Advance(section);
        reach.Widen(section.box);
        narrowest =
            std::min({narrowest, section.box.xmax - section.box.xmin, section.box.ymax - section.box.ymin});
        // A section changed when any bit of its block did, as the builder compares it; the block has no
        // padding (section_params.h asserts its size), so its bytes are all parameters.
        // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison): floats compared bit for bit on purpose
        if (std::memcmp(&before, &section.params, sizeof before) != 0) ++sectionsChanged;
        for (int c = 0; c < kComponents; ++c) {
            if (!section.params.enabled[c]) continue;
            for (int k : varied) {
                ++parametersTotal;
                if (before.components[c][k] != section.params.components[c][k]) ++parametersChanged;
            }
        }
    }
    std::printf("sections %u changed %u (%.1f%%) parameters changed %u of %u (%.1f%%)\n", options.sections,
                sectionsChanged, 100.0 * sectionsChanged / std::max(1u, options.sections), parametersChanged,
                parametersTotal, 100.0 * parametersChanged / std::max(1u, parametersTotal));
    PrintBox("reach", reach);
    std::printf("narrowest %.9g\n", narrowest);
    for (int c = 0; c < kComponents; ++c) {
        std::printf("final %d", c);
        for (float value : section.params.components[c]) std::printf(" %.9g", value);
        std::printf("\n");
    }
    return 0;
}
