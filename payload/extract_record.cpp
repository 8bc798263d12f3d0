// Writing one payload record's data to a file of its own.
#include "payload/payload_archive.h"

#include "payload/stream_copy.h"

int ExtractPayloadRecord(const char* archivePath, const char* recordName, const char* destinationPath)
{
    FILE* destination = fopen(destinationPath, "wb");
    if (!destination)
        return -1;

    int32_t size = 0;
    FILE* record = FindPayloadRecord(archivePath, recordName, &size);
    if (!record) {
        fclose(destination);
        return -1;
    }
    int copied = CopyStreamBytes(record, destination, size);
    fclose(record);
    // Buffered bytes reach the disk only at the end, so a full disk may
    // show itself only there.
    if (CloseWrittenStream(destination) == 0 && copied == 0)
        return 0;

    // Empty the part copy, as an absent record leaves it: a short database
    // must never look installed.
    FILE* emptied = fopen(destinationPath, "wb");
    if (emptied)
        fclose(emptied);
    return -1;
}
