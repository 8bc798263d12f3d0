// The files page's check-box rule and the user page's choice.
#include "ui/page_choices.h"

#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

namespace {

struct Slot {
    bool selectedBefore;
    int boxState;
    bool selectedAfter;
};

// Runs the rule over six slots with fileCount of them in use.
void ExpectCheckBoxRule(int fileCount, const Slot (&slots)[kFileSlotCount])
{
    ResetFakePlatform();
    gState.fileCount = fileCount;
    int boxStates[kFileSlotCount];
    for (int k = 0; k < kFileSlotCount; ++k) {
        gState.files[k].selected = slots[k].selectedBefore;
        boxStates[k] = slots[k].boxState;
    }
    TakeFileCheckBoxes(boxStates);
    for (int k = 0; k < kFileSlotCount; ++k)
        EXPECT_EQ(gState.files[k].selected, slots[k].selectedAfter) << "file count " << fileCount << ", slot " << k;
}

} // namespace

TEST(FilesPage, ContinueTakesTheCheckBoxesOfUnselectedSlotsBelowTheFileCount)
{
    // Chosen box, unchosen box, always-installed label (flag set, box
    // hidden and clear); slots from the count up keep whatever they hold.
    ExpectCheckBoxRule(3, {{false, 1, true}, {false, 0, false}, {true, 0, true},
                           {false, 1, false}, {true, 0, true}, {false, 1, false}});
    // Indeterminate (2) counts as chosen; a set flag is never cleared.
    ExpectCheckBoxRule(6, {{false, 2, true}, {true, 0, true}, {false, 0, false},
                           {false, 1, true}, {true, 1, true}, {false, 1, true}});
    // Exactly one slot in use: slot 1 is the first one left alone.
    ExpectCheckBoxRule(1, {{false, 1, true}, {false, 1, false}, {false, 1, false},
                           {false, 1, false}, {false, 1, false}, {false, 1, false}});
    ExpectCheckBoxRule(0, {{false, 1, false}, {false, 1, false}, {false, 1, false},
                           {false, 1, false}, {false, 1, false}, {false, 1, false}});
}

TEST(UserPage, ContinueStoresAPositionInsideTheUserTable)
{
    struct Case {
        int position;
        int selectedAfter;
    };
    // Three users; the index starts at 1 so that a kept index shows.
    const Case cases[] = {{0, 0}, {2, 2}, {3, 1}, {-1, 1}};
    for (const Case& c : cases) {
        ResetFakePlatform();
        gState.userCount = 3;
        gState.selectedUser = 1;
        ChooseUser(c.position);
        EXPECT_EQ(gState.selectedUser, c.selectedAfter) << "position " << c.position;
    }
}
