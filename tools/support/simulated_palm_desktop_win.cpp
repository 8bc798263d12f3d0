// The store of a simulated Palm Desktop on Windows: the real registry
// below HKEY_CURRENT_USER and the real file system.
#include "support/simulated_palm_desktop_store.h"

#include <windows.h>

bool DeleteRegistryTree(const std::string& keyPath)
{
    LONG status = RegDeleteTreeA(HKEY_CURRENT_USER, keyPath.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND)
        return true;
    // RegDeleteTree leaves the key itself when it was emptied but is gone.
    return RegDeleteKeyA(HKEY_CURRENT_USER, keyPath.c_str()) == ERROR_SUCCESS;
}

bool WriteRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG status = RegSetValueExA(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool ReadRegistryDword(const std::string& keyPath, const std::string& valueName, uint32_t* type,
                       uint32_t* value)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD foundType = 0;
    DWORD data = 0;
    DWORD size = sizeof data;
    LONG status = RegQueryValueExA(key, valueName.c_str(), nullptr, &foundType, reinterpret_cast<BYTE*>(&data),
                                   &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || size != sizeof data)
        return false;
    *type = foundType;
    *value = data;
    return true;
}

bool DeleteFolderTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    bool deleted = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string child = path + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            deleted = DeleteFolderTree(child) && deleted;
        else
            deleted = DeleteFileA(child.c_str()) && deleted;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return RemoveDirectoryA(path.c_str()) && deleted;
}

bool MakeFolder(const std::string& path)
{
    // Each folder on the way, from the drive down.
    for (size_t end = path.find('\\', 3); ; end = path.find('\\', end + 1)) {
        std::string folder = path.substr(0, end);
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        if (end == std::string::npos)
            return true;
    }
}

bool WriteWholeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}
