#pragma once
// A line of text at the window's top-left corner, drawn with GL in the glyphs
// of the window's font, from the glyph lists of the window's rendering context.
#include "display/glwindow.h"
#include "display/glyph_lists.h"

// Draws black text on a white band over whatever the frame holds so far.
// Needs the window's rendering context current, which `glyphs` belong to;
// draws nothing when the glyphs cannot be had.
void DrawScreenText(const GLwindow& window, GlyphLists& glyphs, const char* text);
