// Recording fakes of the pages and of the current page's controls, for
// native tests: what the driver would have shown, per control id.
// ResetFakePlatform() clears them; ResetFakePageControls() clears them alone.
#pragma once

#include <map>
#include <string>
#include <vector>

struct FakeControl {
    std::string text;         // the last SetControlText
    bool shown = false;       // ShowControl was called
    bool checked = false;     // the last SetCheckBox
    std::string appended;     // every AppendToTextBox, joined
    int scrolledLines = 0;    // the sum of every ScrollTextBox
};

struct FakePages {
    std::map<int, FakeControl> controls;  // by control id, of whatever page is current
    std::vector<int> created;             // dialog ids, in order of CreatePage
    std::vector<int> shown;               // show commands, in order of ShowPage
    int destroyed = 0;                    // DestroyPage calls
    bool creationFails = false;           // CreatePage returns nullptr
};

extern FakePages gFakePages;

void ResetFakePageControls();
