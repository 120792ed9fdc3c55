#pragma once
// A line of text at the window's top-left corner, drawn with GL in the glyphs
// of the window's font. GDI text would not show where the GL surface covers
// the window, so the glyphs become display lists of the rendering context.
#include "display/glwindow.h"

// Draws black text on a white band over whatever the frame holds so far.
// Needs the window's rendering context current; draws nothing when its font
// glyphs cannot be had.
void DrawScreenText(const GLwindow& window, const char* text);
