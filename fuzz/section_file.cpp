// Section files as a user could write them, read as the program reads them
// and built into a small tunnel: 8 sections of 16, 32 or 64 points (chosen by
// the byte after the file's 144, which the reader ignores), made over many
// calls, then flown a few sections forward and back. Every section the walker makes must still be a
// starting profile the reader would accept (but for the refusals in
// Tolerated), and the mesh must hold numbers and unit normals.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "mesh_checks.h"
#include "tunnel/orbalt2.h"
#include "tunnel/profile_check.h"
#include "tunnel/section.h"
#include "tunnel/section_file.h"
#include "tunnel/standard_tunnel.h"

namespace {

constexpr uint32_t kSections = 8;
constexpr float kSpacing = 0.03125f;

// The reader judges closing to a thousandth of the profile's reach; the walk
// can shrink a profile far below the size of its components, whose rounding
// then leaves a gap that is large for the profile but not for the tunnel: the
// gap must stay below a thousandth of the limits' size.
bool StillCloses(const SectionFile& file, const Section& s) {
    const Box2& limits = file.limits;
    const double size = std::hypot(double{limits.xmax} - limits.xmin, double{limits.ymax} - limits.ymin);
    const Point2& first = s.points[0];
    const Point2& last = s.points[s.nPoints];
    return std::hypot(double{last.x} - first.x, double{last.y} - first.y) <= 1e-3 * size;
}

// Refusals of a walked section that the walk itself does not promise to
// avoid: a closing gap within the tunnel's tolerance, a turning count other
// than one on a profile whose edges do not cross (which only rounding at a
// fold sharp enough to turn back on itself can give), and a profile grown
// flat or small (the mesh check then still wants unit normals from it).
bool Tolerated(const char* problem, const SectionFile& file, const SectionParams& params, uint32_t points) {
    Section walked;  // the section's profile, evaluated afresh from its parameters
    walked.Resize(points);
    walked.limits = file.limits;
    walked.ReplaceParams(params);
    if (std::strcmp(problem, "section file profile does not close") == 0 ||
        std::strcmp(problem, "section file component curve does not close") == 0)
        return StillCloses(file, walked);
    if (std::strcmp(problem, "section file profile crosses itself") == 0) return !walked.SelfIntersects();
    return std::strcmp(problem, "section file profile encloses no area") == 0 ||
           std::strcmp(problem, "section file profile too small for a tunnel") == 0;
}

void CheckTunnel(const Orbalt2& mesh, const TunnelBuilder& builder, const SectionFile& file) {
    for (uint32_t s = 0; s < mesh.nSegments; ++s) {
        SectionFile section = file;
        section.params = builder.paramRing[s];
        const char* problem = JudgeStartingProfile(section, mesh.nSegPoints);
        if (problem != nullptr && Tolerated(problem, file, section.params, mesh.nSegPoints)) continue;
        if (problem != nullptr) std::fprintf(stderr, "section in slot %u: %s\n", s, problem);
        fuzz::Require(problem == nullptr, "every section walked from a valid start is a valid profile");
    }
    fuzz::RequireSoundMesh(mesh, builder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = fuzz::Bytes(data, size);
    TunnelParams params;
    params.sections = kSections;
    params.sectionPoints = 16u << (size > kSectionFileSize ? data[kSectionFileSize] % 3 : 0);
    params.spacing = kSpacing;
    TunnelMessages messages;
    messages.show = fuzz::DropMessage;

    Orbalt2 mesh;
    TunnelBuilder builder;
    // The ring is made one walker try a call, as a file the walker struggles
    // with is made over many frames in the program.
    builder.buildBudget = 1e-12;
    const bool built =
        BuildStandardTunnel(mesh, builder, params, fuzz::AsFile(bytes).c_str(), 0.0f, kStandardWalkSeed, messages);
    while (builder.Building()) builder.ContinueBuild();
    SectionFile file;
    const char* problem = DecodeSectionFile(bytes, file);
    if (problem == nullptr) problem = JudgeStartingProfile(file, params.sectionPoints);
    fuzz::Require(built == (problem == nullptr), "the tunnel builds exactly from the files the reader accepts");
    if (!built) return 0;

    CheckTunnel(mesh, builder, file);
    for (float z : {3.5f * kSpacing, -2.5f * kSpacing}) {
        builder.Update(z);
        CheckTunnel(mesh, builder, file);
    }
    return 0;
}
