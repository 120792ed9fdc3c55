// Device context, pixel formats, palettes and the WGL context on Win32.
#include "platform/gl_context.h"

#include <vector>

#include "platform/win32/win32.h"

namespace platform {
using win32::ToHwnd;

static_assert(pfd::DoubleBuffer == PFD_DOUBLEBUFFER && pfd::Stereo == PFD_STEREO);
static_assert(pfd::DrawToWindow == PFD_DRAW_TO_WINDOW && pfd::DrawToBitmap == PFD_DRAW_TO_BITMAP);
static_assert(pfd::SupportGdi == PFD_SUPPORT_GDI && pfd::SupportOpenGL == PFD_SUPPORT_OPENGL);
static_assert(pfd::GenericFormat == PFD_GENERIC_FORMAT && pfd::NeedPalette == PFD_NEED_PALETTE);
static_assert(pfd::NeedSystemPalette == PFD_NEED_SYSTEM_PALETTE && pfd::SwapExchange == PFD_SWAP_EXCHANGE);
static_assert(pfd::SwapCopy == PFD_SWAP_COPY && pfd::SwapLayerBuffers == PFD_SWAP_LAYER_BUFFERS);
static_assert(pfd::GenericAccelerated == PFD_GENERIC_ACCELERATED);
static_assert(pfd::TypeRgba == PFD_TYPE_RGBA && pfd::TypeColorIndex == PFD_TYPE_COLORINDEX);
static_assert(pfd::MainPlane == PFD_MAIN_PLANE);
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40);

namespace {
HDC ToHdc(DeviceContext dc) { return static_cast<HDC>(dc); }
HPALETTE ToPalette(PaletteHandle palette) { return static_cast<HPALETTE>(palette); }

// PixelFormat carries PIXELFORMATDESCRIPTOR's field names, so one copy serves both ways.
template <typename To, typename From>
To CopyFormat(const From& f) {
    To d{};
    d.nSize = f.nSize;
    d.nVersion = f.nVersion;
    d.dwFlags = f.dwFlags;
    d.iPixelType = f.iPixelType;
    d.cColorBits = f.cColorBits;
    d.cRedBits = f.cRedBits;
    d.cRedShift = f.cRedShift;
    d.cGreenBits = f.cGreenBits;
    d.cGreenShift = f.cGreenShift;
    d.cBlueBits = f.cBlueBits;
    d.cBlueShift = f.cBlueShift;
    d.cAlphaBits = f.cAlphaBits;
    d.cAlphaShift = f.cAlphaShift;
    d.cAccumBits = f.cAccumBits;
    d.cAccumRedBits = f.cAccumRedBits;
    d.cAccumGreenBits = f.cAccumGreenBits;
    d.cAccumBlueBits = f.cAccumBlueBits;
    d.cAccumAlphaBits = f.cAccumAlphaBits;
    d.cDepthBits = f.cDepthBits;
    d.cStencilBits = f.cStencilBits;
    d.cAuxBuffers = f.cAuxBuffers;
    d.iLayerType = f.iLayerType;
    d.bReserved = f.bReserved;
    d.dwLayerMask = f.dwLayerMask;
    d.dwVisibleMask = f.dwVisibleMask;
    d.dwDamageMask = f.dwDamageMask;
    return d;
}

PIXELFORMATDESCRIPTOR ToDescriptor(const PixelFormat& format) {
    PIXELFORMATDESCRIPTOR d = CopyFormat<PIXELFORMATDESCRIPTOR>(format);
    d.nSize = sizeof(d);
    return d;
}

PixelFormat FromDescriptor(const PIXELFORMATDESCRIPTOR& d) { return CopyFormat<PixelFormat>(d); }
}  // namespace

DeviceContext GetWindowDC(WindowHandle window) { return ::GetDC(ToHwnd(window)); }

void ReleaseWindowDC(WindowHandle window, DeviceContext dc) { ::ReleaseDC(ToHwnd(window), ToHdc(dc)); }

bool DescribePixelFormat(DeviceContext dc, int index, PixelFormat& format) {
    PIXELFORMATDESCRIPTOR d{};
    if (::DescribePixelFormat(ToHdc(dc), index, sizeof(d), &d) == 0) return false;
    format = FromDescriptor(d);
    return true;
}

int ChoosePixelFormat(DeviceContext dc, const PixelFormat& request) {
    PIXELFORMATDESCRIPTOR d = ToDescriptor(request);
    return ::ChoosePixelFormat(ToHdc(dc), &d);
}

bool SetPixelFormat(DeviceContext dc, int index, const PixelFormat& request) {
    PIXELFORMATDESCRIPTOR d = ToDescriptor(request);
    return ::SetPixelFormat(ToHdc(dc), index, &d) != FALSE;
}

int GetPixelFormat(DeviceContext dc) { return ::GetPixelFormat(ToHdc(dc)); }

PaletteHandle CreatePalette(const PaletteEntry* entries, uint32_t count) {
    if (count == 0 || count > 0xFFFF) return nullptr;
    // LOGPALETTE ends in a one-entry array: the table is allocated with room for all entries.
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* table = reinterpret_cast<LOGPALETTE*>(storage.data());
    table->palVersion = 0x300;
    table->palNumEntries = static_cast<WORD>(count);
    for (uint32_t i = 0; i < count; ++i) {
        table->palPalEntry[i].peRed = entries[i].red;
        table->palPalEntry[i].peGreen = entries[i].green;
        table->palPalEntry[i].peBlue = entries[i].blue;
        table->palPalEntry[i].peFlags = entries[i].flags;
    }
    return ::CreatePalette(table);
}

void SelectPalette(DeviceContext dc, PaletteHandle palette) {
    ::SelectPalette(ToHdc(dc), ToPalette(palette), FALSE);
}

void RealizePalette(DeviceContext dc) { ::RealizePalette(ToHdc(dc)); }

void UnrealizePalette(PaletteHandle palette) { ::UnrealizeObject(ToPalette(palette)); }

void DeletePalette(PaletteHandle palette) { ::DeleteObject(ToPalette(palette)); }

void InvalidateWindow(WindowHandle window) { ::InvalidateRect(ToHwnd(window), nullptr, FALSE); }

RenderContext CreateRenderContext(DeviceContext dc) { return wglCreateContext(ToHdc(dc)); }

bool MakeCurrent(DeviceContext dc, RenderContext context) {
    return wglMakeCurrent(ToHdc(dc), static_cast<HGLRC>(context)) != FALSE;
}

void DeleteRenderContext(RenderContext context) { wglDeleteContext(static_cast<HGLRC>(context)); }

GLProc GetGLProcAddress(const char* name) { return reinterpret_cast<GLProc>(wglGetProcAddress(name)); }

bool SwapBuffers(DeviceContext dc) { return ::SwapBuffers(ToHdc(dc)) != FALSE; }

}  // namespace platform
