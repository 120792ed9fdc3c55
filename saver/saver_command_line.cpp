#include "saver/saver_command_line.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A window handle written in decimal, as Windows passes it; false for
// anything else, or for none at all.
bool ParseHandle(const std::string& text, platform::WindowHandle& window) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (errno == ERANGE || *end != '\0' || value == 0) return false;
    // NOLINTNEXTLINE(performance-no-int-to-ptr): a window handle arrives as a number
    window = reinterpret_cast<platform::WindowHandle>(static_cast<uintptr_t>(value));
    return true;
}

SaverCommand WithWindow(SaverMode mode, const std::string& argument, bool windowRequired) {
    SaverCommand command{mode, nullptr};
    if (argument.empty()) return windowRequired ? SaverCommand{} : command;
    return ParseHandle(argument, command.window) ? command : SaverCommand{};
}

}  // namespace

SaverCommand ParseSaverCommandLine(const char* text) {
    const std::string line = Trimmed(text ? text : "");
    if (line.empty()) return {SaverMode::Configure, nullptr};
    if (line.size() < 2 || (line[0] != '/' && line[0] != '-')) return {};
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(line[1])));
    std::string rest = line.substr(2);
    // "/p:1234" and "/p 1234" name the window alike.
    if (!rest.empty() && rest[0] == ':')
        rest.erase(0, 1);
    else if (!rest.empty() && rest[0] != ' ' && rest[0] != '\t')
        return {};
    rest = Trimmed(rest);
    switch (letter) {
        case 's': return rest.empty() ? SaverCommand{SaverMode::Run, nullptr} : SaverCommand{};
        case 'p': return WithWindow(SaverMode::Preview, rest, true);
        case 'c': return WithWindow(SaverMode::Configure, rest, false);
        default: return {};
    }
}
