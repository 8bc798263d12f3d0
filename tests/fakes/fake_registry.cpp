// The registry seam over the in-memory HKEY_CURRENT_USER of the fakes.
#include "fakes/fakes.h"
#include "platform/registry.h"

#include <cstring>
#include <utility>

namespace {

// An open key is its path on the heap: a key never closed shows as a leak.
std::string KeyPath(RegistryKey key) { return key == kCurrentUserKey ? "" : *reinterpret_cast<std::string*>(key); }

long Open(RegistryKey parent, const char* name, bool create, RegistryKey* key)
{
    std::string path = parent == kCurrentUserKey ? name : KeyPath(parent) + "\\" + name;
    if (gFakes.refusedKeys.count(path))
        return 5; // ERROR_ACCESS_DENIED
    if (!create && !gFakes.registry.count(path))
        return 2; // ERROR_FILE_NOT_FOUND
    gFakes.registry[path];
    *key = reinterpret_cast<RegistryKey>(new std::string(path));
    return 0;
}

} // namespace

long RegistryOpenKey(RegistryKey parent, const char* name, uint32_t, RegistryKey* key) { return Open(parent, name, false, key); }
long RegistryCreateKey(RegistryKey parent, const char* name, uint32_t, RegistryKey* key) { return Open(parent, name, true, key); }

long RegistryQueryValue(RegistryKey key, const char* name, void* data, uint32_t* size)
{
    auto& values = gFakes.registry[KeyPath(key)];
    if (!values.count(name))
        return 2; // ERROR_FILE_NOT_FOUND
    const std::string& bytes = values[name].data;
    uint32_t capacity = std::exchange(*size, static_cast<uint32_t>(bytes.size()));
    if (bytes.size() > capacity)
        return 234; // ERROR_MORE_DATA
    memcpy(data, bytes.data(), bytes.size());
    return 0;
}

long RegistrySetValue(RegistryKey key, const char* name, uint32_t type, const void* data, uint32_t size)
{
    gFakes.registry[KeyPath(key)][name] = {type, std::string(static_cast<const char*>(data), size)};
    return 0;
}

long RegistryCloseKey(RegistryKey key) { delete reinterpret_cast<std::string*>(key); return 0; }

void PutRegistryText(const std::string& keyPath, const std::string& name, const std::string& text)
{
    for (size_t at = keyPath.find('\\'); at != std::string::npos; at = keyPath.find('\\', at + 1))
        gFakes.registry[keyPath.substr(0, at)];
    gFakes.registry[keyPath][name] = {1, text + '\0'}; // REG_SZ
}
