// The files page's check-box rule and the user page's choice.
#include "ui/page_choices.h"

void TakeFileCheckBoxes(const int (&boxStates)[kFileSlotCount])
{
    for (int slot = 0; slot < kFileSlotCount && slot < gState.fileCount; ++slot) {
        // Indeterminate counts as chosen: only a clear box leaves a file out.
        if (!gState.files[slot].selected && boxStates[slot] != kCheckBoxClear)
            gState.files[slot].selected = true;
    }
}

void ChooseUser(int listPosition)
{
    if (listPosition >= 0 && listPosition < gState.userCount)
        gState.selectedUser = listPosition;
}
