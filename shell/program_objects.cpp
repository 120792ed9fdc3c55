// Program-wide objects, constructed before the entry point in this order and
// destroyed after it returns in the reverse order. ResetProgramObjects makes
// each anew from the same starting values, in the same order.
#include "shell/program_objects.h"

#include <new>
#include <utility>

#include "shell/program.h"
#include "tunnel/standard_tunnel.h"

namespace {
float StartingSecondsPerCount() { return SecondsPerCount(platform::CounterFrequency()); }
FrameTimer StartingFrameTimer() { return FrameTimer(platform::CounterValue()); }
// The owner is set once the main window exists.
TunnelMessages StartingTunnelMessages() { return TunnelMessages{nullptr, kProgramName}; }
}  // namespace

float secondsPerCount = StartingSecondsPerCount();
Orbalt2 tunnelMesh;
// Generation keeps to a share of each frame, in flight and for a new ring.
TunnelBuilder tunnelBuilder(kFrameGenerationBudget, kFrameBuildBudget);
GLwindow glWindow;
ContextResources contextResources;
FrameTimer frameTimer = StartingFrameTimer();
Console console;
Keyboard keyboard;
Mouse mouse;
Joystick joystick;
Camera camera;

// At rest, at the starting speed limit, and idle until the mouse or the
// joystick is used; the clearance starts as one step.
FlightState flight;
float collisionClearance = flight.maxStep;
CollisionState collisionState;

Settings settings;
TunnelParams tunnelParams;
std::FILE* logFile = nullptr;
std::string programDirectory;
std::string sectionPath;
TunnelMessages tunnelMessages = StartingTunnelMessages();
platform::MenuHandle popupMenu = nullptr;
bool joystickPresent = false;
float frameTime = 0.0f;
uint32_t textureName = 0;
bool showInfo = false;
bool showAxes = false;
bool firstTunnelFrameDrawn = false;

namespace {
// Destroys the object and constructs it again in place: the whole record
// starts afresh, fields added to it later included, and objects that cannot
// be copied (the mesh, the builder, the window) are renewed all the same.
template <typename T, typename... Arguments>
void Renew(T& object, Arguments&&... arguments) {
    object.~T();
    new (&object) T(std::forward<Arguments>(arguments)...);
}
}  // namespace

void ResetProgramObjects() {
    secondsPerCount = StartingSecondsPerCount();
    Renew(tunnelMesh);
    Renew(tunnelBuilder, kFrameGenerationBudget, kFrameBuildBudget);
    Renew(glWindow);
    GLwindow::status = ErrorStatus{};
    Renew(contextResources);
    frameTimer = StartingFrameTimer();
    // The console stays: it holds only the process's output handles, and
    // opening them anew would open a second console window.
    Renew(keyboard);
    Renew(mouse);
    Renew(joystick);
    Renew(camera);
    Renew(flight);
    collisionClearance = flight.maxStep;
    Renew(collisionState);
    Renew(settings);
    Renew(tunnelParams);
    logFile = nullptr;
    programDirectory.clear();
    sectionPath.clear();
    tunnelMessages = StartingTunnelMessages();
    popupMenu = nullptr;
    joystickPresent = false;
    frameTime = 0.0f;
    textureName = 0;
    showInfo = false;
    showAxes = false;
    firstTunnelFrameDrawn = false;
}
