#pragma once
// The two information boxes: About, shown once at start-up, and the help box
// of the keyboard commands.
constexpr const char* kAboutCaption = "Orbalt, the demo";
constexpr const char* kHelpCaption = "Orbalt, user interface";
extern const char* const kAboutText;
extern const char* const kHelpText;

// Both are modal and owned by the window once it exists.
void ShowAbout();
void ShowHelp();
