// Program-wide objects, constructed before the entry point in this order and
// destroyed after it returns in the reverse order.
#include "shell/program_objects.h"

#include "shell/program.h"
#include "tunnel/standard_tunnel.h"

float secondsPerCount = SecondsPerCount(platform::CounterFrequency());
Orbalt2 tunnelMesh;
// Generation keeps to a share of each frame, in flight and for a new ring.
TunnelBuilder tunnelBuilder(kFrameGenerationBudget, kFrameBuildBudget);
GLwindow glWindow;
FrameTimer frameTimer(platform::CounterValue());
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
TunnelMessages tunnelMessages{nullptr, kProgramName};
platform::MenuHandle popupMenu = nullptr;
bool joystickPresent = false;
float frameTime = 0.0f;
uint32_t textureName = 0;
bool showInfo = false;
bool showAxes = false;
