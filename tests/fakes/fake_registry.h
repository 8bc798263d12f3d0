// An in-memory HKEY_CURRENT_USER for native tests, recording every registry
// call. Key and value names compare without regard to case, as on Windows.
// ResetFakePlatform() empties it; ResetFakeRegistry() empties it alone.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeRegistryValue {
    uint32_t type = 0;
    std::vector<unsigned char> data;
};

struct FakeRegistry {
    // Every key by its full path ("HKCU\Software\3Com"), in lower case, with
    // its values by lower-case name. "hkcu" itself always exists.
    std::map<std::string, std::map<std::string, FakeRegistryValue>> keys;

    // Every call, in order, as text:
    //   "open HKCU\Software 20019"         key path and access mask in hex
    //   "create HKCU\Software f003f"
    //   "query HKCU\Software\3Com [Path] 512"   byte count asked for
    //   "set HKCU\Software [Install3] type 4 size 4"
    //   "close HKCU\Software"
    // Failed calls are recorded too.
    std::vector<std::string> calls;

    // Full key paths (and "keypath [value]" for values) whose open, create
    // or set is refused, as a read-only key would be; any case.
    std::set<std::string> refused;

    std::map<uintptr_t, std::string> openKeys; // handle to full key path, as given
    uintptr_t nextHandle = 1;
};

extern FakeRegistry gFakeRegistry;

void ResetFakeRegistry();

// Stores a value (creating its key and the keys above it) without recording
// a call. keyPath is below HKCU, as in "Software\3Com\Palm Desktop\Core".
void PutFakeRegistryValue(const std::string& keyPath, const std::string& valueName, uint32_t type,
                          const std::vector<unsigned char>& data);

// A REG_SZ (1) value holding text and its terminator.
void PutFakeRegistryText(const std::string& keyPath, const std::string& valueName, const std::string& text);

// The value, or nullptr when its key or the value does not exist.
const FakeRegistryValue* FindFakeRegistryValue(const std::string& keyPath, const std::string& valueName);

bool FakeRegistryKeyExists(const std::string& keyPath);

// Removes the key and every key below it.
void DeleteFakeRegistryTree(const std::string& keyPath);
