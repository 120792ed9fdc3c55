// The GL-context stand-in: answers from the scripted device and records every call.
#include <string>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_gl_context_control.h"

namespace platform {
namespace stub {
// Never destroyed: program-wide objects still release their GL side while
// the process exits, after function-local statics are gone.
GLContextState& glState() {
    static GLContextState* instance = new GLContextState;
    return *instance;
}
void ResetGLContext() { glState() = GLContextState{}; }
}  // namespace stub

namespace {
stub::GLContextState& S() { return stub::glState(); }
void Record(const std::string& call) { S().calls.push_back(call); }
const auto kPalette = reinterpret_cast<PaletteHandle>(0xA0);
const auto kContext = reinterpret_cast<RenderContext>(0xC0);
}  // namespace

DeviceContext GetWindowDC(WindowHandle) {
    Record("GetDC");
    ++S().liveDeviceContexts;
    return S().deviceContext;
}

void ReleaseWindowDC(WindowHandle, DeviceContext) {
    Record("ReleaseDC");
    --S().liveDeviceContexts;
}

bool DescribePixelFormat(DeviceContext, int index, PixelFormat& format) {
    if (index < 1 || static_cast<size_t>(index) > S().formats.size()) return false;
    format = S().formats[static_cast<size_t>(index) - 1];
    return true;
}

int ChoosePixelFormat(DeviceContext, const PixelFormat& request) {
    Record("ChoosePixelFormat");
    S().lastRequest = request;
    return S().chosenFormat;
}

bool SetPixelFormat(DeviceContext, int index, const PixelFormat& request) {
    Record("SetPixelFormat " + std::to_string(index));
    S().lastRequest = request;
    if (!S().setFormatSucceeds) return false;
    S().setFormat = index;
    return true;
}

int GetPixelFormat(DeviceContext) { return S().setFormat; }

PaletteHandle CreatePalette(const PaletteEntry* entries, uint32_t count) {
    Record("CreatePalette " + std::to_string(count));
    if (!S().createPaletteSucceeds) return nullptr;
    S().paletteEntries.assign(entries, entries + count);
    ++S().livePalettes;
    return kPalette;
}

void SelectPalette(DeviceContext, PaletteHandle) { Record("SelectPalette"); }
void RealizePalette(DeviceContext) { Record("RealizePalette"); }
void UnrealizePalette(PaletteHandle) { Record("UnrealizePalette"); }

void DeletePalette(PaletteHandle) {
    Record("DeletePalette");
    --S().livePalettes;
}

void InvalidateWindow(WindowHandle) { Record("InvalidateWindow"); }

RenderContext CreateRenderContext(DeviceContext) {
    Record("CreateRenderContext");
    if (!S().createContextSucceeds) return nullptr;
    ++S().liveContexts;
    return kContext;
}

bool MakeCurrent(DeviceContext, RenderContext context) {
    Record(context ? "MakeCurrent" : "MakeCurrent(none)");
    if (context && !S().makeCurrentSucceeds) return false;
    S().currentContext = context;
    return true;
}

void DeleteRenderContext(RenderContext) {
    Record("DeleteRenderContext");
    --S().liveContexts;
}

GLProc GetGLProcAddress(const char* name) {
    std::string key = name ? name : "";
    S().procLookups.push_back(key);
    auto found = S().procAddresses.find(key);
    return found == S().procAddresses.end() ? nullptr : found->second;
}

bool SwapBuffers(DeviceContext) {
    const int swap = ++S().swapCount;
    stub::State& platformState = stub::state();
    platformState.dispatchedAtSwap.push_back(platformState.dispatched);
    const auto arriving = platformState.messagesAfterSwap.find(swap);
    if (arriving != platformState.messagesAfterSwap.end())
        for (const Message& message : arriving->second) platformState.messages.push_back(message);
    const auto action = S().actionsAfterSwap.find(swap);
    if (action != S().actionsAfterSwap.end() && action->second) action->second();
    return true;
}

}  // namespace platform
