#include "tools/sctool/arguments.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool ParseFloat(const std::string& text, float& value) {
    if (text.empty()) return false;
    char* stop = nullptr;
    errno = 0;
    const float parsed = std::strtof(text.c_str(), &stop);
    if (*stop != '\0' || errno == ERANGE) return false;
    value = parsed;
    return true;
}

bool ParseUnsigned(const std::string& text, uint32_t& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    char* stop = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text.c_str(), &stop, 10);
    if (*stop != '\0' || errno == ERANGE || parsed > UINT32_MAX) return false;
    value = static_cast<uint32_t>(parsed);
    return true;
}

bool ParseFloatList(const std::string& text, size_t count, std::vector<float>& values) {
    values.clear();
    size_t from = 0;
    while (true) {
        const size_t comma = text.find(',', from);
        float value = 0.0f;
        if (!ParseFloat(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from), value))
            return false;
        values.push_back(value);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return count == 0 || values.size() == count;
}
