#pragma once
// Builds the tunnel exactly as the program does and prints it, or measures
// how often the walker accepts changes.
#include <string>
#include <vector>

int DumpTunnel(const std::vector<std::string>& args);
int WalkStatistics(const std::vector<std::string>& args);
