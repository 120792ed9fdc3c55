#pragma once
// Control of the menu and dialog stand-in.
#include <map>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace platform::stub {

struct UiState {
    bool menuExists = true;               // LoadPopupMenu finds the resource
    std::map<uint32_t, bool> checkMarks;  // command id -> checked
    int destroyedMenus = 0;
    struct Tracked {
        int32_t x, y;
        WindowHandle owner;
    };
    std::vector<Tracked> trackedMenus;
    std::map<int, std::string> itemTexts;  // dialog item id -> text
    std::map<int, bool> itemChecks;        // dialog item id -> checked
    std::map<uintptr_t, int> controlIds;   // control window -> id
    intptr_t endResult = 0;
    bool ended = false;
    // RunDialog: whether the dialog can be created, and what the user does in it
    // (called with the dialog window once WM_INITDIALOG has been handled).
    bool dialogCreatable = true;
    void (*userActions)(WindowHandle dialog, DialogProc procedure) = nullptr;
};

UiState& ui();
void ResetUi();

}  // namespace platform::stub
