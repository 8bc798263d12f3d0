// Win32 side of the folder listing: FindFirstFileA and FindNextFileA.
#include "base/bounded_text.h"
#include "platform/folder_listing.h"

#include <windows.h>

namespace {

// The listing is the find handle itself; nothing else needs keeping.
HANDLE ToHandle(FolderListing* listing)
{
    return reinterpret_cast<HANDLE>(listing);
}

void Fill(const WIN32_FIND_DATAA& found, FolderEntry* entry)
{
    CopyText(entry->name, found.cFileName);
    entry->isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

FolderListing* StartFolderListing(const char* pattern, FolderEntry* first)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern, &found);
    if (find == INVALID_HANDLE_VALUE)
        return nullptr;
    Fill(found, first);
    return reinterpret_cast<FolderListing*>(find);
}

bool NextFolderEntry(FolderListing* listing, FolderEntry* next)
{
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(ToHandle(listing), &found))
        return false;
    Fill(found, next);
    return true;
}

void EndFolderListing(FolderListing* listing)
{
    FindClose(ToHandle(listing));
}
