// libFuzzer entries for every reader of strangers' bytes, in one program.
// VANTREL_FUZZ_TARGET picks the entry: payload, script, users, command_line,
// naming, format, pack or lzma; tests/fuzz/corpus/<target> holds its seeds.
#include "base/bounded_text.h"
#include "base/byte_reader.h"
#include "fakes/fakes.h"
#include "installer/command_line.h"
#include "installer/install_log.h"
#include "packager/database_check.h"
#include "packager/script_check.h"
#include "packager/script_encoding.h"
#include "palm/database_header.h"
#include "palm/destination_path.h"
#include "palm/user_discovery.h"
#include "payload/compressed_record.h"
#include "payload/payload_archive.h"
#include "script/install_plan.h"

#include <algorithm>
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

// Input: a record name, NUL, the installer's bytes (a seed gives a PE image).
void PayloadIndex(Input in)
{
    std::string name = in.Text(), exe = Scratch("exe"), out = Scratch("out");
    fclose(WriteScratch("exe", in.data, in.size));
    Payload payload;
    Check(OpenPayload(exe.c_str(), false, &payload).fault == PayloadFault::kNone);
    const PayloadRecord* record = FindPayloadRecord(payload, name.c_str());
    bool extracted = record && ExtractPayloadRecord(payload, *record, out.c_str()).fault == PayloadFault::kNone;
    Check(!record || (extracted && std::filesystem::file_size(out) == uintmax_t(record->size)));
    for (int i = 0; i < payload.recordCount; i++)
        Check(payload.records[i].dataStart >= 0 && payload.records[i].dataStart + int64_t{payload.records[i].size}
              <= payload.layout.fileLength);
    auto imageEnd = uintmax_t(payload.layout.imageEnd);
    ClosePayload(&payload);
    // What append writes, find finds: the unit tests hold both against exact bytes.
    AppendPayloadBytes(exe.c_str(), in.data, int32_t(in.size), name.c_str());
    uintmax_t appended = std::filesystem::file_size(exe);
    // Whatever a size field claims, strip cuts a program at its image's end or not at all.
    StripPayloadRecords(exe.c_str(), true);
    uintmax_t left = std::filesystem::file_size(exe);
    Check(imageEnd == 0 || left == appended || left == imageEnd);
}

// Input: flags (bit 0: " -u" named users, bits 1-3: how many " -f" files),
// then the script. The plan must hold what it promises whatever the bytes.
void Script(Input in)
{
    int flags = in.Byte();
    char files[kFileSlotCount][kFilePathChars + 1] = {"a.prc\r\n", "b c.pdb \t", "", "d", "e", "f"};
    InstallPlan plan;
    MakeInstallPlan(reinterpret_cast<const char*>(in.data), int32_t(in.size), {files, (flags >> 1) % 7}, flags & 1,
                    &plan);
    Check(plan.stepCount >= 1 && plan.stepCount <= kMaxPlanSteps && plan.fileCount <= kFileSlotCount
          && plan.readEnd <= int32_t(in.size));
    for (int i = 0; i < plan.stepCount; i++) {
        const TextBlock& text = plan.steps[i].text;
        Check((!text.text || strlen(text.text) == text.length) && plan.steps[i].endAt <= plan.readEnd
              && plan.steps[i].at <= plan.steps[i].endAt);
    }
    ReleaseInstallPlan(&plan);
}

// Input: users.dat as records, each a number (2 bytes), a byte users.dat
// keeps there, a display name, NUL, a folder name, NUL. However the names
// fall, one user's folder name standing in another's record included, a
// user's number is one that a record of that folder gives, or none.
void Users(Input in)
{
    std::vector<std::pair<int16_t, std::string>> records; // number, folder name
    std::string bytes;
    while (in.size > 0) {
        int low = in.Byte(), high = in.Byte(), kept = in.Byte();
        std::string display = in.Text().substr(0, 255), folder = in.Text().substr(0, 255);
        bytes += std::string{char(low), char(high), char(kept), '\0', char(display.size())} + display
            + char(folder.size()) + folder;
        records.emplace_back(int16_t(low | high << 8), folder);
    }
    fclose(WriteScratch("palm\\users.dat", bytes.data(), bytes.size()));
    for (const auto& record : records) {
        PalmUser user;
        ReadUserDisplayName(user, Scratch("palm").c_str(), record.second.c_str());
        bool given = !user.hasUserNumber || record.second.empty();
        for (const auto& [number, folder] : records)
            given = given || (folder == record.second && number == user.userNumber);
        Check(given);
    }
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
    InstallLog log = {};
    HandleOptions(line.c_str(), &log, &values);
    ReadDeploymentOptions(line.c_str());
    Check(fchdir(home) == 0 && close(home) == 0 && values.targetCount <= kMaxTargetUsers
          && values.fileCount <= kFileSlotCount);
}

// Input: flags, a user folder, NUL, a slot path, NUL, a database header.
void Naming(Input in)
{
    int flags = in.Byte();
    std::string folder = in.Text(), slot = in.Text();
    DatabaseName naming = {};
    NameDatabase(flags & 1 || in.size < kPalmNamingBytes ? nullptr : in.data, slot.c_str(), &naming);
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
    fclose(WriteScratch("installer", in.data, in.size));
    int low = in.Byte(), high = in.Byte(), split = in.Byte();
    int64_t length = std::min<int64_t>(low | high << 8, int64_t(in.size));
    int64_t rest = int64_t(in.size) - length, first = rest * split / 255, at = 3 + length;
    Diagnostics diagnostics;
    std::vector<char> script(in.data, in.data + length), stored;
    std::string path = Scratch("installer");
    std::vector<PackedFile> files = {{"one.prc", "one.prc", path, at, first},
                                     {"Two.PDB", "Two.PDB", path, at + first, rest - first}};
    std::vector<std::string> beside = {"three.pdb"};
    PackagedFiles packaged = {files, beside};
    std::vector<ScriptPath> paths = CheckInstallScript(script, "Install.ini", &packaged, &diagnostics);
    // Converted to Windows-1252, the script keeps its lines: messages name the same line in both.
    if (DetectScriptEncoding(script) == ScriptEncoding::kUtf8)
        ConvertUtf8ToWindows1252(script, &stored);
    Check(stored.empty()
          || std::count(stored.begin(), stored.end(), '\n') == std::count(script.begin(), script.end(), '\n'));
    CheckDatabases(files, paths, &diagnostics);
}

// Counts what the decoder hands over against the size the record states.
struct Decoded {
    uint64_t stated;
    uint64_t count;
};

int CountDecoded(void* context, const unsigned char*, size_t count)
{
    Decoded* decoded = static_cast<Decoded*>(context);
    decoded->count += count;
    Check(decoded->count <= decoded->stated && count <= kLzmaWindowBytes);
    return 0;
}

// Input: a compressed record's data: the stated size, the properties, the
// coded bytes. Never a byte past the stated size; done means all of it.
void Lzma(Input in)
{
    static LzmaWorkspace workspace;
    FILE* record = WriteScratch("compressed", in.data, in.size);
    Decoded decoded = {LittleEndianAt({in.data, in.size}, 0, 4), 0};
    LzmaResult result = DecodeCompressedRecord(record, int32_t(in.size), &workspace, CountDecoded, &decoded);
    fclose(record);
    Check(result == LzmaResult::kDamaged || (result == LzmaResult::kDone && decoded.count == decoded.stated));
}

void (*gTarget)(Input);

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const struct { const char* name; void (*entry)(Input); } targets[] = {
        {"payload", PayloadIndex}, {"script", Script}, {"users", Users}, {"command_line", CommandLine},
        {"naming", Naming}, {"format", Format}, {"pack", Pack}, {"lzma", Lzma}};
    const char* chosen = getenv("VANTREL_FUZZ_TARGET");
    for (const auto& target : targets)
        gTarget = chosen && strcmp(chosen, target.name) == 0 ? target.entry : gTarget;
    gScratch = (std::filesystem::temp_directory_path() / "vantrel-fuzz-XXXXXX").string();
    if (!gTarget || !mkdtemp(gScratch.data())) {
        fprintf(stderr, "VANTREL_FUZZ_TARGET: payload, script, users, command_line, naming, format, pack or lzma\n");
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
