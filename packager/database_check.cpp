// The database checks: header, record list, extension and unique names.
#include "packager/database_check.h"

#include "base/bounded_text.h"
#include "palm/database_info.h"
#include "palm/destination_path.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>

namespace {

const char* ProblemText(PalmDatabaseProblem problem)
{
    switch (problem) {
    case PalmDatabaseProblem::kTooShort:
        return "shorter than the 78-byte header of a Palm OS database";
    case PalmDatabaseProblem::kNameUnterminated:
        return "its database name fills all 32 bytes with no NUL";
    case PalmDatabaseProblem::kNameEmpty:
        return "its database name is empty";
    case PalmDatabaseProblem::kTypeNotPrintable:
        return "its type or creator is not four printable characters";
    case PalmDatabaseProblem::kListOutsideFile:
        return "its record list points past the end of the file";
    case PalmDatabaseProblem::kNone:
        break;
    }
    return "";
}

const char* Extension(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : name.c_str() + dot;
}

bool IsMeantAsDatabase(const PackedFile& file, const std::vector<ScriptPath>& paths)
{
    const char* extension = Extension(file.recordName);
    if (EqualsIgnoringCase(extension, ".prc") || EqualsIgnoringCase(extension, ".pdb"))
        return true;
    for (const ScriptPath& path : paths) {
        if (EqualsIgnoringCase(path.path.c_str(), file.recordName.c_str()))
            return true;
    }
    return false;
}

// The name in upper case: installed names that differ only so are one file on Windows.
std::string UpperCase(const char* name)
{
    std::string upper(name);
    for (char& c : upper)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return upper;
}

} // namespace

void CheckDatabases(const std::vector<PackedFile>& files, const std::vector<ScriptPath>& paths,
                    Diagnostics* diagnostics)
{
    // The first database of each header name and of each installed name:
    // each later one is reported once, against the first.
    std::unordered_map<std::string, const PackedFile*> byName;
    std::unordered_map<std::string, const PackedFile*> byDestination;
    for (const PackedFile& file : files) {
        if (!IsMeantAsDatabase(file, paths))
            continue;
        const char* label = file.label.c_str();
        FILE* stream = file.stream ? file.stream : fopen(file.path.c_str(), "rb");
        PalmHeader info;
        PalmDatabaseProblem problem = PalmDatabaseProblem::kTooShort;
        if (stream && fseek(stream, static_cast<long>(file.offset), SEEK_SET) == 0)
            problem = ReadPalmDatabaseInfo(stream, file.size, &info);
        if (stream && stream != file.stream)
            fclose(stream);
        if (problem != PalmDatabaseProblem::kNone) {
            ReportError(diagnostics, label, 0, "not a sound Palm OS database: %s", ProblemText(problem));
            continue;
        }

        const char* extension = Extension(file.recordName);
        const char* installedAs = info.isResourceDatabase ? ".prc" : ".pdb";
        if (!EqualsIgnoringCase(extension, installedAs))
            ReportWarning(diagnostics, label, 0, "its header marks a %s database, so it installs as %s",
                          info.isResourceDatabase ? "resource" : "record", installedAs);

        char destination[kFilePathChars + 1];
        BuildDestinationPathIn(destination, "", info.name, info.isResourceDatabase);
        const PackedFile* first = byName.emplace(info.name, &file).first->second;
        const PackedFile* firstInstalled = byDestination.emplace(UpperCase(destination), &file).first->second;
        if (first == &file)
            first = firstInstalled;
        if (first != &file)
            ReportError(diagnostics, label, 0,
                        "it installs as '%s', as %s does: one would overwrite the other on the user's PC",
                        destination + 1, first->label.c_str());
    }
}
