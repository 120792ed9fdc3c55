#pragma once
// The window procedure of the program's one window.
#include "platform/platform.h"

intptr_t WndProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
