// The desktop stand-in: answers from the scripted desktop and records what
// the program asked for. Child windows are made like the stand-in's other
// windows, with the creation message through the registered procedure.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/stub/stub_control.h"
#include "platform/stub/stub_desktop_control.h"

namespace platform {
namespace stub {
DesktopState& desktop() {
    static DesktopState instance;
    return instance;
}
void ResetDesktop() { desktop() = DesktopState{}; }
}  // namespace stub

namespace {
stub::DesktopState& D() { return stub::desktop(); }
}  // namespace

std::vector<Monitor> Monitors() { return D().monitors; }

WindowHandle MakeChildWindow(const char* className, WindowHandle parent, int32_t x, int32_t y, int32_t width,
                             int32_t height) {
    stub::state().calls.emplace_back("MakeChildWindow");
    D().children.push_back({className ? className : "", parent, x, y, width, height});
    if (!stub::state().createWindowSucceeds) return nullptr;
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a made-up handle, compared by the tests and never dereferenced
    WindowHandle window = reinterpret_cast<WindowHandle>(stub::state().lastWindow += 0x10);
    stub::state().liveWindows.push_back(window);
    if (stub::state().sendCreateMessage && stub::state().procedure)
        stub::state().procedure(window, msg::Create, 0, 0);
    return window;
}

bool WindowExists(WindowHandle window) {
    const auto& gone = D().goneWindows;
    return window != nullptr && std::find(gone.begin(), gone.end(), window) == gone.end();
}

Point PointerPosition() { return D().pointer; }

bool ClaimInstance(const char* name) {
    D().claimedInstances.emplace_back(name);
    return !D().otherInstanceRuns;
}

std::string UserDataFolder() { return D().userDataFolder; }

// Folders are real: the programs read and write files in them natively too.
bool MakeFolder(const std::string& path) {
    D().madeFolders.push_back(path);
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
    return std::filesystem::is_directory(path, ignored);
}

void WaitMessageFor(uint32_t milliseconds) { D().waits.push_back(milliseconds); }

}  // namespace platform
