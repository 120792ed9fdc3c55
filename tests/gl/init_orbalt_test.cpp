// The whole-tunnel build: statistics, margins, drawing options, colours, and
// every failure with its message boxes in order while the tunnel there was
// stays in place and drawable.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "flight/render_frame.h"
#include "program_scene.h"
#include "support/temp_dir.h"
#include "tunnel/section_file.h"

namespace {

using platform::stub::state;

class InitOrbaltTest : public ProgramSceneTest {
protected:
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : state().shownMessages) texts.push_back(shown.text);
        return texts;
    }

    // The default tunnel, then a snapshot of its positions.
    void BuildDefault() {
        ASSERT_EQ(BuildWith(tunnelParams), 1);
        before.assign(tunnelMesh.pos.get(), tunnelMesh.pos.get() + tunnelMesh.nVertices);
        state().shownMessages.clear();
        state().consoleText.clear();
    }

    // The tunnel of BuildDefault is still there, unchanged, and draws.
    void ExpectPreviousTunnelKept() {
        EXPECT_TRUE(tunnelBuilder.Ready());
        ASSERT_EQ(tunnelMesh.nSegments, 256u);
        ASSERT_EQ(tunnelMesh.nSegPoints, 64u);
        EXPECT_EQ(std::memcmp(tunnelMesh.pos.get(), before.data(), before.size() * sizeof(Vector3)), 0);
        EXPECT_EQ(state().consoleText.find("nSegments"), std::string::npos) << "the mesh was resized";
        camera.yaw = 180.0f;  // looking along +z
        DrawFrame();
        EXPECT_GT(WallShare(Picture()), 0.5);
    }

    std::vector<Vector3> before;
    TempDir dir;
};

TEST_F(InitOrbaltTest, DefaultBuildPrintsStatisticsAndKeepsAMarginOf122) {
    state().consoleText.clear();
    EXPECT_EQ(BuildWith(tunnelParams), 1);
    EXPECT_TRUE(state().shownMessages.empty());
    const std::string& console = state().consoleText;
    EXPECT_NE(console.find("nSegments 256, nSegPoints 64, nVertices 16384, nTriangles 32768 \n"),
              std::string::npos)
        << console;
    EXPECT_EQ(console.rfind("Orbalt2 @ 0x", 0), 0u) << console;  // the mesh's four lines
    EXPECT_NE(console.find("triV @ 0x"), std::string::npos);
    EXPECT_EQ(tunnelBuilder.lookahead, 122u);
    EXPECT_TRUE(tunnelBuilder.Ready());
    EXPECT_EQ(tunnelBuilder.mesh, &tunnelMesh);
    EXPECT_EQ(tunnelBuilder.spacing, 0.03125f);
}

TEST_F(InitOrbaltTest, EightSectionsSucceedWithAMarginOfOne) {
    tunnelParams.sections = 8;
    EXPECT_EQ(BuildWith(tunnelParams), 1);
    EXPECT_TRUE(state().shownMessages.empty());
    EXPECT_EQ(tunnelMesh.nSegments, 8u);
    EXPECT_EQ(tunnelBuilder.lookahead, 1u);
}

TEST_F(InitOrbaltTest, ColorsAreTheNormalsAndTheClearanceIsTaken) {
    collisionClearance = 0.0125f;
    EXPECT_EQ(BuildWith(tunnelParams), 1);
    for (uint32_t v = 0; v < tunnelMesh.nVertices; v += 97) {
        const Vector3& n = tunnelMesh.norm[v];
        const Color4& c = tunnelMesh.clr[v];
        EXPECT_EQ(c.r, n.x);
        EXPECT_EQ(c.g, n.y);
        EXPECT_EQ(c.b, n.z);
        EXPECT_EQ(c.a, 1.0f);
    }
    EXPECT_GT(tunnelMesh.norm[0].SquaredLength(), 0.5f);  // the normals exist
    EXPECT_EQ(collisionState.clearance, 0.0125f);
}

TEST_F(InitOrbaltTest, DrawingOptionsComeFromTheSettings) {
    settings.renderMode = RenderMode::Wireframe;
    settings.renderMethod = RenderMethod::VertexArrays;
    settings.normals = false;
    settings.colors = true;
    settings.texcoords = false;
    EXPECT_EQ(BuildWith(tunnelParams), 1);
    EXPECT_EQ(tunnelMesh.renderMode, RenderMode::Wireframe);
    EXPECT_EQ(tunnelMesh.method, RenderMethod::VertexArrays);
    EXPECT_FALSE(tunnelMesh.normals);
    EXPECT_TRUE(tunnelMesh.colors);
    EXPECT_FALSE(tunnelMesh.texcoords);
    // Texture coordinates repeat twice around a section and 16 times along the ring.
    Orbalt2 expected;
    ASSERT_TRUE(expected.Init(64, 256));
    expected.ComputeTexCoords(2.0f, 16.0f);
    EXPECT_EQ(std::memcmp(tunnelMesh.texc.get(), expected.texc.get(), sizeof(TexCoord2) * expected.nVertices), 0);

    // The context's compiled-array lock, where the settings want it.
    const ArrayLock contextLock{reinterpret_cast<LockArraysProc>(OffscreenContext::ProcAddress(
                                    "GL_EXT_compiled_vertex_array", "glLockArraysEXT")),
                                reinterpret_cast<UnlockArraysProc>(OffscreenContext::ProcAddress(
                                    "GL_EXT_compiled_vertex_array", "glUnlockArraysEXT"))};
    ASSERT_TRUE(contextLock.lock && contextLock.unlock);
    contextResources.extensions.arrayLock = contextLock;
    settings.LockArrays = false;
    EXPECT_EQ(BuildWith(tunnelParams), 1);
    EXPECT_EQ(tunnelMesh.arrayLock.lock, nullptr);
    EXPECT_EQ(tunnelMesh.arrayLock.unlock, nullptr);
    settings.LockArrays = true;
    EXPECT_EQ(BuildWith(tunnelParams), 1);
    EXPECT_EQ(tunnelMesh.arrayLock.lock, contextLock.lock);
    EXPECT_EQ(tunnelMesh.arrayLock.unlock, contextLock.unlock);
}

TEST_F(InitOrbaltTest, RejectedSizesFailBeforeTheTunnelIsTouched) {
    BuildDefault();
    const TunnelParams rejected[] = {
        {100, 128, 0.03125f},            // sections not a power of two
        {4, 64, 0.03125f},               // fewer than 8 sections
        {256, 48, 0.03125f},             // points not a power of two
        {256, 2, 0.03125f},              // too few points
        {1u << 16, 1u << 10, 0.03125f},  // more vertices than a mesh holds
        {0, 64, 0.03125f},               // values the parameter dialog can pass
        {3, 64, 0.03125f},
        {4294967295u, 64, 0.03125f},
    };
    for (const TunnelParams& params : rejected) {
        SCOPED_TRACE(std::to_string(params.sections) + " x " + std::to_string(params.sectionPoints));
        state().shownMessages.clear();
        EXPECT_EQ(BuildWith(params), 0);
        EXPECT_EQ(Messages(), std::vector<std::string>{"InitOrbalt() builder.Create() failure"});
        ExpectPreviousTunnelKept();
    }
    ASSERT_FALSE(state().shownMessages.empty());
    EXPECT_EQ(state().shownMessages[0].caption, "orbalt");
    EXPECT_EQ(state().shownMessages[0].owner, glWindow.hwnd);
}

TEST_F(InitOrbaltTest, SpacingThatCannotBuildFailsInTheBuilderInit) {
    BuildDefault();
    for (float spacing : {0.0f, -0.5f, std::nanf(""), std::numeric_limits<float>::infinity(), 1.0e38f, 1.0e-30f}) {
        SCOPED_TRACE(spacing);
        state().shownMessages.clear();
        TunnelParams params;
        params.spacing = spacing;
        EXPECT_EQ(BuildWith(params), 0);
        EXPECT_EQ(Messages(), std::vector<std::string>{"InitOrbalt() builder.Init() failure"});
        ExpectPreviousTunnelKept();
    }
}

TEST_F(InitOrbaltTest, MissingSectionFileShowsBothBoxesInOrder) {
    BuildDefault();
    sectionPath = dir.File("missing.sct");
    EXPECT_EQ(BuildWith(tunnelParams), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"TunnelBuilder::Init() section load failure",
                                                    "InitOrbalt() builder.Init() failure"}));
    for (const auto& shown : state().shownMessages) EXPECT_EQ(shown.caption, "orbalt");
    ExpectPreviousTunnelKept();
}

TEST_F(InitOrbaltTest, BadSectionFileShowsThreeBoxesInOrder) {
    // A flower whose petals leave the limits between the points of a small
    // section: the trial build must judge it at the tunnel's 64 points.
    SectionFile flower;
    const float petals[kComponentParameters] = {0.5f, 0.6f, 0, 4, 0, 1};
    std::memcpy(flower.params.components[0], petals, sizeof petals);
    flower.params.enabled[0] = 1;
    const struct {
        std::string bytes;
        const char* message;
    } files[] = {{std::string(144, 'x'), "not a section file"},
                 {EncodeSectionFile(flower), "section file profile leaves its limits"}};
    for (const auto& file : files) {
        BuildDefault();
        sectionPath = dir.Write("bad.sct", file.bytes);
        EXPECT_EQ(BuildWith(tunnelParams), 0);
        EXPECT_EQ(Messages(), (std::vector<std::string>{file.message, "TunnelBuilder::Init() section load failure",
                                                        "InitOrbalt() builder.Init() failure"}));
        ASSERT_EQ(state().shownMessages.size(), 3u);
        EXPECT_EQ(state().shownMessages[0].caption, "Section::LoadParams()");
        EXPECT_EQ(state().shownMessages[1].caption, "orbalt");
        EXPECT_EQ(state().shownMessages[2].caption, "orbalt");
        ExpectPreviousTunnelKept();
        sectionPath = std::string(ORBALT_SOURCE_DIR) + "/data/test.sct";
    }
}

TEST_F(InitOrbaltTest, EmptySectionPathIsNotImplemented) {
    BuildDefault();
    sectionPath.clear();
    EXPECT_EQ(BuildWith(tunnelParams), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"TunnelBuilder::Init() path not implemented",
                                                    "InitOrbalt() builder.Init() failure"}));
    ExpectPreviousTunnelKept();
}

TEST_F(InitOrbaltTest, AFailedFirstBuildLeavesNothingToDraw) {
    sectionPath = dir.File("missing.sct");
    EXPECT_EQ(BuildWith(tunnelParams), 0);
    EXPECT_FALSE(tunnelBuilder.Ready());
    DrawFrame();  // draws the sky alone, touching no tunnel
    EXPECT_EQ(WallShare(Picture()), 0.0);
}

TEST_F(InitOrbaltTest, ARebuildWithNewSizesReplacesTheTunnel) {
    BuildDefault();
    TunnelParams params{64, 32, 0.0625f};
    EXPECT_EQ(BuildWith(params), 1);
    EXPECT_EQ(tunnelMesh.nSegments, 64u);
    EXPECT_EQ(tunnelMesh.nSegPoints, 32u);
    EXPECT_EQ(tunnelBuilder.lookahead, 26u);
    EXPECT_EQ(tunnelBuilder.spacing, 0.0625f);
    EXPECT_TRUE(tunnelBuilder.Ready());
}

// Every build starts the walk from seed 8, so the first one is the standard
// tunnel at that seed; the walk's drift goes on from the builds before, so a
// second build from the same inputs is another tunnel, the one a standard
// builder makes on its second build. Display lists switched on stay on
// through the rebuild and draw the new walls.
TEST_F(InitOrbaltTest, EachBuildStartsAtSeed8AndTheDriftCarriesOver) {
    BuildDefault();
    Orbalt2 standardMesh;
    TunnelBuilder standardBuilder;
    const auto samePositions = [](const Orbalt2& a, const Vector3* b) {
        return std::memcmp(a.pos.get(), b, sizeof(Vector3) * a.nVertices) == 0;
    };
    ASSERT_TRUE(BuildStandardTunnel(standardMesh, standardBuilder, tunnelParams, sectionPath.c_str(),
                                    camera.position.z, kStandardWalkSeed));
    EXPECT_TRUE(samePositions(standardMesh, before.data()));

    tunnelMesh.SetDisplayLists(true);
    EXPECT_EQ(BuildWith(tunnelParams), 1);
    EXPECT_FALSE(samePositions(tunnelMesh, before.data()));
    ASSERT_TRUE(BuildStandardTunnel(standardMesh, standardBuilder, tunnelParams, sectionPath.c_str(),
                                    camera.position.z, kStandardWalkSeed));
    EXPECT_TRUE(samePositions(standardMesh, tunnelMesh.pos.get()));

    EXPECT_TRUE(tunnelMesh.listsActive);
    camera.yaw = 180.0f;  // looking along +z
    DrawFrame();
    const auto listed = Picture();
    tunnelMesh.SetDisplayLists(false);
    DrawFrame();
    EXPECT_GT(WallShare(listed), 0.5);
    EXPECT_EQ(Picture(), listed);
}

}  // namespace
