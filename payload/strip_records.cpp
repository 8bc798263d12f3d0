// Cutting the whole payload record chain off an executable.
#include "payload/payload_archive.h"

#include "payload/installer_layout.h"
#include "payload/record_chain.h"
#include "platform/files.h"

int StripPayloadRecords(const char* executablePath)
{
    // Opened for update so that a file that cannot be written is left alone
    // before anything else is tried.
    FILE* file = fopen(executablePath, "rb+");
    if (!file)
        return -1;

    InstallerLayout layout;
    bool isSigned = ReadInstallerLayout(file, &layout) != 0 || layout.isSigned;
    int32_t cut = -1;
    ChainWalk walk;
    ChainRecord record;
    bool hasChain = !isSigned && StartChainWalk(file, &walk) == 0;
    if (hasChain) {
        ChainStep step;
        while ((step = ReadPreviousRecord(&walk, &record)) == ChainStep::Record)
            cut = record.dataStart;
        // A damaged chain leaves no trustworthy image end: keep every byte.
        if (step == ChainStep::Damaged)
            cut = -1;
    }
    fclose(file);

    if (isSigned || (hasChain && cut < 0))
        return -1;
    // The stream is closed first: the truncation opens the file unshared.
    return cut < 0 ? 0 : TruncateFileAt(executablePath, cut);
}
