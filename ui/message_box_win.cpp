// The one way the system tells the user about an error.
#include "ui/pages.h"

#include <windows.h>

void ShowMessageBox(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}
