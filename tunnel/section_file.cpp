#include "tunnel/section_file.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "tunnel/profile_check.h"
#include "tunnel/section.h"

namespace {

constexpr uint32_t kMagic = 0x54434553;  // "SECT" read as a little-endian word
constexpr size_t kStepOffset = 4;
constexpr size_t kEnabledOffset = 140;

uint32_t WordAt(const std::string& bytes, size_t offset) {
    uint32_t word = 0;
    for (size_t k = 0; k < 4; ++k)
        word |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + k])) << (8 * k);
    return word;
}

float FloatAt(const std::string& bytes, size_t offset) {
    const uint32_t word = WordAt(bytes, offset);
    float value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

void PutFloat(std::string& bytes, float value) {
    uint32_t word;
    std::memcpy(&word, &value, sizeof word);
    for (size_t k = 0; k < 4; ++k) bytes.push_back(static_cast<char>((word >> (8 * k)) & 0xFF));
}

// Every float of the file, in file order after the magic.
template <class Visit>
void ForEachFloat(SectionFile& file, Visit visit) {
    for (float& step : file.stepScale) visit(step);
    visit(file.limits.xmin);
    visit(file.limits.ymin);
    visit(file.limits.xmax);
    visit(file.limits.ymax);
    for (auto& component : file.params.components)
        for (float& value : component) visit(value);
}

const char* CheckValues(SectionFile& file) {
    bool finite = true, moderate = true;
    ForEachFloat(file, [&](float value) {
        if (!std::isfinite(value))
            finite = false;
        else if (std::fabs(value) > kLargestSectionValue)
            moderate = false;
    });
    if (!finite) return "section file holds a value that is not a finite number";
    if (!moderate) return "section file holds a value too large for a tunnel";
    if (!(file.limits.xmin < file.limits.xmax && file.limits.ymin < file.limits.ymax))
        return "section file limits enclose no area";
    return nullptr;
}

}  // namespace

const char* DecodeSectionFile(const std::string& bytes, SectionFile& file) {
    if (bytes.size() >= 4 && WordAt(bytes, 0) != kMagic) return "not a section file";
    if (bytes.size() < kSectionFileSize) return "section file shorter than 144 bytes";
    SectionFile decoded;
    size_t offset = kStepOffset;
    ForEachFloat(decoded, [&](float& value) {
        value = FloatAt(bytes, offset);
        offset += 4;
    });
    for (int c = 0; c < kComponents; ++c)
        decoded.params.enabled[c] = static_cast<uint8_t>(bytes[kEnabledOffset + static_cast<size_t>(c)]);
    if (const char* problem = CheckValues(decoded)) return problem;
    file = decoded;
    return nullptr;
}

std::string EncodeSectionFile(const SectionFile& file) {
    std::string bytes;
    bytes.reserve(kSectionFileSize);
    for (size_t k = 0; k < 4; ++k) bytes.push_back(static_cast<char>((kMagic >> (8 * k)) & 0xFF));
    SectionFile copy = file;
    ForEachFloat(copy, [&](float value) { PutFloat(bytes, value); });
    for (uint8_t on : file.params.enabled) bytes.push_back(static_cast<char>(on));
    return bytes;
}

bool Section::LoadParams(const char* path, float* stepScale, const TunnelMessages& messages) {
    if (path == nullptr) return false;
    std::FILE* stream = platform::OpenFile(path, "rb", messages.openFailure);
    if (stream == nullptr) return false;
    char buffer[kSectionFileSize];
    const size_t length = std::fread(buffer, 1, sizeof buffer, stream);
    std::fclose(stream);

    // The profile is judged at the resolution the section was sized for,
    // which is the one the walker will test it at.
    SectionFile file;
    const char* problem = DecodeSectionFile(std::string(buffer, length), file);
    if (problem == nullptr) problem = JudgeStartingProfile(file, nPoints != 0 ? nPoints : kJudgedProfilePoints);
    if (problem != nullptr) {
        messages.Show(problem, "Section::LoadParams()");
        return false;
    }
    std::memcpy(stepScale, file.stepScale, sizeof file.stepScale);
    limits = file.limits;
    ReplaceParams(file.params);
    return true;
}
