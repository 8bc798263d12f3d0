// The bench's helper inside Wine: times one quiet installation of one
// database, from the moment the progress page names it to the completion
// page (the copy stage), and from the installer's start to that page (the
// whole run, its integrity check included), each less the installer's pause
// after each file.
//   vantrel_install_timer <installer.exe> <record name> <folder>
// Makes a Palm Desktop of one user in folder, installs, checks that both
// copies have the database's length, and prints the two times in
// milliseconds. Exit code
// 0, or 1 with the reason on stderr.
#include "program_driver.h"
#include "simulated_palm_desktop.h"

#include "ui/resource_ids.h"

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kLimitMs = 30 * 60 * 1000;
constexpr DWORD kPauseAfterFileMs = 1000;

int Fail(const char* why)
{
    std::fprintf(stderr, "install_timer: %s\n", why);
    return 1;
}

// The length of the file at path, or -1.
long long FileLength(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: vantrel_install_timer <installer.exe> <record name> <folder>\n");
        return 2;
    }
    std::string installer = argv[1], name = argv[2], folder = argv[3], palm = folder + "\\Palm";
    if (!BuildSimulatedPalmDesktop(palm, {{"Bench User", "Bench1", 1}}))
        return Fail("cannot make the Palm Desktop");
    Program run;
    DWORD launched = GetTickCount();
    if (!run.Start(installer, "-s none.ini -u \"Bench User\" -f " + name, folder))
        return Fail("cannot start the installer");
    HWND progress = run.WaitForWindow("Copying Files...", kLimitMs);
    if (!progress)
        return Fail("no progress page");
    HWND status = GetDlgItem(progress, kProgressText);
    if (WindowText(status).find("Copying '") != 0 && WaitForTextChange(status, "Copying...", kLimitMs).empty())
        return Fail("the progress page named no file");
    DWORD start = GetTickCount();
    HWND done = run.WaitForWindow("Installation Complete", kLimitMs);
    DWORD finished = GetTickCount();
    if (!done)
        return Fail("no completion page");
    std::string installed = palm + "\\Bench1\\Install\\", backup = palm + "\\Bench1\\backup\\";
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((installed + "*.p*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return Fail("nothing was installed");
    FindClose(listing);
    long long length = FileLength(installed + found.cFileName);
    if (length <= 0 || FileLength(backup + found.cFileName) != length)
        return Fail("the two copies differ in length");
    ClickButton(GetDlgItem(done, kCompletionClose));
    DWORD exitCode = 0;
    run.WaitForExit(60000, &exitCode);
    auto lessPause = [](DWORD elapsed) {
        return static_cast<unsigned long>(elapsed > kPauseAfterFileMs ? elapsed - kPauseAfterFileMs : 0);
    };
    std::printf("%lu %lu\n", lessPause(finished - start), lessPause(finished - launched));
    return 0;
}
