#pragma once
// Files by name. Every name the program holds is UTF-8; the platform converts
// it to the system's own form, so that a file in a folder named in any
// characters (Cyrillic, Japanese, ...) can be opened, whatever the system's
// ANSI code page.
#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace platform {

// Why a file could not be opened, kept for the caller that reports it: a
// reader deep in the layers hands this back rather than writing it anywhere.
struct OpenFailure {
    bool failed = false;
    SystemError error;  // the system's reason, taken right after the failed open
};

// Opens the file at the UTF-8 `path` with a std::fopen mode ("rb", "wb", "w",
// "a", ...). Null when it cannot be opened; the failure is then noted in
// `failure` when one is given. A null path or mode opens nothing and notes
// nothing.
std::FILE* OpenFile(const char* path, const char* mode, OpenFailure* failure = nullptr);

// The log line's text for a failed open: "fopen(PATH): system error CODE: TEXT".
std::string OpenFailureText(const std::string& path, const OpenFailure& failure);

}  // namespace platform
