// The PC's clock. Defined for Windows in clock_win.cpp; native tests link a
// fake.
#pragma once

#include <cstdint>

// A moment as the PC shows it: its own time zone and daylight saving.
struct LocalTime {
    uint16_t year;
    uint16_t month;  // 1 to 12
    uint16_t day;    // 1 to 31
    uint16_t hour;   // 0 to 23
    uint16_t minute;
    uint16_t second;
};

LocalTime ReadLocalTime();
