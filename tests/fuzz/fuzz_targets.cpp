// libFuzzer entries for every reader of strangers' bytes, in one program.
// VANTREL_FUZZ_TARGET picks the entry: payload, script, users, command_line,
// naming, format or pack; tests/fuzz/corpus/<target> holds its seeds.
#include "base/bounded_text.h"
#include "fakes/fakes.h"
#include "installer/command_line.h"
#include "packager/database_check.h"
#include "packager/script_check.h"
#include "palm/database_header.h"
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

// The input of one run: Byte takes a byte (0 at the end), Text a text up to
// a NUL, off its front.
struct Input {
    const uint8_t* data;
    size_t size;
    int Byte() { return size ? (size--, *data++) : 0; }
    std::string Text()
    {
        std::string text(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
        size_t n = std::min(text.size() + 1, size);
        data += n, size -= n;
        return text;
    }
};

// Input: a record name, NUL, the installer's bytes.
void Payload(Input in)
{
    std::string name = in.Text(), exe = Scratch("exe"), out = Scratch("out");
    fclose(WriteScratch("exe", in.data, in.size));
    int32_t found = -1;
    FILE* record = FindPayloadRecord(exe.c_str(), name.c_str(), &found);
    bool extracted = ExtractPayloadRecord(exe.c_str(), name.c_str(), out.c_str()) == 0;
    Check(extracted == (record && !fclose(record)) && (!extracted || std::filesystem::file_size(out) == uintmax_t(found)));
    CheckInstallerIntegrity(exe.c_str());
    // What append writes, find finds: the unit tests hold both against exact bytes.
    AppendPayloadBytes(exe.c_str(), in.data, int32_t(in.size), name.c_str());
    StripPayloadRecords(exe.c_str());
}

// Input: flags (bit 0 an end bound, bits 1-3 bytes skipped before the script,
// bits 4-7 bytes past its bound), operations (bit pairs pick each pass's
// step: a wizard pass, a FILES entry, a FILES section, a text block), script.
void Script(Input in)
{
    int flags = in.Byte(), operations = in.Byte();
    size_t skip = std::min<size_t>((flags >> 1) & 7, in.size), tail = std::min<size_t>(flags >> 4, in.size - skip);
    ScriptStream script = {WriteScratch("script", in.data, in.size), flags & 1 ? int32_t(in.size - tail) : 0};
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
        Check((!text.text || strlen(text.text) == text.length) && gState.fileCount <= kFileSlotCount
              && (!script.endBound || ftell(script.file) <= script.endBound));
        ReleaseTextBlock(&text);
    }
    fclose(script.file);
}

// Input: a folder name to look for, NUL, users.dat.
void Users(Input in)
{
    std::string name = in.Text();
    UsersDat file = {static_cast<unsigned char*>(malloc(in.size + 1)), long(in.size)};
    memcpy(file.bytes, in.data, in.size);
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
void CommandLine(Input in)
{
    std::string line(reinterpret_cast<const char*>(in.data), in.size);
    std::replace(line.begin(), line.end(), '/', '_');
    for (const char* name : {"a", "b"})
        fclose(WriteScratch(name, "MZ0123456789", 12));
    int home = open(".", O_RDONLY);
    Check(home >= 0 && chdir(gScratch.c_str()) == 0);
    ResetFakes();
    StartUpValues values;
    HandleOptions(line.c_str(), &values);
    Check(fchdir(home) == 0 && close(home) == 0 && gState.targetCount <= kMaxTargetUsers && gState.fileCount <= kFileSlotCount);
}

// Input: flags, a user folder, NUL, a slot path, NUL, a database. The
// database header reader is the pack entry's.
void Naming(Input in)
{
    int flags = in.Byte();
    std::string folder = in.Text(), slot = in.Text();
    FILE* source = WriteScratch("database", in.data, in.size);
    DatabaseName naming = {};
    NameDatabase(flags & 1 ? nullptr : source, slot.c_str(), &naming);
    fclose(source);
    char to[kFilePathChars + 1];
    const char* name = flags & 2 ? slot.c_str() : naming.name;
    Check(BuildDestinationPathIn(to, folder.c_str(), name, naming.isResourceDatabase) == 0 || !to[0]);
}

// Input: the capacity, the format and four texts, NUL-separated. Every
// conversion becomes %s, and those past the fourth "%%".
void Format(Input in)
{
    size_t capacity = in.Byte();
    std::string format = in.Text(), a = in.Text(), b = in.Text(), c = in.Text(), d = in.Text();
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
void Pack(Input in)
{
    FILE* file = WriteScratch("installer", in.data, in.size);
    int low = in.Byte(), high = in.Byte(), split = in.Byte();
    int64_t length = std::min<int64_t>(low | high << 8, int64_t(in.size));
    int64_t rest = int64_t(in.size) - length, first = rest * split / 255, at = 3 + length;
    Diagnostics diagnostics;
    std::vector<ScriptPath> paths = CheckInstallScript(file, 3, length, "Install.ini", &diagnostics);
    std::string path = Scratch("installer");
    CheckDatabases({{"one.prc", "one.prc", path, at, first}, {"Two.PDB", "Two.PDB", path, at + first, rest - first}},
                   paths, &diagnostics);
    fclose(file);
}

void (*gTarget)(Input);

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const struct { const char* name; void (*entry)(Input); } targets[] = {
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
    gTarget({data, size});
    return 0;
}
