#pragma once
// Control of the platform stand-in used by native builds: tests script the
// results of platform calls here and read back what the program asked for.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform::stub {

// Exit code of a main loop that waited on an empty message queue.
constexpr int kWaitedOnEmptyQueue = 99;

struct ShownMessage {
    WindowHandle owner;
    std::string text;
    std::string caption;
};

struct CreatedWindow {
    uint32_t exStyle;
    std::string className;
    std::string title;
    uint32_t style;
    int32_t x, y, width, height;
};

struct State {
    // Scripted results.
    std::string commandLine = "\"C:\\orbalt\\orbalt.exe\"";
    int64_t counterFrequency = 10000000;
    std::deque<int64_t> counterValues;  // each CounterValue() takes the front; empty gives 0
    uint32_t tickCount = 0;
    ScreenMode desktop{1024, 768, 32, 60};
    std::vector<ScreenMode> displayModes;
    int changeDisplayResult = display_change::Successful;
    std::vector<uint32_t> refusedDepths;  // requests at these depths are answered BadMode
    bool registerClassSucceeds = true;
    bool createWindowSucceeds = true;
    SystemError lastError{0, "The operation completed successfully."};
    std::deque<Message> messages;  // the thread's message queue
    // Input that arrives while frames run: after the n-th buffer swap
    // (counted from 1) the messages under n join the queue.
    std::map<int, std::vector<Message>> messagesAfterSwap;
    // While set, MakeWindow sends the creation message through the registered procedure.
    bool sendCreateMessage = true;

    // Recorded calls.
    std::vector<std::string> calls;  // one line per call, in order
    std::vector<ShownMessage> shownMessages;
    std::string consoleText;
    std::string consoleHoldPrompt;  // HoldConsoleOpen's, empty until it is called
    std::vector<DisplayRequest> displayRequests;
    int restoreCount = 0;
    std::vector<CreatedWindow> createdWindows;
    std::vector<std::string> titles;
    std::vector<uint32_t> styleChanges;  // ex style, style pairs in order
    std::vector<int> quitCodes;
    int dispatched = 0;                 // messages dispatched so far
    std::vector<int> dispatchedAtSwap;  // `dispatched` at each buffer swap
    WindowProc procedure = nullptr;
    WindowClass windowClass{};
    std::vector<WindowHandle> liveWindows;
    // The handle of the last window made: after a Reset the first is 0x1010.
    uintptr_t lastWindow = 0x1000;
};

State& state();
void Reset();  // back to the defaults above, nothing recorded

}  // namespace platform::stub
