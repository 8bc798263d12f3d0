// What the files and user pages store when the user clicks Continue: the
// decisions, kept apart from the windows so that they can be tested alone.
#pragma once

#include "base/install_state.h"

// The state a check box reports when it is clear (BM_GETCHECK's unchecked).
constexpr int kCheckBoxClear = 0;

// Takes the files page's check boxes into gState.files: each slot below the
// file count whose selected flag is still clear is selected when its box's
// state is anything but kCheckBoxClear. A flag already set (a file that is
// always installed) is kept; no flag is ever cleared; slots from the file
// count up are not touched.
void TakeFileCheckBoxes(const int (&boxStates)[kFileSlotCount]);

// Stores the user list's selected position as gState.selectedUser. The list
// holds the PalmUser table in table order, so a position is a table index.
// A position outside the table (no selection) leaves the index as it was.
void ChooseUser(int listPosition);
