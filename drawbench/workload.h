#pragma once
// What a benchmark run draws: the tunnel (its section file, seed and size)
// and the flight through it (speed, time step, frames). Its hash names the
// workload in the results, so that figures are compared only between runs
// that drew the same frames.
#include <cstdint>
#include <string>

struct Workload {
    std::string sectionFile;  // the section file's bytes
    uint32_t seed = 0;
    uint32_t sections = 0, pointsPerSection = 0;
    float spacing = 0;
    float speed = 0;
    double timeStep = 0;  // seconds of flight a frame
    uint32_t frames = 0;
};

// 16 lowercase hex digits: FNV-1a 64 over every field in a fixed
// little-endian encoding (the file's length before its bytes, floats by
// their bits), so that equal workloads hash equal on every machine and any
// change of a field changes the hash.
std::string WorkloadHash(const Workload& workload);
