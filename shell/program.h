#pragma once
// The program's spine: start-up, the main loop, one frame, and the way out.

// Runs the whole program with the command-line text after the program name;
// returns the exit code.
int RunProgram(const char* commandLineText);

// Ends the program in an orderly way; may run more than once.
void Quit();

// Runs one frame.
void Tick();

// The frame without its drawing: tunnel upkeep, frame time, flight step,
// wrap-around and collision.
void StepFrame();
