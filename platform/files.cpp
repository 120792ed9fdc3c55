#include "platform/files.h"

namespace platform {

std::string OpenFailureText(const std::string& path, const OpenFailure& failure) {
    return "fopen(" + path + "): " + SystemErrorText(failure.error);
}

}  // namespace platform
