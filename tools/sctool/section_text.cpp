#include "tools/sctool/section_text.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "tools/sctool/arguments.h"
#include "tunnel/profile_check.h"
#include "tunnel/section_file.h"

namespace {

const char* const kParameterNames[kComponentParameters] = {"radius",   "wave",       "wavePhase",
                                                           "waveFreq", "anglePhase", "angleFreq"};

void PrintSectionFile(const SectionFile& file) {
    std::printf("magic SECT\nstep");
    for (float step : file.stepScale) std::printf(" %.9g", step);
    std::printf("\nlimits %.9g %.9g %.9g %.9g\n", file.limits.xmin, file.limits.ymin, file.limits.xmax,
                file.limits.ymax);
    for (int c = 0; c < kComponents; ++c) {
        std::printf("component %d %s", c, file.params.enabled[c] ? "on" : "off");
        for (int k = 0; k < kComponentParameters; ++k)
            std::printf(" %s %.9g", kParameterNames[k], file.params.components[c][k]);
        std::printf("\n");
    }
}

bool ParseComponentIndex(const std::string& text, int& c) {
    uint32_t value = 0;
    if (!ParseUnsigned(text, value) || value >= kComponents) return false;
    c = static_cast<int>(value);
    return true;
}

// Applies one option of `make` at args[i] (its value at args[i + 1] ...);
// returns the number of arguments used, 0 when the option is bad.
size_t ApplyMakeOption(const std::vector<std::string>& args, size_t i, SectionFile& file) {
    const std::string& option = args[i];
    std::vector<float> values;
    int c = 0;
    if (option == "--step" && i + 1 < args.size() && ParseFloatList(args[i + 1], 6, values)) {
        for (int k = 0; k < kComponentParameters; ++k) file.stepScale[k] = values[static_cast<size_t>(k)];
        return 2;
    }
    if (option == "--limits" && i + 1 < args.size() && ParseFloatList(args[i + 1], 4, values)) {
        file.limits = Box2{values[0], values[1], values[2], values[3]};
        return 2;
    }
    if (option == "--component" && i + 2 < args.size() && ParseComponentIndex(args[i + 1], c) &&
        ParseFloatList(args[i + 2], 6, values)) {
        for (int k = 0; k < kComponentParameters; ++k)
            file.params.components[c][k] = values[static_cast<size_t>(k)];
        file.params.enabled[c] = 1;
        return 3;
    }
    if (option == "--disable" && i + 1 < args.size() && ParseComponentIndex(args[i + 1], c)) {
        file.params.enabled[c] = 0;
        return 2;
    }
    return 0;
}

}  // namespace

bool ReadSectionFile(const std::string& path, SectionFile& file) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "sctool: cannot open %s\n", path.c_str());
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (const char* problem = DecodeSectionFile(bytes, file)) {
        std::fprintf(stderr, "sctool: %s: %s\n", path.c_str(), problem);
        return false;
    }
    return true;
}

int ShowSectionFile(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "sctool: show takes one file\n");
        return 2;
    }
    SectionFile file;
    if (!ReadSectionFile(args[0], file)) return 1;
    PrintSectionFile(file);
    if (const char* problem = JudgeStartingProfile(file, kJudgedProfilePoints)) {
        std::fprintf(stderr, "sctool: %s: %s (judged at %u points)\n", args[0].c_str(), problem,
                     kJudgedProfilePoints);
        return 1;
    }
    return 0;
}

int MakeSectionFile(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "sctool: make needs an output file\n");
        return 2;
    }
    SectionFile file;
    for (size_t i = 1; i < args.size();) {
        const size_t used = ApplyMakeOption(args, i, file);
        if (used == 0) {
            std::fprintf(stderr, "sctool: bad or incomplete option %s (see sctool --help)\n", args[i].c_str());
            return 2;
        }
        i += used;
    }
    // The program's own checks decide whether the file can give a tunnel.
    const std::string bytes = EncodeSectionFile(file);
    SectionFile checked;
    const char* problem = DecodeSectionFile(bytes, checked);
    if (problem == nullptr) problem = JudgeStartingProfile(checked, kJudgedProfilePoints);
    if (problem != nullptr) {
        std::fprintf(stderr, "sctool: %s\n", problem);
        return 1;
    }
    std::ofstream out(args[0], std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "sctool: cannot write %s\n", args[0].c_str());
        return 1;
    }
    return 0;
}
