#pragma once
// The program's own entry. The platform's entry point (WinMain on Windows)
// prepares the process and calls it with the command-line text after the
// program name, in UTF-8; its result is the exit code. Each program defines
// it once, in its composition root at the top of the house, so the platform
// reaches the program through this one declaration and includes nothing
// above it.
int ProgramMain(const char* commandLineText);
