// The in-memory registry behind the registry operations of platform.h.
#include "fakes/fake_registry.h"

#include "driver/platform.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

FakeRegistry gFakeRegistry;

namespace {

// Status codes as Windows gives them.
constexpr long kSuccess = 0;
constexpr long kNotFound = 2;
constexpr long kAccessDenied = 5;
constexpr long kMoreData = 234;

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Hex(uint32_t value)
{
    char text[16];
    snprintf(text, sizeof text, "%x", value);
    return text;
}

std::string FullPath(const std::string& keyPath)
{
    return keyPath.empty() ? "HKCU" : "HKCU\\" + keyPath;
}

// The full path of an open key, "HKCU" for the root. An unknown handle is
// a fault of the code under test and fails loudly.
std::string PathOf(RegistryKey key)
{
    if (key == kCurrentUserKey)
        return "HKCU";
    auto found = gFakeRegistry.openKeys.find(key);
    if (found == gFakeRegistry.openKeys.end())
        abort();
    return found->second;
}

bool IsRefused(const std::string& what)
{
    for (const std::string& refused : gFakeRegistry.refused) {
        if (Lower(refused) == Lower(what))
            return true;
    }
    return false;
}

RegistryKey Remember(const std::string& path)
{
    RegistryKey key = gFakeRegistry.nextHandle++;
    gFakeRegistry.openKeys[key] = path;
    return key;
}

void EnsureRoot()
{
    gFakeRegistry.keys["hkcu"];
}

} // namespace

void ResetFakeRegistry()
{
    gFakeRegistry = FakeRegistry();
    EnsureRoot();
}

void PutFakeRegistryValue(const std::string& keyPath, const std::string& valueName, uint32_t type,
                          const std::vector<unsigned char>& data)
{
    EnsureRoot();
    std::string path = "HKCU";
    size_t start = 0;
    while (start < keyPath.size()) {
        size_t end = keyPath.find('\\', start);
        if (end == std::string::npos)
            end = keyPath.size();
        path += "\\" + keyPath.substr(start, end - start);
        gFakeRegistry.keys[Lower(path)];
        start = end + 1;
    }
    gFakeRegistry.keys[Lower(path)][Lower(valueName)] = {type, data};
}

void PutFakeRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text)
{
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    PutFakeRegistryValue(keyPath, valueName, 1, data);
}

const FakeRegistryValue* FindFakeRegistryValue(const std::string& keyPath, const std::string& valueName)
{
    auto key = gFakeRegistry.keys.find(Lower(FullPath(keyPath)));
    if (key == gFakeRegistry.keys.end())
        return nullptr;
    auto value = key->second.find(Lower(valueName));
    return value == key->second.end() ? nullptr : &value->second;
}

bool FakeRegistryKeyExists(const std::string& keyPath)
{
    return gFakeRegistry.keys.count(Lower(FullPath(keyPath))) != 0;
}

void DeleteFakeRegistryTree(const std::string& keyPath)
{
    std::string root = Lower(FullPath(keyPath));
    for (auto key = gFakeRegistry.keys.begin(); key != gFakeRegistry.keys.end();) {
        bool below = key->first == root || key->first.rfind(root + "\\", 0) == 0;
        key = below ? gFakeRegistry.keys.erase(key) : std::next(key);
    }
}

long RegistryOpenKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key)
{
    std::string path = PathOf(parent) + "\\" + name;
    gFakeRegistry.calls.push_back("open " + path + " " + Hex(access));
    if (IsRefused(path))
        return kAccessDenied;
    if (gFakeRegistry.keys.count(Lower(path)) == 0)
        return kNotFound;
    *key = Remember(path);
    return kSuccess;
}

long RegistryCreateKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key)
{
    std::string path = PathOf(parent) + "\\" + name;
    gFakeRegistry.calls.push_back("create " + path + " " + Hex(access));
    if (IsRefused(path))
        return kAccessDenied;
    gFakeRegistry.keys[Lower(path)];
    *key = Remember(path);
    return kSuccess;
}

long RegistryQueryValue(RegistryKey key, const char* name, void* data, uint32_t* size)
{
    std::string path = PathOf(key);
    gFakeRegistry.calls.push_back("query " + path + " [" + name + "] " + std::to_string(*size));
    auto& values = gFakeRegistry.keys[Lower(path)];
    auto value = values.find(Lower(name));
    if (value == values.end())
        return kNotFound;
    uint32_t needed = static_cast<uint32_t>(value->second.data.size());
    if (needed > *size) {
        *size = needed;
        return kMoreData;
    }
    if (needed > 0)
        memcpy(data, value->second.data.data(), needed);
    *size = needed;
    return kSuccess;
}

long RegistrySetValue(RegistryKey key, const char* name, uint32_t type, const void* data, uint32_t size)
{
    std::string path = PathOf(key);
    gFakeRegistry.calls.push_back("set " + path + " [" + name + "] type " + std::to_string(type) +
                                  " size " + std::to_string(size));
    if (IsRefused(path + " [" + name + "]"))
        return kAccessDenied;
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    gFakeRegistry.keys[Lower(path)][Lower(name)] = {type, std::vector<unsigned char>(bytes, bytes + size)};
    return kSuccess;
}

long RegistryCloseKey(RegistryKey key)
{
    std::string path = PathOf(key);
    gFakeRegistry.calls.push_back("close " + path);
    gFakeRegistry.openKeys.erase(key);
    return kSuccess;
}
