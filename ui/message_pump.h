// The message pump that keeps pages painting and answering while the one
// GUI thread is busy.
#pragma once

#include <cstdint>

// Handles every waiting message, then again until limitMs have passed;
// a limit of 0 means one pass. Never sleeps between passes.
void PumpMessages(uint32_t limitMs);
