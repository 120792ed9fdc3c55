// Files in native builds: real files, named in UTF-8 as the system's own
// paths are, so the readers are tested on disk. The reason for a failed open
// is the scripted last system error, as for every other failing call.
#include "platform/files.h"

namespace platform {

std::FILE* OpenFile(const char* path, const char* mode, OpenFailure* failure) {
    if (path == nullptr || mode == nullptr) return nullptr;
    std::FILE* file = std::fopen(path, mode);
    if (file == nullptr && failure != nullptr) *failure = {true, LastSystemError()};
    return file;
}

}  // namespace platform
