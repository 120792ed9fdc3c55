#pragma once
// The saver's settings dialog: what the user chooses, shown from the
// settings file and written back to it on OK; Cancel changes nothing.
#include <cstdint>

#include "platform/platform.h"
#include "saver/saver_settings.h"

constexpr const char* kSettingsDialogName = "SAVERSETTINGS";

// The dialog's controls, as the resource script names them.
namespace saver_dialog_id {
constexpr int kFirstMode = 200;  // the five render modes' radio buttons, in RenderMode's order
constexpr int kDirect = 210;
constexpr int kArrays = 211;
constexpr int kDisplayLists = 220;
constexpr int kTextures = 221;
constexpr int kFog = 222;
constexpr int kLighting = 223;
constexpr int kPrimaryOnly = 224;
constexpr int kSpeed = 230;
constexpr int kFrameRateCap = 231;
constexpr int kSections = 232;
constexpr int kSectionPoints = 233;
}  // namespace saver_dialog_id

// Shows the settings in the dialog's controls.
void ShowSettings(platform::WindowHandle dialog, const SaverSettings& settings);
// The settings the controls hold, brought into range as the file's are.
SaverSettings ChosenSettings(platform::WindowHandle dialog);

// Runs the dialog over the saver's current settings, owned by `owner` (may
// be null); OK writes them to the settings file. Returns the exit code: 0.
int RunSettingsDialog(platform::WindowHandle owner);
