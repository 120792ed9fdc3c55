// The saver's program-wide objects, constructed before the entry point in
// this order and destroyed after it returns in the reverse order.
#include "saver/saver_objects.h"

namespace {
float StartingSecondsPerCount() { return SecondsPerCount(platform::CounterFrequency()); }
FrameTimer StartingTimer() { return FrameTimer(platform::CounterValue()); }
}  // namespace

float saverSecondsPerCount = StartingSecondsPerCount();
Console saverConsole(ConsoleWindow::Never);
std::FILE* saverLog = nullptr;
std::string saverFolder;
std::string programFolder;
SaverSettings saverSettings;
std::vector<std::unique_ptr<SaverView>> views;
SaverView* viewBeingMade = nullptr;
ExitWatch exitWatch;
bool endOnInput = false;
platform::WindowHandle previewParent = nullptr;
FrameTimer saverTimer = StartingTimer();

void ResetSaverObjects() {
    saverSecondsPerCount = StartingSecondsPerCount();
    saverLog = nullptr;
    saverFolder.clear();
    programFolder.clear();
    saverSettings = SaverSettings{};
    views.clear();
    viewBeingMade = nullptr;
    exitWatch = ExitWatch{};
    endOnInput = false;
    previewParent = nullptr;
    saverTimer = StartingTimer();
}
