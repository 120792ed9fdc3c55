#include "shell/parameter_dialog.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ui.h"

namespace {

TunnelParams* editedParams = nullptr;  // the record of the running dialog

// Base 10 after optional blanks and sign, up to the first non-digit; no
// digits give 0. A minus sign wraps as an unsigned value would.
uint32_t ParseCount(const char* text) { return static_cast<uint32_t>(std::strtoll(text, nullptr, 10)); }

float ParseSpacing(const char* text) { return std::strtof(text, nullptr); }

bool OnDialogCommand(platform::WindowHandle dialog, int controlId) {
    if (controlId == platform::kIdOk) {
        GetDialogFields(dialog, *editedParams);
        platform::EndDialog(dialog, 1);
        return true;
    }
    if (controlId == platform::kIdCancel) {
        platform::EndDialog(dialog, 0);
        return true;
    }
    return false;  // notifications of the edit fields
}

}  // namespace

bool StepParameter(TunnelParams& params, int arrowsId, uint32_t request) {
    bool up = request == platform::scroll::LineUp;
    if (!up && request != platform::scroll::LineDown) return false;
    switch (arrowsId) {
        case dialog_id::SectionsArrows:
            if (up)
                params.sections += 32;
            else if (params.sections > 32)
                params.sections -= 32;
            return true;
        case dialog_id::SectionPointsArrows:
            if (up)
                params.sectionPoints += 8;
            else if (params.sectionPoints > 8)
                params.sectionPoints -= 8;
            return true;
        case dialog_id::SpacingArrows:
            if (up)
                params.spacing += 0.1f;
            else if (params.spacing > 0.1f)
                params.spacing -= 0.1f;
            return true;
        default: return false;
    }
}

void SetDialogFields(platform::WindowHandle dialog, const TunnelParams& params) {
    char text[64];
    std::snprintf(text, sizeof(text), "%u", params.sections);
    platform::SetDialogItemText(dialog, dialog_id::Sections, text);
    std::snprintf(text, sizeof(text), "%u", params.sectionPoints);
    platform::SetDialogItemText(dialog, dialog_id::SectionPoints, text);
    std::snprintf(text, sizeof(text), "% .3f", static_cast<double>(params.spacing));
    platform::SetDialogItemText(dialog, dialog_id::Spacing, text);
}

void GetDialogFields(platform::WindowHandle dialog, TunnelParams& params) {
    char text[32];
    platform::GetDialogItemText(dialog, dialog_id::Sections, text, sizeof(text));
    params.sections = ParseCount(text);
    platform::GetDialogItemText(dialog, dialog_id::SectionPoints, text, sizeof(text));
    params.sectionPoints = ParseCount(text);
    platform::GetDialogItemText(dialog, dialog_id::Spacing, text, sizeof(text));
    params.spacing = ParseSpacing(text);
}

intptr_t DialogProc(platform::WindowHandle dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case platform::msg::InitDialog:
            // NOLINTNEXTLINE(performance-no-int-to-ptr): the dialog's start parameter carries the record's address
            editedParams = reinterpret_cast<TunnelParams*>(lParam);
            SetDialogFields(dialog, *editedParams);
            return 1;
        case platform::msg::Command: return OnDialogCommand(dialog, static_cast<int>(wParam & 0xFFFF));
        case platform::msg::VerticalScroll: {
            // NOLINTNEXTLINE(performance-no-int-to-ptr): a scroll message carries the arrows control's handle
            int arrowsId = platform::ControlId(reinterpret_cast<platform::WindowHandle>(lParam));
            if (!StepParameter(*editedParams, arrowsId, static_cast<uint32_t>(wParam & 0xFFFF))) return 0;
            SetDialogFields(dialog, *editedParams);
            return 1;
        }
        default: return 0;
    }
}

bool RunParameterDialog(platform::WindowHandle owner, TunnelParams& params) {
    TunnelParams edited = params;
    intptr_t result =
        platform::RunDialog(kParameterDialogName, owner, DialogProc, reinterpret_cast<intptr_t>(&edited));
    editedParams = nullptr;
    // A dialog that could not be created (-1) is no confirmation.
    if (result != 1) return false;
    params = edited;
    return true;
}
