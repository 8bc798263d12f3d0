// The folder listing over the in-memory tree. "<folder>\*" lists "." and
// ".." and then the folder's own entries, as Windows does for any folder
// but a drive's root; any other pattern finds the entry of exactly that path.
// As on Windows, "." and ".." inside a pattern are resolved first.
#include "fakes/fake_folders.h"

#include "driver/bounded_text.h"
#include "driver/platform.h"

FakeFolders gFakeFolders;

struct FolderListing {
    std::vector<FolderEntry> found;
    size_t next;
};

namespace {

FolderEntry Entry(const std::string& name, bool isFolder)
{
    FolderEntry entry;
    CopyText(entry.name, name.c_str());
    entry.isFolder = isFolder;
    return entry;
}

const FakeFolderEntry* Find(const std::string& path)
{
    for (const FakeFolderEntry& entry : gFakeFolders.entries) {
        if (entry.path == path)
            return &entry;
    }
    return nullptr;
}

void Add(const std::string& path, bool isFolder)
{
    gFakeFolders.entries.push_back({path, isFolder});
}

std::string Resolve(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = path.find('\\', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == ".." && !parts.empty())
            parts.pop_back();
        else if (part != ".")
            parts.push_back(part);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::string resolved;
    for (const std::string& part : parts)
        resolved += (resolved.empty() ? "" : "\\") + part;
    return resolved;
}

std::vector<FolderEntry> Match(const std::string& given)
{
    std::string pattern = Resolve(given);
    std::vector<FolderEntry> found;
    size_t length = pattern.size();
    if (length >= 2 && pattern.compare(length - 2, 2, "\\*") == 0) {
        std::string folder = pattern.substr(0, length - 2);
        const FakeFolderEntry* parent = Find(folder);
        if (!parent || !parent->isFolder)
            return found;
        found.push_back(Entry(".", true));
        found.push_back(Entry("..", true));
        std::string prefix = folder + "\\";
        for (const FakeFolderEntry& entry : gFakeFolders.entries) {
            if (entry.path.rfind(prefix, 0) == 0 && entry.path.find('\\', prefix.size()) == std::string::npos)
                found.push_back(Entry(entry.path.substr(prefix.size()), entry.isFolder));
        }
        return found;
    }
    if (const FakeFolderEntry* entry = Find(pattern))
        found.push_back(Entry(pattern.substr(pattern.rfind('\\') + 1), entry->isFolder));
    return found;
}

} // namespace

void ResetFakeFolders()
{
    gFakeFolders = FakeFolders();
}

void AddFakeFolder(const std::string& path)
{
    Add(path, true);
}

void AddFakeFile(const std::string& path)
{
    Add(path, false);
}

void RemoveFakeFolderTree(const std::string& path)
{
    std::erase_if(gFakeFolders.entries, [&](const FakeFolderEntry& entry) {
        return entry.path == path || entry.path.rfind(path + "\\", 0) == 0;
    });
}

FolderListing* StartFolderListing(const char* pattern, FolderEntry* first)
{
    gFakeFolders.patterns.push_back(pattern);
    std::vector<FolderEntry> found = Match(pattern);
    if (found.empty())
        return nullptr;
    *first = found[0];
    gFakeFolders.openListings++;
    return new FolderListing{found, 1};
}

bool NextFolderEntry(FolderListing* listing, FolderEntry* next)
{
    if (listing->next == listing->found.size())
        return false;
    *next = listing->found[listing->next++];
    return true;
}

void EndFolderListing(FolderListing* listing)
{
    gFakeFolders.openListings--;
    delete listing;
}
