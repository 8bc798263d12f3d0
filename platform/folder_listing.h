// Listing a folder by pattern. Defined for Windows in folder_listing_win.cpp;
// native tests link a fake folder tree.
#pragma once

struct FolderEntry {
    char name[260];
    bool isFolder;
};

struct FolderListing;

// Starts a listing of pattern (such as "c:\pilot\*") and fills first.
// Returns the listing, or nullptr when it cannot start (nothing matches).
FolderListing* StartFolderListing(const char* pattern, FolderEntry* first);

// Fills next with the next entry. Returns false when there is none.
bool NextFolderEntry(FolderListing* listing, FolderEntry* next);

void EndFolderListing(FolderListing* listing);
