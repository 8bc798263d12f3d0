// Fills each page of the page host as the driver fills it in a real run.
#include "page_host/sample_content.h"

#include "driver/bounded_text.h"
#include "driver/install_state.h"
#include "driver/platform.h"
#include "ui/resource_ids.h"

#include <string>

#include <windows.h>
#include <commctrl.h>

namespace {

const char* const kLicenseLines[] = {
    "SAMPLE SOFTWARE LICENSE AGREEMENT",
    "",
    "1. You may install this software on the handhelds you own.",
    "2. You may not sell copies of it.",
    "3. The software comes without any warranty.",
};

const char* const kReadmeLines[] = {
    "Notes 2.0 for handhelds",
    "",
    "After the next HotSync, start Notes from the Applications screen.",
};

void AppendLines(int id, const char* const* lines, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        AppendToTextBox(id, lines[i]);
        AppendToTextBox(id, "\r\n");
    }
}

// Enough numbered lines to pass the 32,767 characters of the default limit.
void AppendLongTail(int id)
{
    for (int line = 1; line <= 800; ++line) {
        std::string text = "Clause " + std::to_string(line) + ": this line only makes the text long.\r\n";
        AppendToTextBox(id, text.c_str());
    }
    AppendToTextBox(id, "END OF TEXT");
}

// Slot 0 a chosen check box, slot 1 an unchosen one, slot 2 a label for a
// file that is always installed: as the FILES section would leave them.
void FillFiles()
{
    gState.fileCount = 3;
    for (int slot = 0; slot < gState.fileCount; ++slot)
        CopyText(gState.files[slot].path, kSampleFiles[slot]);
    gState.files[2].selected = true;
    SetControlText(kFilesCheckBox1, kSampleFiles[0]);
    SetCheckBox(kFilesCheckBox1, true);
    ShowControl(kFilesCheckBox1);
    SetControlText(kFilesCheckBox2, kSampleFiles[1]);
    ShowControl(kFilesCheckBox2);
    SetControlText(kFilesLabel3, kSampleFiles[2]);
    ShowControl(kFilesLabel3);
    AppendToTextBox(kFilesDescription, "Notes and its expense book.\r\n");
    AppendToTextBox(kFilesDescription, "The runtime is always installed.");
}

void FillProgress()
{
    HWND bar = GetDlgItem(static_cast<HWND>(gState.currentPage), kProgressBar);
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 3));
    SendMessageA(bar, PBM_SETSTEP, 1, 0);
    SendMessageA(bar, PBM_STEPIT, 0, 0);
    SendMessageA(bar, PBM_STEPIT, 0, 0);
    SetControlText(kProgressText,
                   "Copying 'Expenses.pdb' to user 'Zoe Walker'\n\n(c:\\pilot\\WalkerZ\\Install\\Expenses.pdb)...");
}

} // namespace

void PrepareSampleState(int dialogId)
{
    if (dialogId == kUserPage) {
        for (const char* name : kSampleUsers)
            CopyText(gState.users[gState.userCount++].displayName, name);
    }
}

void FillSampleContent(int dialogId, bool longTexts)
{
    switch (dialogId) {
    case kSplashPage:
        SetStatusLine("Found user 'Zoe Walker'");
        break;
    case kLicensePage:
        AppendLines(kLicenseText, kLicenseLines, std::size(kLicenseLines));
        if (longTexts)
            AppendLongTail(kLicenseText);
        break;
    case kFilesPage:
        FillFiles();
        break;
    case kProgressPage:
        FillProgress();
        break;
    case kCompletionPage:
        ShowControl(kCompletionViewReadme);
        break;
    case kReadmePage:
        AppendLines(kReadmeText, kReadmeLines, std::size(kReadmeLines));
        if (longTexts)
            AppendLongTail(kReadmeText);
        break;
    default:
        break;
    }
}
