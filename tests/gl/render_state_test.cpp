// The fixed render state, the projection and the camera transform, read
// back from a real (offscreen) GL context.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "display/extensions.h"
#include "flight/camera_transform.h"
#include "flight/projection.h"
#include "flight/render_state.h"
#include "gl_context_fixture.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_gl_context_control.h"

namespace {

using platform::stub::glState;
using platform::stub::state;

MATCHER_P(FloatsNear, expected, "") {
    if (arg.size() != expected.size()) return false;
    for (size_t i = 0; i < arg.size(); ++i)
        if (std::fabs(arg[i] - expected[i]) > 1e-6f * std::fmax(1.0f, std::fabs(expected[i]))) return false;
    return true;
}

using Floats4 = std::vector<float>;

class RenderStateTest : public GLTest {
protected:
    void SetUp() override {
        GLTest::SetUp();
        platform::stub::Reset();
        window.width = 640;
        window.height = 480;
    }

    bool Init() { return InitRenderState(options, window, camera); }
    // The look-up and its console lines, as the program makes them once its context is current.
    GLExtensions LookUp() {
        const GLExtensions found = LookUpExtensions();
        ReportExtensions(found, console);
        return found;
    }

    RenderStateOptions options;  // as the program's settings start
    GLwindow window;             // its size only: the context is the offscreen one
    Camera camera;
    Console console;  // the stand-in records what it writes

    // Mesa's real entry points, offered through the stand-in's look-up.
    void OfferCompiledVertexArrays() {
        glState().procAddresses["glLockArraysEXT"] =
            OffscreenContext::ProcAddress("GL_EXT_compiled_vertex_array", "glLockArraysEXT");
        glState().procAddresses["glUnlockArraysEXT"] =
            OffscreenContext::ProcAddress("GL_EXT_compiled_vertex_array", "glUnlockArraysEXT");
    }

    // The frustum's projection matrix for the camera's values.
    static std::vector<float> ExpectedProjection(float fov, float aspect, float zNear, float zFar) {
        double h = zNear * std::tan(fov * 0.008726646f);
        double w = h * aspect;
        std::vector<float> m(16, 0.0f);
        m[0] = static_cast<float>(zNear / w);
        m[5] = static_cast<float>(zNear / h);
        m[10] = static_cast<float>(-(double{zFar} + zNear) / (double{zFar} - zNear));
        m[11] = -1.0f;
        m[14] = static_cast<float>(-2.0 * zFar * zNear / (double{zFar} - zNear));
        return m;
    }
};

TEST_F(RenderStateTest, SwitchesAndFixedStateAsSet) {
    EXPECT_TRUE(Init());
    for (GLenum on : std::initializer_list<GLenum>{GL_DEPTH_TEST, GL_CULL_FACE, GL_LIGHT0, GL_LIGHTING, GL_FOG})
        EXPECT_TRUE(glIsEnabled(on)) << std::hex << on;
    for (GLenum off : std::initializer_list<GLenum>{GL_NORMALIZE, GL_ALPHA_TEST, GL_BLEND, GL_COLOR_MATERIAL,
                                                    GL_POLYGON_SMOOTH, 0x0BF1})
        EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
    EXPECT_EQ(Integer(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(Integer(GL_CULL_FACE_MODE), GL_BACK);
    EXPECT_EQ(Integer(GL_SHADE_MODEL), GL_SMOOTH);
    GLint polygonModes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, polygonModes);
    EXPECT_EQ(polygonModes[0], GL_FILL);
    EXPECT_THAT(Floats(GL_COLOR_CLEAR_VALUE, 4), FloatsNear(Floats4{0.5f, 0.7f, 1.0f, 1.0f}));
}

TEST_F(RenderStateTest, LightIsPositionedInTheStartingCameraSpace) {
    Init();
    // Given as (0.1, 0.3, -1, 0) under a half turn about y: stored in eye space.
    EXPECT_THAT(Light(GL_POSITION, 4), FloatsNear(Floats4{-0.1f, 0.3f, 1.0f, 0.0f}));
    EXPECT_THAT(Light(GL_AMBIENT, 4), FloatsNear(Floats4{1, 1, 1, 1}));
    EXPECT_THAT(Light(GL_DIFFUSE, 4), FloatsNear(Floats4{1, 1, 1, 1}));
    EXPECT_THAT(Light(GL_SPECULAR, 4), FloatsNear(Floats4{1, 1, 1, 1}));
    EXPECT_EQ(Integer(GL_LIGHT_MODEL_LOCAL_VIEWER), 0);
    EXPECT_EQ(Integer(GL_LIGHT_MODEL_TWO_SIDE), 0);
    EXPECT_THAT(Floats(GL_LIGHT_MODEL_AMBIENT, 4), FloatsNear(Floats4{0.2f, 0.2f, 0.2f, 1.0f}));  // GL default
}

TEST_F(RenderStateTest, MaterialAndFog) {
    Init();
    EXPECT_THAT(Material(GL_AMBIENT, 4), FloatsNear(Floats4{0.25f, 0.25f, 0.2f, 1.0f}));
    EXPECT_THAT(Material(GL_DIFFUSE, 4), FloatsNear(Floats4{1, 1, 1, 1}));
    EXPECT_THAT(Material(GL_SPECULAR, 4), FloatsNear(Floats4{0, 0, 0, 1}));
    EXPECT_THAT(Material(GL_EMISSION, 4), FloatsNear(Floats4{0, 0, 0, 0}));
    EXPECT_THAT(Material(GL_SHININESS, 1), FloatsNear(Floats4{0}));
    EXPECT_THAT(Floats(GL_FOG_COLOR, 4), FloatsNear(Floats4{0.5f, 0.7f, 1.0f, 1.0f}));
    EXPECT_EQ(Integer(GL_FOG_MODE), GL_LINEAR);
    EXPECT_EQ(Integer(GL_FOG_HINT), GL_NICEST);
    EXPECT_THAT(Floats(GL_FOG_START, 1), FloatsNear(Floats4{0.15f}));
    EXPECT_THAT(Floats(GL_FOG_END, 1), FloatsNear(Floats4{3.0f}));
}

TEST_F(RenderStateTest, SettingsSwitchDepthTestLightingAndFogOff) {
    options.depthTest = options.lighting = options.fog = false;
    Init();
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));  // the light itself is always on
}

TEST_F(RenderStateTest, CameraAndProjectionFor640x480) {
    Init();
    EXPECT_EQ(camera.fov, 70.0f);
    EXPECT_EQ(camera.aspect, 640.0f / 480.0f);
    EXPECT_EQ(camera.zNear, 0.001f);
    EXPECT_EQ(camera.zFar, 6.0f);
    EXPECT_EQ(camera.yaw, 180.0f);
    EXPECT_EQ(camera.pitch, 0.0f);
    EXPECT_EQ(camera.roll, 0.0f);
    EXPECT_NEAR(camera.direction.x, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.direction.y, 0.0f, 1e-6f);
    EXPECT_NEAR(camera.direction.z, 1.0f, 1e-6f);

    std::vector<float> projection = Floats(GL_PROJECTION_MATRIX, 16);
    EXPECT_THAT(projection, FloatsNear(ExpectedProjection(70.0f, 640.0f / 480.0f, 0.001f, 6.0f)));
    // Half extents at the near plane: 0.00070021 high, 0.00093361 wide.
    EXPECT_NEAR(0.001 / projection[5], 0.00070021, 1e-8);
    EXPECT_NEAR(0.001 / projection[0], 0.00093361, 1e-8);
    // The starting view is a half turn about y: the camera looks along +z.
    EXPECT_THAT(Floats(GL_MODELVIEW_MATRIX, 16),
                FloatsNear(std::vector<float>{-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1}));
}

TEST_F(RenderStateTest, MissingSwapControlIsReportedAndCompiledArraysFound) {
    OfferCompiledVertexArrays();
    const GLExtensions found = LookUp();
    EXPECT_EQ(state().consoleText, "WGL_EXT_swap_control not supported \n");
    EXPECT_FALSE(found.swapControl);
    EXPECT_EQ(found.swapInterval, nullptr);
    EXPECT_EQ(found.getSwapInterval, nullptr);
    EXPECT_TRUE(found.compiledArrays);
    ASSERT_NE(found.arrayLock.lock, nullptr);
    ASSERT_NE(found.arrayLock.unlock, nullptr);
    EXPECT_EQ(glState().procLookups, (std::vector<std::string>{"glLockArraysEXT", "glUnlockArraysEXT"}));

    // The looked-up entry points are the context's own.
    GLfloat vertices[12] = {};
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices);
    found.arrayLock.lock(0, 4);
    EXPECT_EQ(Integer(0x81A9), 4);  // GL_ARRAY_ELEMENT_LOCK_COUNT_EXT
    found.arrayLock.unlock();
    EXPECT_EQ(Integer(0x81A9), 0);
    glDisableClientState(GL_VERTEX_ARRAY);
}

TEST_F(RenderStateTest, FailedLookUpIsReportedAndKeepsWhatWasFound) {
    glState().procAddresses["glLockArraysEXT"] =
        OffscreenContext::ProcAddress("GL_EXT_compiled_vertex_array", "glLockArraysEXT");
    const GLExtensions found = LookUp();
    EXPECT_EQ(state().consoleText, "WGL_EXT_swap_control not supported \nwglGetProcAddress() failure \n");
    EXPECT_TRUE(found.compiledArrays);
    EXPECT_NE(found.arrayLock.lock, nullptr);
    EXPECT_EQ(found.arrayLock.unlock, nullptr);
}

// Two contexts' records are independent: what one context offers never
// shows in a record looked up in another.
TEST_F(RenderStateTest, EachLookUpDescribesOnlyTheContextItRanIn) {
    OfferCompiledVertexArrays();
    const GLExtensions offering = LookUp();
    glState().procAddresses.clear();
    const GLExtensions lacking = LookUpExtensions();
    EXPECT_NE(offering.arrayLock.lock, nullptr);
    EXPECT_EQ(lacking.arrayLock.lock, nullptr);
    EXPECT_EQ(lacking.arrayLock.unlock, nullptr);
}

TEST_F(RenderStateTest, ResizeTo800x600KeepsTheVerticalFieldOfView) {
    Init();
    float vertical = Floats(GL_PROJECTION_MATRIX, 16)[5];
    ResizeViewport(camera, 800, 600);
    EXPECT_EQ(camera.aspect, 1.3333334f);
    std::vector<float> viewport = Floats(GL_VIEWPORT, 4);
    EXPECT_THAT(viewport, FloatsNear(Floats4{0, 0, 800, 600}));
    EXPECT_EQ(Floats(GL_PROJECTION_MATRIX, 16)[5], vertical);
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_PROJECTION);

    ResizeViewport(camera, 1000, 500);
    EXPECT_EQ(camera.aspect, 2.0f);
    EXPECT_THAT(Floats(GL_PROJECTION_MATRIX, 16), FloatsNear(ExpectedProjection(70.0f, 2.0f, 0.001f, 6.0f)));
}

TEST_F(RenderStateTest, MinimisedWindowKeepsThePreviousAspect) {
    Init();
    std::vector<float> before = Floats(GL_PROJECTION_MATRIX, 16);
    ResizeViewport(camera, 0, 0);
    EXPECT_EQ(camera.aspect, 640.0f / 480.0f);
    EXPECT_THAT(Floats(GL_PROJECTION_MATRIX, 16), FloatsNear(before));
    ResizeViewport(camera, 300, 0);
    ResizeViewport(camera, 0, 300);
    EXPECT_EQ(camera.aspect, 640.0f / 480.0f);
}

TEST_F(RenderStateTest, FieldOfViewClampLimitsGiveAUsableFrustum) {
    Init();
    for (float fov : {0.0f, 180.0f}) {
        camera.fov = fov;
        SetProjection(camera);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << fov;
        std::vector<float> m = Floats(GL_PROJECTION_MATRIX, 16);
        for (float value : m) EXPECT_TRUE(std::isfinite(value)) << fov;
        EXPECT_GT(m[5], 0.0f) << fov;  // not the identity a refused frustum leaves
        EXPECT_EQ(m[11], -1.0f) << fov;
        EXPECT_EQ(camera.fov, fov);  // the camera's own value is not changed
    }
    camera.fov = 180.0f;
    SetProjection(camera);
    float widest = Floats(GL_PROJECTION_MATRIX, 16)[5];
    camera.fov = 178.0f;
    SetProjection(camera);
    EXPECT_LT(widest, Floats(GL_PROJECTION_MATRIX, 16)[5]);  // 180 still the widest view
}

TEST_F(RenderStateTest, CameraTransformLooksAlongTheViewDirection) {
    Camera view;
    view.position = {1.0f, -2.0f, 3.0f};
    view.yaw = 30.0f;
    view.pitch = 20.0f;
    LoadCameraTransform(view);
    EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
    const float k = 0.017453292f;
    float dx = -std::sin(view.yaw * k) * std::cos(view.pitch * k);
    float dy = std::sin(view.pitch * k);
    float dz = -std::cos(view.yaw * k) * std::cos(view.pitch * k);
    // A point 5 units ahead of the camera lands 5 units down the eye's -z axis.
    float p[4] = {view.position.x + 5 * dx, view.position.y + 5 * dy, view.position.z + 5 * dz, 1.0f};
    std::vector<float> m = Floats(GL_MODELVIEW_MATRIX, 16);
    float eye[3];
    for (int row = 0; row < 3; ++row)
        eye[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row] * p[3];
    EXPECT_NEAR(eye[0], 0.0f, 1e-5f);
    EXPECT_NEAR(eye[1], 0.0f, 1e-5f);
    EXPECT_NEAR(eye[2], -5.0f, 1e-5f);
}

}  // namespace
