// extract, append and strip: one record out, one record in, all records off.
#include "packager/commands.h"

#include "packager/diagnostics.h"
#include "packager/packed_file.h"
#include "payload/payload_archive.h"
#include "platform/file_identity.h"

#include <cstdio>

namespace {

// A folder or a device (/dev/null, NUL) takes no records and gives none.
constexpr char kNotRegular[] =
    "no regular file of that name (it is missing, a folder or a device): nothing was changed";

int Fail(const char* file, const char* message)
{
    fprintf(stderr, "%s: error: %s\n", file, message);
    return 1;
}

} // namespace

int RunExtract(const PackArguments& arguments)
{
    const char* installer = arguments.operands[0].c_str();
    const std::string& name = arguments.operands[1];
    const std::string& output = arguments.output.empty() ? name : arguments.output;
    if (IsSameFile(installer, output.c_str()))
        return Fail(output.c_str(), "it is the installer itself, which the record would replace");
    Payload payload;
    OpenPayload(installer, false, &payload);
    const PayloadRecord* record = FindPayloadRecord(payload, name.c_str());
    PayloadFault fault = record ? ExtractPayloadRecord(payload, *record, output.c_str()).fault : PayloadFault::kNone;
    ClosePayload(&payload);
    if (!record)
        return Fail(installer, "no record of that name");
    if (fault == PayloadFault::kCorrupt)
        return Fail(installer, "the record is damaged: it does not decode to the size it states");
    if (fault != PayloadFault::kNone)
        return Fail(output.c_str(), "cannot write it; it is left as it was");
    return 0;
}

int RunAppend(const PackArguments& arguments)
{
    const char* installer = arguments.operands[0].c_str();
    const char* input = arguments.operands[1].c_str();
    if (!IsRegularFile(installer))
        return Fail(installer, kNotRegular);
    PayloadResult result = AppendPayloadRecord(installer, input);
    if (result.fault == PayloadFault::kNone) {
        int64_t size = 0;
        MeasurePackedFile(input, &size);
        Detail("  %s: %lld bytes of data appended to %s", input, static_cast<long long>(size), installer);
        return 0;
    }
    AppendFailure failure = DescribeAppendFailure(result.fault);
    return Fail(failure.aboutInput ? input : installer, failure.text);
}

int RunStrip(const PackArguments& arguments)
{
    const char* installer = arguments.operands[0].c_str();
    if (!IsRegularFile(installer))
        return Fail(installer, kNotRegular);
    // Read first, so that a file without records passes whether or not it
    // can be written, and a refusal says why.
    switch (StripPayloadRecords(installer, false).fault) {
    case PayloadFault::kNone:
        return 0;
    case PayloadFault::kSigned:
        return Fail(installer, kSignedRefusal);
    case PayloadFault::kDamaged:
        // Where a damaged chain begins is unknown: cutting at a guess could cut the program.
        return Fail(installer, "damaged: its records do not lead back to the end of the program image; nothing was "
                               "cut");
    case PayloadFault::kCannotWrite:
        return Fail(installer, "cannot cut it: read-only or in use");
    default:
        return Fail(installer, "cannot read it");
    }
}
