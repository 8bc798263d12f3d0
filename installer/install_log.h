// The log that " -l FILE" asks for: plain-text lines appended to FILE, one
// per event, each behind the local date and time, for the people who run
// installers on many PCs.
#pragma once

#include "base/install_state.h"
#include "installer/command_line.h"

#include <cstdint>
#include <initializer_list>

struct InstallLog {
    bool asked;                    // " -l" was given
    bool unattended;               // " -y": a failure is not reported in a box
    bool failed;                   // a line could not be written
    char path[kFilePathChars + 1]; // empty: it cannot be written
};

InstallLog MakeInstallLog(const DeploymentOptions& options);

// Appends one line to the log: "YYYY-MM-DD hh:mm:ss ", the parts in order,
// CR LF. Each run of line breaks inside the parts becomes one blank, so a
// message of several lines stays one line. Does nothing when no log was
// asked for. The first line that cannot be written (the file cannot be
// opened, written or closed) is reported in a box ("Log Error"), unless the
// run is unattended; after it nothing more is written, and the run goes on.
void WriteLogLine(InstallLog* log, std::initializer_list<const char*> parts);

// The lines of the log, one function per kind of event.
void LogRunStart(InstallLog* log, const char* commandLine);
void LogPalmFolder(InstallLog* log, const char* palmFolder);
void LogUserFound(InstallLog* log, const char* displayName, const char* installFolder);
void LogDatabaseInstalled(InstallLog* log, const char* source, const char* destination, uint64_t bytes);
void LogHotSyncFlagSet(InstallLog* log, const char* displayName, int userNumber);
// An error as its box says it: the caption, then the text.
void LogError(InstallLog* log, const char* caption, const char* text);
void LogExit(InstallLog* log, int exitCode);
