#pragma once
// What belongs to one rendering context beside the GL functions themselves:
// the optional extensions it offers and the lists it holds. Whoever owns the
// context keeps one of these with it, fills it once the context is current
// and releases it before the context is deleted, so that a second window or
// program with a context of its own has its own.
#include "display/extensions.h"
#include "display/glyph_lists.h"

struct ContextResources {
    GLExtensions extensions;
    GlyphLists glyphs;  // the frame-rate text's characters

    // Looks up what the current context offers; the lists are made on first use.
    void Acquire() { extensions = LookUpExtensions(); }
    // Deletes the lists while the context is still current and forgets the
    // entry points, which are no good without it.
    void Release() {
        glyphs.Delete();
        extensions = GLExtensions{};
    }
};
