// Finding the installer program relative to the packager itself, so that an
// installed vantrel-pack works from any folder without --stub.
#include "packager/default_stub.h"

#include "packager/commands.h"

#include <filesystem>
#include <system_error>

std::string FindDefaultStub(Diagnostics* diagnostics)
{
    std::filesystem::path own = OwnFolder();
    std::string places[] = {(own / kStubName).lexically_normal().string(),
                            (own / ".." / "share" / "vantrel" / kStubName).lexically_normal().string()};
    for (const std::string& place : places) {
        std::error_code error;
        if (std::filesystem::is_regular_file(place, error))
            return place;
    }
    ReportError(diagnostics, kStubName, 0,
                "no installer program to copy: looked for %s and %s; name another with --stub FILE",
                places[0].c_str(), places[1].c_str());
    return std::string();
}
