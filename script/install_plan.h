// The install plan: what the install script asks of the installer, read once
// by one function. The wizard shows the plan's pages in order and the copy
// stage installs its files; the packager checks the script by the plan and
// names lines by the positions it records. The rules of which section the
// installer reads where exist here and nowhere else.
//
// The script is read as the installer reads it: a section line where a
// section may begin, tested against the sections still to come (LICENSE,
// FILES, USER, README, by case-blind prefix); a line that matches none,
// a blank one included, ends the interactive part and nothing after it is
// read. Lines end in LF, a CR before it staying part of the line; section
// and entry lines hold at most 1,998 characters, path lines 254 (the rest of
// a longer line is read as the next line); a text block ends at a line that
// is "." and its line end, or with the script.
#pragma once

#include "base/install_state.h"

#include <cstddef>
#include <cstdint>

// The install script's name: its payload record and, by default, its file.
constexpr char kScriptRecordName[] = "Install.ini";

// A line buffer of the reader: 1,998 characters and the NUL.
constexpr size_t kScriptLineBytes = 1999;

// A text as a page shows it: every line of a block with its line end
// replaced by CR LF, in one NUL-terminated text (nullptr when empty).
struct TextBlock {
    char* text;
    size_t length;
};

// The pages of the plan, in the order in which a pass tests for them.
enum class PlanPage {
    kLicense,  // license page with the license text
    kFiles,    // files page with the entries and the description; never shown
               // when no entry is visible (it is still made and filled)
    kUser,     // user page: the person chooses the user
    kCopy,     // the copy stage behind the progress page, then the completion page
    kReadme,   // readme page with the readme text
};

// One pass of the wizard: the page it comes to and what it read where.
// Positions are byte offsets in the script.
struct PlanStep {
    PlanPage page;
    PlanPage firstTest;  // the first section the pass tested its line for
                         // (kCopy: only README was left)
    int32_t at;          // where the pass began to read: its section line, if any
    bool lineRead;       // it read a section line that holds text
    bool viewReadme;     // kCopy: the completion page offers View Readme
    TextBlock text;      // the license, files description or readme text
    int32_t textFrom;    // where that block lies: from here up to endAt
    int32_t endAt;       // where the pass left the script
};

// One file to install: a FILES entry, or a file named with " -f".
struct PlanFile {
    char marker;                      // '+', '-', '*' or '!'; '!' for a " -f" file
    bool alwaysInstalled;             // '*', '!': the files page offers no choice
    char label[kScriptLineBytes];     // the entry line after its marker, line end gone
    char path[kFilePathChars + 1];    // cleaned: trailing CR and LF, then blanks and tabs, gone
    int32_t entryAt;                  // positions of the entry and path lines; -1 for " -f"
    int32_t pathAt;
};

constexpr int kMaxPlanSteps = 5;

struct InstallPlan {
    PlanStep steps[kMaxPlanSteps];
    int stepCount;
    // The FILES section's entries when the plan reaches one, replacing the
    // " -f" files; else those.
    PlanFile files[kFileSlotCount];
    int fileCount;
    bool entryVisible;          // a FILES entry that the files page shows ('+', '-', '*')
    int32_t pathlessEntryAt;    // an entry line that the script's end left without its path line, or -1
    int32_t readEnd;            // where the installer stops reading the script
};

// What the command line gives the plan.
struct CommandLineFiles {
    const char (*paths)[kFilePathChars + 1];
    int count;
};

// Makes the plan of the script's size bytes (script nullptr: there is no
// script), given the " -f" files and whether " -u" named users: then a
// USER line asks nobody, and the copy stage runs in that pass. A UTF-8 byte
// order mark before the first line is skipped. Release the plan with
// ReleaseInstallPlan; a text that memory could not hold is cut where it ran
// out.
void MakeInstallPlan(const char* script, int32_t size, CommandLineFiles commandLine, bool usersGiven,
                     InstallPlan* plan);

void ReleaseInstallPlan(InstallPlan* plan);
