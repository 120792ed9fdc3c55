#pragma once
// The drawing paths of the tunnel mesh that the benchmark programs compare:
// each render mode, drawn by direct vertices, vertex arrays or vertex arrays
// under the compiled-array lock, each without and with display lists. A path
// has one name, used on the command line and in the results.
#include <string>
#include <vector>

#include "tunnel/render_options.h"

struct DrawingPath {
    RenderMode mode = RenderMode::Points;
    RenderMethod method = RenderMethod::DirectVertices;
    bool lock = false;   // vertex arrays locked with the compiled-array extension
    bool lists = false;  // the mesh drawn through its display lists
};

// The 30 paths in the benchmarks' order: each mode; lists off, then on;
// direct, arrays, arrays with the lock.
std::vector<DrawingPath> AllDrawingPaths();

// "points", "sections", "wireframe", "solid flat", "solid smooth".
const char* ModeName(RenderMode mode);
// "direct", "arrays" or "arrays+lock".
const char* MethodName(const DrawingPath& path);

// One word a path: the mode with a dash for its space, the method and
// "lists" or "no-lists", e.g. "solid-flat/arrays+lock/lists".
std::string PathName(const DrawingPath& path);

// Whether `name` matches one of the comma-separated glob patterns (`*` any
// run of characters, `?` one), in any case, over the whole name. Spaces
// around a pattern are dropped; an empty pattern matches nothing.
bool PathMatches(const std::string& patterns, const std::string& name);

// The paths whose names match `patterns`, in the order of AllDrawingPaths.
std::vector<DrawingPath> SelectPaths(const std::string& patterns);
