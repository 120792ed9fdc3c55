// The GL side of GLwindow: at creation the window's device context gets a
// double-buffered RGBA pixel format, a logical palette when the format needs
// one, and a current OpenGL rendering context; destruction releases them.
#include <string>

#include "display/glwindow.h"
#include "display/pixel_format.h"
#include "platform/gl_headers.h"

using namespace platform;

namespace {
const char* GLText(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}
}  // namespace

int GLwindow::OnCREATE(WindowHandle window, uintptr_t, intptr_t) {
    hwnd = window;
    destroying = false;
    hdc = GetWindowDC(hwnd);  // the class has CS_OWNDC: valid for the window's life
    EnumPixelFormats(hdc);
    if (!Set_PixelFormat()) return WrapFailure("OnCREATE");
    Set_Palette();
    hglrc = CreateRenderContext(hdc);
    if (!hglrc) return FailWithReason("OnCREATE", "wglCreateContext() failure", "wglCreateContext()");
    if (!MakeCurrent(hdc, hglrc))
        return FailWithReason("OnCREATE", "wglMakeCurrent() failure", "wglMakeCurrent()");
    LogGLStrings();
    return 1;
}

void GLwindow::LogGLStrings() const {
    if (!log) return;
    std::fprintf(log, "GL_VENDOR:     %s \n", GLText(GL_VENDOR));
    std::fprintf(log, "GL_RENDERER:   %s \n", GLText(GL_RENDERER));
    std::fprintf(log, "GL_VERSION:    %s \n", GLText(GL_VERSION));
    std::fprintf(log, "GL_EXTENSIONS: %s \n\n", GLText(GL_EXTENSIONS));
}

int GLwindow::OnDESTROY(WindowHandle, uintptr_t, intptr_t) {
    if (hglrc) {
        MakeCurrent(nullptr, nullptr);
        DeleteRenderContext(hglrc);
        hglrc = nullptr;
    }
    if (hpalette) {
        DeletePalette(hpalette);
        hpalette = nullptr;
    }
    if (hdc) ReleaseWindowDC(hwnd, hdc);
    hdc = nullptr;
    hwnd = nullptr;
    return 1;
}

int GLwindow::EnumPixelFormats(DeviceContext dc) {
    if (log) std::fprintf(log, "[Pixel Format Enumeration]\n");
    int index = 1;
    PixelFormat format;
    for (; DescribePixelFormat(dc, index, format); ++index)
        if (log) std::fprintf(log, "%s", PixelFormatText(&format, index).c_str());
    if (log) std::fprintf(log, "\n");
    return index;
}

int GLwindow::Set_PixelFormat() {
    PixelFormat request = pfdRequest ? *pfdRequest : PixelFormatRequest(static_cast<uint8_t>(currentMode.bits));
    int index = ChoosePixelFormat(hdc, request);
    if (index == 0) return FailWithReason("Set_PixelFormat", "ChoosePixelFormat() failed", "ChoosePixelFormat()");
    if (!SetPixelFormat(hdc, index, request))
        return FailWithReason("Set_PixelFormat", "SetPixelFormat() failed", "SetPixelFormat()");
    if (log) {
        DescribePixelFormat(hdc, index, pfd);
        std::fprintf(log, "Current pixel format: \n%s\n", PixelFormatText(&pfd, index).c_str());
    }
    return index;
}

int GLwindow::Set_Palette() {
    PixelFormat format;
    if (!DescribePixelFormat(hdc, GetPixelFormat(hdc), format)) return 1;
    if (!(format.dwFlags & pfd::NeedPalette)) return 1;
    std::vector<PaletteEntry> entries = LogicalPaletteEntries(format);
    // A palette that cannot be made leaves the window without one; creation goes on.
    if (entries.empty()) return 1;
    hpalette = CreatePalette(entries.data(), static_cast<uint32_t>(entries.size()));
    if (hpalette) {
        SelectPalette(hdc, hpalette);
        RealizePalette(hdc);
    }
    return 1;
}

void GLwindow::ReselectPalette() {
    UnrealizePalette(hpalette);
    SelectPalette(hdc, hpalette);
    RealizePalette(hdc);
}

int GLwindow::OnQUERYNEWPALETTE() {
    if (hglrc && hpalette) ReselectPalette();
    return 1;
}

int GLwindow::OnPALETTECHANGED(uintptr_t wParam) {
    if (hglrc && hpalette && wParam != reinterpret_cast<uintptr_t>(hwnd)) {
        ReselectPalette();
        InvalidateWindow(hwnd);
    }
    return 1;
}

bool GLwindow::HasExtension(const char* name) {
    const GLubyte* extensions = glGetString(GL_EXTENSIONS);
    return ExtensionListed(reinterpret_cast<const char*>(extensions), name);
}
