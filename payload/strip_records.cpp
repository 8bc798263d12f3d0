// Cutting the whole payload record chain off an executable.
#include "payload/payload_archive.h"

#include "payload/record_chain.h"
#include "platform/files.h"

void StripPayloadRecords(const char* executablePath)
{
    // Opened for update so that a file that cannot be written is left alone
    // before anything else is tried.
    FILE* file = fopen(executablePath, "rb+");
    if (!file)
        return;

    int32_t cut = -1;
    ChainWalk walk;
    ChainRecord record;
    if (StartChainWalk(file, &walk) == 0) {
        ChainStep step;
        while ((step = ReadPreviousRecord(&walk, &record)) == ChainStep::Record)
            cut = record.dataStart;
        // A damaged chain leaves no trustworthy image end: keep every byte.
        if (step == ChainStep::Damaged)
            cut = -1;
    }
    fclose(file);

    // The stream is closed first: the truncation opens the file unshared.
    if (cut >= 0)
        TruncateFileAt(executablePath, cut);
}
