#pragma once
// The parameter dialog: sections, points per section and section spacing,
// each an edit field with a pair of up and down arrows beside it.
#include <cstdint>

#include "platform/platform.h"
#include "shell/settings.h"

namespace dialog_id {
constexpr int Sections = 10;
constexpr int SectionsArrows = 12;
constexpr int SectionPoints = 20;
constexpr int SectionPointsArrows = 22;
constexpr int Spacing = 30;
constexpr int SpacingArrows = 32;
}  // namespace dialog_id

constexpr const char* kParameterDialogName = "OrbaltDialog";

// Runs the dialog over a copy of `params`; true, with `params` replaced by
// the confirmed values, when the user chose OK.
bool RunParameterDialog(platform::WindowHandle owner, TunnelParams& params);

intptr_t DialogProc(platform::WindowHandle dialog, uint32_t message, uintptr_t wParam, intptr_t lParam);
void SetDialogFields(platform::WindowHandle dialog, const TunnelParams& params);
void GetDialogFields(platform::WindowHandle dialog, TunnelParams& params);

// What an arrow click does to the record; false for requests other than
// line up and line down.
bool StepParameter(TunnelParams& params, int arrowsId, uint32_t request);
