// The install script check: the installer's plan of the script, with every
// line it skips or misreads reported where the fix belongs, with the fix.
#include "packager/script_check.h"

#include "base/bounded_text.h"
#include "base/path_name.h"
#include "packager/page_fit.h"
#include "packager/script_text.h"
#include "script/install_plan.h"

#include <cctype>
#include <cstring>

namespace {

struct Check {
    const ScriptText& text;
    const InstallPlan& plan;
    const PackagedFiles* packaged;
    Diagnostics* diagnostics;
    // An error has said why the installer reads no further: a line that
    // starts no section, or a block that runs on past where it should end.
    bool toldWhyReadingStops = false;
};

// Reports the lines from position on that hold anything: the installer
// never reads them.
void ReportUnread(const Check& check, long position, const char* why)
{
    const ScriptText& text = check.text;
    int first = 0;
    int last = 0;
    for (long p = position; p < text.End(); p = text.NextLine(p)) {
        if (IsBlankLine(text.LineFrom(p)))
            continue;
        last = text.LineAt(p);
        if (first == 0)
            first = last;
    }
    if (first == last && first > 0)
        ReportError(check.diagnostics, text.label, first, "this line is never read: %s", why);
    else if (first > 0)
        ReportError(check.diagnostics, text.label, first, "lines %d to %d are never read: %s", first, last, why);
}

const char* const kSectionKeywords[] = {"LICENSE", "FILES", "USER", "README"};

// The keyword of a later section than page's that line starts with, or
// nullptr: had the block of page ended above it, the installer would read
// that line as the section line. In a block that its terminator ends, only
// a keyword written in capitals and standing alone counts ("FILES", not
// "Files are ..."): that is no text.
const char* LaterSection(const std::string& line, PlanPage page, bool terminated)
{
    size_t first = page == PlanPage::kLicense ? 1 : page == PlanPage::kFiles ? 2 : 4;
    for (size_t i = first; i < 4; i++) {
        const char* keyword = kSectionKeywords[i];
        size_t length = strlen(keyword);
        bool alone = line.compare(0, length, keyword) == 0 && (line.size() == length || line[length] == ' ');
        if (terminated ? alone : StartsWithIgnoringCase(line.c_str(), keyword))
            return keyword;
    }
    return nullptr;
}

// Checks the text block that step read: it must end with its terminator,
// and text outside ASCII shows in the code page of the user's PC. explained
// tells that the cause of a missing terminator has been reported already.
void CheckBlock(Check* check, const PlanStep& step, const char* what, bool explained)
{
    const ScriptText& text = check->text;
    long from = step.textFrom;
    long to = step.endAt;
    long lastLine = from;
    for (long p = from; p < to; p = text.NextLine(p))
        lastLine = p;
    bool terminated = to > from && text.At(lastLine) == '.' && lastLine + 1 < to
        && (text.At(lastLine + 1) == '\r' || text.At(lastLine + 1) == '\n');
    long runsInto = -1;
    bool nonAscii = false;
    for (long p = from; p < to; p = text.NextLine(p)) {
        std::string line = text.LineFrom(p);
        for (unsigned char c : line) {
            if (c >= 0x80 && !nonAscii) {
                nonAscii = true;
                ReportWarning(check->diagnostics, text.label, text.LineAt(p),
                              "non-ASCII text shows in the ANSI code page of the user's PC");
            }
        }
        if (LooksLikeTerminator(line)) {
            ReportError(check->diagnostics, text.label, text.LineAt(p),
                        "'%s' is not a terminator: remove the %s after the '.'", line.c_str(),
                        SpaceWords(line.substr(1)));
            explained = true;
            check->toldWhyReadingStops = true;
        } else if (runsInto < 0 && LaterSection(line, step.page, terminated)) {
            runsInto = p;
        }
    }
    if (explained)
        return;
    // The reader takes a longer line in pieces of kScriptLineBytes - 1: a
    // piece that is "." and the line end ends the block inside the line.
    std::string last = text.LineFrom(lastLine);
    size_t piece = kScriptLineBytes - 1;
    if (!terminated && last.size() > piece && last.size() % piece == 1 && last.back() == '.'
        && lastLine + static_cast<long>(last.size()) < to) {
        ReportError(check->diagnostics, text.label, text.LineAt(lastLine),
                    "this line is longer than %d characters: the installer reads its last character '.' as a "
                    "line of its own, which ends the %s text here", static_cast<int>(piece), what);
    } else if (!terminated && to > from && last == ".") {
        ReportError(check->diagnostics, text.label, text.LineAt(lastLine),
                    "the terminator '.' has no line end, so the %s text runs on past it", what);
    } else if (runsInto >= 0) {
        ReportError(check->diagnostics, text.label, text.LineAt(runsInto),
                    "the %s text runs on into line %d '%s': the '.' line that ends it is missing; put a line "
                    "with '.' alone above this one", what, text.LineAt(runsInto),
                    Shortened(text.LineFrom(runsInto)).c_str());
        check->toldWhyReadingStops = true;
    } else if (!terminated) {
        ReportError(check->diagnostics, text.label, text.LineAt(step.at),
                    "the %s text has no terminator line '.' and runs to the end of the script", what);
    }
}

// True when line, standing where a file entry belongs, looks like the file
// itself: a packaged or --beside name, or a name ending in .prc or .pdb.
bool LooksLikeFileName(const std::string& line, const PackagedFiles* packaged)
{
    std::string name = line.substr(0, line.find_last_not_of(" \t") + 1);
    if (name.empty() || name.find(' ') != std::string::npos)
        return false;
    if (packaged && FindPackedFile(packaged->files, name))
        return true;
    const char* extension = ExtensionOf(name.c_str());
    return EqualsIgnoringCase(extension, ".prc") || EqualsIgnoringCase(extension, ".pdb");
}

// The entry lines of the files section: each path line as the installer
// reads it, and an entry that the installer made of a description line.
// Returns true when an entry took a terminator line as its file.
bool CheckEntries(const Check& check, std::vector<ScriptPath>* paths)
{
    const ScriptText& text = check.text;
    const InstallPlan& plan = check.plan;
    if (plan.pathlessEntryAt >= 0)
        ReportError(check.diagnostics, text.label, text.LineAt(plan.pathlessEntryAt),
                    "this file entry has no path line: the installer leaves it out");
    bool tookTerminator = false;
    for (int slot = 0; slot < plan.fileCount; slot++) {
        const PlanFile& file = plan.files[slot];
        int pathLine = text.LineAt(file.pathAt);
        std::string raw = text.LineFrom(file.pathAt);
        if (raw == "." || LooksLikeTerminator(raw)) {
            ReportError(check.diagnostics, text.label, text.LineAt(file.entryAt),
                        "this line starts with '%c', so it is read as a file entry (with line %d as its file), not "
                        "as description: begin the description with another character", file.marker, pathLine);
            tookTerminator = true;
        } else if (raw.size() > kFilePathChars - 2) {
            ReportError(check.diagnostics, text.label, pathLine,
                        "the path is longer than %d characters and the installer cuts it",
                        static_cast<int>(kFilePathChars - 2));
        } else if (file.path[0] == '\0') {
            ReportError(check.diagnostics, text.label, pathLine, "the path of this file entry is empty");
        } else {
            paths->push_back({file.path, pathLine});
        }
    }
    return tookTerminator;
}

// The description's lines: any that a reader of the script would take for
// a file entry, and, when no entry was read at all, why.
void CheckDescription(const Check& check, const PlanStep& step)
{
    const ScriptText& text = check.text;
    const InstallPlan& plan = check.plan;
    long description = step.textFrom;
    if (plan.fileCount == 0 && description >= step.endAt)
        ReportError(check.diagnostics, text.label, text.LineAt(step.at),
                    "the files list is empty: follow this line with an entry line ('*', '+', '-' or '!' and a label) "
                    "and the file's name for each file");
    for (long p = description; p < step.endAt; p = text.NextLine(p)) {
        std::string line = text.LineFrom(p);
        size_t start = line.find_first_not_of(" \t");
        if (IsMarker(text.At(p)) && p == description && plan.fileCount == kFileSlotCount)
            ReportError(check.diagnostics, text.label, text.LineAt(p),
                        "a seventh file entry: the installer takes six and shows this line as description text");
        else if (IsMarker(text.At(p)))
            ReportError(check.diagnostics, text.label, text.LineAt(p),
                        "this line looks like a file entry but is description text");
        else if (start > 0 && start != std::string::npos && IsMarker(line[start]))
            ReportError(check.diagnostics, text.label, text.LineAt(p),
                        "this line starts with %s, so it is read as description, not as a file entry%s: remove %s",
                        LeadingSpaceName(line).c_str(), plan.fileCount == 0 && p == description
                        ? ", and the files list is empty" : "", start == 1 ? "it" : "them");
        else if (plan.fileCount == 0 && p == description && LooksLikeFileName(line, check.packaged))
            ReportError(check.diagnostics, text.label, text.LineAt(p),
                        "'%s' has no marker, so the files list is empty: write an entry line above it, such as "
                        "'*%s' to install it always or '+%s' for a check box", line.c_str(), line.c_str(),
                        line.c_str());
        else if (plan.fileCount == 0 && p == description)
            ReportError(check.diagnostics, text.label, text.LineAt(step.at),
                        "the files list is empty: follow this line with an entry line ('*', '+', '-' or '!' and "
                        "a label) and the file's name for each file");
    }
    if (plan.fileCount > 0 && plan.entryVisible) {
        bool anyChosen = false;
        for (int slot = 0; slot < plan.fileCount; slot++)
            anyChosen = anyChosen || plan.files[slot].marker != '-';
        if (!anyChosen)
            ReportWarning(check.diagnostics, text.label, text.LineAt(plan.files[0].entryAt),
                          "every file is offered unchecked ('-'): a person who presses Continue installs nothing; "
                          "mark the main one '+' or '*'");
    }
}

// A section line that reads on as text ("Users of ...", "Filesystem ..."):
// the installer takes it for the section all the same.
void CheckSectionLine(const Check& check, const PlanStep& step, const char* keyword)
{
    std::string line = check.text.LineFrom(step.at);
    size_t length = strlen(keyword);
    if (line.size() > length && islower(static_cast<unsigned char>(line[length])))
        ReportError(check.diagnostics, check.text.label, check.text.LineAt(step.at),
                    "'%s' is read as the %s section line, not as text: if it is text, put it above the '.' line "
                    "that ends the text before it", Shortened(line).c_str(), keyword);
}

const char* const kExpectedSections[] = {
    "LICENSE, FILES, USER or README", "FILES, USER or README", "USER or README", "README"};

// A line read where a section line belongs that starts no section: the
// installer goes straight on to the copy and reads nothing after it.
void ReportUnmatchedSection(Check* check, const PlanStep& step)
{
    const ScriptText& text = check->text;
    std::string line = text.LineFrom(step.at);
    long next = text.NextLine(step.at);
    check->toldWhyReadingStops = true;
    if (IsBlankLine(line)) {
        ReportUnread(*check, next, "a blank line stands where the installer expects the next section line");
        return;
    }
    ReportError(check->diagnostics, text.label, text.LineAt(step.at),
                "'%s' is not a section line the installer reads here (expected %s at the start of the line); "
                "the installer installs at once and reads nothing from here on",
                Shortened(line).c_str(), kExpectedSections[static_cast<int>(step.firstTest)]);
    ReportUnread(*check, next, "they follow a line that ends the script for the installer");
}

// Checks what one pass of the installer read. Returns false when the
// installer reads nothing after it.
bool CheckStep(Check* check, const PlanStep& step, std::vector<ScriptPath>* paths)
{
    switch (step.page) {
    case PlanPage::kLicense:
        CheckSectionLine(*check, step, "LICENSE");
        CheckBlock(check, step, "license", false);
        return true;
    case PlanPage::kFiles: {
        CheckSectionLine(*check, step, "FILES");
        bool tookTerminator = CheckEntries(*check, paths);
        CheckDescription(*check, step);
        CheckFilesPage(check->plan, step, check->text, check->diagnostics);
        CheckBlock(check, step, "FILES description", tookTerminator);
        return true;
    }
    case PlanPage::kUser:
        if (step.lineRead)
            CheckSectionLine(*check, step, "USER");
        return true;
    case PlanPage::kCopy:
        if (step.lineRead && !step.viewReadme) {
            ReportUnmatchedSection(check, step);
            return false;
        }
        if (step.viewReadme)
            CheckSectionLine(*check, step, "README");
        return true;
    case PlanPage::kReadme:
        CheckBlock(check, step, "readme", false);
        return true;
    }
    return true;
}

// Holds the FILES paths against the packaged files (see script_check.h).
void CheckScriptPaths(const Check& check, const std::vector<ScriptPath>& paths, bool hasFilesSection)
{
    const PackagedFiles& packaged = *check.packaged;
    const char* label = check.text.label;
    std::vector<std::string> named;
    for (const ScriptPath& path : paths) {
        const char* name = LastPathComponent(path.path.c_str());
        named.push_back(name);
        if (name != path.path.c_str() && FindPackedFile(packaged.files, name)) {
            ReportError(check.diagnostics, label, path.line,
                        "the installer looks for %s on the user's PC; write %s", path.path.c_str(), name);
            continue;
        }
        if (name != path.path.c_str()) {
            ReportWarning(check.diagnostics, label, path.line,
                          "'%s' has a folder: the installer reads it from the user's disk at install time",
                          path.path.c_str());
            named.pop_back();
            continue;
        }
        bool besideInstaller = false;
        for (const std::string& beside : packaged.beside)
            besideInstaller = besideInstaller || EqualsIgnoringCase(beside.c_str(), name);
        if (!FindPackedFile(packaged.files, name) && !besideInstaller)
            ReportError(check.diagnostics, label, path.line,
                        "'%s' names no packaged file (give it as a FILE, or --beside %s for a file that lies "
                        "beside the installer)", name, name);
    }
    for (const PackedFile& file : packaged.files) {
        bool isNamed = false;
        for (const std::string& name : named)
            isNamed = isNamed || EqualsIgnoringCase(name.c_str(), file.recordName.c_str());
        // An empty files list has been reported as such, once.
        if (isNamed || (hasFilesSection && check.plan.fileCount == 0))
            continue;
        // The installer passes over empty records, so -f cannot reach one either.
        if (file.size == 0)
            ReportError(check.diagnostics, file.label.c_str(), 0,
                        "it is empty: the installer never finds an empty record, so it can never be installed");
        else if (hasFilesSection)
            ReportError(check.diagnostics, file.label.c_str(), 0,
                        "no FILES entry names it: the installer would carry it and never install it; add an entry "
                        "for it to the FILES section of %s, or leave it out", label);
        else
            ReportWarning(check.diagnostics, file.label.c_str(), 0,
                          "no FILES entry names it: the installer installs it only when run with -f");
    }
}

// With databases packaged and no FILES section read, no run of the
// installer installs any of them: says so where the section belongs, unless
// a line that ended the script early or a block that ran on has said why.
// (With a FILES section, the checks of its entries and paths say why.)
void CheckSomethingInstalls(const Check& check, const PlanStep* files)
{
    if (files || check.toldWhyReadingStops || check.packaged->files.empty())
        return;
    const PlanStep& where = check.plan.steps[check.plan.steps[0].page == PlanPage::kLicense ? 1 : 0];
    ReportError(check.diagnostics, check.text.label, check.text.LineAt(where.at),
                "the script has no FILES section, so the installer would install none of the packaged files: "
                "write one here (FILES, then for each file an entry line such as '*%s' and its name)",
                check.packaged->files[0].recordName.c_str());
}

} // namespace

std::vector<ScriptPath> CheckInstallScript(const std::vector<char>& bytes, const char* label,
                                           const PackagedFiles* packaged, Diagnostics* diagnostics)
{
    std::vector<ScriptPath> paths;
    if (bytes.empty()) {
        ReportError(diagnostics, label, 0, "the script is empty: the installer would show no page and install nothing");
        return paths;
    }
    ScriptText text = {bytes, label};
    text.NumberLines();
    InstallPlan plan;
    MakeInstallPlan(bytes.data(), static_cast<int32_t>(bytes.size()), {nullptr, 0}, false, &plan);
    Check check = {text, plan, packaged, diagnostics};
    const PlanStep* files = nullptr;
    bool readOn = true;
    for (int i = 0; i < plan.stepCount && readOn; i++) {
        readOn = CheckStep(&check, plan.steps[i], &paths);
        files = plan.steps[i].page == PlanPage::kFiles ? &plan.steps[i] : files;
    }
    if (readOn)
        ReportUnread(check, plan.readEnd, "the installer has read its last section");
    if (packaged) {
        CheckScriptPaths(check, paths, files != nullptr);
        CheckSomethingInstalls(check, files);
    }
    ReleaseInstallPlan(&plan);
    return paths;
}
