// The platform operations that the portable core needs, and nothing else.
// The Windows build defines them with the real calls (the *_win.cpp files);
// native tests link the recording fakes of tests/fakes instead.
#pragma once

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

// ---- Controls of the current page (gState.currentPage) -------------------

void SetControlText(int id, const char* text);
void ShowControl(int id);
void SetCheckBox(int id, bool checked);

// Appends text at the end of a multi-line text box, as the user would by
// typing there (the text box's limit is raised to hold long texts).
void AppendToTextBox(int id, const char* text);

// Scrolls a text box by lines (negative: towards the top).
void ScrollTextBox(int id, int lines);
