#include "flight/render_frame.h"

#include <cmath>

#include "flight/camera_transform.h"
#include "flight/flight_model.h"
#include "flight/overlay.h"
#include "platform/gl_context.h"
#include "platform/gl_headers.h"
#include "tunnel/angles.h"

namespace {
// How far a view across the tunnel shifts the drawn range, as a share of half of it.
constexpr float kLeanShare = 0.95f;
}  // namespace

float CornerCosine(const Camera& view) {
    const float height = 2.0f * view.zNear * std::tan(view.fov * kHalfDegreeInRadians);
    const float width = view.aspect * height;
    const float diagonal = std::sqrt(width * width + height * height);
    return std::cos(std::atan(diagonal / (2.0f * view.zNear)));
}

int32_t FirstVisibleSegment(int32_t cameraSegment, uint32_t lookahead, float directionZ, float cornerCosine) {
    const int32_t n = static_cast<int32_t>(lookahead);
    if (directionZ > cornerCosine) return cameraSegment - 2;
    if (directionZ < -cornerCosine) return cameraSegment - n + 2;
    const int32_t half = n / 2;
    // Here |directionZ| <= cornerCosine, so the lean stays within one half
    // range; a degenerate frustum (a cosine of 0 or not a number) has none.
    float lean = directionZ / cornerCosine;
    if (!(std::fabs(lean) <= 1.0f)) lean = 0.0f;
    const float centre = static_cast<float>(cameraSegment) + kLeanShare * static_cast<float>(half) * lean;
    return static_cast<int32_t>(std::trunc(centre)) - half;
}

void DrawTunnel(const GLwindow& window, const FrameOptions& options, const TunnelView& tunnel,
                const Camera& camera) {
    // A rebuild that could not complete leaves no tunnel to draw.
    if (!tunnel.builder.Ready()) return;
    const uint32_t count = tunnel.builder.lookahead;
    const int32_t first =
        FirstVisibleSegment(tunnel.collision.segment, count, camera.direction.z, CornerCosine(camera));
    if (options.lighting) glEnable(GL_LIGHTING);
    tunnel.mesh.Draw(first, count);
    if (options.showInfo) DrawTunnelInformation(tunnel.mesh, tunnel.collision, camera, window.hwnd, first, count);
}

void RenderFrame(const GLwindow& window, const FrameOptions& options, const TunnelView& tunnel, Camera& camera,
                 float frameTime) {
    if (window.hglrc) {
        glClear(GL_COLOR_BUFFER_BIT | (options.depthTest ? GL_DEPTH_BUFFER_BIT : 0));
        UpdateDirection(camera);
        LoadCameraTransform(camera);
        if (options.showAxes) DrawAxes();
        const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
        glColor4fv(white);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
        if (options.lighting)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        DrawTunnel(window, options, tunnel, camera);
        // The frame rate becomes part of the frame: text written after the
        // swap, into the front buffer or with GDI, does not show where the GL
        // surface is a window of its own (as under Wine).
        if (options.showInfo) DrawFrameRate(window, options.glyphs, frameTime);
        platform::SwapBuffers(window.hdc);
    } else if (options.showInfo) {
        DrawFrameRate(window, options.glyphs, frameTime);
    }
}
