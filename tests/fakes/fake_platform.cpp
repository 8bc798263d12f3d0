// The folder listing, process, clock and page seams over the fakes' records.
#include "fakes/fakes.h"

#include "base/bounded_text.h"
#include "platform/folder_listing.h"
#include "platform/process.h"
#include "ui/pages.h"

Fakes gFakes;

void ResetFakes() { gState = {}; gFakes = Fakes(); }

struct FolderListing {
    std::vector<FolderEntry> entries;
    size_t next;
};

bool NextFolderEntry(FolderListing* listing, FolderEntry* next)
{
    if (listing->next == listing->entries.size())
        return false;
    *next = listing->entries[listing->next++];
    return true;
}

// "<folder>\*" lists the folder's direct entries; any other pattern lists
// the entry of exactly that path.
FolderListing* StartFolderListing(const char* pattern, FolderEntry* first)
{
    std::string text = pattern;
    auto* listing = new FolderListing{{}, 0};
    for (const auto& [path, isFolder] : gFakes.folderTree) {
        size_t cut = path.rfind('\\');
        if (cut != std::string::npos && (text.ends_with("\\*") ? path.substr(0, cut) + "\\*" : path) == text) {
            listing->entries.push_back({"", isFolder});
            CopyText(listing->entries.back().name, path.substr(cut + 1).c_str());
        }
    }
    if (NextFolderEntry(listing, first))
        return listing;
    delete listing;
    return nullptr;
}

void EndFolderListing(FolderListing* listing) { delete listing; }

LocalTime ReadLocalTime() { return gFakes.now; }

FILE* OpenOwnProgram() { return gFakes.ownPath.empty() ? nullptr : fopen(gFakes.ownPath.c_str(), "rb"); }

void ShowMessageBox(const char* text, const char* caption) { gFakes.boxes.push_back(std::string(caption) + ": " + text); }

// A page's handle is its dialog id.
PageHandle CreatePage(int dialogId) { return reinterpret_cast<PageHandle>(static_cast<intptr_t>(dialogId)); }

// The person leaves every page: what the wizard does with answers is the
// Wine tests' to show.
PageAnswer ServeCurrentPage() { return {false, {}, -1}; }

void SetStatusLine(const char* text) { gFakes.statusLines.push_back(text); }

// What only paints, fills a page or waits leaves nothing to look at: the
// Wine tests read the real pages.
void SetControlText(int, const char*) {}
void SetTextBoxText(int, const char*) {}
void ShowControl(int) {}
void SetCheckBox(int, bool) {}
void InsertListEntry(int, int, const char*) {}
void SelectListEntry(int, int) {}
void PauseMilliseconds(uint32_t) {}
void ShowPage(PageHandle, int) {}
void DestroyPage(PageHandle) {}
void PumpMessages(uint32_t) {}
void RegisterCommonControls() {}
void SetProgressRange(int, int) {}
void SetProgressStep(int, int) {}
void StepProgress(int) {}
