#include "display/error_status.h"

const char* ErrorCodeName(uint32_t code) {
    static const char* const names[] = {"NONE",        "GENERIC", "EXCEPTION", "INVALIDARG",
                                        "UNSUPPORTED", "BUSY",    "MEMORY",    "IO"};
    return code < sizeof(names) / sizeof(names[0]) ? names[code] : "UNKNOWN";
}

void ErrorStatus::Set(uint32_t errorCode, const char* className, const char* operationName, const char* detail) {
    // The detail is often this record's own message (wrapping): build the new
    // text aside before replacing the old one.
    std::string text;
    text += className ? className : "";
    text += "::";
    text += operationName ? operationName : "";
    text += "() error ";
    text += ErrorCodeName(errorCode);
    text += ": ";
    text += detail ? detail : "";
    message.swap(text);

    if (log != nullptr) {
        if (std::fprintf(log, "%s \n", message.c_str()) < 0 || std::fflush(log) != 0) log = nullptr;
    }
}
