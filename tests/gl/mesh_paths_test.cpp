// Every drawing path of the tunnel mesh pictured on the offscreen context and
// compared pixel for pixel: the two methods, display lists, wrapped ranges,
// flat shading and colour material.
#include <gtest/gtest.h>

#include <algorithm>

#include "tunnel_scene.h"

namespace {

constexpr RenderMode kPoints = RenderMode::Points, kSections = RenderMode::Sections,
                     kWireframe = RenderMode::Wireframe, kFlat = RenderMode::SolidFlat,
                     kSmooth = RenderMode::SolidSmooth;
constexpr RenderMethod kDirect = RenderMethod::DirectVertices, kArrays = RenderMethod::VertexArrays;
// A picture of lines or points covers far less than one of the solid wall.
constexpr int kSomeLines = 2000;
constexpr int kMostOfTheView = 640 * 480 / 2;
constexpr int kWireframeTies = 16;  // of 307200 pixels

struct Attributes {
    bool normals, colors, texcoords;
};
constexpr Attributes kAttributeSets[] = {{true, false, false}, {true, true, true}, {false, true, true}};

class MeshPaths : public TunnelScene {
protected:
    // The edges from the last point of an outline back to point 0, with the
    // normals and texture coordinates a loop gives them.
    void DrawClosingEdges(uint32_t outlines) const {
        glEnable(GL_TEXTURE_2D);
        glBegin(GL_LINES);
        for (uint32_t i = 0; i < outlines; ++i) {
            const uint32_t base = mesh.VertexOf(mesh.SlotOf(kFirst + static_cast<int32_t>(i)), 0);
            for (uint32_t v : {base + mesh.nSegPoints - 1, base}) {
                glNormal3fv(&mesh.norm[v].x);
                glTexCoord2fv(&mesh.texc[v].s);
                glVertex3fv(&mesh.pos[v].x);
            }
        }
        glEnd();
        glDisable(GL_TEXTURE_2D);
    }
};

TEST_F(MeshPaths, DirectVerticesAndVertexArraysGiveTheSamePicture) {
    for (const Attributes& a : kAttributeSets) {
        SetAttributes(a.normals, a.colors, a.texcoords);
        for (RenderMode mode : {kPoints, kFlat, kSmooth}) {
            SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(mode) << " attributes " << a.normals
                                            << a.colors << a.texcoords);
            const Picture direct = Draw(mode, kDirect);
            EXPECT_GT(Drawn(direct), mode >= kFlat ? kMostOfTheView : kSomeLines);
            EXPECT_EQ(Differing(direct, Draw(mode, kArrays)), 0);
        }
    }
}

// With vertex arrays each outline is a line strip: it differs from the
// direct loop by exactly the edges from the last point back to point 0.
TEST_F(MeshPaths, SectionsWithVertexArraysLeaveOnlyTheClosingEdgesOut) {
    SetAttributes(true, false, true);
    const Picture direct = Draw(kSections, kDirect);
    const Picture arrays = Draw(kSections, kArrays);
    const Picture closed = Take([this] {
        mesh.Draw(kFirst, kCount);
        DrawClosingEdges(kCount);
    });
    EXPECT_GT(Drawn(direct), kSomeLines);
    EXPECT_GT(Differing(direct, arrays), 100);
    EXPECT_EQ(Differing(direct, closed), 0);
}

// The wireframe's outlines are those of the sections routine, open as well;
// its zigzag loops are the same for both methods. The pictures differ only
// in pixels the closing edges cover.
TEST_F(MeshPaths, WireframeWithVertexArraysDiffersOnlyOnTheClosingEdges) {
    SetAttributes(true, false, true);
    const Picture direct = Draw(kWireframe, kDirect);
    const Picture arrays = Draw(kWireframe, kArrays);
    glDisable(GL_DEPTH_TEST);
    const Picture edges = Take([this] { DrawClosingEdges(kCount + 1); });
    glEnable(GL_DEPTH_TEST);
    int differing = 0, elsewhere = 0;
    for (size_t i = 0; i < direct.size(); i += 4) {
        if (std::equal(&direct[i], &direct[i] + 4, &arrays[i])) continue;
        ++differing;
        if (std::equal(&edges[i], &edges[i] + 3, sky)) ++elsewhere;
    }
    EXPECT_GT(Drawn(direct), kSomeLines);
    EXPECT_GT(differing, 100);
    EXPECT_EQ(elsewhere, 0);
}

TEST_F(MeshPaths, DisplayListsGiveTheSamePictureAsDrawingDirectly) {
    SetAttributes(true, true, true);
    for (RenderMethod method : {kDirect, kArrays})
        for (RenderMode mode : {kPoints, kSections, kWireframe, kFlat, kSmooth}) {
            SCOPED_TRACE(testing::Message()
                         << "mode " << static_cast<int>(mode) << " method " << static_cast<int>(method));
            const Picture direct = Draw(mode, method);
            const Picture listed = Draw(mode, method, true);
            // What each slot's list holds, drawn directly in the same order.
            const Picture slotBySlot = Take([this] {
                for (uint32_t i = 0; i < kCount; ++i) mesh.Draw(kFirst + static_cast<int32_t>(i), 1);
            });
            EXPECT_GT(Drawn(direct), kSomeLines);
            EXPECT_EQ(Differing(slotBySlot, listed), 0);
            // A wireframe list holds both outlines of its segment, so the
            // lines come in another order than in one range; where two meet
            // at the same depth a different one may be on top.
            EXPECT_LE(Differing(direct, listed), mode == kWireframe ? kWireframeTies : 0);
        }
}

// The drawn range -4 ... 59 lies across the end of the ring (slots 252 ...
// 255, then 0 ... 59), whichever way it is numbered.
TEST_F(MeshPaths, AWrappedRangeDrawsAsItsTwoHalves) {
    SetAttributes(true, true, true);
    for (RenderMethod method : {kDirect, kArrays})
        for (RenderMode mode : {kPoints, kSections, kWireframe, kFlat, kSmooth}) {
            SCOPED_TRACE(testing::Message()
                         << "mode " << static_cast<int>(mode) << " method " << static_cast<int>(method));
            const Picture wrapped = Draw(mode, method);
            const Picture halves = Take([this] {
                mesh.Draw(252, 4);
                mesh.Draw(0, kCount - 4);
            });
            const Picture bySlot = Take([this] { mesh.Draw(252, kCount); });
            const Picture aRingLater = Take([this] { mesh.Draw(252 + 256 * 3, kCount); });
            EXPECT_GT(Drawn(wrapped), kSomeLines);
            EXPECT_EQ(Differing(wrapped, halves), 0);
            EXPECT_EQ(Differing(wrapped, bySlot), 0);
            EXPECT_EQ(Differing(wrapped, aRingLater), 0);
        }
}

TEST_F(MeshPaths, SolidFlatDiffersFromSolidSmoothOnlyInShading) {
    SetAttributes(true, false, true);
    for (RenderMethod method : {kDirect, kArrays}) {
        SCOPED_TRACE(testing::Message() << "method " << static_cast<int>(method));
        const Picture flat = Draw(kFlat, method);
        EXPECT_GT(Differing(flat, Draw(kSmooth, method)), kMostOfTheView / 2);
        EXPECT_EQ(Integer(GL_SHADE_MODEL), GL_SMOOTH);  // put back after the segments
        // Unlit and uncoloured, shading has nothing to vary: the same wall.
        glDisable(GL_LIGHTING);
        EXPECT_EQ(Differing(Draw(kFlat, method), Draw(kSmooth, method)), 0);
        glEnable(GL_LIGHTING);
    }
}

// Each triangle of the flat strip is lit with its own face normal: the same
// picture as drawing every triangle on its own after its normal.
TEST_F(MeshPaths, SolidFlatLightsEachTriangleWithItsFaceNormal) {
    SetAttributes(true, false, false);
    const Picture triangles = Take([this] {
        glShadeModel(GL_FLAT);
        glBegin(GL_TRIANGLES);
        for (uint32_t i = 0; i < kCount; ++i) {
            const uint32_t firstTriangle = 2 * mesh.VertexOf(mesh.SlotOf(kFirst + static_cast<int32_t>(i)), 0);
            for (uint32_t t = firstTriangle; t < firstTriangle + 2 * mesh.nSegPoints; ++t) {
                glNormal3fv(&mesh.triN[t].x);
                for (uint32_t v : mesh.triV[t].v) glVertex3fv(&mesh.pos[v].x);
            }
        }
        glEnd();
        glShadeModel(GL_SMOOTH);
    });
    EXPECT_EQ(Differing(Draw(kFlat, kDirect), triangles), 0);
    EXPECT_EQ(Differing(Draw(kFlat, kArrays), triangles), 0);
}

TEST_F(MeshPaths, ColorMaterialOnlyWhenNormalsAndColorsAreBothOn) {
    for (RenderMethod method : {kDirect, kArrays}) {
        SCOPED_TRACE(testing::Message() << "method " << static_cast<int>(method));
        SetAttributes(true, false, false);
        const Picture lit = Draw(kSmooth, method);
        SetAttributes(true, true, false);
        EXPECT_GT(Differing(lit, Draw(kSmooth, method)), kMostOfTheView / 2);
        EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));

        // Without normals the lit wall ignores the colours ...
        SetAttributes(false, false, false);
        const Picture uncoloured = Draw(kSmooth, method);
        SetAttributes(false, true, false);
        EXPECT_EQ(Differing(uncoloured, Draw(kSmooth, method)), 0);
        // ... which are still sent: unlit, they show.
        glDisable(GL_LIGHTING);
        const Picture unlitColored = Draw(kSmooth, method);
        SetAttributes(false, false, false);
        EXPECT_GT(Differing(unlitColored, Draw(kSmooth, method)), kMostOfTheView / 2);
        glEnable(GL_LIGHTING);
    }
}

TEST_F(MeshPaths, TexturingIsSwitchedOnOnlyForTheMesh) {
    for (RenderMethod method : {kDirect, kArrays}) {
        SCOPED_TRACE(testing::Message() << "method " << static_cast<int>(method));
        SetAttributes(true, false, false);
        const Picture plain = Draw(kSmooth, method);
        SetAttributes(true, false, true);
        EXPECT_GT(Differing(plain, Draw(kSmooth, method)), kMostOfTheView / 2);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    }
}

}  // namespace
