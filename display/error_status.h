#pragma once
// The failure record of the display layer. A failing operation leaves one line
// here ("Class::Operation() error CODE: detail"); an operation that fails
// because an inner one failed passes the inner message on as its detail, so
// the text reads from the outermost operation down to the root cause.
#include <cstdint>
#include <cstdio>
#include <string>

enum ErrorCode : uint32_t {
    NONE = 0,
    GENERIC = 1,
    EXCEPTION = 2,
    INVALIDARG = 3,
    UNSUPPORTED = 4,
    BUSY = 5,
    MEMORY = 6,
    IO = 7,
};

const char* ErrorCodeName(uint32_t code);  // "UNKNOWN" outside 0 to 7

class ErrorStatus {
public:
    // Records a failure; any text may be null. When a log is attached the line
    // is written and flushed at once; a failed write detaches the log.
    void Set(uint32_t errorCode, const char* className, const char* operationName, const char* detail);

    // The message of the latest failure, empty when nothing was recorded.
    const char* Message() const { return message.c_str(); }

    uint32_t code = NONE;  // stays NONE: the failure's code is carried in the message text
    FILE* log = nullptr;   // owned by whoever attached it

private:
    std::string message;
};
