// The page host: shows one page of the installer, created from its template
// as the driver creates it and filled with sample content, serves it with a
// message loop like the driver's and reports how it ended as its exit code
// (page_host_report.h). For the Wine tests and the screenshots only.
//   page_host <page> [bare | long]
// page: splash, license, files, user, progress, completion or readme.
// bare: the page as its template makes it, nothing filled in.
// long: license and readme texts longer than a text box takes by default.
#include "driver/install_state.h"
#include "driver/platform.h"
#include "ui/resource_ids.h"
#include "page_host/page_host_report.h"
#include "page_host/sample_content.h"

#include <cstring>

#include <windows.h>
#include <commctrl.h>

namespace {

struct NamedPage {
    const char* name;
    int dialogId;
};

constexpr NamedPage kNamedPages[] = {
    {"splash", kSplashPage},   {"license", kLicensePage},       {"files", kFilesPage},
    {"user", kUserPage},       {"progress", kProgressPage},     {"completion", kCompletionPage},
    {"readme", kReadmePage},
};

// The words of the command line after the program's own path.
int PageFromCommandLine(const char* commandLine, bool* bare, bool* longTexts)
{
    const char* words = commandLine;
    if (*words == '"') {
        words = strchr(words + 1, '"');
        words = words ? words + 1 : "";
    } else {
        words += strcspn(words, " ");
    }
    words += strspn(words, " ");
    *bare = strstr(words, " bare") != nullptr;
    *longTexts = strstr(words, " long") != nullptr;
    for (const NamedPage& page : kNamedPages) {
        size_t length = strlen(page.name);
        if (strncmp(words, page.name, length) == 0 && (words[length] == '\0' || words[length] == ' '))
            return page.dialogId;
    }
    return 0;
}

int StepDoneReport()
{
    int report = kHostStepDone | (gState.selectedUser << kHostUserShift);
    for (int slot = 0; slot < kFileSlotCount; ++slot) {
        if (gState.files[slot].selected)
            report |= 1 << slot;
    }
    return report;
}

// The driver's wait: keyboard through the page's dialog handling first,
// StepDone looked at after every message.
int ServeUntilDone()
{
    MSG message;
    for (;;) {
        if (GetMessageA(&message, nullptr, 0, 0) <= 0)
            return message.wParam == 0 ? kHostQuit : kHostQuitNonZero;
        if (!IsDialogMessageA(static_cast<HWND>(gState.currentPage), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (gState.stepDone != 0)
            return StepDoneReport();
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    ResetInstallState();
    gState.instance = instance;
    bool bare = false;
    bool longTexts = false;
    int dialogId = PageFromCommandLine(GetCommandLineA(), &bare, &longTexts);
    if (dialogId == 0)
        return kHostNoPage;
    // As the copy stage does before its progress page; harmless for others.
    InitCommonControls();
    if (!bare)
        PrepareSampleState(dialogId);
    gState.currentPage = CreatePage(dialogId);
    if (!gState.currentPage)
        return kHostNoPage;
    if (!bare)
        FillSampleContent(dialogId, longTexts);
    HWND page = static_cast<HWND>(gState.currentPage);
    bool iconsSet = SendMessageA(page, WM_GETICON, ICON_SMALL, 0) != 0 && SendMessageA(page, WM_GETICON, ICON_BIG, 0) != 0;
    ShowPage(gState.currentPage, showCommand);
    gState.stepDone = 0;
    int report = ServeUntilDone() | (iconsSet ? kHostIconsSet : 0);
    DestroyPage(gState.currentPage);
    return report;
}
