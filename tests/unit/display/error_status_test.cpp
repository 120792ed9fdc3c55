// The error status record: message building, wrapping and the log.
#include <gtest/gtest.h>

#include <cstdio>

#include "display/error_status.h"
#include "support/temp_dir.h"

namespace {

TEST(ErrorStatus, MessageIsClassOperationCodeAndDetail) {
    ErrorStatus status;
    EXPECT_STREQ(status.Message(), "");
    status.Set(GENERIC, "GLwindow", "SetScreen", "graphics mode not supported");
    EXPECT_STREQ(status.Message(), "GLwindow::SetScreen() error GENERIC: graphics mode not supported");
    EXPECT_EQ(status.code, NONE);  // the code travels in the text only
}

TEST(ErrorStatus, EveryCodeHasItsName) {
    const char* names[] = {"NONE", "GENERIC", "EXCEPTION", "INVALIDARG", "UNSUPPORTED", "BUSY", "MEMORY", "IO"};
    for (uint32_t code = 0; code < 8; ++code) EXPECT_STREQ(ErrorCodeName(code), names[code]);
    EXPECT_STREQ(ErrorCodeName(8), "UNKNOWN");
    EXPECT_STREQ(ErrorCodeName(0xFFFFFFFFu), "UNKNOWN");
    ErrorStatus status;
    status.Set(42, "Image0", "Load", "x");
    EXPECT_STREQ(status.Message(), "Image0::Load() error UNKNOWN: x");
}

TEST(ErrorStatus, AbsentTextsLeaveTheirPlacesEmpty) {
    ErrorStatus status;
    status.Set(IO, nullptr, nullptr, nullptr);
    EXPECT_STREQ(status.Message(), "::() error IO: ");
}

TEST(ErrorStatus, WrappingItsOwnMessageChainsOuterToInner) {
    ErrorStatus status;
    status.Set(GENERIC, "GLwindow", "SetScreen", "graphics mode not supported");
    status.Set(GENERIC, "GLwindow", "FullScreen", status.Message());
    status.Set(GENERIC, "Outer", "Run", status.Message());
    EXPECT_STREQ(status.Message(),
                 "Outer::Run() error GENERIC: GLwindow::FullScreen() error GENERIC: "
                 "GLwindow::SetScreen() error GENERIC: graphics mode not supported");
}

TEST(ErrorStatus, WrappingAPartOfItsOwnMessageKeepsIt) {
    ErrorStatus status;
    status.Set(GENERIC, "A", "b", "inner detail");
    const char* tail = status.Message() + 4;  // points inside the current message
    std::string expected = std::string("A::c() error IO: ") + tail;
    status.Set(IO, "A", "c", tail);
    EXPECT_EQ(status.Message(), expected);
}

TEST(ErrorStatus, EachMessageIsLoggedAndFlushedAtOnce) {
    TempDir dir;
    std::string path = dir.File("log.txt");
    std::FILE* log = std::fopen(path.c_str(), "w");
    ASSERT_NE(log, nullptr);
    ErrorStatus status;
    status.log = log;
    status.Set(GENERIC, "GLwindow", "SetScreen", "graphics mode not supported");
    status.Set(GENERIC, "GLwindow", "FullScreen", status.Message());
    // Flushed: readable before the file is closed.
    EXPECT_EQ(TempDir::Read(path),
              "GLwindow::SetScreen() error GENERIC: graphics mode not supported \n"
              "GLwindow::FullScreen() error GENERIC: GLwindow::SetScreen() error GENERIC: "
              "graphics mode not supported \n");
    std::fclose(log);
}

TEST(ErrorStatus, WithoutALogNothingIsWrittenButTheMessageStands) {
    ErrorStatus status;
    status.Set(MEMORY, "Image0", "Create", "out of memory");
    EXPECT_STREQ(status.Message(), "Image0::Create() error MEMORY: out of memory");
}

TEST(ErrorStatus, FailedLogWriteDetachesTheLog) {
    TempDir dir;
    std::string path = dir.Write("readonly.txt", "");
    std::FILE* readOnly = std::fopen(path.c_str(), "r");  // every write to it fails
    ASSERT_NE(readOnly, nullptr);
    ErrorStatus status;
    status.log = readOnly;
    status.Set(IO, "Image0", "Load", "first");
    EXPECT_EQ(status.log, nullptr);
    status.Set(IO, "Image0", "Load", "second");
    EXPECT_STREQ(status.Message(), "Image0::Load() error IO: second");
    std::fclose(readOnly);
}

TEST(ErrorStatus, FullDeviceDetachesTheLogOnFlush) {
    std::FILE* full = std::fopen("/dev/full", "w");
    if (!full) GTEST_SKIP() << "no /dev/full";
    ErrorStatus status;
    status.log = full;
    status.Set(IO, "A", "b", "c");
    EXPECT_EQ(status.log, nullptr);
    std::fclose(full);
}

}  // namespace
