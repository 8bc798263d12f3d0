// Creating, showing and destroying pages: each template with its procedure.
#include "base/install_state.h"
#include "ui/page_procedures.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

namespace {

struct PageKind {
    int dialogId;
    DLGPROC procedure;
};

constexpr PageKind kPageKinds[] = {
    {kSplashPage, SplashPageProc},
    {kLicensePage, LicensePageProc},
    {kFilesPage, FilesPageProc},
    {kUserPage, UserPageProc},
    {kProgressPage, ProgressPageProc},
    {kCompletionPage, CompletionPageProc},
    {kReadmePage, ReadmePageProc},
};

} // namespace

PageHandle CreatePage(int dialogId)
{
    for (const PageKind& kind : kPageKinds) {
        if (kind.dialogId == dialogId)
            return CreateDialogParamA(static_cast<HINSTANCE>(gState.instance),
                                      MAKEINTRESOURCEA(dialogId), nullptr, kind.procedure, 0);
    }
    return nullptr;
}

void ShowPage(PageHandle page, int showCommand)
{
    ShowWindow(static_cast<HWND>(page), showCommand);
}

void DestroyPage(PageHandle page)
{
    DestroyWindow(static_cast<HWND>(page));
}
