#pragma once
// The program's one OpenGL-capable window: its class, the choice between a
// full-screen window at a changed display mode and an ordinary window, the
// switching and restoring of display modes, and activation. The GL side
// (pixel format, context, palette) lives in glwindow_gl.cpp.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "display/error_status.h"
#include "platform/gl_context.h"
#include "platform/platform.h"
#include "platform/screen_mode.h"

class GLwindow {
public:
    GLwindow();
    ~GLwindow();
    GLwindow(const GLwindow&) = delete;
    GLwindow& operator=(const GLwindow&) = delete;

    int Init(platform::WindowProc procedure, const char* titleText, const char* iconName, const char* cursorName);
    void SetTitle(const char* text);
    int SetScreen(const ScreenMode& mode);
    int FullScreen(const ScreenMode& mode);
    int Windowed(int32_t clientWidth, int32_t clientHeight);
    int Create(int32_t clientWidth, int32_t clientHeight);
    // A borderless topmost window over the area (a monitor, on the virtual
    // screen), without changing the display mode.
    int Cover(const platform::Rect& area);
    // A child window filling the parent's client area (another program's
    // window, as a screensaver preview). The window's class must be registered.
    int Embed(platform::WindowHandle parent);
    int Resize(int32_t clientWidth, int32_t clientHeight);
    void Close();
    uint32_t EnumScreenModes();

    // Window messages, forwarded by the window procedure.
    int OnCREATE(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
    int OnDESTROY(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
    int OnMOVE(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
    int OnSIZE(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
    int OnACTIVATE(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
    int OnACTIVATEAPP(platform::WindowHandle window, uintptr_t wParam, intptr_t lParam);
    int OnQUERYNEWPALETTE();
    int OnPALETTECHANGED(uintptr_t wParam);

    // The GL side (glwindow_gl.cpp).
    int EnumPixelFormats(platform::DeviceContext dc);
    int Set_PixelFormat();
    int Set_Palette();
    // True when `name` is a whole blank-separated name in the current
    // context's GL_EXTENSIONS string.
    static bool HasExtension(const char* name);

    static ErrorStatus status;  // failures of every GLwindow operation

    int32_t width = 0, height = 0;  // client size from the last size message
    int32_t x = 0, y = 0;           // position from the last move message
    platform::WindowHandle hwnd = nullptr;
    platform::DeviceContext hdc = nullptr;
    platform::RenderContext hglrc = nullptr;
    platform::PaletteHandle hpalette = nullptr;
    bool active = false;
    bool fullscreen = false;
    bool destroying = false;
    platform::WindowProc wndProc = nullptr;
    std::string className = "GLwindow";
    std::string title = "GLwindow";
    FILE* log = nullptr;
    const platform::PixelFormat* pfdRequest = nullptr;  // replaces the standard request when set
    platform::PixelFormat pfd{};  // the chosen format, described only while a log is attached
    ScreenMode currentMode;
    ScreenMode desktopMode;
    std::vector<ScreenMode> modes;

private:
    int Fail(const char* operation, const char* detail);
    // Fail after a Win32 call failed: the log gets the call, the system's
    // error code and its text on a line of their own.
    int FailWithReason(const char* operation, const char* detail, const char* call);
    int WrapFailure(const char* operation);
    int RequestScreen(const ScreenMode& mode);
    int SetScreenAtSomeDepth(const ScreenMode& mode);
    uint32_t WindowStyle() const;
    uint32_t WindowExStyle() const;
    void LogModes() const;
    void LogGLStrings() const;
    void ReselectPalette();
};
