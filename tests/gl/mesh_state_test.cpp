// What the mesh's drawing does to the GL state: the client arrays it enables
// and disables, the compiled-array lock around array drawing (seen through
// counting stand-ins for the two entry points), and display lists compiled
// afresh whenever what they hold goes stale.
#include <gtest/gtest.h>

#include "display/extensions.h"
#include "tunnel/standard_tunnel.h"
#include "tunnel_scene.h"

namespace {

constexpr RenderMode kPoints = RenderMode::Points, kWireframe = RenderMode::Wireframe,
                     kFlat = RenderMode::SolidFlat, kSmooth = RenderMode::SolidSmooth;
constexpr RenderMethod kDirect = RenderMethod::DirectVertices, kArrays = RenderMethod::VertexArrays;
constexpr RenderMode kAllModes[] = {kPoints, RenderMode::Sections, kWireframe, kFlat, kSmooth};

// What the stand-ins saw. The lock is taken after the arrays are set up, so
// it records which client arrays were enabled for the drawing.
struct LockRecord {
    int locks = 0;
    int unlocks = 0;
    GLint first = -1;
    GLsizei count = -1;
    bool vertexArray = false, normalArray = false, colorArray = false, texCoordArray = false;
    bool lockedWhenUnlocked = false;
};
LockRecord record;

void APIENTRY CountingLock(GLint first, GLsizei count) {
    ++record.locks;
    record.first = first;
    record.count = count;
    record.vertexArray = glIsEnabled(GL_VERTEX_ARRAY);
    record.normalArray = glIsEnabled(GL_NORMAL_ARRAY);
    record.colorArray = glIsEnabled(GL_COLOR_ARRAY);
    record.texCoordArray = glIsEnabled(GL_TEXTURE_COORD_ARRAY);
}

// A lock that leaves a GL error behind, as a driver out of memory for the
// lists would: the compile that calls it fails.
void APIENTRY FailingLock(GLint, GLsizei) { glEnable(0xFFFF); }

void APIENTRY CountingUnlock() {
    ++record.unlocks;
    record.lockedWhenUnlocked = record.locks == record.unlocks;
}

class MeshState : public TunnelScene {
protected:
    void SetUp() override {
        TunnelScene::SetUp();
        record = LockRecord{};
        mesh.SetArrayLock({CountingLock, CountingUnlock});
    }

    static void ExpectNoClientArrays() {
        for (GLenum array : {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY})
            EXPECT_FALSE(glIsEnabled(array)) << std::hex << array;
    }
};

TEST_F(MeshState, ArrayDrawingLocksTheWholeMeshOnceAndUnlocksIt) {
    SetAttributes(true, true, true);
    mesh.SetMethod(kArrays);
    for (RenderMode mode : kAllModes) {
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(mode));
        mesh.SetRenderMode(mode);
        record = LockRecord{};
        mesh.Draw(250, 12);  // wrapped: two parts, still one lock
        EXPECT_EQ(record.locks, 1);
        EXPECT_EQ(record.unlocks, 1);
        EXPECT_TRUE(record.lockedWhenUnlocked);
        EXPECT_EQ(record.first, 0);
        EXPECT_EQ(record.count, 16384);
        ExpectNoClientArrays();
    }
}

TEST_F(MeshState, NoLockWithDirectVerticesOrWhenTheEntryPointsAreNull) {
    for (RenderMode mode : kAllModes) {
        mesh.SetMethod(kDirect);
        mesh.SetRenderMode(mode);
        mesh.Draw(kFirst, kCount);
    }
    EXPECT_EQ(record.locks + record.unlocks, 0);

    // A failed look-up may leave just one of the two: each is called only
    // when it is there.
    mesh.SetMethod(kArrays);
    mesh.SetArrayLock({CountingLock, nullptr});
    mesh.Draw(kFirst, kCount);
    EXPECT_EQ(record.locks, 1);
    mesh.SetArrayLock({nullptr, CountingUnlock});
    mesh.Draw(kFirst, kCount);
    EXPECT_EQ(record.locks, 1);
    EXPECT_EQ(record.unlocks, 1);
    mesh.SetArrayLock({});
    Picture unlocked = Take([this] { mesh.Draw(kFirst, kCount); });
    EXPECT_GT(Drawn(unlocked), kWidth * kHeight / 2);
}

TEST_F(MeshState, SolidFlatNeverEnablesTheNormalArray) {
    mesh.SetMethod(kArrays);
    for (bool colors : {false, true}) {
        SetAttributes(true, colors, !colors);
        mesh.SetRenderMode(kFlat);
        mesh.Draw(kFirst, kCount);
        EXPECT_FALSE(record.normalArray);
        EXPECT_TRUE(record.vertexArray);
        EXPECT_EQ(record.colorArray, colors);
        EXPECT_EQ(record.texCoordArray, !colors);
        ExpectNoClientArrays();

        mesh.SetRenderMode(kSmooth);
        mesh.Draw(kFirst, kCount);
        EXPECT_TRUE(record.normalArray);
        ExpectNoClientArrays();
    }
    SetAttributes(false, false, false);
    mesh.SetRenderMode(kPoints);
    mesh.Draw(kFirst, kCount);
    EXPECT_TRUE(record.vertexArray);
    EXPECT_FALSE(record.normalArray || record.colorArray || record.texCoordArray);
}

// Mesa's own entry points: locking changes nothing in the picture.
TEST_F(MeshState, TheRealLockGivesTheSamePicture) {
    const auto lock = reinterpret_cast<LockArraysProc>(
        OffscreenContext::ProcAddress("GL_EXT_compiled_vertex_array", "glLockArraysEXT"));
    const auto unlock = reinterpret_cast<UnlockArraysProc>(
        OffscreenContext::ProcAddress("GL_EXT_compiled_vertex_array", "glUnlockArraysEXT"));
    ASSERT_TRUE(lock && unlock);
    SetAttributes(true, true, true);
    for (RenderMode mode : kAllModes) {
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(mode));
        mesh.SetArrayLock({});
        const Picture plain = Draw(mode, kArrays);
        const Picture plainLists = Draw(mode, kArrays, true);
        mesh.SetArrayLock({lock, unlock});
        EXPECT_GT(Drawn(plain), 2000);
        EXPECT_EQ(Differing(plain, Draw(mode, kArrays)), 0);
        EXPECT_EQ(Differing(plainLists, Draw(mode, kArrays, true)), 0);
        EXPECT_EQ(Integer(GL_ARRAY_ELEMENT_LOCK_COUNT_EXT), 0);
    }
}

TEST_F(MeshState, ListsAreCompiledOnlyWhileActive) {
    mesh.SetMethod(kArrays);
    SetAttributes(true, true, true);
    mesh.SetRenderMode(kWireframe);
    EXPECT_EQ(record.locks, 0);
    EXPECT_EQ(mesh.lists[0], 0u);

    mesh.SetDisplayLists(true);
    EXPECT_EQ(record.locks, 256);  // one array draw per compiled slot
    EXPECT_TRUE(mesh.listsActive);
    for (uint32_t s = 0; s < 256; ++s) {
        EXPECT_EQ(mesh.lists[s], mesh.lists[0] + s);
        EXPECT_TRUE(glIsList(mesh.lists[s]));
    }
    mesh.Draw(kFirst, kCount);
    EXPECT_EQ(record.locks, 256);  // the lists are called, nothing is locked

    const GLuint base = mesh.lists[0];
    mesh.SetDisplayLists(false);
    EXPECT_FALSE(mesh.listsActive);
    EXPECT_FALSE(glIsList(base));
    EXPECT_EQ(mesh.lists[255], 0u);
}

// Every setter, while lists are active, compiles all 256 lists afresh from
// the new state: the lists then draw what drawing directly draws.
TEST_F(MeshState, EverySetterRecompilesActiveLists) {
    const std::function<void()> setters[] = {
        [this] { mesh.SetRenderMode(kFlat); }, [this] { mesh.SetMethod(kDirect); },
        [this] { mesh.SetNormals(false); },    [this] { mesh.SetColors(true); },
        [this] { mesh.SetTexCoords(true); },   [this] { mesh.SetRenderMode(kPoints); },
        [this] { mesh.SetMethod(kArrays); },
    };
    mesh.SetMethod(kArrays);
    mesh.SetDisplayLists(true);
    int step = 0;
    for (const auto& change : setters) {
        SCOPED_TRACE(testing::Message() << "setter " << step++);
        record = LockRecord{};
        change();
        EXPECT_EQ(record.locks, mesh.method == kArrays ? 256 : 0);
        ASSERT_TRUE(mesh.listsActive);
        const Picture listed = Take([this] { mesh.Draw(kFirst, kCount); });
        mesh.listsActive = 0;  // draw the same state directly, for comparison
        const Picture direct = Take([this] { mesh.Draw(kFirst, kCount); });
        mesh.listsActive = 1;
        EXPECT_GT(Drawn(direct), 2000);
        EXPECT_EQ(Differing(listed, direct), 0);
    }
}

// The builder recompiles the lists of the slots it writes: flying on, the
// lists still draw the new sections.
TEST_F(MeshState, ListsFollowTheSectionsTheBuilderGenerates) {
    mesh.SetDisplayLists(true);
    builder.Update(0.5f);  // 16 segments on: 16 sections generated ahead
    const int32_t first = kFirst + 60;
    const Picture listed = Take([this, first] { mesh.Draw(first, kCount); });
    mesh.SetDisplayLists(false);
    const Picture direct = Take([this, first] { mesh.Draw(first, kCount); });
    EXPECT_EQ(Differing(listed, direct), 0);
}

// A ring made over many calls compiles each slot's list once, when the
// normals at both ends of its segment are there; the lists then draw what
// drawing directly draws. A ring of 16 lies wholly in view, up to the
// segment that closes it, back from its last section to its first.
TEST_F(MeshState, ARingBuiltOverManyCallsCompilesEachListOnce) {
    Orbalt2 ring;
    TunnelBuilder ringBuilder;
    ASSERT_TRUE(SizeStandardMesh(ring, TunnelParams{16, 64, 0.03125f}) &&
                AttachStandardBuilder(ringBuilder, ring));
    ring.SetMethod(kArrays);
    ring.SetArrayLock({CountingLock, CountingUnlock});
    ring.SetDisplayLists(true);  // lists of the empty ring
    record = LockRecord{};
    ringBuilder.buildBudget = 1e-12;  // one walker try a call
    ASSERT_TRUE(ringBuilder.Init(kStandardWalkSeed, 0.0f, 0.03125f, ORBALT_SOURCE_DIR "/data/test.sct"));
    int calls = 1;
    while (!ringBuilder.ContinueBuild()) ++calls;
    EXPECT_GT(calls, 16);
    EXPECT_EQ(record.locks, 16);
    const Picture listed = Take([&ring] { ring.Draw(-7, 16); });
    ring.SetDisplayLists(false);
    const Picture direct = Take([&ring] { ring.Draw(-7, 16); });
    EXPECT_GT(Drawn(direct), 2000);
    EXPECT_EQ(Differing(listed, direct), 0);
}

TEST_F(MeshState, AnEmptyMeshDrawsNothing) {
    Orbalt2 empty;
    empty.SetDisplayLists(true);
    empty.SetMethod(kArrays);
    const Picture picture = Take([&empty] {
        empty.Draw(-3, 6);
        empty.DrawBoxes(0, 2);
    });
    EXPECT_EQ(Drawn(picture), 0);
    EXPECT_EQ(record.locks, 0);
    // Sized later, it keeps its state and draws once its lists are rebuilt.
    ASSERT_TRUE(empty.Init(4, 8));
    EXPECT_TRUE(empty.listsActive);
    empty.Draw(0, 8);
    empty.SetRenderMode(kSmooth);
    EXPECT_TRUE(glIsList(empty.lists[7]));
    empty.SetDisplayLists(false);
}

// Lists the driver could not make all go: the mesh draws without them,
// keeps the error for the program to report, and a later switch-on tries
// afresh. Errors left by others before the compile do not count.
TEST_F(MeshState, ListsTheDriverCannotMakeGoAndTheMeshDrawsWithoutThem) {
    mesh.SetMethod(kArrays);
    const Picture direct = Take([this] { mesh.Draw(kFirst, kCount); });
    glEnable(0xFFFE);  // someone else's error
    mesh.SetDisplayLists(true);
    EXPECT_TRUE(mesh.listsActive);
    EXPECT_EQ(mesh.listsError, 0u);
    const GLuint compiled = mesh.lists[0];
    EXPECT_TRUE(glIsList(compiled));

    mesh.SetArrayLock({FailingLock, nullptr});
    mesh.SetDisplayLists(true);
    EXPECT_FALSE(mesh.listsActive);
    EXPECT_EQ(mesh.listsError, static_cast<uint32_t>(GL_INVALID_ENUM));
    EXPECT_EQ(mesh.lists[0], 0u);
    EXPECT_FALSE(glIsList(compiled));
    mesh.SetArrayLock({});
    EXPECT_EQ(Differing(direct, Take([this] { mesh.Draw(kFirst, kCount); })), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    mesh.SetDisplayLists(true);
    EXPECT_TRUE(mesh.listsActive);
    EXPECT_EQ(Differing(direct, Take([this] { mesh.Draw(kFirst, kCount); })), 0);
}

}  // namespace
