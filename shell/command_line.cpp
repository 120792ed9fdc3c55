#include "shell/command_line.h"

bool SectionPathFromCommandLine(const char* text, std::string& path) {
    std::string copy = text ? text : "";
    // Surrounding blanks are no part of a file name.
    size_t first = copy.find_first_not_of(" \t");
    size_t last = copy.find_last_not_of(" \t");
    copy = first == std::string::npos ? std::string() : copy.substr(first, last - first + 1);
    if (!copy.empty() && copy.front() == '"') {
        copy.erase(0, 1);
        if (!copy.empty() && copy.back() == '"') copy.pop_back();
    }
    if (copy.empty()) return false;
    path = copy;
    return true;
}
