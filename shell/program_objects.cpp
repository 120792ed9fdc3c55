// Program-wide objects, constructed before the entry point in this order and
// destroyed after it returns in the reverse order. Objects of later rooms
// (tunnel mesh and builder after the counter constant, input devices after
// the console) take their places in this list.
#include "shell/program_objects.h"

float secondsPerCount = SecondsPerCount(platform::CounterFrequency());
Orbalt2 tunnelMesh;
TunnelBuilder tunnelBuilder;
GLwindow glWindow;
FrameTimer frameTimer(platform::CounterValue());
Console console;
Camera camera;

// Initialised data: the speed limit and the divisor that turns it into a step.
float maxSpeed = 0.2f;
extern const float kStepsPerSpeed = 30.0f;
float maxStep = maxSpeed / kStepsPerSpeed;
float collisionClearance = maxStep;

Settings settings;
TunnelParams tunnelParams;
std::FILE* logFile = nullptr;
std::string programDirectory;
std::string sectionPath;
platform::MenuHandle popupMenu = nullptr;
bool joystickPresent = false;
float frameTime = 0.0f;
uint32_t textureName = 0;
bool showInfo = false;
bool showAxes = false;
