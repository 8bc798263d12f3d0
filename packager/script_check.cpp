// The install script check: the installer's reader and wizard passes run
// over the script, with every line they skip or misread reported.
#include "packager/script_check.h"

#include "base/bounded_text.h"
#include "palm/slot_path.h"
#include "script/install_script.h"
#include "script/wizard_step.h"

#include <algorithm>
#include <cstring>

namespace {

// The script's bytes, kept to number lines and to look at what a line holds.
struct ScriptText {
    std::vector<char> bytes;
    std::vector<long> lineStarts; // stream position of each line's first byte
    long start = 0;
    const char* label = "";

    long End() const { return start + static_cast<long>(bytes.size()); }
    char At(long position) const { return bytes[static_cast<size_t>(position - start)]; }

    void NumberLines()
    {
        lineStarts.push_back(start);
        for (long p = start; p < End(); p++) {
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

void CheckFilesSection(const ScriptStream& script, const ScriptText& text, int sectionLine,
                       std::vector<ScriptPath>* paths, Diagnostics* diagnostics)
{
    FilesSection section;
    ReadFilesSection(script, &section);
    ReleaseTextBlock(&section.description);
    long descriptionEnd = ftell(script.file);

    if (section.pathlessEntryAt >= 0)
        ReportError(diagnostics, text.label, text.LineAt(section.pathlessEntryAt),
                    "this file entry has no path line: the installer leaves it out");
    for (int slot = 0; slot < gState.fileCount; slot++) {
        const FileEntry& entry = section.entries[slot];
        int pathLine = text.LineAt(entry.pathAt);
        std::string raw = text.LineFrom(entry.pathAt);
        if (raw.size() > kFilePathChars - 2) {
            ReportError(diagnostics, text.label, pathLine,
                        "the path is longer than %d characters and the installer cuts it",
                        static_cast<int>(kFilePathChars - 2));
            continue;
        }
        char path[kFilePathChars + 1];
        CopyText(path, gState.files[slot].path);
        CleanSlotPath(path);
        if (path[0] == '\0')
            ReportError(diagnostics, text.label, pathLine, "the path of this file entry is empty");
        else
            paths->push_back({path, pathLine});
    }

    long description = section.descriptionAt;
    for (long p = description; p < descriptionEnd; p = text.NextLine(p)) {
        if (!IsMarker(text.At(p)))
            continue;
        if (p == description && gState.fileCount == kFileSlotCount)
            ReportError(diagnostics, text.label, text.LineAt(p),
                        "a seventh file entry: the installer takes six and shows this line as description text");
        else
            ReportError(diagnostics, text.label, text.LineAt(p),
                        "this line looks like a file entry but is description text");
    }
    CheckBlock(text, description, descriptionEnd, sectionLine, "FILES description", diagnostics);
}

void CheckTextBlock(const ScriptStream& script, const ScriptText& text, int sectionLine, const char* what,
                    Diagnostics* diagnostics)
{
    long from = ftell(script.file);
    TextBlock block;
    ReadTextBlock(script, &block);
    ReleaseTextBlock(&block);
    CheckBlock(text, from, ftell(script.file), sectionLine, what, diagnostics);
}

const char* const kExpectedSections[] = {
    "LICENSE, FILES, USER or README", "FILES, USER or README", "USER or README", "README"};

// A line read where a section line belongs that starts no section: the
// installer goes straight on to the copy and reads nothing after it.
void ReportUnmatchedSection(const ScriptText& text, long at, int stage, Diagnostics* diagnostics)
{
    std::string line = text.LineFrom(at);
    long next = text.NextLine(at);
    if (IsBlankLine(line)) {
        ReportUnread(text, next, "a blank line stands where the installer expects the next section line",
                     diagnostics);
        return;
    }
    if (line.size() > 40)
        line = line.substr(0, 40) + "...";
    ReportError(diagnostics, text.label, text.LineAt(at),
                "'%s' is not a section line the installer reads here (expected %s at the start of the line); "
                "the installer installs at once and reads nothing from here on",
                line.c_str(), kExpectedSections[stage < 4 ? stage : 3]);
    ReportUnread(text, next, "they follow a line that ends the script for the installer", diagnostics);
}

} // namespace

std::vector<ScriptPath> CheckInstallScript(FILE* file, int64_t start, int64_t size, const char* label,
                                           Diagnostics* diagnostics)
{
    std::vector<ScriptPath> paths;
    ScriptText text;
    text.start = static_cast<long>(start);
    text.label = label;
    text.bytes.resize(static_cast<size_t>(size));
    if (fseek(file, text.start, SEEK_SET) != 0 || fread(text.bytes.data(), 1, text.bytes.size(), file) != text.bytes.size()) {
        ReportError(diagnostics, label, 0, "cannot read the script");
        return paths;
    }
    text.NumberLines();
    if (size == 0) {
        ReportError(diagnostics, label, 0, "the script is empty: the installer would show no page and install nothing");
        return paths;
    }

    // The reader fills the file slots of the one state record.
    ResetInstallState();
    fseek(file, text.start, SEEK_SET);
    ScriptStream script = {file, static_cast<int32_t>(text.End())};
    SkipByteOrderMark(script);
    int stage = kStageLicense;
    for (;;) {
        char line[kScriptLineBytes];
        line[0] = '\0';
        long at = ftell(file);
        int passStage = stage;
        if (PassReadsSectionLine(stage))
            ReadSectionLine(script, line);
        WizardStep step = DecideWizardStep(stage, line, true, 0);
        stage = step.stageAfter;
        int lineNumber = text.LineAt(at);
        switch (step.page) {
        case WizardPage::kLicense:
            CheckTextBlock(script, text, lineNumber, "license", diagnostics);
            break;
        case WizardPage::kFiles:
            CheckFilesSection(script, text, lineNumber, &paths, diagnostics);
            break;
        case WizardPage::kUser:
            break;
        case WizardPage::kCopy:
            if (line[0] != '\0' && !IsReadmeSection(line)) {
                ReportUnmatchedSection(text, at, passStage, diagnostics);
                return paths;
            }
            if (!step.showViewReadme) {
                ReportUnread(text, ftell(file), "the installer has read its last section", diagnostics);
                return paths;
            }
            break;
        case WizardPage::kReadme:
            CheckTextBlock(script, text, text.LineAt(at), "readme", diagnostics);
            break;
        case WizardPage::kQuit:
            ReportUnread(text, ftell(file), "the installer has read its last section", diagnostics);
            return paths;
        }
    }
}

void CheckScriptPaths(const std::vector<ScriptPath>& paths, const std::vector<PackedFile>& files,
                      const std::vector<std::string>& beside, const char* scriptLabel,
                      Diagnostics* diagnostics)
{
    for (const ScriptPath& named : paths) {
        const char* path = named.path.c_str();
        bool hasFolder = strpbrk(path, "\\/") != nullptr || (path[0] != '\0' && path[1] == ':');
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
