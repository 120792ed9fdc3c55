#include "display/glwindow.h"

#include "platform/constants.h"
#include "platform/desktop.h"

using namespace platform;

ErrorStatus GLwindow::status;

namespace {
constexpr uint32_t kFullScreenStyle = style::Popup | style::Visible | style::ClipChildren;
constexpr uint32_t kWindowedStyle = style::OverlappedWindow | style::Visible | style::ClipChildren;
constexpr uint32_t kInactiveFullScreenStyle = style::Visible | style::ClipChildren;

uint32_t Low16(uintptr_t value) { return static_cast<uint32_t>(value & 0xFFFF); }
uint32_t High16(uintptr_t value) { return static_cast<uint32_t>((value >> 16) & 0xFFFF); }

const char* DisplayChangeDetail(int result) {
    switch (result) {
        case display_change::Restart: return "computer must be restarted";
        case display_change::Failed: return "failed to set graphics mode";
        case display_change::BadMode: return "graphics mode not supported";
        case display_change::NotUpdated: return "unable to update registry";
        case display_change::BadFlags: return "invalid set of flags";
        default: return "unknown error";
    }
}
}  // namespace

GLwindow::GLwindow() : desktopMode(DesktopMode()) { currentMode = desktopMode; }

GLwindow::~GLwindow() {
    Close();
    if (fullscreen) RestoreDisplay();
}

int GLwindow::Fail(const char* operation, const char* detail) {
    status.Set(GENERIC, "GLwindow", operation, detail);
    return 0;
}

int GLwindow::FailWithReason(const char* operation, const char* detail, const char* call) {
    const SystemError error = LastSystemError();
    if (log) std::fprintf(log, "%s: %s \n", call, SystemErrorText(error).c_str());
    return Fail(operation, detail);
}

int GLwindow::WrapFailure(const char* operation) {
    std::string inner = status.Message();
    return Fail(operation, inner.c_str());
}

int GLwindow::Init(WindowProc procedure, const char* titleText, const char* iconName, const char* cursorName) {
    SetTitle(titleText);
    WindowClass windowClass;
    windowClass.style = kClassStyleRedrawOwnDC;
    windowClass.procedure = procedure;
    windowClass.className = className.c_str();
    windowClass.iconName = iconName;
    windowClass.cursorName = cursorName;
    if (!RegisterWindowClass(windowClass))
        return FailWithReason("Init", "RegisterClassEx() failed", "RegisterClassEx()");
    wndProc = procedure;
    return 1;
}

void GLwindow::SetTitle(const char* text) {
    if (text == nullptr) return;
    title = text;
    if (hwnd) SetWindowTitle(hwnd, title.c_str());
}

int GLwindow::SetScreen(const ScreenMode& mode) {
    const int result = RequestScreen(mode);
    return result == display_change::Successful ? 1 : Fail("SetScreen", DisplayChangeDetail(result));
}

// One request for the mode; a refused one leaves the display restored.
int GLwindow::RequestScreen(const ScreenMode& mode) {
    DisplayRequest request;
    request.fields = display_field::PixelsWidth | display_field::PixelsHeight;
    if (mode.bits != 0) request.fields |= display_field::BitsPerPixel;
    request.width = mode.width;
    request.height = mode.height;
    request.bits = mode.bits;
    const int result = ChangeDisplay(request);
    if (result == display_change::Successful)
        currentMode = mode;
    else
        RestoreDisplay();
    return result;
}

// Current display drivers offer no 16-bit modes: a size the display refuses
// at the asked depth is asked again at the desktop's own depth, then at 32.
// When every depth is refused, the failure named is the asked depth's.
int GLwindow::SetScreenAtSomeDepth(const ScreenMode& mode) {
    const int asked = RequestScreen(mode);
    if (asked == display_change::Successful) return 1;
    uint32_t tried = mode.bits;
    for (uint32_t bits : {desktopMode.bits, 32u}) {
        if (mode.bits == 0 || bits == 0 || bits == mode.bits || bits == tried) continue;
        tried = bits;
        ScreenMode deeper = mode;
        deeper.bits = bits;
        if (log) std::fprintf(log, "GLwindow::FullScreen %u bit refused, asking for %u bit \n\n", mode.bits, bits);
        if (RequestScreen(deeper) == display_change::Successful) {
            if (log) std::fprintf(log, "GLwindow::FullScreen %u bit taken \n\n", bits);
            return 1;
        }
    }
    return Fail("SetScreen", DisplayChangeDetail(asked));
}

int GLwindow::FullScreen(const ScreenMode& mode) {
    if (log)
        std::fprintf(log, "GLwindow::FullScreen %u x %u, %u bit @ %u Hz \n\n", mode.width, mode.height, mode.bits,
                     mode.frequency);
    Close();
    if (!SetScreenAtSomeDepth(mode)) return WrapFailure("FullScreen");
    fullscreen = true;
    // A failed creation leaves the display changed; the destructor and the
    // program's exit restore it.
    if (!Create(static_cast<int32_t>(mode.width), static_cast<int32_t>(mode.height)))
        return WrapFailure("FullScreen");
    return 1;
}

int GLwindow::Windowed(int32_t clientWidth, int32_t clientHeight) {
    if (log) std::fprintf(log, "GLwindow::Windowed %d x %d \n\n", clientWidth, clientHeight);
    if (hwnd && !fullscreen) return Resize(clientWidth, clientHeight);
    if (fullscreen) {
        Close();
        fullscreen = false;
        RestoreDisplay();
    }
    if (!Create(clientWidth, clientHeight)) return WrapFailure("Windowed");
    return 1;
}

uint32_t GLwindow::WindowStyle() const { return fullscreen ? kFullScreenStyle : kWindowedStyle; }

uint32_t GLwindow::WindowExStyle() const { return fullscreen ? style::ExTopmost : 0; }

int GLwindow::Create(int32_t clientWidth, int32_t clientHeight) {
    Rect outer = AdjustWindowRect({0, 0, clientWidth, clientHeight}, WindowStyle());
    hwnd = MakeWindow(WindowExStyle(), className.c_str(), title.c_str(), WindowStyle(), 0, 0,
                      outer.right - outer.left, outer.bottom - outer.top);
    if (!hwnd) return FailWithReason("Create", "CreateWindowEx() failed", "CreateWindowEx()");
    ShowWindow(hwnd, ShowCommand::Show);
    return 1;
}

int GLwindow::Cover(const Rect& area) {
    if (log)
        std::fprintf(log, "GLwindow::Cover %d, %d, %d x %d \n\n", area.left, area.top, area.right - area.left,
                     area.bottom - area.top);
    Close();
    hwnd = MakeWindow(style::ExTopmost, className.c_str(), title.c_str(), kFullScreenStyle, area.left, area.top,
                      area.right - area.left, area.bottom - area.top);
    if (!hwnd) return FailWithReason("Cover", "CreateWindowEx() failed", "CreateWindowEx()");
    // The client area is the whole window, as its size message says too.
    width = area.right - area.left;
    height = area.bottom - area.top;
    ShowWindow(hwnd, ShowCommand::Show);
    return 1;
}

int GLwindow::Embed(WindowHandle parent) {
    const Rect client = ClientRect(parent);
    if (log) std::fprintf(log, "GLwindow::Embed %d x %d \n\n", client.right, client.bottom);
    Close();
    hwnd = MakeChildWindow(className.c_str(), parent, 0, 0, client.right, client.bottom);
    if (!hwnd) return FailWithReason("Embed", "CreateWindowEx() failed", "CreateWindowEx()");
    width = client.right;
    height = client.bottom;
    return 1;
}

int GLwindow::Resize(int32_t clientWidth, int32_t clientHeight) {
    Rect outer = AdjustWindowRect({0, 0, clientWidth, clientHeight}, WindowStyle());
    MoveWindow(hwnd, 0, 0, outer.right - outer.left, outer.bottom - outer.top);
    return 1;
}

void GLwindow::Close() {
    if (!hwnd) return;
    destroying = true;
    DestroyWindow(hwnd);
}

int GLwindow::OnMOVE(WindowHandle, uintptr_t, intptr_t lParam) {
    x = static_cast<int32_t>(Low16(static_cast<uintptr_t>(lParam)));
    y = static_cast<int32_t>(High16(static_cast<uintptr_t>(lParam)));
    return 1;
}

int GLwindow::OnSIZE(WindowHandle, uintptr_t, intptr_t lParam) {
    width = static_cast<int32_t>(Low16(static_cast<uintptr_t>(lParam)));
    height = static_cast<int32_t>(High16(static_cast<uintptr_t>(lParam)));
    return 1;
}

int GLwindow::OnACTIVATE(WindowHandle window, uintptr_t wParam, intptr_t) {
    if (Low16(wParam) != 0 && High16(wParam) == 0) {
        SetFocus(window);
        active = true;
    } else {
        active = false;
    }
    return 1;
}

int GLwindow::OnACTIVATEAPP(WindowHandle window, uintptr_t wParam, intptr_t) {
    if (!fullscreen) return 1;
    if (wParam != 0) {
        SetScreen(currentMode);
        SetWindowStyles(window, style::ExTopmost, kFullScreenStyle);
        active = true;
    } else {
        FinishGL();
        active = false;
        if (!destroying) {
            SetWindowStyles(window, 0, kInactiveFullScreenStyle);
            ShowWindow(window, ShowCommand::Minimize);
        }
        RestoreDisplay();
    }
    return 1;
}
