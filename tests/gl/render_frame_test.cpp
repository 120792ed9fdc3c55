// Frame rendering: the visible range chosen from the view direction, the
// tunnel on screen, the information overlay, the axes and the frame-rate text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "flight/overlay.h"
#include "flight/render_frame.h"
#include "program_scene.h"

namespace {

using platform::stub::glState;
using platform::stub::state;
using platform::stub::textState;

// fov 70 and aspect 4/3: a corner ray is about 49.4 degrees off the view axis.
constexpr float kStartUpCorner = 0.6507f;

TEST(VisibleRange, CornerCosineOfTheStartUpView) {
    Camera view;
    view.fov = 70.0f;
    view.aspect = 640.0f / 480.0f;
    view.zNear = 0.001f;
    EXPECT_NEAR(CornerCosine(view), kStartUpCorner, 1e-4f);
    view.aspect = 1.0f;  // a narrower view: the corner is nearer the axis
    EXPECT_NEAR(CornerCosine(view), std::cos(std::atan(std::tan(35.0f * 3.14159265f / 180.0f) * std::sqrt(2.0f))),
                1e-5f);
}

TEST(VisibleRange, TheThreeCasesOfTheFirstSegment) {
    const float c = kStartUpCorner;
    EXPECT_EQ(FirstVisibleSegment(10, 122, 1.0f, c), 8);      // along +z: segments 8 to 129
    EXPECT_EQ(FirstVisibleSegment(10, 122, -1.0f, c), -110);  // along -z: ends at segment 11
    EXPECT_EQ(FirstVisibleSegment(10, 122, 0.0f, c), -51);    // sideways: -51 to 70, centred
    // Just inside the straddling case the range leans toward where the view points.
    EXPECT_EQ(FirstVisibleSegment(10, 122, c, c), static_cast<int32_t>(std::trunc(10.0f + 0.95f * 61.0f)) - 61);
    EXPECT_EQ(FirstVisibleSegment(10, 122, 0.5f * c, c), 38 - 61);
    EXPECT_EQ(FirstVisibleSegment(10, 122, -0.5f * c, c), -18 - 61);  // truncated toward zero
    EXPECT_EQ(FirstVisibleSegment(0, 122, -0.01f * c, c), -61);
}

TEST(VisibleRange, ADegenerateFrustumStillGivesARange) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(FirstVisibleSegment(10, 122, 0.0f, 0.0f), -51);
    EXPECT_EQ(FirstVisibleSegment(10, 122, 0.0f, nan), -51);
    Camera flat;
    flat.fov = 0.0f;
    flat.zNear = 0.001f;
    EXPECT_EQ(CornerCosine(flat), 1.0f);  // every view straddles
    EXPECT_EQ(FirstVisibleSegment(10, 122, 1.0f, CornerCosine(flat)), 10 + 57 - 61);
}

class RenderFrameTest : public ProgramSceneTest {
protected:
    void SetUp() override {
        ProgramSceneTest::SetUp();
        ASSERT_EQ(BuildWith(tunnelParams), 1);
        camera.yaw = 180.0f;  // looking along +z, as at start-up
        camera.direction = Vector3{0.0f, 0.0f, 1.0f};
        collisionState = {};
    }

    std::string Title() const { return state().titles.empty() ? "" : state().titles.back(); }
};

TEST_F(RenderFrameTest, TheTunnelFillsThePictureAndItsFarEndIsFogged) {
    DrawFrame();
    EXPECT_EQ(glState().swapCount, 1);
    const auto picture = Picture();
    EXPECT_GT(WallShare(picture), 0.9);
    // Down the tunnel the wall fades into the fog, which has the sky's colour.
    EXPECT_LE(SkyDistance(Pixel(kWidth / 2, kHeight / 2)), 8);
    EXPECT_GT(SkyDistance(Pixel(2, kHeight / 2)), 30);  // the near wall at the edge
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
}

TEST_F(RenderFrameTest, LightingFollowsTheSetting) {
    DrawFrame();
    const auto lit = Picture();
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    settings.lighting = false;
    DrawFrame();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_NE(Picture(), lit);
}

TEST_F(RenderFrameTest, WithoutAContextOnlyTheFrameRateIsWritten) {
    const auto before = Picture();
    glWindow.hglrc = nullptr;
    showInfo = true;
    frameTime = 0.02f;
    DrawFrame();
    EXPECT_EQ(glState().swapCount, 0);
    EXPECT_EQ(Picture(), before);
    ASSERT_EQ(textState().deviceTexts.size(), 1u);
    EXPECT_EQ(textState().deviceTexts[0].text, "50.00");
    EXPECT_EQ(textState().deviceTexts[0].x, 0);
    EXPECT_EQ(textState().deviceTexts[0].y, 0);
    EXPECT_TRUE(state().titles.empty());
}

TEST_F(RenderFrameTest, TheFrameRateIsDrawnAtTheTopLeftOverTheFrame) {
    DrawFrame();
    const auto plain = Picture();
    showInfo = true;
    frameTime = 0.0f;
    DrawFrame();
    EXPECT_TRUE(textState().deviceTexts.empty());  // GL text while there is a context
    ASSERT_EQ(textState().fontListBases.size(), 1u);
    // "  inf": the stand-in's glyphs are black boxes on a white band.
    const int top = kHeight - 1;
    EXPECT_EQ(Pixel(1, top), (std::vector<uint8_t>{255, 255, 255, 255}));
    EXPECT_EQ(Pixel(2 * platform::stub::kGlyphWidth + 1, top - 4), (std::vector<uint8_t>{0, 0, 0, 255}));
    EXPECT_NE(Pixel(5 * platform::stub::kGlyphWidth + 2, top - 4), (std::vector<uint8_t>{0, 0, 0, 255}));
    EXPECT_EQ(Pixel(kWidth / 2, kHeight / 2),
              (std::vector<uint8_t>(plain.begin() + (kHeight / 2 * kWidth + kWidth / 2) * 4,
                                    plain.begin() + (kHeight / 2 * kWidth + kWidth / 2) * 4 + 4)));
    // The glyphs are made once for the context and drawing leaves the state as it was.
    DrawFrame();
    EXPECT_EQ(textState().fontListBases.size(), 1u);
    // Released with their context (the window destroyed), they are made
    // anew for the next one.
    contextResources.Release();
    DrawFrame();
    EXPECT_EQ(textState().fontListBases.size(), 2u);
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_FOG));
}

TEST_F(RenderFrameTest, GlyphsAreMadeWithTheDefaultPixelStoreWhateverTheTextureLeft) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 256);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    showInfo = true;
    DrawFrame();
    EXPECT_EQ(textState().unpackRowLength, 0);
    EXPECT_EQ(textState().unpackAlignment, 4);
    EXPECT_EQ(Integer(GL_UNPACK_ROW_LENGTH), 256);
    EXPECT_EQ(Integer(GL_UNPACK_ALIGNMENT), 1);
}

TEST_F(RenderFrameTest, WithoutGlyphsNoTextIsDrawnAndNoErrorLeft) {
    textState().fontListsSucceed = false;
    DrawFrame();
    const auto plain = Picture();
    showInfo = true;
    DrawFrame();
    EXPECT_EQ(Picture(), plain);
    DrawFrame();
    EXPECT_EQ(textState().fontListBases.size(), 1u);  // not tried again for this context
}

TEST_F(RenderFrameTest, InformationWritesTheTitleWithTheDrawnRange) {
    showInfo = true;
    collisionState.segment = 10;
    DrawFrame();
    EXPECT_EQ(Title(), "z 0.0000, seg 10, a  1.000, start 8, end 130");
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));  // until the next frame re-applies it

    camera.yaw = 0.0f;  // along -z
    camera.direction = Vector3{0.0f, 0.0f, -1.0f};
    DrawFrame();
    EXPECT_EQ(Title(), "z 0.0000, seg 10, a -1.000, start -110, end 12");

    showInfo = false;
    const size_t titles = state().titles.size();
    DrawFrame();
    EXPECT_EQ(state().titles.size(), titles);  // the last title stays
}

TEST_F(RenderFrameTest, InformationMarksTheNearestTriangleInYellow) {
    settings.lighting = false;
    settings.fog = false;
    glDisable(GL_FOG);
    showInfo = true;
    DrawFrame();
    const auto plain = Picture();
    // A triangle of the wall ahead, at the side of the picture.
    collisionState.segment = 0;
    collisionState.triangle = static_cast<int32_t>(2 * tunnelMesh.VertexOf(40, tunnelMesh.nSegPoints / 2));
    DrawFrame();
    const auto marked = Picture();
    size_t yellow = 0;
    for (size_t i = 0; i < marked.size(); i += 4)
        yellow += marked[i] == 255 && marked[i + 1] == 255 && marked[i + 2] == 0 && plain[i + 2] != 0;
    EXPECT_GT(yellow, 20u);
    // An index the mesh does not have (left over from a larger tunnel) marks nothing.
    collisionState.triangle = static_cast<int32_t>(tunnelMesh.nTriangles);
    DrawFrame();
    EXPECT_EQ(Picture(), plain);
}

TEST_F(RenderFrameTest, AxesAreDrawnBeforeTheTunnelAndLeaveTheirSizes) {
    // From outside the tunnel, behind the origin, the axes stand alone.
    tunnelBuilder.Reset();
    camera.yaw = 0.0f;
    camera.position = Vector3{0.3f, 0.4f, 3.0f};
    camera.direction = Vector3{0.0f, 0.0f, -1.0f};
    glDisable(GL_FOG);
    settings.fog = false;
    // The axes take the lighting the previous frame left: off, so their colours show as given.
    settings.lighting = false;
    DrawFrame();
    EXPECT_EQ(WallShare(Picture()), 0.0);
    showAxes = true;
    DrawFrame();
    const auto picture = Picture();
    size_t yellow = 0, white = 0;
    for (size_t i = 0; i < picture.size(); i += 4) {
        yellow += picture[i] == 255 && picture[i + 1] == 255 && picture[i + 2] == 0;
        white += picture[i] == 255 && picture[i + 1] == 255 && picture[i + 2] == 255;
    }
    EXPECT_GT(yellow, 100u);  // the three axes
    EXPECT_GT(white, 20u);    // the letters
    EXPECT_EQ(Floats(GL_POINT_SIZE, 1)[0], 3.0f);
    EXPECT_EQ(Floats(GL_LINE_WIDTH, 1)[0], 1.0f);
    showAxes = false;
    DrawFrame();
    EXPECT_EQ(Floats(GL_POINT_SIZE, 1)[0], 3.0f);
}

TEST(OverlayText, TitleLineOfTheExample) {
    char title[64];
    FormatTitle(title, sizeof title, 1.5f, 48, 1.0f, 46, 168);
    EXPECT_STREQ(title, "z 1.5000, seg 48, a  1.000, start 46, end 168");
    FormatTitle(title, sizeof title, -511.99f, 255, -0.7071f, -2147483647, 2147483647);
    // Cut to the buffer, never past it.
    EXPECT_EQ(std::string(title), std::string("z -511.9900, seg 255, a -0.707, start -2147483647, end 2147483647")
                                      .substr(0, sizeof title - 1));
}

TEST(OverlayText, FrameRates) {
    char text[64];
    FormatFrameRate(text, sizeof text, 0.02f);
    EXPECT_STREQ(text, "50.00");
    FormatFrameRate(text, sizeof text, 0.5f);
    EXPECT_STREQ(text, " 2.00");
    FormatFrameRate(text, sizeof text, 0.0f);
    EXPECT_STREQ(text, "  inf");
    FormatFrameRate(text, sizeof text, 1e-4f);
    EXPECT_STREQ(text, "10000.00");
}

}  // namespace
