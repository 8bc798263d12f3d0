// The platform operations that the portable core needs, and nothing else.
// The Windows build defines them with the real calls (the *_win.cpp files);
// native tests link the recording fakes of tests/fakes instead.
#pragma once

#include "driver/install_state.h"

#include <cstddef>
#include <cstdint>

// ---- Process -------------------------------------------------------------

// The whole command line, beginning with the program's own path.
const char* GetProgramCommandLine();

// Writes the running program's own path into path. Returns 0, or -1 when it
// cannot be had or does not fit in capacity bytes.
int GetOwnProgramPath(char* path, size_t capacity);

void PauseMilliseconds(uint32_t milliseconds);

// ---- Messages the user sees ---------------------------------------------

// A message box with no owner window, the OK button only and no icon.
// Returns when the user has pressed OK.
void ShowMessageBox(const char* text, const char* caption);

// Shows text on the splash page's status line and lets the queued window
// messages be handled, so the text is painted at once.
void SetStatusLine(const char* text);

// ---- Files ---------------------------------------------------------------

// Copies a file, replacing an existing destination. Returns 0 or -1.
int CopyFileReplacing(const char* source, const char* destination);

// Makes the file at path exactly length bytes long (cutting it there).
// Returns 0 or -1.
int TruncateFileAt(const char* path, int32_t length);

// ---- Folder listing ------------------------------------------------------

struct FolderEntry {
    char name[260];
    bool isFolder;
};

struct FolderListing;

// Starts a listing of pattern (such as "c:\pilot\*") and fills first.
// Returns the listing, or nullptr when it cannot start (nothing matches).
FolderListing* StartFolderListing(const char* pattern, FolderEntry* first);

// Fills next with the next entry. Returns false when there is none.
bool NextFolderEntry(FolderListing* listing, FolderEntry* next);

void EndFolderListing(FolderListing* listing);

// ---- Registry, below HKEY_CURRENT_USER -----------------------------------

// An open key. kCurrentUserKey stands for HKEY_CURRENT_USER itself, which is
// never opened or closed.
using RegistryKey = uintptr_t;
constexpr RegistryKey kCurrentUserKey = 0;

constexpr uint32_t kKeyRead = 0x20019;      // KEY_READ
constexpr uint32_t kKeyAllAccess = 0xF003F; // KEY_ALL_ACCESS
constexpr uint32_t kRegDword = 4;           // REG_DWORD

// Each returns the platform's status: 0 on success, anything else on failure.
long RegistryOpenKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key);
long RegistryCreateKey(RegistryKey parent, const char* name, uint32_t access, RegistryKey* key);
long RegistryQueryValue(RegistryKey key, const char* name, void* data, uint32_t* size);
long RegistrySetValue(RegistryKey key, const char* name, uint32_t type, const void* data, uint32_t size);
long RegistryCloseKey(RegistryKey key);

// ---- Pages ---------------------------------------------------------------

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

// Appends text at the end of a multi-line text box, as the user would by
// typing there (the text box's limit is raised to hold long texts).
void AppendToTextBox(int id, const char* text);

// Scrolls a text box by lines (negative: towards the top).
void ScrollTextBox(int id, int lines);

// ---- Serving pages and the copy stage's work ----------------------------

// Handles every waiting message, then again until limitMs have passed;
// a limit of 0 means one pass. Never sleeps between passes. A quit request
// taken here is used up.
void PumpMessages(uint32_t limitMs);

// Serves the current page (already shown) with the message loop: each
// message is offered to the page's dialog handling first, then translated
// and dispatched. Returns 0 once a page button has raised gState.stepDone,
// or -1 when the quit request arrives. With no current page it only waits
// for the quit request.
int ServeCurrentPage();

// Registers the common controls; needed before the progress page is created.
void RegisterCommonControls();

// The progress bar control id of the current page: range 0 .. maximum,
// a step size, and one step.
void SetProgressRange(int id, int maximum);
void SetProgressStep(int id, int step);
void StepProgress(int id);

// Deletes the file at path; never a folder. Returns 0 or -1.
int DeleteFileOnly(const char* path);
