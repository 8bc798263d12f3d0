// The Palm OS database header rule and its fallback to the file name.
#include "palm/database_header.h"

#include "base/bounded_text.h"
#include "palm/slot_path.h"

int ReadDatabaseHeader(FILE* source, DatabaseName* naming)
{
    unsigned char header[kDatabaseHeaderBytes];
    if (fread(header, 1, sizeof header, source) != sizeof header)
        return -1;
    CopyTextPart(naming->name, sizeof naming->name, reinterpret_cast<const char*>(header),
                 kDatabaseNameBytes);
    // Attributes are big-endian: the resource bit 0x0001 lies in the second byte.
    naming->isResourceDatabase = (header[kDatabaseNameBytes + 1] & 1) != 0;
    return 0;
}

void NameDatabase(FILE* source, const char* slotPath, DatabaseName* naming)
{
    if (source && ReadDatabaseHeader(source, naming) == 0)
        return;
    SplitPath parts;
    SplitWindowsPath(slotPath, &parts);
    CopyText(naming->name, sizeof naming->name, parts.baseName);
    naming->isResourceDatabase = EqualsIgnoringCase(parts.extension, ".prc");
}
