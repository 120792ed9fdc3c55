// Program-wide objects, constructed before the entry point in this order and
// destroyed after it returns in the reverse order.
#include "shell/program_objects.h"

#include "shell/program.h"

float secondsPerCount = SecondsPerCount(platform::CounterFrequency());
Orbalt2 tunnelMesh;
TunnelBuilder tunnelBuilder;
GLwindow glWindow;
FrameTimer frameTimer(platform::CounterValue());
Console console;
Keyboard keyboard;
Mouse mouse;
Joystick joystick;
Camera camera;

// Initialised data: the speed limit and the divisor that turns it into a step.
float maxSpeed = 0.2f;
extern const float kStepsPerSpeed = 30.0f;
float maxStep = maxSpeed / kStepsPerSpeed;
float collisionClearance = maxStep;

// Flight state: at rest, and idle until the mouse or the joystick is used.
float speed = 0.0f;
bool mouseIdle = true;
bool joystickIdle = true;
bool autopilot = true;
uint32_t joystickActiveTime = 0;
MouseHistory mouseHistory;
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
