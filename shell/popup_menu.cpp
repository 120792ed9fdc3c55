#include "shell/popup_menu.h"

#include "platform/ui.h"

void CheckMenuItems(platform::MenuHandle menu, const Settings& settings) {
    const uint32_t modeIds[] = {menu_id::Points, menu_id::Sections, menu_id::Wireframe, menu_id::SolidFlat,
                                menu_id::SolidSmooth};
    for (int32_t mode = 0; mode < 5; ++mode)
        platform::CheckMenuItem(menu, modeIds[mode], settings.renderMode == mode);
    platform::CheckMenuItem(menu, menu_id::Normals, settings.normals);
    platform::CheckMenuItem(menu, menu_id::Colors, settings.colors);
    platform::CheckMenuItem(menu, menu_id::TexCoords, settings.texcoords);
    platform::CheckMenuItem(menu, menu_id::DirectVertices, settings.renderMethod == DIRECT_VERTICES);
    platform::CheckMenuItem(menu, menu_id::VertexArrays, settings.renderMethod == VERTEX_ARRAYS);
    platform::CheckMenuItem(menu, menu_id::DisplayLists, settings.DisplayLists);
}
