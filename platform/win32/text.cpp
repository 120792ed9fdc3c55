// Window text on Win32: wglUseFontBitmapsA and TextOutA.
#include "platform/text.h"

#include "platform/win32/win32.h"

namespace platform {

bool MakeFontLists(DeviceContext dc, uint32_t first, uint32_t count, uint32_t listBase) {
    return wglUseFontBitmapsA(static_cast<HDC>(dc), first, count, listBase) != FALSE;
}

void DrawDeviceText(DeviceContext dc, int32_t x, int32_t y, const char* text, size_t length) {
    TextOutA(static_cast<HDC>(dc), x, y, text, static_cast<int>(length));
}

}  // namespace platform
