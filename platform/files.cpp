#include "platform/files.h"

namespace platform {

std::string OpenFailureText(const std::string& path, const OpenFailure& failure) {
    return "fopen(" + path + "): system error " + std::to_string(failure.error.code) + ": " + failure.error.text;
}

}  // namespace platform
