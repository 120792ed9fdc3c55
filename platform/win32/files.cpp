// Files by UTF-8 name on Win32: the name and mode become UTF-16 for _wfopen,
// which can open any path the system can; fopen would read the name in the
// ANSI code page.
#include "platform/files.h"

#include <cstdio>

#include "platform/win32/win32.h"

namespace platform {

std::FILE* OpenFile(const char* path, const char* mode, OpenFailure* failure) {
    if (path == nullptr || mode == nullptr) return nullptr;
    std::FILE* file = _wfopen(win32::Utf16(path).c_str(), win32::Utf16(mode).c_str());
    // _wfopen leaves the system's reason (CreateFileW's) as the last error.
    if (file == nullptr && failure != nullptr) *failure = {true, LastSystemError()};
    return file;
}

}  // namespace platform
