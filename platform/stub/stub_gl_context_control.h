#pragma once
// Control of the GL-context stand-in: tests describe the device's pixel
// formats and script the WGL results here, and read back what was asked.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/gl_context.h"

namespace platform::stub {

struct GLContextState {
    // Scripted results.
    DeviceContext deviceContext = reinterpret_cast<DeviceContext>(0xD0);
    std::vector<PixelFormat> formats;  // format i + 1 is formats[i]
    int chosenFormat = 1;              // ChoosePixelFormat's answer; 0 fails
    bool setFormatSucceeds = true;
    bool createPaletteSucceeds = true;
    bool createContextSucceeds = true;
    bool makeCurrentSucceeds = true;
    std::map<std::string, GLProc> procAddresses;  // names not listed give null

    // Recorded calls and state.
    std::vector<std::string> calls;            // one line per call, in order
    PixelFormat lastRequest{};                 // of ChoosePixelFormat and SetPixelFormat
    int setFormat = 0;                         // the format set on the device context
    std::vector<PaletteEntry> paletteEntries;  // of the last created palette
    int livePalettes = 0;
    int liveContexts = 0;
    int liveDeviceContexts = 0;
    RenderContext currentContext = nullptr;
    std::vector<std::string> procLookups;
    int swapCount = 0;
    // Whatever else a test lets happen while frames run: after the n-th
    // buffer swap (counted from 1) the action under n runs.
    std::map<int, std::function<void()>> actionsAfterSwap;
};

GLContextState& glState();
void ResetGLContext();  // back to the defaults above, nothing recorded

}  // namespace platform::stub
