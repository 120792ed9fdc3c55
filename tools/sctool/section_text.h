#pragma once
// The readable side of section files: `show` prints one, `make` writes one.
#include <string>
#include <vector>

int ShowSectionFile(const std::vector<std::string>& args);
int MakeSectionFile(const std::vector<std::string>& args);
// Reads and decodes a section file; on failure prints why and returns false.
struct SectionFile;
bool ReadSectionFile(const std::string& path, SectionFile& file);
