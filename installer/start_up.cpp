// Start-up: the splash page with discovery, the options, the install script,
// and the hand-over to the wizard.
#include "installer/start_up.h"

#include "base/bounded_text.h"
#include "base/install_state.h"
#include "installer/command_line.h"
#include "installer/wizard.h"
#include "palm/user_discovery.h"
#include "payload/installer_checksum.h"
#include "payload/payload_archive.h"
#include "platform/process.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

namespace {

constexpr uint32_t kSplashDoneWaitMs = 2000;
constexpr uint32_t kFoundUserPauseMs = 200;

void ReportUserFound(const PalmUser& user)
{
    if (gState.quiet)
        return;
    char status[sizeof "Found user ''" + kDisplayNameChars];
    FormatText(status, sizeof status, "Found user '%s'", user.displayName);
    SetStatusLine(status);
    PauseMilliseconds(kFoundUserPauseMs);
}

void FindPalmUsers()
{
    if (DiscoverPalmUsers(ReportUserFound) != 0)
        ShowMessageBox("Cannot locate a path to the Palm folder", "Registry Error");
}

// True when the running program's own file arrived damaged. A path that
// cannot be had cannot be checked.
bool OwnProgramIsDamaged()
{
    char ownPath[kFilePathChars + 1];
    return GetOwnProgramPath(ownPath, sizeof ownPath) == 0 && CheckInstallerIntegrity(ownPath).damaged;
}

} // namespace

int StartUp(InstanceHandle instance, int showCommand)
{
    gState.instance = instance;
    if (gState.quiet) {
        FindPalmUsers();
        return 0;
    }
    PageHandle splash = CreatePage(kSplashPage);
    if (!splash)
        return -2;
    gState.currentPage = splash;
    ShowPage(splash, showCommand);
    gState.stepDone = 0;
    FindPalmUsers();
    SetStatusLine("Done");
    PauseMilliseconds(kSplashDoneWaitMs);
    return 0;
}

void OpenInstallScript(const char* scriptName, ScriptStream* script)
{
    script->file = nullptr;
    script->endBound = 0;
    if (scriptName[0] == '\0')
        return;

    char ownPath[kFilePathChars + 1];
    if (GetOwnProgramPath(ownPath, sizeof ownPath) == 0) {
        int32_t size = 0;
        FILE* record = FindPayloadRecord(ownPath, scriptName, &size);
        if (record) {
            script->file = record;
            script->endBound = static_cast<int32_t>(ftell(record)) + size;
            SkipByteOrderMark(*script);
            return;
        }
    }
    // A script on disk is read in text mode: CR LF arrives as LF, and a
    // Ctrl-Z byte ends it.
    script->file = fopen(scriptName, "rt");
    SkipByteOrderMark(*script);
}

int RunInstaller(InstanceHandle instance, const char* commandLine, int showCommand)
{
    ReadQuietOption(commandLine);
    // Before anything shows: a damaged download must install nothing. The
    // packaging modes change installers rather than install from this one.
    if (!AsksForPackaging(commandLine) && OwnProgramIsDamaged()) {
        ShowMessageBox("This installer is damaged or incomplete. Please download it again.", "Installer Damaged");
        return kExitError;
    }
    if (StartUp(instance, showCommand) != 0)
        return kExitError;

    StartUpValues values;
    HandleOptions(commandLine, &values);

    if (!values.abortRun && gState.userCount == 0) {
        ShowMessageBox("No valid Palm users found on this PC", "Install Error");
        values.abortRun = true;
        values.exitCode = kExitError;
    }

    ScriptStream script = {nullptr, 0};
    if (!values.abortRun)
        OpenInstallScript(values.scriptName, &script);

    if (!values.abortRun && !script.file && gState.fileCount == 0) {
        ShowMessageBox("No valid configuration file or install files found", "Install Error");
        values.abortRun = true;
        values.exitCode = kExitError;
    }

    if (gState.currentPage) {
        DestroyPage(gState.currentPage);
        gState.currentPage = nullptr;
    }

    int wizardEnd = RunWizard(values.abortRun, script, showCommand);
    return values.abortRun ? values.exitCode : wizardEnd;
}
