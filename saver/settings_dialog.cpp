#include "saver/settings_dialog.h"

#include <string>
#include <vector>

#include "platform/ui.h"
#include "saver/saver_objects.h"
#include "saver/saver_program.h"

using namespace platform;
namespace id = saver_dialog_id;

namespace {

struct TextField {
    int id;
    const char* key;
};
constexpr TextField kTextFields[] = {{id::kSpeed, "Speed"},
                                     {id::kFrameRateCap, "FrameRateCap"},
                                     {id::kSections, "Sections"},
                                     {id::kSectionPoints, "SectionPoints"}};

std::string FieldText(WindowHandle dialog, int itemId) {
    char text[kConfigWordLength + 1];
    GetDialogItemText(dialog, itemId, text, sizeof text);
    return text;
}

// The settings file's value of a key, as the file stores the settings.
std::string StoredValue(const std::vector<ConfigEntry>& entries, const char* key) {
    for (const ConfigEntry& entry : entries)
        if (entry.key == key) return entry.value;
    return {};
}

intptr_t SettingsDialogProc(WindowHandle dialog, uint32_t message, uintptr_t wParam, intptr_t) {
    if (message == msg::InitDialog) {
        ShowSettings(dialog, saverSettings);
        return 1;
    }
    if (message != msg::Command) return 0;
    const int command = static_cast<int>(wParam & 0xFFFF);
    if (command == kIdOk) {
        saverSettings = ChosenSettings(dialog);
        EndDialog(dialog, 1);
        return 1;
    }
    if (command == kIdCancel) {
        EndDialog(dialog, 0);
        return 1;
    }
    return 0;
}

}  // namespace

void ShowSettings(WindowHandle dialog, const SaverSettings& settings) {
    for (int32_t mode = 0; mode < kRenderModeCount; ++mode)
        SetDialogItemChecked(dialog, id::kFirstMode + mode, settings.renderMode == static_cast<RenderMode>(mode));
    SetDialogItemChecked(dialog, id::kDirect, settings.renderMethod == RenderMethod::DirectVertices);
    SetDialogItemChecked(dialog, id::kArrays, settings.renderMethod == RenderMethod::VertexArrays);
    SetDialogItemChecked(dialog, id::kDisplayLists, settings.displayLists);
    SetDialogItemChecked(dialog, id::kTextures, settings.textures);
    SetDialogItemChecked(dialog, id::kFog, settings.fog);
    SetDialogItemChecked(dialog, id::kLighting, settings.lighting);
    SetDialogItemChecked(dialog, id::kPrimaryOnly, !settings.allMonitors);
    const std::vector<ConfigEntry> stored = EntriesFromSettings(settings);
    for (const TextField& field : kTextFields)
        SetDialogItemText(dialog, field.id, StoredValue(stored, field.key).c_str());
}

SaverSettings ChosenSettings(WindowHandle dialog) {
    // The choices become the file's entries, so the fields are read and
    // brought into range exactly as the file is.
    std::vector<ConfigEntry> entries = EntriesFromSettings(SaverSettings{});
    for (ConfigEntry& entry : entries) {
        if (entry.key == "RenderMode") {
            for (int32_t mode = 0; mode < kRenderModeCount; ++mode)
                if (DialogItemChecked(dialog, id::kFirstMode + mode))
                    entry.value = RenderModeName(static_cast<RenderMode>(mode));
        } else if (entry.key == "RenderMethod") {
            entry.value = DialogItemChecked(dialog, id::kDirect) ? "DIRECT" : "ARRAYS";
        } else if (entry.key == "Monitors") {
            entry.value = DialogItemChecked(dialog, id::kPrimaryOnly) ? "PRIMARY" : "ALL";
        }
    }
    const std::pair<const char*, int> flags[] = {{"DisplayLists", id::kDisplayLists},
                                                 {"Textures", id::kTextures},
                                                 {"Fog", id::kFog},
                                                 {"Lighting", id::kLighting}};
    for (const auto& [key, itemId] : flags)
        entries.push_back({key, DialogItemChecked(dialog, itemId) ? "YES" : "NO"});
    for (const TextField& field : kTextFields) {
        const std::string text = FieldText(dialog, field.id);
        if (!text.empty()) entries.push_back({field.key, text});
    }
    std::vector<std::string> notes;
    return SettingsFromEntries(entries, notes);
}

int RunSettingsDialog(WindowHandle owner) {
    if (RunDialog(kSettingsDialogName, owner, SettingsDialogProc, 0) != 1) return 0;
    const std::string path = saverFolder + kSaverSettingsFileName;
    if (saverFolder.empty() || !WriteSaverSettings(path, saverSettings))
        ShowMessage(owner, ("the settings could not be saved to " + path).c_str(), kSaverName);
    else if (saverLog)
        std::fprintf(saverLog, "settings saved to %s \n", path.c_str());
    return 0;
}
