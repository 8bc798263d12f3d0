// Start-up: the program's own payload, the splash page with discovery, the
// options, the install script and its plan, and the hand-over to the wizard.
#include "installer/start_up.h"

#include "base/bounded_text.h"
#include "installer/command_line.h"
#include "installer/damaged_installer.h"
#include "installer/install_log.h"
#include "installer/unattended.h"
#include "palm/user_discovery.h"
#include "platform/files.h"
#include "platform/process.h"
#include "ui/pages.h"
#include "ui/resource_ids.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr uint32_t kSplashDoneWaitMs = 2000;
constexpr uint32_t kFoundUserPauseMs = 200;

void ReportUserFound(const PalmUser& user)
{
    char status[sizeof "Found user ''" + kDisplayNameChars];
    FormatText(status, sizeof status, "Found user '%s'", user.displayName);
    SetStatusLine(status);
    PauseMilliseconds(kFoundUserPauseMs);
}

// Discovers the users (none asked for with users nullptr: " -d").
void FindPalmUsers(bool quiet, PalmUsers* users, InstallLog* log)
{
    if (!users)
        return;
    if (DiscoverPalmUsers(users, quiet ? nullptr : ReportUserFound) != 0)
        Tell(log, "Cannot locate a path to the Palm folder", "Registry Error");
    else
        LogPalmUsers(log, *users);
}

// Reads the open file whole into script: at most its length, fewer bytes
// in text mode, and a read that fails ends the script there, as the end of
// the file does. Returns false when memory cannot hold it.
bool ReadWhole(FILE* file, ScriptBytes* script)
{
    int64_t length = MeasureOpenFile(file);
    if (length > INT32_MAX - 1)
        return false;
    size_t count = length > 0 ? static_cast<size_t>(length) : 0;
    script->bytes = static_cast<char*>(malloc(count + 1));
    if (!script->bytes)
        return false;
    if (fseek(file, 0, SEEK_SET) == 0)
        script->size = static_cast<int32_t>(fread(script->bytes, 1, count, file));
    return true;
}

} // namespace

int StartUp(InstanceHandle instance, bool quiet, int showCommand, PalmUsers* users, InstallLog* log)
{
    gState.instance = instance;
    if (quiet) {
        FindPalmUsers(quiet, users, log);
        return 0;
    }
    PageHandle splash = CreatePage(kSplashPage);
    if (!splash)
        return -2;
    gState.currentPage = splash;
    ShowPage(splash, showCommand);
    FindPalmUsers(quiet, users, log);
    SetStatusLine("Done");
    PauseMilliseconds(kSplashDoneWaitMs);
    return 0;
}

ScriptSource LoadInstallScript(const char* scriptName, const Payload* payload, ScriptBytes* script)
{
    script->bytes = nullptr;
    script->size = 0;
    if (scriptName[0] == '\0')
        return ScriptSource::kNone;
    if (const PayloadRecord* record = payload ? FindPayloadRecord(*payload, scriptName) : nullptr) {
        script->bytes = static_cast<char*>(malloc(static_cast<size_t>(record->originalSize)));
        if (!script->bytes)
            return ScriptSource::kUnreadable;
        // A read that falls short ends the script there.
        script->size = static_cast<int32_t>(
            ReadPayloadBytes(*payload, *record, 0, script->bytes, static_cast<size_t>(record->originalSize)));
        return ScriptSource::kFound;
    }
    FILE* file = fopen(scriptName, "rt");
    if (!file)
        return ScriptSource::kNone;
    bool read = ReadWhole(file, script);
    fclose(file);
    return read ? ScriptSource::kFound : ScriptSource::kUnreadable;
}

namespace {


// Opens the running program's own payload, before anything shows: a damaged
// download must install nothing. Returns false, after telling the person,
// when it arrived damaged or cannot be read. A file that cannot be opened
// cannot be checked: the payload then stays closed.
bool OpenOwnPayload(Payload* payload, InstallLog* log)
{
    FILE* own = OpenOwnProgram();
    if (!own || (ReadPayload(own, payload).fault == PayloadFault::kNone && !payload->damaged))
        return true;
    Tell(log, kDamagedInstallerText, kDamagedInstallerCaption);
    return false;
}

// The run from start-up on, with the program's own payload (nullptr: none).
int RunFromStartUp(InstanceHandle instance, const char* commandLine, int showCommand, const Payload* payload,
                   const DeploymentOptions& deployment, InstallLog* log)
{
    // Unattended, nothing shows: no splash page either.
    bool quiet = HasQuietOption(commandLine) || deployment.unattended;
    // Installing into a folder needs no Palm Desktop: nobody is looked for.
    const char* folder = deployment.toFolder ? deployment.folder : nullptr;
    PalmUsers users = {};
    if (StartUp(instance, quiet, showCommand, folder ? nullptr : &users, log) != 0)
        return kExitError;

    StartUpValues values;
    HandleOptions(commandLine, log, &values);
    ScriptBytes script = {nullptr, 0};
    const char* problem = nullptr;
    const char* caption = "Install Error";
    if (!values.abortRun && !folder && users.count == 0) {
        problem = "No valid Palm users found on this PC";
    } else if (!values.abortRun) {
        ScriptSource source = LoadInstallScript(values.scriptName, payload, &script);
        // A script that memory cannot hold is none: nothing unseen may install.
        if (source == ScriptSource::kUnreadable || (source == ScriptSource::kNone && values.fileCount == 0))
            problem = "No valid configuration file or install files found";
        // Records without the checksum record that ends every built
        // installer, and no script: a download cut short before its end.
        if (problem && payload && payload->chain == ChainState::kWhole
            && payload->checksum == ChecksumState::kAbsent) {
            problem = kDamagedInstallerText;
            caption = kDamagedInstallerCaption;
        }
    }
    if (problem) {
        Tell(log, problem, caption);
        values.abortRun = true;
        values.exitCode = kExitError;
    }

    if (gState.currentPage) {
        DestroyPage(gState.currentPage);
        gState.currentPage = nullptr;
    }
    int exitCode = values.exitCode;
    if (!values.abortRun) {
        InstallPlan plan;
        // Named users, or a folder, leave nobody to ask for.
        MakeInstallPlan(script.bytes, script.size, {values.files, values.fileCount}, values.targetCount > 0 || folder,
                        &plan);
        const WizardRun run = {&users, payload, values.targets, values.targetCount, quiet, showCommand, log, folder};
        exitCode = deployment.unattended ? RunUnattended(plan, run) : RunWizard(plan, run);
        ReleaseInstallPlan(&plan);
    }
    free(script.bytes);
    return exitCode;
}

} // namespace

int RunInstaller(InstanceHandle instance, const char* commandLine, int showCommand)
{
    const DeploymentOptions deployment = ReadDeploymentOptions(commandLine);
    InstallLog log = MakeInstallLog(deployment);
    LogRunStart(&log, commandLine);
    // The packaging modes change installers rather than install from this
    // one, and may change this very file: it stays closed for them.
    Payload payload = {};
    int exitCode = kExitError;
    if (AsksForPackaging(commandLine) || OpenOwnPayload(&payload, &log))
        exitCode = RunFromStartUp(instance, commandLine, showCommand, payload.file ? &payload : nullptr, deployment,
                                  &log);
    ClosePayload(&payload);
    LogExit(&log, exitCode);
    return exitCode;
}
