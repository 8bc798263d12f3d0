// Recording fakes of the platform seams for the native tests: an in-memory
// HKEY_CURRENT_USER, an in-memory folder tree, the process, and the pages.
// Files stay real: the native build links the portable file operations.
#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeRegistryValue {
    uint32_t type;
    std::string data;
};

struct Fakes {
    // Key paths below HKCU ("" is HKCU itself), each with its values by name.
    // Names are compared exactly: the product spells every name one way.
    std::map<std::string, std::map<std::string, FakeRegistryValue>> registry;
    std::set<std::string> refusedKeys;        // cannot be opened or created

    std::vector<std::pair<std::string, bool>> folderTree; // path and is-folder, in listing order
    std::string ownPath;                      // empty: the own file cannot be opened
    LocalTime now = {2026, 3, 4, 5, 6, 7};    // the clock, standing still

    std::vector<std::string> boxes;           // "caption: text", in order
    std::vector<std::string> statusLines;
};

extern Fakes gFakes;

// Fresh fakes and an empty process record, for the start of every test.
void ResetFakes();

// Stores a REG_SZ value with its terminator, creating its key and those above.
void PutRegistryText(const std::string& keyPath, const std::string& name, const std::string& text);
