// extract, append and strip: one record out, one record in, all records off.
#include "packager/commands.h"

#include "packager/packed_file.h"
#include "payload/installer_layout.h"
#include "payload/payload_archive.h"
#include "payload/record_chain.h"

#include <cstdio>

namespace {

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
    FILE* record = FindPayloadRecord(installer, name.c_str(), nullptr);
    if (!record)
        return Fail(installer, "no record of that name");
    fclose(record);
    if (ExtractPayloadRecord(installer, name.c_str(), output.c_str()) != 0)
        return Fail(output.c_str(), "cannot write it");
    return 0;
}

int RunAppend(const PackArguments& arguments)
{
    const char* installer = arguments.operands[0].c_str();
    const char* input = arguments.operands[1].c_str();
    int result = AppendPayloadRecord(installer, input);
    if (result == kAppended)
        return 0;
    AppendFailure failure = DescribeAppendFailure(result);
    return Fail(failure.aboutInput ? input : installer, failure.text);
}

int RunStrip(const PackArguments& arguments)
{
    const char* installer = arguments.operands[0].c_str();
    FILE* file = fopen(installer, "rb");
    if (!file)
        return Fail(installer, "cannot read it");
    InstallerLayout layout;
    bool isSigned = ReadInstallerLayout(file, &layout) == 0 && layout.isSigned;
    ChainWalk walk;
    ChainRecord record;
    ChainStep step = ChainStep::End;
    bool hasChain = StartChainWalk(file, &walk) == 0;
    while (hasChain && (step = ReadPreviousRecord(&walk, &record)) == ChainStep::Record) {
    }
    fclose(file);
    if (isSigned)
        return Fail(installer, kSignedRefusal);
    if (!hasChain)
        return 0;
    // Where a damaged chain begins is unknown: cutting at a guess could cut the program.
    if (step == ChainStep::Damaged)
        return Fail(installer, "its record chain is damaged; nothing was cut");
    if (StripPayloadRecords(installer) != 0)
        return Fail(installer, "cannot cut it: read-only or in use");
    return 0;
}
