#pragma once
// The parameter block of a section: four components of six floats followed by
// their four enable bytes, 100 bytes that are saved, restored and stored in
// the section file as one unit.
#include <cstdint>

constexpr int kComponents = 4;
constexpr int kComponentParameters = 6;

// Index of a parameter within its component.
enum ComponentParameter : int {
    kRadius = 0,      // base radius
    kWave = 1,        // amplitude of the radius wave
    kWavePhase = 2,   // degrees
    kWaveFreq = 3,    // cycles per turn
    kAnglePhase = 4,  // degrees
    kAngleFreq = 5,   // turns per turn
};

struct SectionParams {
    float components[kComponents][kComponentParameters] = {};
    uint8_t enabled[kComponents] = {};
};
static_assert(sizeof(SectionParams) == 100, "the parameter block is exactly 100 bytes");
