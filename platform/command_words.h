#pragma once
// A command line's text cut into its words as Windows programs read theirs
// (the rules of the C runtime and CommandLineToArgvW), for programs that take
// switches: blanks separate words outside quotes; quotes group and vanish;
// 2n backslashes before a quote give n backslashes and the quote groups,
// 2n + 1 give n backslashes and a literal quote; other backslashes are kept,
// so a path "C:\My Files\r.csv" arrives whole.
#include <string>
#include <vector>

// The words of the text after the program's name (ArgumentText's).
std::vector<std::string> SplitCommandWords(const char* text);
