#pragma once
// Strict parsing of command-line values: a value is taken only when the whole
// text is a number.
#include <cstdint>
#include <string>
#include <vector>

bool ParseFloat(const std::string& text, float& value);
bool ParseUnsigned(const std::string& text, uint32_t& value);
// Comma-separated floats, exactly `count` of them (any number when count is 0).
bool ParseFloatList(const std::string& text, size_t count, std::vector<float>& values);
