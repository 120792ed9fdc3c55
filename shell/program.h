#pragma once
// The program's spine: start-up, the main loop, one frame, and the way out.

// The program's name: its window title and the caption of its message boxes.
constexpr const char* kProgramName = "orbalt";

// Runs the whole program with the command-line text after the program name;
// returns the exit code.
int RunProgram(const char* commandLineText);

// Ends the program in an orderly way; may run more than once.
void Quit();

// Builds the whole tunnel anew from the settings, the tunnel parameters and
// the section path, around the camera. 1 on success; 0 after its message
// boxes, with the tunnel there was kept.
int BuildTunnelFromSettings();
