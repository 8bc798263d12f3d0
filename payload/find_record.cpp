// Looking up a payload record by name.
#include "payload/payload_archive.h"

#include "base/bounded_text.h"
#include "payload/record_chain.h"

FILE* FindPayloadRecord(const char* archivePath, const char* recordName, int32_t* sizeOut)
{
    FILE* file = fopen(archivePath, "rb");
    if (!file)
        return nullptr;

    ChainWalk walk;
    ChainRecord record;
    if (StartChainWalk(file, &walk) == 0) {
        while (ReadPreviousRecord(&walk, &record) == ChainStep::Record) {
            // An empty record can be written but is never found: the walk
            // goes on to an earlier record of the same name.
            if (record.size >= 1 && EqualsIgnoringCase(record.name, recordName)
                && fseek(file, record.dataStart, SEEK_SET) == 0) {
                if (sizeOut)
                    *sizeOut = record.size;
                return file;
            }
        }
    }
    fclose(file);
    return nullptr;
}
