// The log that " -l FILE" asks for: plain-text lines appended to FILE, one
// per event, each behind the local date and time, for the people who run
// installers on many PCs; and the one place where the installer tells of an
// error, in a box and in the log.
#pragma once

#include "palm/palm_user.h"

#include <cstdint>

struct InstallLog {
    bool asked;                    // " -l" was given
    bool unattended;               // " -y": no box, for errors or for the log
    bool failed;                   // a line could not be written
    char path[kFilePathChars + 1]; // empty: it cannot be written
};

struct DeploymentOptions;

InstallLog MakeInstallLog(const DeploymentOptions& options);

// Each function below appends one line to the log: "YYYY-MM-DD hh:mm:ss ",
// the event, CR LF; each run of line breaks in a text becomes one blank, so a
// message of several lines stays one line. Nothing is written when no log was
// asked for. The first line that cannot be written (the file cannot be
// opened, written or closed) is reported in a box ("Log Error"), unless the
// run is unattended; after it nothing more is written, and the run goes on.

// Tells of an error: the line "error: <caption>: <text>" in the log, and the
// box of that caption and text unless the run is unattended.
void Tell(InstallLog* log, const char* text, const char* caption);

// The other lines of the log, one function per kind of event.
void LogRunStart(InstallLog* log, const char* commandLine);
void LogPalmUsers(InstallLog* log, const PalmUsers& users);
// bytes < 0: the size could not be had.
void LogDatabaseInstalled(InstallLog* log, const char* source, const char* destination, int64_t bytes);
void LogHotSyncFlagSet(InstallLog* log, const PalmUser& user);
void LogExit(InstallLog* log, int exitCode);
