#include "flight/clear_frame.h"

#include "display/gl_headers.h"
#include "platform/gl_context.h"
#include "shell/program_objects.h"

void RenderClearFrame() {
    if (!glWindow.hglrc) return;
    glClear(GL_COLOR_BUFFER_BIT | (settings.depthTest ? GL_DEPTH_BUFFER_BIT : 0));
    platform::SwapBuffers(glWindow.hdc);
}
