// Start-up: the splash page with discovery, the options, the install script,
// and the hand-over to the wizard.
#include "driver/start_up.h"

#include "driver/command_line.h"
#include "driver/install_state.h"
#include "driver/platform.h"
#include "driver/wizard.h"
#include "palm/user_discovery.h"
#include "payload/payload_archive.h"
#include "ui/resource_ids.h"

constexpr uint32_t kSplashDoneWaitMs = 2000;

int StartUp(InstanceHandle instance, int showCommand)
{
    gState.instance = instance;
    if (gState.quiet) {
        DiscoverPalmUsers();
        return 0;
    }
    PageHandle splash = CreatePage(kSplashPage);
    if (!splash)
        return -2;
    gState.currentPage = splash;
    ShowPage(splash, showCommand);
    gState.stepDone = 0;
    DiscoverPalmUsers();
    SetStatusLine("Done");
    PauseMilliseconds(kSplashDoneWaitMs);
    return 0;
}

void OpenInstallScript(const char* scriptName, ScriptStream* script)
{
    script->file = nullptr;
    script->endBound = 0;

    char ownPath[kFilePathChars + 1];
    if (GetOwnProgramPath(ownPath, sizeof ownPath) == 0) {
        int32_t size = 0;
        FILE* record = FindPayloadRecord(ownPath, scriptName, &size);
        if (record) {
            script->file = record;
            script->endBound = static_cast<int32_t>(ftell(record)) + size;
            return;
        }
    }
    // A script on disk is read in text mode: CR LF arrives as LF, and a
    // Ctrl-Z byte ends it.
    script->file = fopen(scriptName, "rt");
}

void RunInstaller(InstanceHandle instance, const char* commandLine, int showCommand)
{
    ReadQuietOption(commandLine);
    if (StartUp(instance, showCommand) != 0)
        return;

    StartUpValues values;
    HandleOptions(commandLine, &values);

    if (!values.abortRun && gState.userCount == 0) {
        ShowMessageBox("No valid Palm users found on this PC", "Install Error");
        values.abortRun = true;
    }

    ScriptStream script = {nullptr, 0};
    if (!values.abortRun)
        OpenInstallScript(values.scriptName, &script);

    if (!values.abortRun && !script.file && gState.fileCount == 0) {
        ShowMessageBox("No valid configuration file or install files found", "Install Error");
        values.abortRun = true;
    }

    if (gState.currentPage) {
        DestroyPage(gState.currentPage);
        gState.currentPage = nullptr;
    }

    RunWizard(values.abortRun, script, showCommand);
}
