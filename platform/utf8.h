#pragma once
// UTF-8, the form of every text the program holds: paths, messages, the
// command line. Portable: the conversion to the system's own form happens at
// the platform seam.
#include <cstddef>
#include <string>

// The characters (Unicode code points) of the text, which is what a limit on
// a name's length counts: "Демо" is 4, not its 8 bytes. A byte that starts no
// well-formed sequence (a stray or missing continuation byte, a sequence cut
// off at the end) counts as one character of its own.
size_t CountCharacters(const std::string& text);
