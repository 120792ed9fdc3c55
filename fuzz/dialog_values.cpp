// The parameter dialog's three edit fields as a user could fill them (the
// fuzzed bytes up to the first and second line end are the sections and the
// points, the rest the spacing), read as OK reads them, and the tunnel
// rebuilt from the values as the program does. A rebuild that succeeds must
// give finite geometry.

#include "mesh_checks.h"
#include "platform/stub/stub_control.h"
#include "platform/stub/stub_ui_control.h"
#include "shell/parameter_dialog.h"
#include "tunnel/init_orbalt.h"

namespace {

// Larger tunnels are valid but take longer to build than a fuzzing run should;
// their values are read and only the build is left out.
constexpr uint64_t kLargestBuiltVertices = uint64_t{1} << 12;

// Cuts the next field off the front of `rest`, up to a line end or the end.
std::string NextField(std::string& rest) {
    const size_t end = rest.find('\n');
    std::string field = rest.substr(0, end);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    return field;
}

void Rebuild(const TunnelParams& params) {
    Orbalt2 mesh;
    TunnelBuilder builder;
    Console console;
    TunnelRequest request;
    request.params = params;
    request.sectionPath = ORBALT_DATA_DIR "/test.sct";
    TunnelMessages messages;
    messages.show = fuzz::DropMessage;
    if (!InitOrbalt({mesh, builder}, request, messages, console)) return;
    fuzz::RequireSoundMesh(mesh, builder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::stub::Reset();
    platform::stub::ResetUi();
    std::string rest = fuzz::Bytes(data, size);
    auto& texts = platform::stub::ui().itemTexts;
    texts[dialog_id::Sections] = NextField(rest);
    texts[dialog_id::SectionPoints] = NextField(rest);
    texts[dialog_id::Spacing] = rest;

    TunnelParams params;
    GetDialogFields(nullptr, params);
    if (uint64_t{params.sections} * params.sectionPoints <= kLargestBuiltVertices) Rebuild(params);
    return 0;
}
