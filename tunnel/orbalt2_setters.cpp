// The drawing state of the tunnel mesh: render mode, method, the three vertex
// attributes. Display lists record what the state drew when they were
// compiled, so every change while they are active compiles a fresh set.
#include <cstddef>

#include "tunnel/orbalt2.h"

void Orbalt2::SetRenderMode(RenderMode mode) {
    static constexpr DrawRoutine kDirect[] = {&Orbalt2::DrawPointsDirect, &Orbalt2::DrawSectionsDirect,
                                              &Orbalt2::DrawWireframeDirect, &Orbalt2::DrawFlatDirect,
                                              &Orbalt2::DrawSmoothDirect};
    static constexpr DrawRoutine kArrays[] = {&Orbalt2::DrawPointsArrays, &Orbalt2::DrawSectionsArrays,
                                              &Orbalt2::DrawWireframeArrays, &Orbalt2::DrawFlatArrays,
                                              &Orbalt2::DrawSmoothArrays};
    const int32_t number = static_cast<int32_t>(mode);
    const size_t row =
        static_cast<size_t>(number >= 0 && number < kRenderModeCount ? number : kRenderModeCount - 1);
    if (method == RenderMethod::DirectVertices)
        drawRoutine = kDirect[row];
    else if (method == RenderMethod::VertexArrays)
        drawRoutine = kArrays[row];
    renderMode = mode;
    RebuildListsIfActive();
}

void Orbalt2::SetMethod(RenderMethod m) {
    method = m;
    SetRenderMode(renderMode);
}

void Orbalt2::SetNormals(bool on) {
    normals = on;
    RebuildListsIfActive();
}

void Orbalt2::SetColors(bool on) {
    colors = on;
    RebuildListsIfActive();
}

void Orbalt2::SetTexCoords(bool on) {
    texcoords = on;
    RebuildListsIfActive();
}

void Orbalt2::RebuildListsIfActive() {
    if (!listsActive) return;
    SetDisplayLists(false);
    SetDisplayLists(true);
}
