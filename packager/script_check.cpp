// The install script check: the installer's plan of the script, with every
// line it skips or misreads reported.
#include "packager/script_check.h"

#include "base/bounded_text.h"
#include "base/path_name.h"
#include "script/install_plan.h"

#include <algorithm>
#include <cstring>

namespace {

// The script's bytes, kept to number lines and to look at what a line holds.
struct ScriptText {
    const std::vector<char>& bytes;
    const char* label;
    std::vector<long> lineStarts = {}; // position of each line's first byte

    long End() const { return static_cast<long>(bytes.size()); }
    char At(long position) const { return bytes[static_cast<size_t>(position)]; }

    void NumberLines()
    {
        lineStarts.push_back(0);
        for (long p = 0; p < End(); p++) {
            if (At(p) == '\n')
                lineStarts.push_back(p + 1);
        }
    }

    int LineAt(long position) const
    {
        return static_cast<int>(std::upper_bound(lineStarts.begin(), lineStarts.end(), position) - lineStarts.begin());
    }

    // The line that begins at position, without its line end.
    std::string LineFrom(long position) const
    {
        std::string line;
        for (long p = position; p < End() && At(p) != '\n' && At(p) != '\r'; p++)
            line += At(p);
        return line;
    }

    // The position just past the line end of the line that holds position.
    long NextLine(long position) const
    {
        while (position < End() && At(position) != '\n')
            position++;
        return position < End() ? position + 1 : position;
    }
};

bool IsBlankLine(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

bool IsMarker(char c)
{
    return c == '+' || c == '-' || c == '*' || c == '!';
}

// Reports the lines from position on that hold anything: the installer
// never reads them.
void ReportUnread(const ScriptText& text, long position, const char* why, Diagnostics* diagnostics)
{
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
        ReportError(diagnostics, text.label, first, "this line is never read: %s", why);
    else if (first > 0)
        ReportError(diagnostics, text.label, first, "lines %d to %d are never read: %s", first, last, why);
}

// Checks the text block between from and to, read for the section on
// sectionLine: it must end with its terminator, and text outside ASCII
// shows in the code page of the user's PC.
void CheckBlock(const ScriptText& text, long from, long to, int sectionLine, const char* what,
                Diagnostics* diagnostics)
{
    long lastLine = from;
    int nonAscii = 0;
    for (long p = from; p < to; p = text.NextLine(p)) {
        lastLine = p;
        std::string line = text.LineFrom(p);
        for (unsigned char c : line) {
            if (c >= 0x80) {
                if (nonAscii++ == 0)
                    ReportWarning(diagnostics, text.label, text.LineAt(p),
                                  "non-ASCII text shows in the ANSI code page of the user's PC");
                break;
            }
        }
    }
    bool terminated = to > from && text.At(lastLine) == '.' && lastLine + 1 < to
        && (text.At(lastLine + 1) == '\r' || text.At(lastLine + 1) == '\n');
    if (terminated)
        return;
    if (to > from && text.LineFrom(lastLine) == ".")
        ReportError(diagnostics, text.label, text.LineAt(lastLine),
                    "the terminator '.' has no line end, so the %s text runs on past it", what);
    else
        ReportError(diagnostics, text.label, sectionLine,
                    "the %s text has no terminator line '.' and runs to the end of the script", what);
}

void CheckFilesSection(const InstallPlan& plan, const PlanStep& step, const ScriptText& text,
                       std::vector<ScriptPath>* paths, Diagnostics* diagnostics)
{
    if (plan.pathlessEntryAt >= 0)
        ReportError(diagnostics, text.label, text.LineAt(plan.pathlessEntryAt),
                    "this file entry has no path line: the installer leaves it out");
    for (int slot = 0; slot < plan.fileCount; slot++) {
        const PlanFile& file = plan.files[slot];
        int pathLine = text.LineAt(file.pathAt);
        std::string raw = text.LineFrom(file.pathAt);
        if (raw.size() > kFilePathChars - 2) {
            ReportError(diagnostics, text.label, pathLine,
                        "the path is longer than %d characters and the installer cuts it",
                        static_cast<int>(kFilePathChars - 2));
            continue;
        }
        if (file.path[0] == '\0')
            ReportError(diagnostics, text.label, pathLine, "the path of this file entry is empty");
        else
            paths->push_back({file.path, pathLine});
    }

    long description = step.textFrom;
    for (long p = description; p < step.endAt; p = text.NextLine(p)) {
        if (!IsMarker(text.At(p)))
            continue;
        if (p == description && plan.fileCount == kFileSlotCount)
            ReportError(diagnostics, text.label, text.LineAt(p),
                        "a seventh file entry: the installer takes six and shows this line as description text");
        else
            ReportError(diagnostics, text.label, text.LineAt(p),
                        "this line looks like a file entry but is description text");
    }
    CheckBlock(text, description, step.endAt, text.LineAt(step.at), "FILES description", diagnostics);
}

const char* const kExpectedSections[] = {
    "LICENSE, FILES, USER or README", "FILES, USER or README", "USER or README", "README"};

// A line read where a section line belongs that starts no section: the
// installer goes straight on to the copy and reads nothing after it.
void ReportUnmatchedSection(const ScriptText& text, const PlanStep& step, Diagnostics* diagnostics)
{
    std::string line = text.LineFrom(step.at);
    long next = text.NextLine(step.at);
    if (IsBlankLine(line)) {
        ReportUnread(text, next, "a blank line stands where the installer expects the next section line",
                     diagnostics);
        return;
    }
    if (line.size() > 40)
        line = line.substr(0, 40) + "...";
    ReportError(diagnostics, text.label, text.LineAt(step.at),
                "'%s' is not a section line the installer reads here (expected %s at the start of the line); "
                "the installer installs at once and reads nothing from here on",
                line.c_str(), kExpectedSections[static_cast<int>(step.firstTest)]);
    ReportUnread(text, next, "they follow a line that ends the script for the installer", diagnostics);
}

// Checks what one pass of the installer read. Returns false when the
// installer reads nothing after it.
bool CheckStep(const InstallPlan& plan, const PlanStep& step, const ScriptText& text, std::vector<ScriptPath>* paths,
               Diagnostics* diagnostics)
{
    switch (step.page) {
    case PlanPage::kLicense:
        CheckBlock(text, step.textFrom, step.endAt, text.LineAt(step.at), "license", diagnostics);
        return true;
    case PlanPage::kFiles:
        CheckFilesSection(plan, step, text, paths, diagnostics);
        return true;
    case PlanPage::kUser:
        return true;
    case PlanPage::kCopy:
        if (step.lineRead && !step.viewReadme) {
            ReportUnmatchedSection(text, step, diagnostics);
            return false;
        }
        return true;
    case PlanPage::kReadme:
        CheckBlock(text, step.textFrom, step.endAt, text.LineAt(step.at), "readme", diagnostics);
        return true;
    }
    return true;
}

} // namespace

std::vector<ScriptPath> CheckInstallScript(const std::vector<char>& bytes, const char* label,
                                           Diagnostics* diagnostics)
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
    bool readOn = true;
    for (int i = 0; i < plan.stepCount && readOn; i++)
        readOn = CheckStep(plan, plan.steps[i], text, &paths, diagnostics);
    if (readOn)
        ReportUnread(text, plan.readEnd, "the installer has read its last section", diagnostics);
    ReleaseInstallPlan(&plan);
    return paths;
}

void CheckScriptPaths(const std::vector<ScriptPath>& paths, const std::vector<PackedFile>& files,
                      const std::vector<std::string>& beside, const char* scriptLabel,
                      Diagnostics* diagnostics)
{
    for (const ScriptPath& named : paths) {
        const char* path = named.path.c_str();
        bool hasFolder = LastPathComponent(path) != path;
        if (hasFolder) {
            ReportWarning(diagnostics, scriptLabel, named.line,
                          "'%s' has a folder: the installer reads it from the user's disk at install time", path);
            continue;
        }
        bool besideInstaller = false;
        for (const std::string& name : beside)
            besideInstaller = besideInstaller || EqualsIgnoringCase(name.c_str(), path);
        if (!FindPackedFile(files, named.path) && !besideInstaller)
            ReportError(diagnostics, scriptLabel, named.line,
                        "'%s' names no packaged file (give it as a FILE, or --beside %s for a file that lies "
                        "beside the installer)", path, path);
    }
    for (const PackedFile& file : files) {
        bool named = false;
        for (const ScriptPath& path : paths)
            named = named || EqualsIgnoringCase(path.path.c_str(), file.recordName.c_str());
        if (!named)
            ReportWarning(diagnostics, file.label.c_str(), 0,
                          "no FILES entry names it: the installer installs it only when run with -f");
    }
}
