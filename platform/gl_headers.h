#pragma once
// OpenGL 1.1 for portable code. On Windows <GL/gl.h> wants two macros of
// windows.h; they are given here so that portable code never includes it.
#if defined(_WIN32)
#ifndef APIENTRY
#define APIENTRY __stdcall
#endif
#ifndef WINGDIAPI
#define WINGDIAPI __declspec(dllimport)
#endif
#endif
#include <GL/gl.h>

// EXT_bgra: 24-bit pixels in blue, green, red byte order, as .bmp files hold them.
#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif
