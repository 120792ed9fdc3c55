// Configuration files as a user could edit them, read over the defaults as
// the program reads them at start-up, and the same bytes as one line.
#include "fuzz_support.h"
#include "shell/settings.h"

namespace {

bool KnownMethod(RenderMethod method) {
    return method == RenderMethod::DirectVertices || method == RenderMethod::VertexArrays;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = fuzz::Bytes(data, size);
    Settings settings;
    TunnelParams params;
    fuzz::Require(ReadConfig(settings, params, fuzz::AsFile(bytes).c_str()) == 1, "an existing file is read");
    fuzz::Require(KnownMethod(settings.renderMethod), "the render method is one the mesh draws");

    Settings lineSettings;
    TunnelParams lineParams;
    ApplyConfigLine(bytes, lineSettings, lineParams);
    fuzz::Require(KnownMethod(lineSettings.renderMethod), "the render method is one the mesh draws");
    return 0;
}
