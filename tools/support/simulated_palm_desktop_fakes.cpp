// The store of a simulated Palm Desktop in native tests: the fake registry
// and fake folder tree; files are written for real as well, since the
// installer reads users.dat through file streams.
#include "support/simulated_palm_desktop_store.h"

#include "fakes/fake_folders.h"
#include "fakes/fake_registry.h"

#include <cstdio>
#include <cstring>

bool DeleteRegistryTree(const std::string& keyPath)
{
    DeleteFakeRegistryTree(keyPath);
    return true;
}

bool WriteRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text)
{
    PutFakeRegistryText(keyPath, valueName, text);
    return true;
}

bool ReadRegistryDword(const std::string& keyPath, const std::string& valueName, uint32_t* type,
                       uint32_t* value)
{
    const FakeRegistryValue* found = FindFakeRegistryValue(keyPath, valueName);
    if (!found || found->data.size() != sizeof *value)
        return false;
    *type = found->type;
    memcpy(value, found->data.data(), sizeof *value);
    return true;
}

bool DeleteFolderTree(const std::string& path)
{
    for (const FakeFolderEntry& entry : gFakeFolders.entries) {
        bool below = entry.path == path || entry.path.rfind(path + "\\", 0) == 0;
        if (below && !entry.isFolder)
            remove(entry.path.c_str());
    }
    RemoveFakeFolderTree(path);
    return true;
}

bool MakeFolder(const std::string& path)
{
    AddFakeFolder(path);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (fclose(file) != 0 || !written)
        return false;
    AddFakeFile(path);
    return true;
}
