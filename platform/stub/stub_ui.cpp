// Menu and dialog stand-in: check marks and dialog item texts live in memory.
#include <cstring>

#include "platform/stub/stub_ui_control.h"

namespace platform {
namespace stub {
UiState& ui() {
    static UiState instance;
    return instance;
}
void ResetUi() { ui() = UiState{}; }
}  // namespace stub

namespace {
const uintptr_t kMenu = 0x4E4D;
const uintptr_t kDialog = 0x4D4C;
}  // namespace

MenuHandle LoadPopupMenu(const char*) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a made-up handle, compared by the tests and never dereferenced
    return stub::ui().menuExists ? reinterpret_cast<MenuHandle>(kMenu) : nullptr;
}

void DestroyMenu(MenuHandle) { ++stub::ui().destroyedMenus; }

void CheckMenuItem(MenuHandle, uint32_t commandId, bool checked) { stub::ui().checkMarks[commandId] = checked; }

void TrackPopupMenu(MenuHandle, int32_t x, int32_t y, WindowHandle owner) {
    stub::ui().trackedMenus.push_back({x, y, owner});
}

intptr_t RunDialog(const char*, WindowHandle, DialogProc procedure, intptr_t parameter) {
    stub::UiState& ui = stub::ui();
    if (!ui.dialogCreatable) return -1;
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a made-up handle, compared by the tests and never dereferenced
    WindowHandle dialog = reinterpret_cast<WindowHandle>(kDialog);
    ui.ended = false;
    procedure(dialog, msg::InitDialog, 0, parameter);
    if (ui.userActions) ui.userActions(dialog, procedure);
    return ui.ended ? ui.endResult : 0;
}

void EndDialog(WindowHandle, intptr_t result) {
    stub::ui().ended = true;
    stub::ui().endResult = result;
}

void SetDialogItemText(WindowHandle, int itemId, const char* text) { stub::ui().itemTexts[itemId] = text; }

void SetDialogItemChecked(WindowHandle, int itemId, bool checked) { stub::ui().itemChecks[itemId] = checked; }

bool DialogItemChecked(WindowHandle, int itemId) { return stub::ui().itemChecks[itemId]; }

void GetDialogItemText(WindowHandle, int itemId, char* buffer, size_t size) {
    if (size == 0) return;
    const std::string& text = stub::ui().itemTexts[itemId];
    size_t length = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

int ControlId(WindowHandle control) {
    auto found = stub::ui().controlIds.find(reinterpret_cast<uintptr_t>(control));
    return found == stub::ui().controlIds.end() ? 0 : found->second;
}

}  // namespace platform
