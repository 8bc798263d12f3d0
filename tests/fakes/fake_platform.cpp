// Recording fakes of the process, message and file operations.
#include "fakes/fake_platform.h"

#include "fakes/fake_folders.h"
#include "fakes/fake_page_controls.h"
#include "fakes/fake_page_loop.h"
#include "fakes/fake_registry.h"

#include "driver/bounded_text.h"
#include "driver/install_state.h"
#include "driver/platform.h"

#include <cstdio>
#include <unistd.h>

FakePlatform gFake;

void ResetFakePlatform()
{
    gFake = FakePlatform();
    ResetFakeRegistry();
    ResetFakeFolders();
    ResetFakePageControls();
    ResetFakePageLoop();
    ResetInstallState();
}

const char* GetProgramCommandLine()
{
    return gFake.commandLine.c_str();
}

int GetOwnProgramPath(char* path, size_t capacity)
{
    if (gFake.ownProgramPathFails)
        return -1;
    return CopyText(path, capacity, gFake.ownProgramPath.c_str());
}

void PauseMilliseconds(uint32_t milliseconds)
{
    gFake.pauses.push_back(milliseconds);
}

void ShowMessageBox(const char* text, const char* caption)
{
    gFake.messageBoxes.push_back({text, caption});
}

void SetStatusLine(const char* text)
{
    gFake.statusLines.push_back(text);
}

int CopyFileReplacing(const char* source, const char* destination)
{
    gFake.copies.push_back(std::string(source) + " -> " + destination);
    FILE* in = fopen(source, "rb");
    if (!in)
        return -1;
    FILE* out = fopen(destination, "wb");
    if (!out) {
        fclose(in);
        return -1;
    }
    char buffer[4096];
    size_t n;
    bool ok = true;
    while ((n = fread(buffer, 1, sizeof buffer, in)) > 0)
        ok = ok && fwrite(buffer, 1, n, out) == n;
    fclose(in);
    return (fclose(out) == 0 && ok) ? 0 : -1;
}

int TruncateFileAt(const char* path, int32_t length)
{
    gFake.truncations.push_back(std::string(path) + " @ " + std::to_string(length));
    return truncate(path, length) == 0 ? 0 : -1;
}
