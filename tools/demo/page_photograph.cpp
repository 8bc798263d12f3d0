// The exchange of files that gets a page photographed.
#include "page_photograph.h"

#include <cstdio>

namespace {

constexpr DWORD kShotMs = 20000;
constexpr DWORD kPollMs = 50;

} // namespace

bool Fail(const std::string& why)
{
    std::fprintf(stderr, "%s\n", why.c_str());
    return false;
}

bool Photograph(const std::string& shotsFolder, HWND page, const std::string& name)
{
    RECT place;
    if (!GetWindowRect(page, &place))
        return Fail("the " + name + " page went away before its photograph");
    std::string ready = shotsFolder + "\\" + name + ".ready";
    std::string done = shotsFolder + "\\" + name + ".done";
    // Written under another name first: the script must never read half of it.
    std::string partial = ready + ".partial";
    FILE* file = std::fopen(partial.c_str(), "w");
    if (file == nullptr)
        return Fail("cannot write " + partial);
    std::fprintf(file, "%ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top, place.left,
                 place.top);
    std::fclose(file);
    if (!MoveFileExA(partial.c_str(), ready.c_str(), MOVEFILE_REPLACE_EXISTING))
        return Fail("cannot write " + ready);
    for (DWORD waited = 0; waited < kShotMs; waited += kPollMs) {
        if (GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(kPollMs);
    }
    return Fail("no photograph of the " + name + " page came");
}
