#include "shell/popup_menu.h"

#include "platform/gl_headers.h"
#include "platform/ui.h"
#include "shell/frame.h"
#include "shell/parameter_dialog.h"
#include "shell/program.h"
#include "shell/program_objects.h"

namespace {

// Render modes 0 ... 4 have the ids 110, 112, ... 118.
bool IsRenderModeCommand(uint32_t id) {
    return id >= menu_id::Points && id <= menu_id::SolidSmooth && id % 2 == 0;
}

// The drawing-option commands; false for any other id.
bool RunDrawingCommand(uint32_t id) {
    if (IsRenderModeCommand(id)) {
        const auto mode = static_cast<RenderMode>((id - menu_id::Points) / 2);
        tunnelMesh.SetRenderMode(mode);
        settings.renderMode = mode;
        return true;
    }
    switch (id) {
        case menu_id::Normals:
            tunnelMesh.SetNormals(!tunnelMesh.normals);
            settings.normals = tunnelMesh.normals;
            return true;
        case menu_id::Colors:
            tunnelMesh.SetColors(!tunnelMesh.colors);
            settings.colors = tunnelMesh.colors;
            return true;
        case menu_id::TexCoords: ToggleTexturing(); return true;
        case menu_id::DirectVertices:
        case menu_id::VertexArrays: {
            const RenderMethod method =
                id == menu_id::DirectVertices ? RenderMethod::DirectVertices : RenderMethod::VertexArrays;
            tunnelMesh.SetMethod(method);
            settings.renderMethod = method;
            return true;
        }
        case menu_id::DisplayLists:
            tunnelMesh.SetDisplayLists(!tunnelMesh.listsActive);
            settings.DisplayLists = tunnelMesh.listsActive;
            return true;
        default: return false;
    }
}

// Confirmed dialog values rebuild the whole tunnel; a rebuild that fails has
// shown its message boxes and kept the tunnel there was.
void RunParameterCommand() {
    if (!RunParameterDialog(glWindow.hwnd, tunnelParams)) return;
    BuildTunnelFromSettings();
    DrawFrame();
}

}  // namespace

void ToggleTexturing() {
    tunnelMesh.SetTexCoords(!tunnelMesh.texcoords);
    if (tunnelMesh.texcoords) {
        glBindTexture(GL_TEXTURE_2D, textureName);
        glEnable(GL_TEXTURE_2D);
    } else {
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
    }
    settings.texcoords = tunnelMesh.texcoords;
    // The t key comes here as well as the menu: the check mark follows either way.
    if (popupMenu) CheckMenuItems(popupMenu, settings);
}

int OnCommand(uintptr_t wParam, intptr_t) {
    uint32_t id = static_cast<uint32_t>(wParam & 0xFFFF);
    if (RunDrawingCommand(id)) {
        if (popupMenu) CheckMenuItems(popupMenu, settings);
        return 1;
    }
    switch (id) {
        case menu_id::Parameters: RunParameterCommand(); return 1;
        case menu_id::Quit: Quit(); return 1;
        default: return 0;
    }
}

void CheckMenuItems(platform::MenuHandle menu, const Settings& chosen) {
    const uint32_t modeIds[] = {menu_id::Points, menu_id::Sections, menu_id::Wireframe, menu_id::SolidFlat,
                                menu_id::SolidSmooth};
    for (int32_t mode = 0; mode < kRenderModeCount; ++mode)
        platform::CheckMenuItem(menu, modeIds[mode], chosen.renderMode == static_cast<RenderMode>(mode));
    platform::CheckMenuItem(menu, menu_id::Normals, chosen.normals);
    platform::CheckMenuItem(menu, menu_id::Colors, chosen.colors);
    platform::CheckMenuItem(menu, menu_id::TexCoords, chosen.texcoords);
    platform::CheckMenuItem(menu, menu_id::DirectVertices, chosen.renderMethod == RenderMethod::DirectVertices);
    platform::CheckMenuItem(menu, menu_id::VertexArrays, chosen.renderMethod == RenderMethod::VertexArrays);
    platform::CheckMenuItem(menu, menu_id::DisplayLists, chosen.DisplayLists);
}
