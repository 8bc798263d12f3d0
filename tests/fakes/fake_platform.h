// Recording fakes of the platform operations, for native tests. Files are
// real (tests work in a temporary folder); windows, boxes and pauses are
// only recorded. Call ResetFakePlatform() at the start of every test.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RecordedMessageBox {
    std::string text;
    std::string caption;
};

struct FakePlatform {
    std::string commandLine = "vantrel.exe";
    std::string ownProgramPath = "vantrel.exe";
    bool ownProgramPathFails = false;

    std::vector<RecordedMessageBox> messageBoxes;
    std::vector<std::string> statusLines;
    std::vector<uint32_t> pauses;
    std::vector<std::string> copies;        // "source -> destination"
    std::vector<std::string> truncations;   // "path @ length"
};

extern FakePlatform gFake;

// Starts a test from fresh fakes (all of them) and a fresh InstallState.
void ResetFakePlatform();
