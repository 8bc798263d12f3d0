// The page half of the platform seam: the pages, their controls, the message
// loop and pump, the status line and the message box. Defined for Windows in
// the *_win.cpp files beside it; native tests link a recording fake.
#pragma once

#include "base/install_state.h"

#include <cstdint>

// A message box with no owner window, the OK button only and no icon.
// Returns when the user has pressed OK.
void ShowMessageBox(const char* text, const char* caption);

// Creates the page of dialog template dialogId (one of the page ids of
// ui/resource_ids.h) as a modeless dialog with no owner, not yet shown.
// Returns its handle, or nullptr when it cannot be created (or the id names
// no page). The caller makes it gState.currentPage and destroys it.
PageHandle CreatePage(int dialogId);

// Shows a page with the show command that the process was started with.
void ShowPage(PageHandle page, int showCommand);

void DestroyPage(PageHandle page);

// ---- Controls of the current page (gState.currentPage) -------------------

void SetControlText(int id, const char* text);
void ShowControl(int id);
void SetCheckBox(int id, bool checked);

// Adds text to the list box at position (no sorting, whatever the list's
// style), and selects the entry at position.
void InsertListEntry(int id, int position, const char* text);
void SelectListEntry(int id, int position);

// Replaces the whole text of a multi-line text box in one step (its limit
// raised to hold long texts), then scrolls it back to its first line.
void SetTextBoxText(int id, const char* text);

// Shows text on the splash page's status line and lets the queued window
// messages be handled, so the text is painted at once.
void SetStatusLine(const char* text);

// ---- Serving pages and the copy stage's work ----------------------------

// Handles every waiting message, then again until limitMs have passed;
// a limit of 0 means one pass. Never sleeps between passes. A quit request
// taken here is used up.
void PumpMessages(uint32_t limitMs);

// The state a check box reports when it is clear (BM_GETCHECK's unchecked).
constexpr int kCheckBoxClear = 0;

// What the person answered on a page.
struct PageAnswer {
    bool forward;                   // the page's forward button; else the person asked to quit
                                    // (Decline, Cancel, Close, the close box)
    int boxStates[kFileSlotCount];  // the files page's check boxes at Continue
    int listPosition;               // the user page's selected list position at Continue, or -1
};

// Serves the current page (already shown) with the message loop: each
// message is offered to the page's dialog handling first, then translated
// and dispatched, until the person answers with a page button or the quit
// request arrives (forward is then false). With no current page it only
// waits for the quit request.
PageAnswer ServeCurrentPage();

// Registers the common controls; needed before the progress page is created.
void RegisterCommonControls();

// The progress bar control id of the current page: range 0 .. maximum,
// a step size, and one step.
void SetProgressRange(int id, int maximum);
void SetProgressStep(int id, int step);
void StepProgress(int id);
