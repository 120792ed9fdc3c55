/* A stand-in for the Screen Saver Settings page in the end-to-end tests: an
   ordinary top-level window whose client area a saver started with
   "/p HWND" fills. It writes its handle in decimal on standard output, the
   form Windows passes on the saver's command line, then a line for each
   change of its child window (where it lies, how large, whether visible), so
   that a test can see the saver's window inside it, and runs until closed. */
#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#define CLIENT_WIDTH 320
#define CLIENT_HEIGHT 240

#define CHILD_TIMER 1
#define CHILD_CHECK_MS 100

/* Written straight to the inherited handle: the test reads each line while
   the program goes on running, and the C runtime would hold lines back in
   its buffer when standard output is a file. */
static int WriteLine(const char* text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    const DWORD length = (DWORD)strlen(text);
    if (out == NULL || out == INVALID_HANDLE_VALUE) return 0;
    if (!WriteFile(out, text, length, &written, NULL) || written != length) return 0;
    FlushFileBuffers(out);
    return 1;
}

/* The child window as a line: "child HWND at X,Y size WxH visible|hidden",
   in the parent's client coordinates, or "child none". */
static void DescribeChild(HWND window, char* text, size_t size) {
    HWND child = GetWindow(window, GW_CHILD);
    RECT area;
    if (!child || !GetWindowRect(child, &area)) {
        snprintf(text, size, "child none\n");
        return;
    }
    MapWindowPoints(NULL, window, (POINT*)&area, 2);
    snprintf(text, size, "child %llu at %ld,%ld size %ldx%ld %s\n", (unsigned long long)(uintptr_t)child,
             area.left, area.top, area.right - area.left, area.bottom - area.top,
             IsWindowVisible(child) ? "visible" : "hidden");
}

/* Polled rather than told: a child of another process says nothing to its
   parent after it was created, and its size can change after that. */
static void ReportChildChange(HWND window) {
    static char last[128];
    char now[128];
    DescribeChild(window, now, sizeof now);
    if (strcmp(now, last) == 0) return;
    strcpy(last, now);
    WriteLine(now);
}

static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == CHILD_TIMER) ReportChildChange(window);
            return 0;
        case WM_DESTROY:
            KillTimer(window, CHILD_TIMER);
            PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

int main(void) {
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSEXA windowClass;
    RECT frame = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    HWND window;
    MSG message;
    char line[32];

    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    /* Black, so that whatever colour the client area shows is the child's drawing. */
    windowClass.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    windowClass.lpszClassName = "orbalt_preview_parent";
    if (!RegisterClassExA(&windowClass)) return 1;

    AdjustWindowRect(&frame, style, FALSE);
    window = CreateWindowExA(0, windowClass.lpszClassName, "preview parent", style, 40, 40,
                             frame.right - frame.left, frame.bottom - frame.top, NULL, NULL, instance, NULL);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    snprintf(line, sizeof line, "%llu\n", (unsigned long long)(uintptr_t)window);
    if (!WriteLine(line)) return 1;
    ReportChildChange(window);
    SetTimer(window, CHILD_TIMER, CHILD_CHECK_MS, NULL);

    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
