// Looking up a packaged file by record name.
#include "packager/packed_file.h"

#include "base/bounded_text.h"
#include "packager/diagnostics.h"
#include "payload/payload_archive.h"
#include "payload/stream_copy.h"
#include "script/install_plan.h"

const PackedFile* FindPackedFile(const std::vector<PackedFile>& files, const std::string& name)
{
    // The last of a name wins, as it does for the installer's lookup.
    for (size_t i = files.size(); i > 0; i--) {
        if (EqualsIgnoringCase(files[i - 1].recordName.c_str(), name.c_str()))
            return &files[i - 1];
    }
    return nullptr;
}

bool MeasurePackedFile(const std::string& path, int64_t* size)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    int32_t length = 0;
    bool measured = MeasureFile(file, &length) == 0;
    fclose(file);
    *size = length;
    return measured;
}

std::vector<PackedFile> GatherPackedFiles(const std::vector<std::string>& paths, Diagnostics* diagnostics)
{
    std::vector<PackedFile> files;
    for (const std::string& path : paths) {
        const char* label = path.c_str();
        char name[kRecordNameChars + 1];
        PackedFile file;
        if (TakeRecordName(label, name) != 0) {
            ReportError(diagnostics, label, 0, "its name is over 255 characters or its extension over 19");
            continue;
        }
        if (!MeasurePackedFile(path, &file.size)) {
            ReportError(diagnostics, label, 0, "cannot read it, or it is 2 GiB or more");
            continue;
        }
        if (EqualsIgnoringCase(name, kScriptRecordName)) {
            ReportError(diagnostics, label, 0, "its name is the install script's record name; give it with --script");
            continue;
        }
        if (const PackedFile* earlier = FindPackedFile(files, name)) {
            ReportError(diagnostics, label, 0, "its record name '%s' is also that of %s: the installer finds only one",
                        name, earlier->label.c_str());
            continue;
        }
        file.label = path;
        file.recordName = name;
        file.path = path;
        files.push_back(file);
    }
    return files;
}

AppendFailure DescribeAppendFailure(PayloadFault fault)
{
    switch (fault) {
    case PayloadFault::kNameTooLong:
        return {"its name is over 255 characters or its extension over 19", true};
    case PayloadFault::kCannotReadInput:
        return {"cannot read it", true};
    case PayloadFault::kCannotOpen:
        return {"cannot open it for writing", false};
    case PayloadFault::kSigned:
        return {kSignedRefusal, false};
    default:
        return {"cannot write it (disk full, or 2 GiB reached); it is left as it was", false};
    }
}
