#pragma once
// The About box, shown once at start-up.
constexpr const char* kAboutCaption = "Orbalt, the demo";
extern const char* const kAboutText;

// Modal; owned by the window once it exists.
void ShowAbout();
