// Building the destination path of an installed database.
#include "palm/destination_path.h"

#include "base/bounded_text.h"

#include <cstring>

namespace {

// The 24 characters a destination name never holds: 16 punctuation marks,
// the double quote, and (in code page 1252) the letter O with stroke, the
// copyright and registered signs and the four curly quotation marks.
const unsigned char kReplacedCharacters[] = ".,?*<>+=|\\[]/^;:\"\xD8\xA9\xAE\x91\x92\x93\x94";

bool IsReplaced(unsigned char c)
{
    if (c >= 1 && c <= 31)
        return true;
    return memchr(kReplacedCharacters, c, sizeof kReplacedCharacters - 1) != nullptr;
}

// True when name is a name Windows gives a device whatever follows it:
// writing to "NUL.pdb" or "COM1.prc" would reach the device, not a file.
bool IsDeviceName(const char* name)
{
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (EqualsIgnoringCase(name, device))
            return true;
    }
    // COM and LPT with a digit, or with the superscript 1, 2 or 3 of code page 1252.
    if (!StartsWithIgnoringCase(name, "COM") && !StartsWithIgnoringCase(name, "LPT"))
        return false;
    unsigned char number = static_cast<unsigned char>(name[3]);
    bool digit = (number >= '0' && number <= '9') || number == 0xB9 || number == 0xB2 || number == 0xB3;
    return digit && name[4] == '\0';
}

int Fail(char* destination)
{
    destination[0] = '\0';
    return -1;
}

} // namespace

int BuildDestinationPathIn(char (&destination)[kFilePathChars + 1], const char* folder,
                           const char* databaseName, bool isResourceDatabase)
{
    if (!databaseName || databaseName[0] == '\0')
        return CopyText(destination, folder) == 0 ? 0 : Fail(destination);

    // A name that does not fit here cannot fit in the whole path either.
    char name[kFilePathChars + 1];
    if (CopyText(name, databaseName[0] == '"' ? databaseName + 1 : databaseName) != 0)
        return Fail(destination);
    size_t length = strlen(name);
    if (length > 0 && name[length - 1] == '"')
        name[--length] = '\0';
    for (char* p = name; *p; p++) {
        if (IsReplaced(static_cast<unsigned char>(*p)))
            *p = '_';
    }
    // HotSync installs a database by its header name, so a prefix is harmless.
    if (IsDeviceName(name)) {
        memmove(name + 1, name, strlen(name) + 1);
        name[0] = '_';
    }

    const char* format = isResourceDatabase ? "%s\\%s.prc" : "%s\\%s.pdb";
    if (FormatText(destination, sizeof destination, format, folder, name) != 0)
        return Fail(destination);
    // Blanks in the folder are the user's; blanks in the name are not wanted.
    for (char* p = destination + strlen(folder) + 1; *p; p++) {
        if (*p == ' ')
            *p = '_';
    }
    return 0;
}

int BuildDestinationPath(char (&destination)[kFilePathChars + 1], const PalmUser& user,
                         const char* databaseName, bool isResourceDatabase, bool toBackup)
{
    return BuildDestinationPathIn(destination, toBackup ? user.backupPath : user.installPath, databaseName,
                                  isResourceDatabase);
}
