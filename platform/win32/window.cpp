// The window class, windows and the message loop on Win32.
#include "platform/win32/win32.h"

#include <GL/gl.h>

namespace platform {
using win32::ToHwnd;

static_assert(msg::Create == WM_CREATE && msg::Destroy == WM_DESTROY && msg::Move == WM_MOVE);
static_assert(msg::Size == WM_SIZE && msg::Activate == WM_ACTIVATE && msg::Paint == WM_PAINT);
static_assert(msg::Close == WM_CLOSE && msg::Quit == WM_QUIT && msg::EraseBackground == WM_ERASEBKGND);
static_assert(msg::ActivateApp == WM_ACTIVATEAPP && msg::KeyDown == WM_KEYDOWN && msg::KeyUp == WM_KEYUP);
static_assert(msg::Char == WM_CHAR && msg::SysKeyDown == WM_SYSKEYDOWN && msg::SysKeyUp == WM_SYSKEYUP);
static_assert(msg::Command == WM_COMMAND && msg::MouseMove == WM_MOUSEMOVE);
static_assert(msg::LeftButtonDown == WM_LBUTTONDOWN && msg::LeftButtonUp == WM_LBUTTONUP);
static_assert(msg::RightButtonDown == WM_RBUTTONDOWN && msg::RightButtonUp == WM_RBUTTONUP);
static_assert(msg::QueryNewPalette == WM_QUERYNEWPALETTE && msg::PaletteChanged == WM_PALETTECHANGED);
static_assert(msg::Joy1Move == MM_JOY1MOVE && msg::Joy1ButtonDown == MM_JOY1BUTTONDOWN &&
              msg::Joy1ButtonUp == MM_JOY1BUTTONUP);
static_assert(style::Popup == WS_POPUP && style::Visible == WS_VISIBLE);
static_assert(style::ClipChildren == WS_CLIPCHILDREN && style::OverlappedWindow == WS_OVERLAPPEDWINDOW);
static_assert(style::ExTopmost == WS_EX_TOPMOST);
static_assert(kClassStyleRedrawOwnDC == (CS_VREDRAW | CS_HREDRAW | CS_OWNDC));
static_assert(static_cast<int>(ShowCommand::Show) == SW_SHOW);
static_assert(static_cast<int>(ShowCommand::Minimize) == SW_MINIMIZE);

namespace {
WindowProc programProcedure = nullptr;

// Windows calls this with its own types; the program's procedure takes portable ones.
LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (programProcedure == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return programProcedure(window, message, wParam, lParam);
}

HICON LoadProgramIcon(HINSTANCE instance, const char* name) {
    return name ? LoadIconA(instance, name) : LoadIconA(nullptr, IDI_APPLICATION);
}

// AdjustWindowRect measures the frame at the system DPI, but Windows gives a
// per-monitor aware window the frame of its own monitor's DPI; the two differ
// where that monitor's scale is not the one the primary monitor had at sign-in.
// The window then grows or shrinks by the difference, so that its client area
// keeps the size the caller's AdjustWindowRect started from.
void FitFrameToMonitorDpi(HWND window) {
    if (IsIconic(window) || IsZoomed(window)) return;
    RECT outer{}, client{};
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return;
    RECT systemFrame = client;
    ::AdjustWindowRect(&systemFrame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE);
    const LONG width = outer.right - outer.left, height = outer.bottom - outer.top;
    const LONG extraWidth = width - (systemFrame.right - systemFrame.left);
    const LONG extraHeight = height - (systemFrame.bottom - systemFrame.top);
    if (extraWidth == 0 && extraHeight == 0) return;
    SetWindowPos(window, nullptr, 0, 0, width + extraWidth, height + extraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

bool RegisterWindowClass(const WindowClass& windowClass) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = windowClass.style;
    wc.lpfnWndProc = Trampoline;
    wc.hInstance = instance;
    wc.hIcon = LoadProgramIcon(instance, windowClass.iconName);
    wc.hCursor =
        windowClass.cursorName ? LoadCursorA(instance, windowClass.cursorName) : LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = windowClass.className;
    wc.hIconSm = LoadProgramIcon(instance, windowClass.iconName);
    if (!RegisterClassExA(&wc)) return false;
    programProcedure = windowClass.procedure;
    return true;
}

Rect AdjustWindowRect(Rect client, uint32_t style) {
    RECT rect{client.left, client.top, client.right, client.bottom};
    ::AdjustWindowRect(&rect, style, FALSE);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

WindowHandle MakeWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style, int32_t x,
                        int32_t y, int32_t width, int32_t height) {
    HWND window = CreateWindowExA(exStyle, className, title, style, x, y, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window) FitFrameToMonitorDpi(window);
    return window;
}

void ShowWindow(WindowHandle window, ShowCommand command) {
    ::ShowWindow(ToHwnd(window), static_cast<int>(command));
}

void MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height) {
    ::MoveWindow(ToHwnd(window), x, y, width, height, TRUE);
    FitFrameToMonitorDpi(ToHwnd(window));
}

void DestroyWindow(WindowHandle window) { ::DestroyWindow(ToHwnd(window)); }

void SetWindowTitle(WindowHandle window, const char* text) { SetWindowTextA(ToHwnd(window), text); }

void SetWindowStyles(WindowHandle window, uint32_t exStyle, uint32_t style) {
    SetWindowLongA(ToHwnd(window), GWL_EXSTYLE, static_cast<LONG>(exStyle));
    SetWindowLongA(ToHwnd(window), GWL_STYLE, static_cast<LONG>(style));
}

void SetFocus(WindowHandle window) { ::SetFocus(ToHwnd(window)); }

void ValidateWindow(WindowHandle window) { ValidateRect(ToHwnd(window), nullptr); }

intptr_t DefaultWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return DefWindowProcA(ToHwnd(window), message, wParam, lParam);
}

bool NextMessage(Message& message) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    message = {msg.hwnd, msg.message, msg.wParam, msg.lParam};
    return true;
}

void Dispatch(const Message& message) {
    MSG msg{};
    msg.hwnd = ToHwnd(message.window);
    msg.message = message.id;
    msg.wParam = message.wParam;
    msg.lParam = message.lParam;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void WaitMessage() { ::WaitMessage(); }

void PostQuit(int exitCode) { PostQuitMessage(exitCode); }

void FinishGL() { glFinish(); }

}  // namespace platform
