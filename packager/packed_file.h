// A file as the packager sees it: where its bytes lie (a file of its own,
// or a record inside an installer) and the record name it has or will have.
#pragma once

#include "payload/payload.h"

#include <cstdint>
#include <string>
#include <vector>

struct PackedFile {
    std::string label;      // how messages name it: the path given, or the record name
    std::string recordName; // the name the installer looks it up by
    std::string path;       // the file that holds its bytes
    int64_t offset = 0;     // where they start in that file
    int64_t size = 0;
    FILE* stream = nullptr; // when set, the bytes are here from offset, not in path
                            // (a compressed record decoded); not owned
};

// A path that the install script's FILES section names, cleaned as the
// installer cleans it, with the line it stands on.
struct ScriptPath {
    std::string path;
    int line;
};

// The packaged file whose record name equals name, letters compared without
// regard to case as the installer compares them; nullptr when none does.
const PackedFile* FindPackedFile(const std::vector<PackedFile>& files, const std::string& name);

struct Diagnostics;

// The files given on the command line, each named as -a would name its
// record. Reports each that cannot be read or measured, whose name does not
// fit a record, or whose record name another file (or the install script's
// record) already has.
std::vector<PackedFile> GatherPackedFiles(const std::vector<std::string>& paths, Diagnostics* diagnostics);

// Measures the file at path. Returns false when it cannot be opened or is
// too long for an installer (2 GiB or more).
bool MeasurePackedFile(const std::string& path, int64_t* size);

// What an append that failed tells the packager, and whether it concerns
// the input file (else the installer).
struct AppendFailure {
    const char* text;
    bool aboutInput;
};

AppendFailure DescribeAppendFailure(PayloadFault fault);
