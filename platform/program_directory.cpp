#include "platform/program_directory.h"

#include "platform/platform.h"
#include "platform/utf8.h"

namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
// Compared unsigned: the bytes of a UTF-8 sequence, all above 0x7F, are no blanks.
bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }
}  // namespace

bool ProgramDirectoryFrom(const char* fullCommandLine, std::string& directory) {
    std::string text = fullCommandLine ? fullCommandLine : "";
    std::string program;
    if (!text.empty() && text[0] == '"') {
        // A quoted program path ends at the closing quote.
        size_t closing = text.find('"', 1);
        program = text.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
    } else {
        // An unquoted one ends at the first blank, as Windows itself reads it.
        program = text.substr(0, text.find_first_of(" \t"));
    }
    size_t lastSeparator = std::string::npos;
    for (size_t i = 0; i < program.size(); ++i)
        if (IsSeparator(program[i])) lastSeparator = i;
    std::string found = lastSeparator == std::string::npos ? std::string() : program.substr(0, lastSeparator + 1);
    if (CountCharacters(found) > kMaxProgramDirectory) return false;
    directory = found;
    return true;
}

bool ProgramDirectory(std::string& directory) { return ProgramDirectoryFrom(platform::CommandLine(), directory); }

const char* ArgumentText(const char* fullCommandLine) {
    if (fullCommandLine == nullptr) return "";
    const char* at = fullCommandLine;
    bool quoted = false;
    for (; *at != '\0' && (quoted || !IsBlankOrControl(*at)); ++at)
        if (*at == '"') quoted = !quoted;
    while (*at != '\0' && IsBlankOrControl(*at)) ++at;
    return at;
}
