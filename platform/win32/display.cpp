// Display modes on Win32: the desktop mode, mode changes and the mode list.
#include "platform/win32/win32.h"

namespace platform {

static_assert(display_field::BitsPerPixel == DM_BITSPERPEL);
static_assert(display_field::PixelsWidth == DM_PELSWIDTH);
static_assert(display_field::PixelsHeight == DM_PELSHEIGHT);
static_assert(display_change::Successful == DISP_CHANGE_SUCCESSFUL);
static_assert(display_change::Restart == DISP_CHANGE_RESTART);
static_assert(display_change::Failed == DISP_CHANGE_FAILED);
static_assert(display_change::BadMode == DISP_CHANGE_BADMODE);
static_assert(display_change::NotUpdated == DISP_CHANGE_NOTUPDATED);
static_assert(display_change::BadFlags == DISP_CHANGE_BADFLAGS);

ScreenMode DesktopMode() {
    ScreenMode mode;
    HDC screen = GetDC(nullptr);
    mode.width = static_cast<uint32_t>(GetDeviceCaps(screen, HORZRES));
    mode.height = static_cast<uint32_t>(GetDeviceCaps(screen, VERTRES));
    mode.bits = static_cast<uint32_t>(GetDeviceCaps(screen, BITSPIXEL));
    mode.frequency = static_cast<uint32_t>(GetDeviceCaps(screen, VREFRESH));
    ReleaseDC(nullptr, screen);
    return mode;
}

int ChangeDisplay(const DisplayRequest& request) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmFields = request.fields;
    mode.dmPelsWidth = request.width;
    mode.dmPelsHeight = request.height;
    mode.dmBitsPerPel = request.bits;
    return static_cast<int>(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN));
}

void RestoreDisplay() { ChangeDisplaySettingsA(nullptr, 0); }

bool EnumDisplayMode(uint32_t index, ScreenMode& out) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsA(nullptr, index, &mode)) return false;
    out = {static_cast<uint32_t>(mode.dmPelsWidth), static_cast<uint32_t>(mode.dmPelsHeight),
           static_cast<uint32_t>(mode.dmBitsPerPel), static_cast<uint32_t>(mode.dmDisplayFrequency)};
    return true;
}

}  // namespace platform
