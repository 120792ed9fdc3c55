#include "flight/camera_transform.h"

#include "platform/gl_headers.h"

void LoadCameraTransform(const Camera& view) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-view.roll, 0.0f, 0.0f, 1.0f);
    glRotatef(-view.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(-view.yaw, 0.0f, 1.0f, 0.0f);
    glTranslatef(-view.position.x, -view.position.y, -view.position.z);
}
