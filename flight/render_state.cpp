// The fixed GL state. Everything is set once here, in an order that
// matters: the light is positioned while the starting camera transform is
// loaded, so it stays fixed relative to the viewer wherever the camera flies.
#include "flight/render_state.h"

#include "display/glwindow.h"
#include "flight/camera_transform.h"
#include "flight/flight_model.h"
#include "flight/projection.h"

const float fogEnd = 3.0f;

namespace {

constexpr float kStartFov = 70.0f;
constexpr float kNearestPlane = 0.001f;
constexpr GLfloat kSkyColor[] = {0.5f, 0.7f, 1.0f, 1.0f};
constexpr GLfloat kLightPosition[] = {0.1f, 0.3f, -1.0f, 0.0f};  // directional
constexpr GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kMaterialAmbient[] = {0.25f, 0.25f, 0.2f, 1.0f};
constexpr GLfloat kMaterialSpecular[] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr GLfloat kMaterialEmission[] = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr GLfloat kFogStart = 0.15f;
constexpr GLenum kIndexLogicOp = 0x0BF1;  // GL_INDEX_LOGIC_OP (GL_LOGIC_OP)

void Enable(GLenum capability, bool on) {
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

void SetStartingProjection(const GLwindow& window, Camera& camera) {
    camera.fov = kStartFov;
    camera.aspect = AspectRatio(window.width, window.height, camera.aspect);
    float farthest = 2.0f * fogEnd;
    camera.zNear = farthest >= kNearestPlane ? kNearestPlane : farthest;
    camera.zFar = farthest >= camera.zNear ? farthest : camera.zNear;
    SetProjection(camera);
}

void SetStartingCamera(Camera& camera) {
    camera.yaw = 180.0f;
    camera.pitch = 0.0f;
    camera.roll = 0.0f;
    camera.position = {0.0f, 0.0f, 0.0f};
    UpdateDirection(camera);
    LoadCameraTransform(camera);
}

void SetLightAndMaterial(bool lighting) {
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kWhite);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kWhite);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kWhite);
    glEnable(GL_LIGHT0);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    Enable(GL_LIGHTING, lighting);

    glMaterialfv(GL_FRONT, GL_AMBIENT, kMaterialAmbient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, kWhite);
    glMaterialfv(GL_FRONT, GL_SPECULAR, kMaterialSpecular);
    glMaterialfv(GL_FRONT, GL_EMISSION, kMaterialEmission);
    glMaterialf(GL_FRONT, GL_SHININESS, 0.0f);
}

void SetFog(bool fog) {
    glFogfv(GL_FOG_COLOR, kSkyColor);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, kFogStart);
    glFogf(GL_FOG_END, fogEnd);
    Enable(GL_FOG, fog);
}

}  // namespace

bool InitRenderState(const RenderStateOptions& options, const GLwindow& window, Camera& camera) {
    SetStartingProjection(window, camera);
    SetStartingCamera(camera);  // stays loaded until the light is positioned
    Enable(GL_DEPTH_TEST, options.depthTest);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT, GL_FILL);
    glShadeModel(GL_SMOOTH);
    glClearColor(kSkyColor[0], kSkyColor[1], kSkyColor[2], kSkyColor[3]);
    SetLightAndMaterial(options.lighting);
    for (GLenum capability : {GLenum{GL_NORMALIZE}, GLenum{GL_ALPHA_TEST}, GLenum{GL_BLEND},
                              GLenum{GL_COLOR_MATERIAL}, GLenum{GL_POLYGON_SMOOTH}, kIndexLogicOp})
        glDisable(capability);
    SetFog(options.fog);
    return true;
}
