#pragma once
// How the tunnel mesh is drawn: the render mode (which primitives) and the
// method (how the vertices reach OpenGL). The numbers are the ones the menu
// and the configuration have always used.
#include <cstdint>

enum class RenderMode : int32_t { Points = 0, Sections = 1, Wireframe = 2, SolidFlat = 3, SolidSmooth = 4 };
enum class RenderMethod : int32_t { DirectVertices = 0, VertexArrays = 1 };

constexpr int32_t kRenderModeCount = 5;
