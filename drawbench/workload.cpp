#include "drawbench/workload.h"

#include <cstring>

namespace {

class Fnv1a64 {
public:
    void Byte(uint8_t byte) {
        hash_ ^= byte;
        hash_ *= 0x100000001b3u;
    }
    // Least significant byte first, whatever the machine's order.
    void Unsigned(uint64_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) Byte(static_cast<uint8_t>(value >> (8 * i)));
    }
    void Float(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Unsigned(bits, 4);
    }
    void Double(double value) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        Unsigned(bits, 8);
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 0xcbf29ce484222325u;
};

std::string Hex16(uint64_t value) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = kDigits[value & 0xf];
    return text;
}

}  // namespace

std::string WorkloadHash(const Workload& workload) {
    Fnv1a64 hash;
    hash.Unsigned(workload.sectionFile.size(), 8);
    for (const char c : workload.sectionFile) hash.Byte(static_cast<uint8_t>(c));
    hash.Unsigned(workload.seed, 4);
    hash.Unsigned(workload.sections, 4);
    hash.Unsigned(workload.pointsPerSection, 4);
    hash.Float(workload.spacing);
    hash.Float(workload.speed);
    hash.Double(workload.timeStep);
    hash.Unsigned(workload.frames, 4);
    return Hex16(hash.Value());
}
