// Command lines as Windows could hand them over: the program directory and
// the argument text taken from the full command line, and the section path
// from the text after the program name. The bytes up to the first zero are
// the text, as in a C string.
#include <cstring>

#include "fuzz_support.h"
#include "platform/utf8.h"
#include "shell/command_line.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = fuzz::Bytes(data, size);
    const std::string text = bytes.substr(0, bytes.find('\0'));

    std::string directory = "unchanged";
    if (ProgramDirectoryFrom(text.c_str(), directory)) {
        fuzz::Require(CountCharacters(directory) <= kMaxProgramDirectory, "the directory fits its limit");
        fuzz::Require(directory.empty() || IsSeparator(directory.back()), "a directory ends in a separator");
        fuzz::Require(text.find(directory) != std::string::npos, "the directory comes from the command line");
    } else {
        fuzz::Require(directory == "unchanged", "a refused directory leaves the old one");
    }

    const char* arguments = ArgumentText(text.c_str());
    fuzz::Require(arguments >= text.c_str() && arguments <= text.c_str() + text.size(),
                  "the arguments lie within the command line");

    std::string path = "unchanged";
    if (SectionPathFromCommandLine(text.c_str(), path)) {
        fuzz::Require(!path.empty(), "a section path names something");
        fuzz::Require(text.find(path) != std::string::npos, "the path comes from the command line");
    } else {
        fuzz::Require(path == "unchanged", "a missing path leaves the old one");
    }
    return 0;
}
