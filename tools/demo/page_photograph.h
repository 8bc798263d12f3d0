// Having a page photographed by the script on the Linux side, which alone
// can reach the X server: for page P the helper writes P.ready, holding the
// page's place on the screen as "WIDTHxHEIGHT+LEFT+TOP", into the shots
// folder and waits for the script to answer with P.done (see
// tools/wine-session.sh).
#pragma once

#include <string>

#include <windows.h>

// Asks for a photograph of page as name.png and waits for it. Returns
// false, with the reason on stderr, when the page went away first or no
// photograph came.
bool Photograph(const std::string& shotsFolder, HWND page, const std::string& name);

// Reports why on stderr; returns false.
bool Fail(const std::string& why);
