// libFuzzer entries for every reader of strangers' bytes, in one program.
// VANTREL_FUZZ_TARGET picks the entry: payload, script, users, command_line,
// naming, format or pack; tests/fuzz/corpus/<target> holds its seeds.
#include "base/bounded_text.h"
#include "fakes/fakes.h"
#include "installer/command_line.h"
#include "packager/database_check.h"
#include "packager/script_check.h"
#include "palm/database_header.h"
#include "palm/database_info.h"
#include "palm/destination_path.h"
#include "palm/users_dat.h"
#include "payload/installer_checksum.h"
#include "payload/payload_archive.h"
#include "script/install_script.h"
#include "script/wizard_step.h"

#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using Bytes = const uint8_t*;
std::string gScratch; // this process's own folder, removed at exit

// A broken promise of the code under test; libFuzzer reports the abort.
void Check(bool holds) { holds ? void() : abort(); }

std::string Scratch(const char* name) { return gScratch + "/" + name; }

// Writes bytes to the scratch file name and opens it for reading.
FILE* WriteScratch(const char* name, const void* bytes, size_t size)
{
    std::ofstream(Scratch(name), std::ios::binary).write(static_cast<const char*>(bytes), std::streamsize(size));
    return fopen(Scratch(name).c_str(), "rb");
}

// Takes a byte (0 at the end), or a text up to a NUL, off the input's front.
int TakeByte(Bytes& data, size_t& size) { return size ? (size--, *data++) : 0; }

std::string TakeText(Bytes& data, size_t& size)
{
    size_t n = strnlen(reinterpret_cast<const char*>(data), size);
    std::string text(reinterpret_cast<const char*>(data), n);
    n = std::min(n + 1, size);
    data += n;
    size -= n;
    return text;
}

// Input: a record name, NUL, the installer's bytes.
void Payload(Bytes data, size_t size)
{
    std::string name = TakeText(data, size), exe = Scratch("exe"), out = Scratch("out");
    fclose(WriteScratch("exe", data, size));
    int32_t found = -1;
    auto find = [&] { FILE* record = FindPayloadRecord(exe.c_str(), name.c_str(), &found); return record && !fclose(record); };
    bool present = find(), extracted = ExtractPayloadRecord(exe.c_str(), name.c_str(), out.c_str()) == 0;
    Check(extracted == present && (!extracted || std::filesystem::file_size(out) == uintmax_t(found)));
    CheckInstallerIntegrity(exe.c_str());
    bool plain = !name.empty() && name.find_first_of("\\/") == std::string::npos; // a name with a folder never matches
    if (AppendPayloadBytes(exe.c_str(), data, int32_t(size), name.c_str()) == kAppended && size && plain)
        Check(find() && found == int32_t(size));
    StripPayloadRecords(exe.c_str());
}

// Input: flags (bit 0 an end bound, bits 1-3 bytes skipped before the script,
// bits 4-7 bytes past its bound), operations (bit pairs pick each pass's
// step: a wizard pass, a FILES entry, a FILES section, a text block), script.
void Script(Bytes data, size_t size)
{
    int flags = TakeByte(data, size), operations = TakeByte(data, size);
    size_t skip = std::min<size_t>((flags >> 1) & 7, size), tail = std::min<size_t>(flags >> 4, size - skip);
    ScriptStream script = {WriteScratch("script", data, size), flags & 1 ? int32_t(size - tail) : 0};
    fseek(script.file, long(skip), SEEK_SET);
    ResetInstallState();
    FilesSection section = {};
    char line[kScriptLineBytes] = "";
    for (int pass = 0, stage = kStageLicense; pass < 64 && PeekScriptByte(script) >= 0; pass++) {
        int operation = (operations >> (2 * (pass % 4))) & 3;
        if (operation == 0 && (!PassReadsSectionLine(stage) || ReadSectionLine(script, line) == 0))
            stage = DecideWizardStep(stage, line, true, pass & 1).stageAfter;
        if (operation == 1)
            ReadFileEntry(script, pass % (kFileSlotCount + 1), &section.entries[0]);
        if (operation == 2)
            ReadFilesSection(script, &section);
        if (operation == 3)
            ReadTextBlock(script, &section.description);
        TextBlock& text = section.description;
        Check((!text.text || strlen(text.text) == text.length) && gState.fileCount <= kFileSlotCount);
        Check(!script.endBound || ftell(script.file) <= script.endBound);
        ReleaseTextBlock(&text);
    }
    fclose(script.file);
}

// Input: a folder name to look for, NUL, users.dat.
void Users(Bytes data, size_t size)
{
    std::string name = TakeText(data, size);
    UsersDat file = {static_cast<unsigned char*>(malloc(size + 1)), long(size)};
    memcpy(file.bytes, data, size);
    char display[kDisplayNameChars + 1];
    int16_t number;
    long p = FindLastFolderName(file, name.c_str());
    Check(p == -1 || p >= 6);
    if (p >= 0 && CopyDisplayNameBefore(file, p, display, 1 + name.size() % sizeof display) == 0)
        Check(strlen(display) <= name.size() % sizeof display);
    if (p >= 0)
        UserNumberBefore(file, p, &number);
    free(file.bytes);
}

// Input: the command line. Its paths can name files of the scratch folder only.
void CommandLine(Bytes data, size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    std::replace(line.begin(), line.end(), '/', '_');
    for (const char* name : {"a", "b"})
        fclose(WriteScratch(name, "MZ0123456789", 12));
    int home = open(".", O_RDONLY);
    Check(home >= 0 && chdir(gScratch.c_str()) == 0);
    ResetFakes();
    StartUpValues values;
    ReadQuietOption(line.c_str());
    HandleOptions(line.c_str(), &values);
    Check(fchdir(home) == 0 && close(home) == 0 && gState.targetCount <= kMaxTargetUsers && gState.fileCount <= kFileSlotCount);
}

// Input: flags, a user folder, NUL, a slot path, NUL, a database.
void Naming(Bytes data, size_t size)
{
    int flags = TakeByte(data, size);
    std::string folder = TakeText(data, size), slot = TakeText(data, size);
    FILE* source = WriteScratch("database", data, size);
    DatabaseName naming = {};
    NameDatabase(flags & 1 ? nullptr : source, slot.c_str(), &naming);
    char to[kFilePathChars + 1];
    const char* name = flags & 2 ? slot.c_str() : naming.name;
    Check(BuildDestinationPathIn(to, folder.c_str(), name, naming.isResourceDatabase) == 0 || !to[0]);
    PalmUser user = {};
    CopyText(user.installPath, folder.c_str());
    CopyText(user.backupPath, "C:\\Palm\\AnnA\\Backup");
    Check(BuildDestinationPath(to, user, name, naming.isResourceDatabase, flags & 4) == 0 || !to[0]);
    PalmDatabaseInfo info = {};
    fseek(source, 0, SEEK_SET);
    ReadPalmDatabaseInfo(source, int64_t(size - std::min<size_t>(size, flags >> 3)), &info);
    Check(strlen(info.name) < sizeof info.name && !fclose(source));
}

// Input: the capacity, the format and four texts, NUL-separated. Every
// conversion becomes %s, and those past the fourth "%%".
void Format(Bytes data, size_t size)
{
    size_t capacity = TakeByte(data, size);
    std::string format = TakeText(data, size), a = TakeText(data, size), b = TakeText(data, size),
                c = TakeText(data, size), d = TakeText(data, size);
    for (size_t i = 0, conversions = 0; i + 1 < format.size(); i++) {
        if (format[i] == '%' && (format[i + 1] == 's' || format[i + 1] == 'd'))
            format[i + 1] = ++conversions > 4 ? '%' : 's';
        i += format[i] == '%';
    }
    char* dst = static_cast<char*>(malloc(capacity + 1));
    size_t length = FormattedLength(format.c_str(), a.c_str(), b.c_str(), c.c_str(), d.c_str());
    int cut = FormatText(dst, capacity, format.c_str(), a.c_str(), b.c_str(), c.c_str(), d.c_str());
    Check(capacity == 0 || strlen(dst) == (cut ? capacity - 1 : length));
    free(dst);
}

// Input: the script's length (16 bits), a split byte, the script, then the
// bytes of two databases, cut where the split byte says.
void Pack(Bytes data, size_t size)
{
    FILE* file = WriteScratch("installer", data, size);
    int64_t length = TakeByte(data, size);
    length |= TakeByte(data, size) << 8;
    int split = TakeByte(data, size);
    length = std::min<int64_t>(length, int64_t(size));
    int64_t rest = int64_t(size) - length, first = rest * split / 255, at = 3 + length;
    Diagnostics diagnostics;
    std::vector<ScriptPath> paths = CheckInstallScript(file, 3, length, "Install.ini", &diagnostics);
    std::string path = Scratch("installer");
    CheckDatabases({{"one.prc", "one.prc", path, at, first}, {"Two.PDB", "Two.PDB", path, at + first, rest - first}},
                   paths, &diagnostics);
    fclose(file);
}

void (*gTarget)(Bytes, size_t);

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const struct { const char* name; void (*entry)(Bytes, size_t); } targets[] = {
        {"payload", Payload}, {"script", Script}, {"users", Users}, {"command_line", CommandLine},
        {"naming", Naming}, {"format", Format}, {"pack", Pack}};
    const char* chosen = getenv("VANTREL_FUZZ_TARGET");
    for (const auto& target : targets)
        gTarget = chosen && strcmp(chosen, target.name) == 0 ? target.entry : gTarget;
    gScratch = (std::filesystem::temp_directory_path() / "vantrel-fuzz-XXXXXX").string();
    if (!gTarget || !mkdtemp(gScratch.data())) {
        fprintf(stderr, "VANTREL_FUZZ_TARGET: payload, script, users, command_line, naming, format or pack\n");
        exit(2);
    }
    atexit([] { std::error_code ignored; std::filesystem::remove_all(gScratch, ignored); });
    // The packager's messages would drown libFuzzer's; the sanitizers write to fd 2 directly.
    if (gTarget == Pack)
        stderr = fopen("/dev/null", "w");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gTarget(data, size);
    return 0;
}
