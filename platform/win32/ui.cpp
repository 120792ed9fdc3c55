// Menus and dialogs on Win32.
#include "platform/ui.h"

#include "platform/win32/win32.h"

namespace platform {
using win32::ToHwnd;

static_assert(msg::InitDialog == WM_INITDIALOG && msg::VerticalScroll == WM_VSCROLL);
static_assert(scroll::LineUp == SB_LINEUP && scroll::LineDown == SB_LINEDOWN);
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL);

MenuHandle LoadPopupMenu(const char* name) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), name);
    return menu ? GetSubMenu(menu, 0) : nullptr;
}

void DestroyMenu(MenuHandle menu) { ::DestroyMenu(static_cast<HMENU>(menu)); }

void CheckMenuItem(MenuHandle menu, uint32_t commandId, bool checked) {
    ::CheckMenuItem(static_cast<HMENU>(menu), commandId, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void TrackPopupMenu(MenuHandle menu, int32_t x, int32_t y, WindowHandle owner) {
    ::TrackPopupMenu(static_cast<HMENU>(menu), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RIGHTBUTTON, x, y, 0,
                     ToHwnd(owner), nullptr);
}

namespace {
DialogProc programDialogProc = nullptr;

INT_PTR CALLBACK DialogTrampoline(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return programDialogProc ? programDialogProc(dialog, message, wParam, lParam) : FALSE;
}
}  // namespace

intptr_t RunDialog(const char* name, WindowHandle owner, DialogProc procedure, intptr_t parameter) {
    DialogProc outer = programDialogProc;  // a dialog run from inside another keeps both working
    programDialogProc = procedure;
    intptr_t result = DialogBoxParamA(GetModuleHandleA(nullptr), name, ToHwnd(owner), DialogTrampoline, parameter);
    programDialogProc = outer;
    return result;
}

void EndDialog(WindowHandle dialog, intptr_t result) { ::EndDialog(ToHwnd(dialog), result); }

void SetDialogItemText(WindowHandle dialog, int itemId, const char* text) {
    SetDlgItemTextA(ToHwnd(dialog), itemId, text);
}

void GetDialogItemText(WindowHandle dialog, int itemId, char* buffer, size_t size) {
    if (size == 0) return;
    buffer[0] = '\0';
    GetDlgItemTextA(ToHwnd(dialog), itemId, buffer, static_cast<int>(size));
}

void SetDialogItemChecked(WindowHandle dialog, int itemId, bool checked) {
    CheckDlgButton(ToHwnd(dialog), itemId, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool DialogItemChecked(WindowHandle dialog, int itemId) {
    return IsDlgButtonChecked(ToHwnd(dialog), itemId) == BST_CHECKED;
}

int ControlId(WindowHandle control) { return GetDlgCtrlID(ToHwnd(control)); }

}  // namespace platform
