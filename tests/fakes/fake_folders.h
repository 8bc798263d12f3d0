// An in-memory folder tree behind the folder listing, for native tests.
// Paths are plain strings joined with backslashes, compared byte-exact;
// entries list in the order they were added. ResetFakePlatform() empties
// it; ResetFakeFolders() empties it alone.
#pragma once

#include <string>
#include <vector>

struct FakeFolderEntry {
    std::string path;
    bool isFolder;
};

struct FakeFolders {
    std::vector<FakeFolderEntry> entries; // in listing order
    std::vector<std::string> patterns;    // every listing started, in order
    int openListings = 0;                 // started and not yet ended
};

extern FakeFolders gFakeFolders;

void ResetFakeFolders();

// Adds an entry; its parent folder need not have been added.
void AddFakeFolder(const std::string& path);
void AddFakeFile(const std::string& path);

// Removes path and every entry below it.
void RemoveFakeFolderTree(const std::string& path);
