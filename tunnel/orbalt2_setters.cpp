// The drawing state of the tunnel mesh: render mode, method, the three vertex
// attributes. Display lists record what the state drew when they were
// compiled, so every change while they are active compiles a fresh set.
#include <cstddef>

#include "tunnel/orbalt2.h"

void Orbalt2::SetRenderMode(int32_t mode) {
    static constexpr DrawRoutine kDirect[] = {&Orbalt2::DrawPointsDirect, &Orbalt2::DrawSectionsDirect,
                                              &Orbalt2::DrawWireframeDirect, &Orbalt2::DrawFlatDirect,
                                              &Orbalt2::DrawSmoothDirect};
    static constexpr DrawRoutine kArrays[] = {&Orbalt2::DrawPointsArrays, &Orbalt2::DrawSectionsArrays,
                                              &Orbalt2::DrawWireframeArrays, &Orbalt2::DrawFlatArrays,
                                              &Orbalt2::DrawSmoothArrays};
    constexpr int32_t kSolidSmooth = 4;
    const size_t row = static_cast<size_t>(mode >= 0 && mode < kSolidSmooth ? mode : kSolidSmooth);
    if (method == 0)
        drawRoutine = kDirect[row];
    else if (method == 1)
        drawRoutine = kArrays[row];
    renderMode = mode;
    RebuildListsIfActive();
}

void Orbalt2::SetMethod(int32_t m) {
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
