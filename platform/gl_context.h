#pragma once
// The window's GL side on the platform: device context, pixel formats,
// logical palettes, the WGL rendering context, extension entry points and
// the buffer swap. Plain OpenGL calls are not here: they look the same on
// every platform and are made directly.
#include <cstdint>

#include "platform/platform.h"

namespace platform {

using DeviceContext = void*;
using RenderContext = void*;
using PaletteHandle = void*;

// A pixel-format description with the fields (and field names) of Win32's
// PIXELFORMATDESCRIPTOR; the Win32 layer converts field by field.
struct PixelFormat {
    uint16_t nSize = 40;
    uint16_t nVersion = 1;
    uint32_t dwFlags = 0;
    uint8_t iPixelType = 0;
    uint8_t cColorBits = 0;
    uint8_t cRedBits = 0, cRedShift = 0;
    uint8_t cGreenBits = 0, cGreenShift = 0;
    uint8_t cBlueBits = 0, cBlueShift = 0;
    uint8_t cAlphaBits = 0, cAlphaShift = 0;
    uint8_t cAccumBits = 0;
    uint8_t cAccumRedBits = 0, cAccumGreenBits = 0, cAccumBlueBits = 0, cAccumAlphaBits = 0;
    uint8_t cDepthBits = 0;
    uint8_t cStencilBits = 0;
    uint8_t cAuxBuffers = 0;
    uint8_t iLayerType = 0;
    uint8_t bReserved = 0;  // overlay planes in bits 0-3, underlay planes in bits 4-7
    uint32_t dwLayerMask = 0;
    uint32_t dwVisibleMask = 0;
    uint32_t dwDamageMask = 0;
};

// Published PIXELFORMATDESCRIPTOR values (checked against windows.h by the Win32 layer).
namespace pfd {
constexpr uint32_t DoubleBuffer = 0x1;
constexpr uint32_t Stereo = 0x2;
constexpr uint32_t DrawToWindow = 0x4;
constexpr uint32_t DrawToBitmap = 0x8;
constexpr uint32_t SupportGdi = 0x10;
constexpr uint32_t SupportOpenGL = 0x20;
constexpr uint32_t GenericFormat = 0x40;
constexpr uint32_t NeedPalette = 0x80;
constexpr uint32_t NeedSystemPalette = 0x100;
constexpr uint32_t SwapExchange = 0x200;
constexpr uint32_t SwapCopy = 0x400;
constexpr uint32_t SwapLayerBuffers = 0x800;
constexpr uint32_t GenericAccelerated = 0x1000;
constexpr uint8_t TypeRgba = 0;
constexpr uint8_t TypeColorIndex = 1;
constexpr uint8_t MainPlane = 0;
}  // namespace pfd

// One entry of a logical palette (PALETTEENTRY).
struct PaletteEntry {
    uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

// --- Device context --------------------------------------------------------
DeviceContext GetWindowDC(WindowHandle window);  // the window's own (CS_OWNDC) device context
void ReleaseWindowDC(WindowHandle window, DeviceContext dc);

// --- Pixel formats ---------------------------------------------------------
// Describes format `index` (1-based); false when the device has no such format.
bool DescribePixelFormat(DeviceContext dc, int index, PixelFormat& format);
int ChoosePixelFormat(DeviceContext dc, const PixelFormat& request);  // 0 when none fits
bool SetPixelFormat(DeviceContext dc, int index, const PixelFormat& request);
int GetPixelFormat(DeviceContext dc);  // 0 when none is set

// --- Logical palettes ------------------------------------------------------
// A palette of `count` entries (LOGPALETTE version 0x300); null on failure.
PaletteHandle CreatePalette(const PaletteEntry* entries, uint32_t count);
void SelectPalette(DeviceContext dc, PaletteHandle palette);  // as foreground palette
void RealizePalette(DeviceContext dc);
void UnrealizePalette(PaletteHandle palette);
void DeletePalette(PaletteHandle palette);
void InvalidateWindow(WindowHandle window);  // whole client area, without erasing

// --- Rendering context -----------------------------------------------------
RenderContext CreateRenderContext(DeviceContext dc);  // null on failure
// Makes `context` current on `dc`; both null makes no context current.
bool MakeCurrent(DeviceContext dc, RenderContext context);
void DeleteRenderContext(RenderContext context);

// An extension entry point of the current context, null when unknown. The
// caller casts it to the entry point's own type.
using GLProc = void (*)();
GLProc GetGLProcAddress(const char* name);

bool SwapBuffers(DeviceContext dc);

}  // namespace platform
