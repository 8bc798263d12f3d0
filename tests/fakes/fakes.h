// Recording fakes of the platform seams for the native tests: an in-memory
// HKEY_CURRENT_USER, an in-memory folder tree, the process, and the pages.
// Files stay real: the native build links the portable file operations.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeRegistryValue {
    uint32_t type;
    std::string data;
};

struct FakeControl {
    std::string text;
    bool shown = false;
    bool checked = false;
};

struct Fakes {
    // Key paths below HKCU ("" is HKCU itself), each with its values by name.
    // Names are compared exactly: the product spells every name one way.
    std::map<std::string, std::map<std::string, FakeRegistryValue>> registry;
    std::set<std::string> refusedKeys;        // cannot be opened or created

    std::vector<std::pair<std::string, bool>> folderTree; // path and is-folder, in listing order
    std::string ownPath;                      // empty: the own path cannot be had

    std::vector<std::string> boxes;           // "caption: text", in order
    std::vector<std::string> statusLines;
    std::map<int, FakeControl> controls;      // of the page created last
    // Plays the person at each served page (given its dialog id): true
    // presses the forward button, false asks to quit. Unset: quit.
    std::function<bool(int page)> person;
};

extern Fakes gFakes;

// Fresh fakes and a fresh InstallState, for the start of every test.
void ResetFakes();

// Stores a REG_SZ value with its terminator, creating its key and those above.
void PutRegistryText(const std::string& keyPath, const std::string& name, const std::string& text);
