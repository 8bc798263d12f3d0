// list and verify: what an installer holds, and whether it will install.
#include "packager/commands.h"

#include "base/bounded_text.h"
#include "packager/database_check.h"
#include "packager/diagnostics.h"
#include "packager/packed_file.h"
#include "packager/script_check.h"
#include "packager/script_encoding.h"
#include "palm/database_header.h"
#include "palm/database_info.h"
#include "payload/compressed_record.h"
#include "payload/installer_checksum.h"
#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The original bytes of a compressed record in a scratch file, at its
// start; nullptr when it cannot be made, and then with damaged set when the
// record does not decode to the size it states.
FILE* DecodeToScratch(const Payload& payload, const PayloadRecord& record, bool* damaged)
{
    *damaged = false;
    FILE* scratch = OpenScratchFile();
    if (!scratch)
        return nullptr;
    LzmaResult result = DecodeCompressedRecordToFile(payload.file, record.dataStart, record.size, scratch);
    if (result == LzmaResult::kDone && fflush(scratch) == 0 && fseek(scratch, 0, SEEK_SET) == 0)
        return scratch;
    *damaged = result == LzmaResult::kDamaged;
    fclose(scratch);
    return nullptr;
}

// The records as packaged files, first to last; the last of a name is the
// one the installer finds. A compressed record is decoded into a scratch
// file, added to scratches for the caller to close; one that cannot be is
// reported and left out.
std::vector<PackedFile> RecordsAsFiles(const std::string& installer, const Payload& payload,
                                       std::vector<FILE*>* scratches, Diagnostics* diagnostics)
{
    std::vector<PackedFile> files;
    for (int i = payload.recordCount - 1; i >= 0; i--) {
        const PayloadRecord& record = payload.records[i];
        if (EqualsIgnoringCase(record.name, kScriptRecordName) || strcmp(record.name, kChecksumRecordName) == 0
            || record.size == 0)
            continue;
        PackedFile file = {Printable(record.name), record.name, installer, record.dataStart, record.size};
        if (record.compressed) {
            bool damaged = false;
            file.recordName = CompressedDatabaseName(record.name);
            file.offset = 0;
            file.size = record.originalSize;
            file.stream = DecodeToScratch(payload, record, &damaged);
            if (!file.stream) {
                ReportError(diagnostics, file.label.c_str(), 0, damaged
                            ? "damaged: it does not decode to the %ld bytes it states"
                            : "cannot decode it to check it (%ld bytes): no room for a scratch file",
                            static_cast<long>(record.originalSize));
                continue;
            }
            scratches->push_back(file.stream);
        }
        files.push_back(file);
    }
    return files;
}

// What is damaged in a damaged installer, in the words of list and verify.
const char* DamageText(const Payload& payload)
{
    if (payload.layout.badSignature)
        return "directory 4 names no whole certificate table at the file's end";
    if (payload.checksum == ChecksumState::kBad)
        return "its checksum differs";
    return "its records do not lead back to the end of the program image";
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

// What list counts over the records.
struct ListTotals {
    int64_t data;     // bytes stored
    int64_t original; // bytes once decoded
    bool sound;       // no compressed record failed to decode to its size
};

// Prints one line of list for the record: where it lies, its size stored
// and original, its name, and what its Palm OS header says (of what a
// compressed record decodes to); and counts it in the ListTotals of context.
void PrintRecord(Payload* payload, const PayloadRecord& record, void* context)
{
    ListTotals* totals = static_cast<ListTotals*>(context);
    totals->data += record.size;
    totals->original += record.originalSize;
    printf("%10ld %10ld %10ld  %s", static_cast<long>(record.dataStart), static_cast<long>(record.size),
           static_cast<long>(record.originalSize), Printable(record.name).c_str());
    bool damaged = false;
    FILE* source = record.compressed ? DecodeToScratch(*payload, record, &damaged) : payload->file;
    if (damaged)
        printf("  DAMAGED: it does not decode to its original size");
    totals->sound = totals->sound && !damaged;
    PalmHeader header;
    if (source && record.originalSize >= int32_t{kPalmHeaderBytes}
        && fseek(source, record.compressed ? 0 : record.dataStart, SEEK_SET) == 0
        && ReadPalmDatabaseInfo(source, record.originalSize, &header) == PalmDatabaseProblem::kNone)
        printf("  \"%s\" %s/%s %s v%u, %u %s", Printable(header.name).c_str(), header.type, header.creator,
               header.isResourceDatabase ? "resource" : "record", header.version, header.entryCount,
               header.isResourceDatabase ? "resources" : "records");
    putchar('\n');
    if (source && source != payload->file)
        fclose(source);
}

// Checks the install script record and the databases.
void CheckContents(const std::string& installer, const Payload& payload, const PackArguments& arguments,
                   Diagnostics* diagnostics)
{
    const PayloadRecord* script = FindPayloadRecord(payload, kScriptRecordName);
    if (!script) {
        ReportError(diagnostics, installer.c_str(), 0, "no %s record: the installer finds no install script",
                    kScriptRecordName);
        return;
    }
    std::string scriptLabel = installer + "(" + kScriptRecordName + ")";
    std::vector<char> bytes(static_cast<size_t>(script->originalSize));
    if (ReadPayloadBytes(payload, *script, 0, bytes.data(), bytes.size()) != bytes.size()) {
        ReportError(diagnostics, scriptLabel.c_str(), 0, "cannot read the script");
        return;
    }
    std::vector<FILE*> scratches;
    std::vector<PackedFile> files = RecordsAsFiles(installer, payload, &scratches, diagnostics);
    std::vector<char> unconverted;
    std::vector<ScriptPath> paths;
    PackagedFiles packaged = {files, arguments.beside};
    if (PrepareScriptForStoring(bytes, true, scriptLabel.c_str(), &unconverted, diagnostics))
        paths = CheckInstallScript(bytes, scriptLabel.c_str(), &packaged, diagnostics);
    CheckDatabases(files, paths, diagnostics);
    for (FILE* scratch : scratches)
        fclose(scratch);
}

} // namespace

int RunList(const PackArguments& arguments)
{
    const char* installer = arguments.operands[0].c_str();
    // The records are streamed, not held: a file of millions of empty
    // records lists in memory that does not grow with it.
    Payload payload;
    PayloadResult opened = OpenPayloadSummary(installer, &payload);
    if (opened.fault != PayloadFault::kNone || payload.chain == ChainState::kNone) {
        fprintf(stderr, "%s: error: %s\n", installer, opened.fault == PayloadFault::kNone ? "no payload records"
                                                    : opened.systemError == ENOENT ? "no such file" : "cannot read it");
        ClosePayload(&payload);
        return 1;
    }
    printf("%10s %10s %10s  %s\n", "offset", "size", "original", "name");
    ListTotals totals = {0, 0, true};
    if (!VisitRecordsInOrder(&payload, PrintRecord, &totals)) {
        fprintf(stderr, "%s: error: out of memory\n", installer);
        ClosePayload(&payload);
        return 1;
    }
    int64_t program = payload.layout.imageEnd > 0 ? payload.layout.imageEnd : payload.chainStart;
    printf("%d records, %lld bytes of data (%lld decoded), after a program of %lld bytes; checksum %s%s%s\n",
           payload.recordCount, static_cast<long long>(totals.data), static_cast<long long>(totals.original),
           static_cast<long long>(program), ChecksumText(payload.checksum), payload.damaged ? "; damaged: " : "",
           payload.damaged ? DamageText(payload) : "");
    int exitCode = payload.damaged || !totals.sound ? 1 : 0;
    ClosePayload(&payload);
    return exitCode;
}

int RunVerify(const PackArguments& arguments)
{
    Diagnostics diagnostics;
    diagnostics.strict = arguments.strict;
    const std::string& installer = arguments.operands[0];
    const char* label = installer.c_str();
    Payload payload;
    PayloadResult opened = OpenPayload(label, false, &payload);
    if (opened.fault != PayloadFault::kNone) {
        // Nothing more can be said of a file that cannot be opened.
        ReportError(&diagnostics, label, 0, "%s", opened.systemError == ENOENT ? "no such file" : "cannot read it");
        ClosePayload(&payload);
        return 1;
    }
    if (payload.chain == ChainState::kNone)
        ReportError(&diagnostics, label, 0, "no payload records");
    else if (payload.chain == ChainState::kDamaged)
        ReportError(&diagnostics, label, 0, "the record chain is damaged before record '%s'",
                    payload.recordCount ? Printable(payload.records[payload.recordCount - 1].name).c_str() : "");
    else
        CheckContents(installer, payload, arguments, &diagnostics);
    if (payload.damaged)
        ReportError(&diagnostics, label, 0, "damaged: %s", DamageText(payload));
    int records = payload.recordCount;
    ChecksumState checksum = payload.checksum;
    ClosePayload(&payload);
    PrintDiagnosticsSummary(diagnostics);
    if (HasFailed(diagnostics))
        return 1;
    Note("%s: verified: %d records, checksum %s, the install script reads, every database is sound", label, records,
         ChecksumText(checksum));
    return 0;
}
