#pragma once
// Menus and modal dialogs loaded from the program's resources.
#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace platform {

// WM_INITDIALOG and WM_VSCROLL, and the scroll requests the dialog handles.
namespace msg {
constexpr uint32_t InitDialog = 0x0110;
constexpr uint32_t VerticalScroll = 0x0115;
}  // namespace msg
namespace scroll {
constexpr uint32_t LineUp = 0;
constexpr uint32_t LineDown = 1;
}  // namespace scroll
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

// The first submenu of the named menu resource, or null when there is none.
MenuHandle LoadPopupMenu(const char* name);
void DestroyMenu(MenuHandle menu);
void CheckMenuItem(MenuHandle menu, uint32_t commandId, bool checked);
// Shows the popup menu with its left edge at the screen point, either mouse
// button choosing; modal. A chosen item reaches the owner as WM_COMMAND.
void TrackPopupMenu(MenuHandle menu, int32_t x, int32_t y, WindowHandle owner);

// A dialog procedure in portable types; returns whether it handled the message.
using DialogProc = intptr_t (*)(WindowHandle, uint32_t, uintptr_t, intptr_t);

// Runs the named dialog resource modally; returns the value given to
// EndDialog, or -1 when the dialog could not be created.
intptr_t RunDialog(const char* name, WindowHandle owner, DialogProc procedure, intptr_t parameter);
void EndDialog(WindowHandle dialog, intptr_t result);
void SetDialogItemText(WindowHandle dialog, int itemId, const char* text);
// Copies at most size - 1 characters of the item's text, always terminated.
void GetDialogItemText(WindowHandle dialog, int itemId, char* buffer, size_t size);
// The check state of a check box or radio button.
void SetDialogItemChecked(WindowHandle dialog, int itemId, bool checked);
bool DialogItemChecked(WindowHandle dialog, int itemId);
// The control id of a child window (for a scroll bar's notification).
int ControlId(WindowHandle control);

}  // namespace platform
