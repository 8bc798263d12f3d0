// list and verify: what an installer holds, and whether it will install.
#include "packager/commands.h"

#include "base/bounded_text.h"
#include "packager/database_check.h"
#include "packager/diagnostics.h"
#include "packager/packed_file.h"
#include "packager/script_check.h"
#include "palm/database_info.h"
#include "payload/installer_checksum.h"
#include "payload/record_chain.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

struct Chain {
    std::vector<ChainRecord> records; // first to last
    bool whole = false;               // the walk reached the first record
    int32_t imageEnd = 0;             // where the first record starts
};

// Reads the chain of the open installer. Returns false when it has none.
bool ReadChain(FILE* file, Chain* chain)
{
    ChainWalk walk;
    if (StartChainWalk(file, &walk) != 0)
        return false;
    ChainRecord record;
    ChainStep step;
    while ((step = ReadPreviousRecord(&walk, &record)) == ChainStep::Record)
        chain->records.push_back(record);
    std::reverse(chain->records.begin(), chain->records.end());
    chain->whole = step == ChainStep::End;
    chain->imageEnd = chain->records.empty() ? 0 : chain->records.front().dataStart;
    return true;
}

// The record as a packaged file; the last of a name is the one the
// installer finds.
std::vector<PackedFile> RecordsAsFiles(const std::string& installer, const Chain& chain)
{
    std::vector<PackedFile> files;
    for (const ChainRecord& record : chain.records) {
        if (EqualsIgnoringCase(record.name, kScriptRecordName) || strcmp(record.name, kChecksumRecordName) == 0
            || record.size == 0)
            continue;
        files.push_back({record.name, record.name, installer, record.dataStart, record.size});
    }
    return files;
}

const char* ChecksumText(ChecksumState state)
{
    switch (state) {
    case ChecksumState::kGood:
        return "good";
    case ChecksumState::kBad:
        return "BAD";
    case ChecksumState::kAbsent:
        break;
    }
    return "absent";
}

void PrintRecord(FILE* file, const ChainRecord& record)
{
    printf("%10ld %10ld  %s", static_cast<long>(record.dataStart), static_cast<long>(record.size), record.name);
    PalmDatabaseInfo info;
    if (fseek(file, record.dataStart, SEEK_SET) == 0
        && ReadPalmDatabaseInfo(file, record.size, &info) == PalmDatabaseProblem::kNone)
        printf("  \"%s\" %s/%s %s v%u, %u %s", info.name, info.type, info.creator,
               info.isResourceDatabase ? "resource" : "record", info.version, info.entryCount,
               info.isResourceDatabase ? "resources" : "records");
    putchar('\n');
}

} // namespace

int RunList(const PackArguments& arguments)
{
    const char* installer = arguments.operands[0].c_str();
    FILE* file = fopen(installer, "rb");
    Chain chain;
    if (!file || !ReadChain(file, &chain)) {
        if (file)
            fclose(file);
        fprintf(stderr, "%s: error: %s\n", installer, file ? "no payload records" : "cannot read it");
        return 1;
    }
    printf("%10s %10s  %s\n", "offset", "size", "name");
    int64_t payload = 0;
    for (const ChainRecord& record : chain.records) {
        PrintRecord(file, record);
        payload += record.size;
    }
    fclose(file);
    InstallerIntegrity integrity = CheckInstallerIntegrity(installer);
    printf("%zu records, %lld bytes of data, after a program of %ld bytes; checksum %s%s\n", chain.records.size(),
           static_cast<long long>(payload), static_cast<long>(chain.imageEnd), ChecksumText(integrity.checksum),
           chain.whole ? "" : "; the chain is damaged before the first record listed");
    return chain.whole && !integrity.damaged ? 0 : 1;
}

int RunVerify(const PackArguments& arguments)
{
    Diagnostics diagnostics;
    diagnostics.strict = arguments.strict;
    const std::string& installer = arguments.operands[0];
    const char* label = installer.c_str();
    FILE* file = fopen(label, "rb");
    Chain chain;
    if (!file || !ReadChain(file, &chain)) {
        ReportError(&diagnostics, label, 0, file ? "no payload records" : "cannot read it");
    } else if (!chain.whole) {
        ReportError(&diagnostics, label, 0, "the record chain is damaged before record '%s'",
                    chain.records.empty() ? "" : chain.records.front().name);
    } else {
        std::vector<PackedFile> files = RecordsAsFiles(installer, chain);
        const ChainRecord* script = nullptr;
        for (const ChainRecord& record : chain.records) {
            if (EqualsIgnoringCase(record.name, kScriptRecordName) && record.size > 0)
                script = &record;
        }
        if (!script) {
            ReportError(&diagnostics, label, 0, "no %s record: the installer finds no install script",
                        kScriptRecordName);
        } else {
            std::string scriptLabel = installer + "(" + kScriptRecordName + ")";
            std::vector<ScriptPath> paths =
                CheckInstallScript(file, script->dataStart, script->size, scriptLabel.c_str(), &diagnostics);
            CheckScriptPaths(paths, files, arguments.beside, scriptLabel.c_str(), &diagnostics);
            CheckDatabases(files, paths, &diagnostics);
        }
    }
    if (file)
        fclose(file);
    InstallerIntegrity integrity = CheckInstallerIntegrity(label);
    if (integrity.damaged)
        ReportError(&diagnostics, label, 0, "damaged: %s", integrity.checksum == ChecksumState::kBad
                    ? "its checksum differs" : "its records do not lead back to the end of the program");
    PrintDiagnosticsSummary(diagnostics);
    if (HasFailed(diagnostics))
        return 1;
    printf("%s: verified: %zu records, checksum %s, the install script reads, every database is sound\n", label,
           chain.records.size(), ChecksumText(integrity.checksum));
    return 0;
}
