// The primitives each drawing routine sends, caught in GL's feedback mode on
// a small hand-made ring (8 slots of 4 points, all inside the unit cube so
// that identity matrices keep every vertex) and mapped back to mesh vertices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include "display/extensions.h"
#include "gl_context_fixture.h"
#include "tunnel/orbalt2.h"

namespace {

constexpr RenderMode kPoints = RenderMode::Points, kSections = RenderMode::Sections,
                     kWireframe = RenderMode::Wireframe, kFlat = RenderMode::SolidFlat,
                     kSmooth = RenderMode::SolidSmooth;
constexpr RenderMethod kDirect = RenderMethod::DirectVertices, kArrays = RenderMethod::VertexArrays;
constexpr uint32_t kNoVertex = 0xFFFFFFFF;

using Edge = std::pair<uint32_t, uint32_t>;  // vertex indices, smaller first

struct Caught {
    std::vector<uint32_t> points;
    std::set<Edge> edges;
    int lines = 0;
    std::vector<std::vector<uint32_t>> polygons;
    std::vector<std::vector<float>> lineColors;   // per line: the two RGBA colours
    std::vector<std::vector<float>> lineCorners;  // per line: the two x, y, z
};

class MeshFeedback : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        ASSERT_TRUE(mesh.Init(4, 8));
        // A square profile turning counter-clockwise, 0.1 apart along z.
        for (uint32_t s = 0; s < 8; ++s)
            for (uint32_t j = 0; j < 4; ++j) {
                const float angle = 0.7853982f + 1.5707964f * static_cast<float>(j);
                mesh.pos[mesh.VertexOf(s, j)] =
                    Vector3{0.5f * std::cos(angle), 0.5f * std::sin(angle), 0.1f * static_cast<float>(s) - 0.35f};
            }
        mesh.ComputeFaceNormals(0, 8);
        mesh.ComputeVertexNormals(0, 8);
        mesh.ComputeTexCoords(2, 16);
        glDisable(GL_CULL_FACE);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // Window coordinates back to the mesh vertex at that place.
    uint32_t VertexAt(const float* window) const {
        const float x = window[0] / (kWidth / 2.0f) - 1.0f;
        const float y = window[1] / (kHeight / 2.0f) - 1.0f;
        const float z = 2.0f * window[2] - 1.0f;
        for (uint32_t v = 0; v < mesh.nVertices; ++v)
            if (std::fabs(mesh.pos[v].x - x) < 1e-3f && std::fabs(mesh.pos[v].y - y) < 1e-3f &&
                std::fabs(mesh.pos[v].z - z) < 1e-3f)
                return v;
        return kNoVertex;
    }

    Caught Catch(GLenum type, int floatsPerVertex, void (*draw)(Orbalt2&, int32_t, uint32_t), int32_t first,
                 uint32_t count) {
        std::vector<GLfloat> buffer(100000);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), type, buffer.data());
        glRenderMode(GL_FEEDBACK);
        draw(mesh, first, count);
        const GLint size = glRenderMode(GL_RENDER);
        EXPECT_GE(size, 0) << "feedback buffer too small";
        return Parse(buffer, size, floatsPerVertex);
    }

    Caught Catch(RenderMode mode, RenderMethod method, int32_t first, uint32_t count) {
        mesh.SetMethod(method);
        mesh.SetRenderMode(mode);
        return Catch(
            GL_3D, 3, [](Orbalt2& m, int32_t f, uint32_t c) { m.Draw(f, c); }, first, count);
    }

    Caught Parse(const std::vector<GLfloat>& buffer, GLint size, int stride) const {
        Caught caught;
        for (GLint i = 0; i < size;) {
            const auto token = static_cast<GLint>(buffer[static_cast<size_t>(i)]);
            const float* data = &buffer[static_cast<size_t>(i) + 1];
            if (token == GL_POINT_TOKEN) {
                caught.points.push_back(VertexAt(data));
                i += 1 + stride;
            } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
                const uint32_t a = VertexAt(data), b = VertexAt(data + stride);
                caught.edges.insert({std::min(a, b), std::max(a, b)});
                caught.lineColors.push_back(std::vector<float>(data + 3, data + stride));
                caught.lineColors.back().insert(caught.lineColors.back().end(), data + stride + 3,
                                                data + 2 * stride);
                caught.lineCorners.push_back(
                    {data[0], data[1], data[2], data[stride], data[stride + 1], data[stride + 2]});
                ++caught.lines;
                i += 1 + 2 * stride;
            } else if (token == GL_POLYGON_TOKEN) {
                const auto n = static_cast<int>(data[0]);
                std::vector<uint32_t> polygon;
                for (int k = 0; k < n; ++k) polygon.push_back(VertexAt(data + 1 + k * stride));
                std::sort(polygon.begin(), polygon.end());
                caught.polygons.push_back(polygon);
                i += 2 + n * stride;
            } else {
                ADD_FAILURE() << "unexpected feedback token " << token;
                break;
            }
        }
        return caught;
    }

    // The outline of slot s and the zigzag of segment s, as edges.
    std::set<Edge> Outline(uint32_t s, bool closed) const {
        std::set<Edge> edges;
        for (uint32_t j = 0; j + 1 < 4; ++j) edges.insert({mesh.VertexOf(s, j), mesh.VertexOf(s, j + 1)});
        if (closed) edges.insert({mesh.VertexOf(s, 0), mesh.VertexOf(s, 3)});
        return edges;
    }
    std::set<Edge> Zigzag(uint32_t s) const {
        const uint32_t t = (s + 1) & 7;
        std::set<Edge> edges;
        for (uint32_t j = 0; j < 4; ++j) {
            auto add = [&edges](uint32_t a, uint32_t b) { edges.insert({std::min(a, b), std::max(a, b)}); };
            add(mesh.VertexOf(s, j), mesh.VertexOf(t, j));
            add(mesh.VertexOf(t, j), mesh.VertexOf(s, (j + 1) & 3));
        }
        return edges;
    }

    Orbalt2 mesh;
};

std::set<Edge> Union(std::initializer_list<std::set<Edge>> sets) {
    std::set<Edge> all;
    for (const auto& s : sets) all.insert(s.begin(), s.end());
    return all;
}

TEST_F(MeshFeedback, PointsAreEveryVertexOfTheRangeOnce) {
    for (RenderMethod method : {kDirect, kArrays}) {
        const Caught caught = Catch(kPoints, method, -1, 2);  // slots 7 and 0
        std::vector<uint32_t> expected = {28, 29, 30, 31, 0, 1, 2, 3};
        EXPECT_EQ(caught.points, expected) << "method " << static_cast<int>(method);
    }
}

TEST_F(MeshFeedback, SectionOutlinesAreClosedOnlyWithDirectVertices) {
    const Caught direct = Catch(kSections, kDirect, 2, 2);
    EXPECT_EQ(direct.lines, 8);
    EXPECT_EQ(direct.edges, Union({Outline(2, true), Outline(3, true)}));
    const Caught arrays = Catch(kSections, kArrays, 2, 2);
    EXPECT_EQ(arrays.lines, 6);
    EXPECT_EQ(arrays.edges, Union({Outline(2, false), Outline(3, false)}));
}

// Draw(6, 2) on 8 slots: the outlines of slots 6, 7 and 0 and two zigzag
// loops, the last joining slot 7 to slot 0.
TEST_F(MeshFeedback, WireframeAddsTheFarOutlineAndZigzagsAcrossTheSeam) {
    const Caught direct = Catch(kWireframe, kDirect, 6, 2);
    EXPECT_EQ(direct.lines, 3 * 4 + 2 * 8);
    EXPECT_EQ(direct.edges, Union({Outline(6, true), Outline(7, true), Outline(0, true), Zigzag(6), Zigzag(7)}));
    const Caught arrays = Catch(kWireframe, kArrays, 6, 2);
    EXPECT_EQ(arrays.lines, 3 * 3 + 2 * 8);
    EXPECT_EQ(arrays.edges,
              Union({Outline(6, false), Outline(7, false), Outline(0, false), Zigzag(6), Zigzag(7)}));
}

TEST_F(MeshFeedback, SolidModesDrawTheSegmentsTriangles) {
    std::vector<std::vector<uint32_t>> expected;
    for (uint32_t t : {56u, 0u})  // segments 7 and 0: triangles 56 ... 63 and 0 ... 7
        for (uint32_t k = t; k < t + 8; ++k) {
            std::vector<uint32_t> triangle(mesh.triV[k].v, mesh.triV[k].v + 3);
            std::sort(triangle.begin(), triangle.end());
            expected.push_back(triangle);
        }
    for (RenderMode mode : {kFlat, kSmooth})
        for (RenderMethod method : {kDirect, kArrays}) {
            SCOPED_TRACE(testing::Message()
                         << "mode " << static_cast<int>(mode) << " method " << static_cast<int>(method));
            EXPECT_EQ(Catch(mode, method, 7, 2).polygons, expected);
            EXPECT_EQ(Catch(mode, method, 15, 2).polygons, expected);  // numbered a ring later
        }
}

TEST_F(MeshFeedback, CountIsCutToTheRing) {
    EXPECT_EQ(Catch(kPoints, kArrays, 3, 100).points.size(), 32u);
    EXPECT_EQ(Catch(kSections, kDirect, -5, 9).lines, 32);
}

// Each segment's box and its eight sub-boxes as loops at the z of its first
// section, white for an even slot and black for an odd one.
TEST_F(MeshFeedback, BoxesOutlineEachSegmentAndItsEighths) {
    for (uint32_t s = 0; s < 8; ++s) {
        const float f = static_cast<float>(s);
        mesh.segBoxes[s] = Box2{-0.4f - 0.01f * f, -0.3f, 0.4f, 0.3f + 0.01f * f};
        for (uint32_t k = 0; k < 8; ++k)
            mesh.subBoxes[s * 8 + k] = Box2{0.05f * k, -0.1f, 0.05f * k + 0.04f, 0.1f};
    }
    glDisable(GL_LIGHTING);
    const Caught caught = Catch(
        GL_3D_COLOR, 7, [](Orbalt2& m, int32_t f, uint32_t c) { m.DrawBoxes(f, c); }, 7, 2);
    ASSERT_EQ(caught.lines, 2 * 9 * 4);
    for (int line = 0; line < caught.lines; ++line) {
        const float grey = line < 36 ? 0.0f : 1.0f;  // slot 7, then slot 0
        EXPECT_EQ(caught.lineColors[static_cast<size_t>(line)],
                  std::vector<float>({grey, grey, grey, 1, grey, grey, grey, 1}));
    }
    // The first loop: segment 7's box at z of section 7, corners in order.
    const Box2& box = mesh.segBoxes[7];
    const float z = (mesh.pos[mesh.VertexOf(7, 0)].z + 1.0f) / 2.0f;
    auto window = [](float x, float y) { return std::make_pair((x + 1.0f) * 320.0f, (y + 1.0f) * 240.0f); };
    const std::pair<float, float> corners[] = {window(box.xmin, box.ymin), window(box.xmax, box.ymin),
                                               window(box.xmax, box.ymax), window(box.xmin, box.ymax)};
    for (int k = 0; k < 4; ++k) {
        const std::vector<float>& line = caught.lineCorners[static_cast<size_t>(k)];
        EXPECT_NEAR(line[0], corners[k].first, 1e-3);
        EXPECT_NEAR(line[1], corners[k].second, 1e-3);
        EXPECT_NEAR(line[2], z, 1e-5);
        EXPECT_NEAR(line[3], corners[(k + 1) % 4].first, 1e-3);
        EXPECT_NEAR(line[4], corners[(k + 1) % 4].second, 1e-3);
    }
}

}  // namespace
