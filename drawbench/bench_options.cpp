#include "drawbench/bench_options.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include "drawbench/drawing_path.h"

const char* const kBenchUsage =
    "usage: orbalt-bench [options] [SECTION_FILE]\n"
    "Flies a fixed course through the tunnel once with each drawing path of the mesh, in rounds\n"
    "alternating with a bare loop of the same primitives, and reports each path's frame rate, its\n"
    "ratio to the bare loop, frame times and the pixels in which its picture differs.\n"
    "  --seconds S      length of a round, more than 0 and up to 600 (default 0.25)\n"
    "  --rounds N       rounds of each path and of its bare loop, 1 to 1000 (default 3)\n"
    "  --size WxH       the window's size, 64 to 8192 each way (default 640x480)\n"
    "  --paths PATTERN  the paths to time: names such as solid-flat/arrays+lock/lists matched by\n"
    "                   comma-separated patterns with * and ?, in any case (default *;\n"
    "                   e.g. solid*  */lists  *lock*)\n"
    "  --results FILE   also write the results to FILE: JSON for .json, a page for .html or .htm,\n"
    "                   CSV otherwise (default: the console only)\n"
    "  --help, -h, /?   print this text\n"
    "  SECTION_FILE     the tunnel's section file (default test.sct beside the program)\n"
    "Escape or closing the window stops the run; what was measured is still reported.\n"
    "Exit codes: 0 done, 1 stopped, 2 bad argument, 3 GL or results file failed.\n";

namespace {

constexpr double kMaxSeconds = 600.0;
constexpr int kMaxRounds = 1000;
constexpr int kMinSide = 64, kMaxSide = 8192;

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

size_t SkipDigits(const std::string& text, size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// A decimal number written out in full: an optional sign, digits with an
// optional point (digits on at least one side), an optional exponent with
// digits. Words strtod would also take, such as "inf", "nan", "0x1p3", " 1"
// or a part of "3x", are not.
bool IsDecimalNumber(const std::string& text) {
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const size_t integerEnd = SkipDigits(text, at);
    size_t mantissaEnd = integerEnd;
    bool anyDigit = integerEnd > at;
    if (mantissaEnd < text.size() && text[mantissaEnd] == '.') {
        const size_t fractionEnd = SkipDigits(text, mantissaEnd + 1);
        anyDigit = anyDigit || fractionEnd > mantissaEnd + 1;
        mantissaEnd = fractionEnd;
    }
    if (!anyDigit) return false;
    at = mantissaEnd;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        const size_t exponentEnd = SkipDigits(text, at);
        if (exponentEnd == at) return false;
        at = exponentEnd;
    }
    return at == text.size();
}

// A whole number of digits alone within [low, high].
bool ParseWholeNumber(const std::string& text, int low, int high, int& value) {
    if (text.empty() || SkipDigits(text, 0) != text.size()) return false;
    // Nine digits fit an int; every bound here has fewer.
    if (text.size() > 9) return false;
    const long number = std::strtol(text.c_str(), nullptr, 10);
    if (number < low || number > high) return false;
    value = static_cast<int>(number);
    return true;
}

bool ParseSeconds(const std::string& text, double& seconds) {
    if (!IsDecimalNumber(text)) return false;
    errno = 0;
    const double value = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE || !std::isfinite(value) || !(value > 0.0) || value > kMaxSeconds) return false;
    seconds = value;
    return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t cross = text.find_first_of("xX");
    if (cross == std::string::npos) return false;
    int w = 0, h = 0;
    if (!ParseWholeNumber(text.substr(0, cross), kMinSide, kMaxSide, w) ||
        !ParseWholeNumber(text.substr(cross + 1), kMinSide, kMaxSide, h))
        return false;
    width = w;
    height = h;
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Reads one switch's value into `options`; false with `error` set when the
// value is bad.
bool ApplySwitch(const std::string& name, const std::string& value, BenchOptions& options, std::string& error) {
    const std::string bad = name + ": " + Quoted(value) + " is not ";
    if (name == "--seconds") {
        if (ParseSeconds(value, options.seconds)) return true;
        error = bad + "a number of seconds above 0 and up to 600";
    } else if (name == "--rounds") {
        if (ParseWholeNumber(value, 1, kMaxRounds, options.rounds)) return true;
        error = bad + "a whole number from 1 to 1000";
    } else if (name == "--size") {
        if (ParseSize(value, options.width, options.height)) return true;
        error = bad + "a size WxH with whole numbers from 64 to 8192";
    } else if (name == "--paths") {
        if (!SelectPaths(value).empty()) {
            options.paths = value;
            return true;
        }
        error = name + ": " + Quoted(value) + " selects no drawing path (names look like points/direct/no-lists)";
    } else {  // --results
        if (!value.empty()) {
            options.results = value;
            return true;
        }
        error = name + ": the file name is empty";
    }
    return false;
}

bool IsValueSwitch(const std::string& word) {
    return word == "--seconds" || word == "--rounds" || word == "--size" || word == "--paths" ||
           word == "--results";
}

bool IsHelpSwitch(const std::string& word) { return word == "--help" || word == "-h" || word == "/?"; }

}  // namespace

bool ParseBenchArguments(const std::vector<std::string>& args, BenchOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (IsHelpSwitch(word)) {
            options.help = true;
            return true;
        }
        if (IsValueSwitch(word)) {
            // A switch in the value's place means the value was left out.
            if (i + 1 >= args.size() || args[i + 1].compare(0, 2, "--") == 0) {
                error = word + ": a value is missing";
                return false;
            }
            if (!ApplySwitch(word, args[++i], options, error)) return false;
        } else if (!word.empty() && word[0] == '-') {
            error = word + ": no such switch (--help lists them)";
            return false;
        } else if (word.empty()) {
            error = "\"\": an empty section file name";
            return false;
        } else if (!options.sectionFile.empty()) {
            error = Quoted(word) + ": a second section file (the first is " + Quoted(options.sectionFile) + ")";
            return false;
        } else {
            options.sectionFile = word;
        }
    }
    return true;
}
