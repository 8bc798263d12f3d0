// Win32 side of the clock.
#include "platform/clock.h"

#include <windows.h>

LocalTime ReadLocalTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
