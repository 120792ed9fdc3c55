#pragma once
// The section file: 144 bytes, little-endian, IEEE single-precision floats.
//   0   "SECT"
//   4   six floats: the walker's step magnitudes per parameter
//   28  four floats: limits xmin, ymin, xmax, ymax
//   44  the 100-byte parameter block (four components of six floats, four enable bytes)
#include <cstddef>
#include <string>

#include "tunnel/box2.h"
#include "tunnel/section_params.h"

constexpr size_t kSectionFileSize = 144;

struct SectionFile {
    float stepScale[kComponentParameters] = {0.001f, 0.001f, 1.0f, 1.0f, 1.0f, 1.0f};
    Box2 limits{-0.9f, -0.9f, 0.9f, 0.9f};
    SectionParams params;
};

// Magnitudes above this make no sense for a tunnel whose sections measure
// about one unit; keeping values below it keeps every sum and cross product of
// profile coordinates far inside the float range.
constexpr float kLargestSectionValue = 1.0e6f;
// A starting profile that reaches less than this far from its first point is
// too small for single-precision normals: the cross products of its edges
// with the spacing between sections underflow to zero.
constexpr double kSmallestProfileReach = 1.0e-6;

// Decodes the file's bytes (all of them; nothing past byte 143 is read).
// Returns null on success, else the message that explains the refusal.
const char* DecodeSectionFile(const std::string& bytes, SectionFile& file);
// The 144 bytes of a section file.
std::string EncodeSectionFile(const SectionFile& file);
