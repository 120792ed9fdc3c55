#pragma once
// What the harnesses share: the fuzzed bytes as a file for the readers that
// take a path, a reporter that drops the tunnel's message boxes, and the
// check that ends a run with a crash libFuzzer records.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "support/temp_dir.h"

namespace fuzz {

inline std::string Bytes(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Writes the bytes to one file in a directory of this process and returns its path.
inline std::string AsFile(const std::string& bytes) {
    static TempDir directory;
    return directory.Write("input", bytes);
}

// Refusals are expected for most inputs; their boxes would only fill the
// platform stand-in's record.
inline void DropMessage(platform::WindowHandle, const char*, const char*) {}

// A broken promise of the code under test: libFuzzer saves the input.
inline void Require(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

}  // namespace fuzz
