#pragma once
// The program-wide objects and state. They are defined in one file, in the
// order they must be constructed (and, reversed, destroyed), beside the one
// function that puts them all back to their starting state.
#include <cstdint>
#include <cstdio>
#include <string>

#include "display/context_resources.h"
#include "display/glwindow.h"
#include "flight/camera.h"
#include "flight/collision.h"
#include "flight/flight_model.h"
#include "flight/frame_timer.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "shell/joystick.h"
#include "shell/keyboard.h"
#include "shell/mouse.h"
#include "shell/settings.h"
#include "tunnel/orbalt2.h"
#include "tunnel/tunnel_builder.h"
#include "tunnel/tunnel_messages.h"

extern float secondsPerCount;
extern Orbalt2 tunnelMesh;
extern TunnelBuilder tunnelBuilder;
extern GLwindow glWindow;
extern ContextResources contextResources;  // of glWindow's rendering context
extern FrameTimer frameTimer;
extern Console console;
extern Keyboard keyboard;
extern Mouse mouse;
extern Joystick joystick;
extern Camera camera;
extern FlightState flight;             // speed, speed limit, step, idle flags, autopilot
extern float collisionClearance;       // distance kept from the wall by the next tunnel build
extern CollisionState collisionState;  // nearest wall triangle of this frame

extern Settings settings;
extern TunnelParams tunnelParams;
extern std::FILE* logFile;            // null when the log could not be opened
extern std::string programDirectory;  // with its trailing backslash, or empty
extern std::string sectionPath;
extern TunnelMessages tunnelMessages;  // the owner is the main window
extern platform::MenuHandle popupMenu;
extern bool joystickPresent;
extern float frameTime;       // seconds between the last two frames
extern uint32_t textureName;  // the start-up texture, 0 when it could not be loaded
extern bool showInfo;
extern bool showAxes;
extern bool firstTunnelFrameDrawn;  // the start-up trail's last step done

// Puts every object above, and GLwindow's error status, back to the state
// they start the program in, as tests need between cases. The old objects
// are destroyed as at the program's end (the window closed, the display mode
// restored, the mesh's lists deleted), so a test calls this while the GL
// context it drew with is still current, and resets the platform stand-in
// afterwards. A log file left open is not closed: whoever opened it does.
void ResetProgramObjects();
