// build and check: an installer from a stub, databases and a script, after
// every check has passed; the checks alone.
#include "packager/commands.h"

#include "packager/database_check.h"
#include "packager/database_compression.h"
#include "packager/default_stub.h"
#include "packager/diagnostics.h"
#include "packager/packed_file.h"
#include "packager/script_check.h"
#include "packager/script_encoding.h"
#include "payload/compressed_record.h"
#include "payload/installer_checksum.h"
#include "payload/payload_archive.h"
#include "payload/record_format.h"
#include "payload/stream_copy.h"
#include "platform/file_identity.h"
#include "platform/file_replacement.h"
#include "platform/files.h"
#include "script/install_plan.h"

#include <cstdio>
#include <cstring>

namespace {

// Checks the script and, when files are given, the files against it.
// converted receives the script's bytes when they are stored converted.
void CheckScriptAndFiles(const std::string& scriptPath, const std::vector<PackedFile>& files, bool haveFiles,
                         const PackArguments& arguments, std::vector<char>* converted, Diagnostics* diagnostics)
{
    const char* label = scriptPath.c_str();
    std::vector<char> bytes;
    if (!ReadScriptFile(scriptPath, &bytes)) {
        ReportError(diagnostics, label, 0, "cannot read the install script");
        return;
    }
    if (!PrepareScriptForStoring(bytes, arguments.keepEncoding, label, converted, diagnostics))
        return;
    // The script is checked as it will be stored.
    PackagedFiles packaged = {files, arguments.beside};
    std::vector<ScriptPath> paths =
        CheckInstallScript(converted->empty() ? bytes : *converted, label, haveFiles ? &packaged : nullptr, diagnostics);
    if (!haveFiles)
        return;
    CheckDatabases(files, paths, diagnostics);
}

// The stub must be a bare program: records it already carried would go
// into every installer built from it.
void CheckStub(const std::string& stub, Diagnostics* diagnostics)
{
    Payload payload;
    char magic[2] = {};
    PayloadResult opened = OpenPayload(stub.c_str(), false, &payload);
    if (opened.fault == PayloadFault::kCannotOpen)
        ReportError(diagnostics, stub.c_str(), 0, "cannot read the installer program named by --stub");
    else if (opened.fault != PayloadFault::kNone || fseek(payload.file, 0, SEEK_SET) != 0
             || fread(magic, 1, 2, payload.file) != 2 || magic[0] != 'M' || magic[1] != 'Z')
        ReportError(diagnostics, stub.c_str(), 0, "not a Windows program to use as the installer");
    else if (payload.layout.isSigned)
        ReportError(diagnostics, stub.c_str(), 0, "%s", kSignedRefusal);
    else if (payload.chain != ChainState::kNone)
        ReportError(diagnostics, stub.c_str(), 0, "it already carries payload records: strip it first");
    // The installer finds its records where its image ends: bytes in
    // between make every installer built from it look damaged.
    else if (payload.layout.imageEnd > 0 && payload.layout.imageEnd != payload.layout.fileLength)
        ReportError(diagnostics, stub.c_str(), 0,
                    "its program image ends at byte %lld, but the file has %lld bytes: every installer built "
                    "from it would say it is damaged", static_cast<long long>(payload.layout.imageEnd),
                    static_cast<long long>(payload.layout.fileLength));
    ClosePayload(&payload);
}

// Reports a failed append of input to the installer named output.
void ReportAppendFailure(PayloadResult result, const std::string& input, const std::string& output,
                         Diagnostics* diagnostics)
{
    AppendFailure failure = DescribeAppendFailure(result.fault);
    ReportError(diagnostics, (failure.aboutInput ? input : output).c_str(), 0, "%s", failure.text);
}

// Tells, with -v, of the record named name just appended to partial, whose
// length was *length before it; *length becomes its length now.
void DetailRecord(const char* name, const std::string& partial, int64_t* length)
{
    int64_t now = 0;
    MeasurePackedFile(partial, &now);
    Detail("  %-24s %10lld bytes of data; the installer is now %lld bytes", name,
           static_cast<long long>(now - *length - RecordBytes(0, strlen(name))), static_cast<long long>(now));
    *length = now;
}

// -o must not name a file the build reads, however it is written: the
// installer would replace it.
void CheckOutputIsNoInput(const PackArguments& arguments, const std::string& stub, Diagnostics* diagnostics)
{
    std::vector<std::string> inputs = arguments.operands;
    inputs.push_back(arguments.script);
    inputs.push_back(stub);
    for (const std::string& input : inputs) {
        if (IsSameFile(arguments.output.c_str(), input.c_str())) {
            ReportError(diagnostics, arguments.output.c_str(), 0,
                        "it is %s, which this build reads: the installer would replace it", input.c_str());
            return;
        }
    }
}

// Copies the stub into out, a new file, and closes it. Returns 0 or -1.
int CopyStub(const std::string& stub, FILE* out)
{
    FILE* in = fopen(stub.c_str(), "rb");
    int32_t size = 0;
    bool copied = in && MeasureFile(in, &size) == 0 && fseek(in, 0, SEEK_SET) == 0
        && CopyStreamBytes(in, out, size) == 0;
    if (in)
        fclose(in);
    return CloseWrittenStream(out) == 0 && copied ? 0 : -1;
}

// Appends file to partial, whose length is *length: compressed when asked
// and that saves enough, else raw, as -a appends it. Returns 0 (counting a
// compressed one in compressed), or -1 after reporting what failed.
int AppendFile(const PackedFile& file, bool compress, const std::string& partial, const std::string& output,
               int64_t* length, int* compressed, Diagnostics* diagnostics)
{
    char name[kRecordNameChars + 1];
    std::string coded = partial + ".lzma";
    CompressOutcome outcome = CompressOutcome::kKeepRaw;
    if (compress && MakeCompressedRecordName(file.recordName.c_str(), name) == 0)
        outcome = CompressDatabase(file.path.c_str(), file.size, coded.c_str());
    if (outcome == CompressOutcome::kFailed) {
        ReportError(diagnostics, file.label.c_str(), 0, "cannot compress it: it cannot be read, or %s not written",
                    coded.c_str());
        return -1;
    }
    PayloadResult result = outcome == CompressOutcome::kCompressed
        ? AppendNamedPayloadRecord(partial.c_str(), coded.c_str(), name)
        : AppendPayloadRecord(partial.c_str(), file.path.c_str());
    if (outcome == CompressOutcome::kCompressed) {
        DeleteFileOnly(coded.c_str());
        *compressed += 1;
    }
    if (result.fault != PayloadFault::kNone) {
        ReportAppendFailure(result, file.label, output, diagnostics);
        return -1;
    }
    DetailRecord(outcome == CompressOutcome::kCompressed ? name : file.recordName.c_str(), partial, length);
    return 0;
}

// Writes stub, files (compressed unless store) and script (converted, when
// it is not empty, else the file script) into partial (open as out, which
// this closes), which becomes output. Returns 0, or -1 after reporting what
// failed.
int WriteInstaller(const std::string& stub, const std::vector<PackedFile>& files, const std::string& script,
                   const std::vector<char>& converted, bool store, FILE* out, const std::string& partial,
                   const std::string& output, int* compressed, Diagnostics* diagnostics)
{
    if (CopyStub(stub, out) != 0) {
        ReportError(diagnostics, output.c_str(), 0, "cannot write it");
        return -1;
    }
    int64_t length = 0;
    MeasurePackedFile(partial, &length);
    Detail("  %-24s %10lld bytes, the installer program", stub.c_str(), static_cast<long long>(length));
    for (const PackedFile& file : files) {
        if (AppendFile(file, kCanCompressDatabases && !store, partial, output, &length, compressed, diagnostics) != 0)
            return -1;
    }
    PayloadResult result = converted.empty()
                               ? AppendNamedPayloadRecord(partial.c_str(), script.c_str(), kScriptRecordName)
                               : AppendPayloadBytes(partial.c_str(), converted.data(),
                                                    static_cast<int32_t>(converted.size()), kScriptRecordName);
    if (result.fault != PayloadFault::kNone) {
        ReportAppendFailure(result, script, output, diagnostics);
        return -1;
    }
    DetailRecord(kScriptRecordName, partial, &length);
    result = AppendChecksumRecord(partial.c_str());
    if (result.fault != PayloadFault::kNone) {
        ReportAppendFailure(result, script, output, diagnostics);
        return -1;
    }
    DetailRecord(kChecksumRecordName, partial, &length);
    return 0;
}

} // namespace

int RunBuild(const PackArguments& arguments)
{
    Diagnostics diagnostics;
    diagnostics.strict = arguments.strict;
    std::string stub = arguments.stub.empty() ? FindDefaultStub(&diagnostics) : arguments.stub;
    std::vector<PackedFile> files = GatherPackedFiles(arguments.operands, &diagnostics);
    std::vector<char> converted;
    CheckScriptAndFiles(arguments.script, files, true, arguments, &converted, &diagnostics);
    if (!stub.empty())
        CheckStub(stub, &diagnostics);
    CheckOutputIsNoInput(arguments, stub, &diagnostics);

    const std::string& output = arguments.output;
    if (HasFailed(diagnostics)) {
        PrintDiagnosticsSummary(diagnostics);
        fprintf(stderr, "%s: not written\n", output.c_str());
        return 1;
    }
    // Written beside the output, under a name of its own that no one can
    // place there first, and put in its place in one step, so that an
    // existing installer stays whole until the new one is.
    if (!kCanCompressDatabases && !arguments.store)
        Note("note: this build has no LZMA coder and stores every database uncompressed; the Linux build "
             "compresses them");
    char name[kTemporaryPathBytes];
    FILE* out = CreateFileBeside(output.c_str(), name, sizeof name);
    std::string partial = out ? name : "";
    int compressed = 0;
    if (!out
        || WriteInstaller(stub, files, arguments.script, converted, arguments.store, out, partial, output,
                          &compressed, &diagnostics) != 0
        || TakePermissionsFor(partial.c_str(), output.c_str(), true) != 0
        || ReplaceFileWith(partial.c_str(), output.c_str()) != 0) {
        if (diagnostics.errors == 0)
            ReportError(&diagnostics, output.c_str(), 0, "cannot put the installer in place");
        if (out)
            DeleteFileOnly(partial.c_str());
        fprintf(stderr, "%s: not written\n", output.c_str());
        return 1;
    }
    PrintDiagnosticsSummary(diagnostics);
    int64_t size = 0;
    MeasurePackedFile(output, &size);
    Note("%s: %d file%s (%d compressed) and the install script, %lld bytes", output.c_str(),
         static_cast<int>(files.size()), files.size() == 1 ? "" : "s", compressed, static_cast<long long>(size));
    return 0;
}

int RunCheck(const PackArguments& arguments)
{
    Diagnostics diagnostics;
    diagnostics.strict = arguments.strict;
    std::vector<std::string> paths(arguments.operands.begin() + 1, arguments.operands.end());
    std::vector<PackedFile> files = GatherPackedFiles(paths, &diagnostics);
    std::vector<char> converted;
    CheckScriptAndFiles(arguments.operands[0], files, !paths.empty(), arguments, &converted, &diagnostics);
    PrintDiagnosticsSummary(diagnostics);
    return HasFailed(diagnostics) ? 1 : 0;
}
