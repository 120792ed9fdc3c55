#include "flight/overlay.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "flight/screen_text.h"
#include "platform/gl_headers.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace {
constexpr size_t kTextSize = 64;

void Vertex(const Vector3& v) { glVertex3f(v.x, v.y, v.z); }

// The nearest triangle lies exactly on the wall triangle drawn with the same
// vertices; a depth test that passes equal depths keeps it visible.
void MarkNearestTriangle(const Orbalt2& mesh, int32_t t) {
    // Until the next collision step after a rebuild the index may belong to the old mesh.
    if (t < 0 || static_cast<uint32_t>(t) >= mesh.nTriangles) return;
    const Triangle& triangle = mesh.triV[static_cast<uint32_t>(t)];
    glPushAttrib(GL_DEPTH_BUFFER_BIT);
    glDepthFunc(GL_LEQUAL);
    glColor3f(1.0f, 1.0f, 0.0f);
    glBegin(GL_TRIANGLES);
    for (uint32_t corner : triangle.v) Vertex(mesh.pos[corner]);
    glEnd();
    glPopAttrib();
}
}  // namespace

void DrawAxes() {
    glPointSize(3.0f);
    glColor3f(0.7f, 0.7f, 1.0f);
    glBegin(GL_POINTS);
    glVertex3f(0.0f, 1.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, -1.0f);
    glVertex3f(-1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.0f, -1.0f, 0.0f);
    glEnd();

    glLineWidth(1.0f);
    glColor3f(1.0f, 1.0f, 0.0f);
    glBegin(GL_LINES);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glVertex3f(0.0f, 0.0f, 1.0f);
    glEnd();

    // The letters beyond the axis ends.
    static const GLfloat kLetters[][3] = {
        {1.0f, 0.1f, 0.0f},  {1.2f, -0.1f, 0.0f}, {1.0f, -0.1f, 0.0f}, {1.2f, 0.1f, 0.0f},   // X
        {0.1f, 1.2f, 0.0f},  {-0.1f, 1.0f, 0.0f}, {-0.1f, 1.2f, 0.0f}, {0.0f, 1.1f, 0.0f},   // Y
        {0.0f, 0.1f, 1.2f},  {0.0f, 0.1f, 1.0f},  {0.0f, 0.1f, 1.0f},  {0.0f, -0.1f, 1.2f},  // Z
        {0.0f, -0.1f, 1.2f}, {0.0f, -0.1f, 1.0f},
    };
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    for (const GLfloat* point : kLetters) glVertex3fv(point);
    glEnd();
}

void DrawTunnelInformation(const Orbalt2& mesh, const CollisionState& collision, const Camera& camera,
                           platform::WindowHandle window, int32_t first, uint32_t count) {
    glDisable(GL_LIGHTING);
    mesh.DrawBoxes(collision.segment, 2);
    MarkNearestTriangle(mesh, collision.triangle);
    char title[kTextSize];
    FormatTitle(title, sizeof title, camera.position.z, collision.segment, camera.direction.z, first,
                first + static_cast<int32_t>(count));
    platform::SetWindowTitle(window, title);
}

void FormatTitle(char* text, size_t size, float z, int32_t segment, float directionZ, int32_t first, int32_t end) {
    std::snprintf(text, size, "z %6.4f, seg %d, a %6.3f, start %d, end %d", static_cast<double>(z), segment,
                  static_cast<double>(directionZ), first, end);
}

void FormatFrameRate(char* text, size_t size, float seconds) {
    if (seconds > 0.0f)
        std::snprintf(text, size, "%5.2f", static_cast<double>(1.0f / seconds));
    else
        std::snprintf(text, size, "%5s", "inf");
}

void DrawFrameRate(const GLwindow& window, GlyphLists* glyphs, float frameTime) {
    char text[kTextSize];
    FormatFrameRate(text, sizeof text, frameTime);
    if (window.hglrc) {
        if (glyphs) DrawScreenText(window, *glyphs, text);
    } else if (window.hdc) {
        platform::DrawDeviceText(window.hdc, 0, 0, text, std::strlen(text));
    }
}
