#pragma once
// The popup menu's command ids and its check marks.
#include <cstdint>

#include "platform/platform.h"
#include "shell/settings.h"

namespace menu_id {
constexpr uint32_t Parameters = 10;  // "orbalt..."
constexpr uint32_t Points = 110;
constexpr uint32_t Sections = 112;
constexpr uint32_t Wireframe = 114;
constexpr uint32_t SolidFlat = 116;
constexpr uint32_t SolidSmooth = 118;
constexpr uint32_t Normals = 120;
constexpr uint32_t Colors = 122;
constexpr uint32_t TexCoords = 124;
constexpr uint32_t DirectVertices = 130;
constexpr uint32_t VertexArrays = 132;
constexpr uint32_t DisplayLists = 134;
constexpr uint32_t Quit = 999;
}  // namespace menu_id

constexpr const char* kPopupMenuName = "Orbalt_Tunnel_PopUp";

// Sets every check mark of the menu from the settings.
void CheckMenuItems(platform::MenuHandle menu, const Settings& chosen);

// Carries out the menu command whose id is wParam's low 16 bits; 1 for a
// known id, 0 otherwise. Drawing options show from the next frame on.
int OnCommand(uintptr_t wParam, intptr_t lParam);

// Switches texturing: the mesh's texture coordinates, the start-up texture
// bound and 2D texturing enabled, or all three off. Copies the mesh's new
// state into the settings.
void ToggleTexturing();
