#pragma once
// The writers behind FormatResults, one a format, and the number formatting
// they share.
#include <string>
#include <vector>

#include "drawbench/results.h"

std::string ResultsCsv(const RunHeader& header, const std::vector<PathResult>& results);
std::string ResultsJson(const RunHeader& header, const std::vector<PathResult>& results);
std::string ResultsHtml(const RunHeader& header, const std::vector<PathResult>& results);

// The method alone, "direct" or "arrays"; the lock has a column of its own.
const char* MethodColumn(RenderMethod method);

// `value` with a fixed number of decimals, as the C locale writes it; empty
// for a value that is not finite.
std::string Fixed(double value, int decimals);

// The decimals each kind of figure is written with.
constexpr int kFpsDecimals = 1, kRatioDecimals = 3, kMsDecimals = 3;
