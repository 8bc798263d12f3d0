// How the page host reports the end of its page, as its exit code; shared
// by the host and the tests that read it.
#pragma once

// A quit request reached the message loop; Quit with a code other than 0.
constexpr int kHostQuit = 2;
constexpr int kHostQuitNonZero = 3;
// No page: an unknown page name, or the page could not be created.
constexpr int kHostNoPage = 4;
// StepDone was raised. The low six bits then hold the FileSlots' selected
// flags (slot k in bit k) and the bits from kHostUserShift up the index of
// the selected user.
constexpr int kHostStepDone = 0x40;
constexpr int kHostFileBits = 0x3f;
constexpr int kHostUserShift = 8;
// Added to every report of a page that had its small and its big icon set
// once created (WM_GETICON does not answer across processes under Wine).
constexpr int kHostIconsSet = 0x10000;
