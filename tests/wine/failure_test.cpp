// The program's errors, most of them made on purpose around the copy stage
// and the packaging modes on the disks small-disks.sh maps, and unattended
// runs: in every case the user is told where the program tells anything (with
// -y in its log alone), the exit code says what happened, and no file but
// this run's destinations changes by a byte.
#include "simulated_palm_desktop.h"
#include "wine_test.h"

#include <map>
#include <vector>

namespace {

const char kInstall[] = "-q -s none.ini -u \"Ann Lee\" -f sampletools.prc";
const char kBigInput[] = "C:\\vantrel 4 GiB and 50 bytes.prc";
const char kCoreKey[] = "Software\\U.S. Robotics\\Pilot Desktop\\Core";
const char kDamaged[] = "This installer is damaged or incomplete. Please download it again.";
const char kNoUsers[] = "No valid Palm users found on this PC";
// "%" stands for the folder of the run.
const std::string kCopyError =
    "File Copy Error\n\nAn error occurred copying file sampletools.prc to %\\Palm\\Lee2\\Install\\Sample_Tools.prc.\n"
    "Make sure the source file has been extracted (if applicable) and present in the correct folder.";

// What -y installs of the example script: each default's record and the
// name its header gives the copy.
const std::pair<const char*, std::string> kDefaults[] = {
    {"sampletools.prc", "Sample_Tools.prc"}, {"samplehelp.pdb", "SampleHelp.pdb"}, {"sharedlib.prc", "SharedLib.prc"}};
const std::string kPalm = "Palm folder: %\\Palm", kAnn = "Palm user: Ann Lee, install folder %\\Palm\\Lee2\\Install";

// The log's line for default i installed into folder (pack-installers.py
// makes each database 385 bytes long).
std::string Installed(int i, const std::string& folder)
{
    return "installed " + std::string(kDefaults[i].first) + " as " + folder + "\\" + kDefaults[i].second + ", 385 bytes";
}

// Expects the log at path to hold the lines, in their order (others may come
// between them), each behind its "YYYY-MM-DD hh:mm:ss ".
void ExpectLogLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text = ReadBytes(path);
    size_t found = 0;
    for (size_t from = 0, end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2) {
        EXPECT_TRUE(end - from > 20 && text[from + 4] == '-' && text[from + 13] == ':' && text[from + 19] == ' ');
        found += found < lines.size() && text.substr(from + 20, end - from - 20) == lines[found];
    }
    EXPECT_EQ(found, lines.size()) << text;
}

// A file's bytes, short enough for a failure message.
std::string Digest(const std::string& bytes)
{
    return std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>()(bytes));
}

// Every file and folder below folder by its path there: a file's digest, a
// folder as "(folder)".
void Snapshot(const std::string& folder, const std::string& below, std::map<std::string, std::string>* entries)
{
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((folder + "\\" + below + "*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = below + found.cFileName;
        bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (found.cFileName[0] == '.')
            continue;
        (*entries)[name] = isFolder ? "(folder)" : Digest(ReadBytes(folder + "\\" + name));
        if (isFolder)
            Snapshot(folder, name + "\\", entries);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
}

// Leaves leftBytes (whole pages) free on the small disk.
void FillSmallDisk(ULONGLONG leftBytes)
{
    ULARGE_INTEGER free;
    if (GetDiskFreeSpaceExA("T:\\", &free, nullptr, nullptr) && free.QuadPart > leftBytes)
        WriteBytes("T:\\filler", std::string(free.QuadPart - leftBytes, 'f'));
}

// The installer's name in its folder (UTF-8): outside the ANSI code page,
// long enough for a path of 259 characters, or the row's own.
std::string InstallerName(char fault, const std::string& folder, const char* name)
{
    return fault == 'o' ? "Setup \xE6\x97\xA5\xE6\x9C\xAC.exe"
                        : fault == 'L' ? std::string(254 - folder.size(), 'L') + ".exe" : name;
}

// Makes the fault of a row in folder, where the Palm folder and the
// installer "sample setup.exe" lie. Returns a handle to keep open for the run.
HANDLE Arrange(char fault, const std::string& folder)
{
    std::string installer = folder + "\\sample setup.exe";
    std::string bytes = ReadBytes(Payload(fault == 's' ? "signed setup.exe" : fault == 'z' ? "damaged setup.exe"
                                                                           : "packed setup.exe"));
    HANDLE file = nullptr;
    LONG high = 1;
    switch (fault) {
    case 'b': RemoveDirectoryA((folder + "\\Palm\\Lee2\\backup").c_str()); break;
    case 'd': CreateDirectoryA((folder + "\\Palm\\Lee2\\Install\\Sample_Tools.prc").c_str(), nullptr); break;
    case 'F': FillSmallDisk(0); break;
    case 'f': // the user's earlier backup, which a full disk must not destroy
        WriteBytes(folder + "\\Palm\\Lee2\\backup\\Sample_Tools.prc", "an earlier backup");
        FillSmallDisk(4096);
        break;
    case 'u':
        return CreateFileA((folder + "\\Palm\\users.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    case 'a': {
        // Less than one stream buffer, more than the installer's last page
        // holds: only the flush at the end meets the full disk.
        size_t slack = (4096 - bytes.size() % 4096) % 4096;
        WriteBytes(folder + "\\big.prc", std::string(slack + (4096 - slack) / 2 - 22, 'b'));
        FillSmallDisk(0);
        break;
    }
    case '4': // sparse
        file = CreateFileA(kBigInput, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        SetFilePointer(file, 50, &high, FILE_BEGIN); // 4 GiB and 50 bytes
        SetEndOfFile(file);
        CloseHandle(file);
        return nullptr;
    case 'x': bytes[bytes.size() - 200] ^= 1; [[fallthrough]]; // in the script
    case 's':
    case 'z': WriteBytes(installer, bytes); break;
    case 'c': WriteBytes(installer, bytes.substr(0, bytes.size() - 100)); break;
    case 'l': // 1 MiB in lines of 64 bytes, with a UTF-8 byte order mark, read in text mode
        bytes = "\xEF\xBB\xBFLICENSE\r\n";
        for (int line = 0; line < 16384; line++)
            bytes += std::string(62, 'x') + "\r\n";
        WriteBytes(folder + "\\long.ini", bytes + ".\r\n");
        break;
    case 'p': RegDeleteKeyValueA(HKEY_CURRENT_USER, kCoreKey, "Path"); break;
    case 'n': RemoveDirectoryA((folder + "\\Palm\\Lee2\\Install").c_str()); break;
    case 'o':
    case 'L': MoveFileW(Widen(installer).c_str(), Widen(folder + "\\" + InstallerName(fault, folder, "")).c_str()); break;
    }
    return nullptr;
}

// A page the run stops on, left with this button.
using Page = std::pair<const char*, int>;
const Page kComplete = {"Installation Complete", kCompletionClose}, kLicense = {"License Agreement", kLicenseDecline};

struct Fault {
    const char* what;
    char fault;      // for Arrange
    char drive;      // of the run's folder: C, T (256 KiB) or R (read-only, written through W)
    bool asPackager; // vantrel.exe itself runs, else the folder's installer
    std::string arguments;
    std::vector<std::pair<const char*, std::string>> boxes; // caption, text
    DWORD exitCode;
    // 'i' the database installed, 'b' backed up, 'f' the HotSync flag set; 'y'
    // the script's three defaults installed and backed up; 'd' those in
    // "new\palm files".
    std::string leaves = "";
    // Lines of run.log between the command line and the exit code, in order,
    // '%' standing for the run's folder.
    std::vector<std::string> log = {};
    Page page = {};
    const char* installer = "sample setup.exe"; // the installer's name in the run's folder
};

TEST(Errors, AreToldAndChangeNothingElse)
{
    const std::pair<const char*, std::string> aborted = {"Installation Aborted", kCopyError},
                                              damaged = {"Installer Damaged", kDamaged};
    const std::string signedInstaller = "-q -a \"sample setup.exe\" \"" + Payload("sharedlib.prc") + "\"";
    const Fault faults[] = {
        {"backup folder missing", 'b', 'C', false, kInstall, {}, 0, "if", {}, kComplete},
        // A read-only install folder fails the same copy as a folder in the way.
        {"destination a folder", 'd', 'C', false, kInstall, {aborted}, 2, "f"},
        {"disk full at the install copy", 'F', 'T', false, kInstall, {aborted}, 2, "f"},
        {"disk full at the backup copy", 'f', 'T', false, kInstall, {}, 0, "if", {}, kComplete},
        // The installer opens itself whatever its name and path.
        {"own name outside the code page", 'o', 'C', false, kInstall, {}, 0, "ibf", {}, kComplete},
        {"own path of 259 characters", 'L', 'C', false, kInstall, {}, 0, "ibf", {}, kComplete},
        {"users.dat held open", 'u', 'C', false, "-q -s none.ini -u Lee2 -f sampletools.prc", {}, 2, "ib", {}, kComplete},
        {"-a onto a nearly full disk", 'a', 'T', true, "-q -a \"sample setup.exe\" big.prc",
         {{"Append Error", "Cannot write to executable file"}}, 1},
        {"-a of 4 GiB and 50 bytes", '4', 'C', true, "-q -a \"sample setup.exe\" \"" + std::string(kBigInput) + "\"",
         {{"Append Error", "Cannot open input file for read"}}, 1},
        {"-r on a read-only installer", 0, 'R', true, "-q -r \"sample setup.exe\"", {}, 1},
        // Either packaging mode would break a signature: -a says so, -r fails silently.
        {"-a on a signed installer", 's', 'C', true, signedInstaller,
         {{"Append Error", "The installer is signed. Append files before signing it, or remove its signature first."}},
         1},
        {"-r on a signed installer", 's', 'C', true, "-q -r \"sample setup.exe\"", {}, 1},
        // A damaged download says so before anything else, also in quiet mode.
        {"one byte flipped", 'x', 'C', false, kInstall, {damaged}, 2},
        {"cut short", 'c', 'C', false, kInstall, {damaged}, 2},
        // Its checksum record gone, no check at the start can tell; the
        // decoding does, and nothing of it stays.
        {"a compressed record one byte short of its stated size", 'z', 'C', false, kInstall, {damaged}, 2, "f"},
        // A license of 1 MiB shows at once, not after minutes.
        {"long license", 'l', 'C', false, "-s long.ini -u \"Ann Lee\" -f sampletools.prc", {}, 0, "", {}, kLicense},
        // Options in the installer's own name are not options.
        {"own name", 0, 'C', false, "-q", {}, 0, "", {}, kLicense, "Palm Tools -setup -update -remix.exe"},
        // Unattended: no window at all; the pages' defaults (the tools, the
        // help and the library, not the themes) for the only user, the one
        // named, or into a folder without Palm Desktop; each step logged.
        {"-y", 0, 'C', false, "-y -l run.log", {}, 0, "yf",
         {kPalm, kAnn, Installed(0, "%\\Palm\\Lee2\\Install"), Installed(1, "%\\Palm\\Lee2\\Install"),
          Installed(2, "%\\Palm\\Lee2\\Install"), "HotSync flag Install7 set for Ann Lee"}},
        {"-y with two users", '2', 'C', false, "-y -l run.log", {}, 2, "",
         {kPalm, "error: Install Error: More than one Palm user on this PC: name the users to install for with -u"}},
        {"-y -u with two users", '2', 'C', false, "-y -u \"ann lee\"", {}, 0, "yf"},
        {"-y and a copy failure", 'd', 'C', false, "-y -l run.log", {}, 2, "f",
         {kPalm, kAnn, "error: Installation Aborted: File Copy Error An error occurred copying file sampletools.prc to "
                       "%\\Palm\\Lee2\\Install\\Sample_Tools.prc. Make sure the source file has been extracted (if "
                       "applicable) and present in the correct folder.", "HotSync flag Install7 set for Ann Lee"}},
        {"-d into a new folder", 'p', 'C', false, "-y -d \"new\\palm files\" -l run.log", {}, 0, "d",
         {Installed(0, "new\\palm files"), Installed(1, "new\\palm files"), Installed(2, "new\\palm files")}},
        // Start-up: vantrel.exe as built carries no script.
        {"no Palm folder", 'p', 'C', true, "-q",
         {{"Registry Error", "Cannot locate a path to the Palm folder"}, {"Install Error", kNoUsers}}, 2},
        {"no user", 'n', 'C', true, "-q", {{"Install Error", kNoUsers}}, 2},
        {"no script", 0, 'C', true, "-q", {{"Install Error", "No valid configuration file or install files found"}}, 2},
    };
    const std::string database = Digest(ReadBytes(Payload("sampletools.prc")));
    bool haveDisks = GetDriveTypeA("T:\\") != DRIVE_NO_ROOT_DIR && GetDriveTypeA("W:\\") != DRIVE_NO_ROOT_DIR;
    int number = 0;
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        std::string name = ":\\vantrel fault " + std::to_string(number++);
        std::string shown = fault.drive + name;
        std::string folder = (fault.drive == 'R' ? 'W' : fault.drive) + name;
        if (fault.drive != 'C' && !haveDisks)
            continue;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        std::vector<SimulatedPalmUser> users = {{"Ann Lee", "Lee2", 7}, {"Bob Smith", "Smith3", 4}};
        users.resize(fault.fault == '2' ? 2 : 1);
        ASSERT_TRUE(BuildSimulatedPalmDesktop(folder + "\\Palm", users));
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kCoreKey, "Path", REG_SZ, (shown + "\\Palm").c_str(),
                                  static_cast<DWORD>(shown.size() + 6)), ERROR_SUCCESS);
        ASSERT_TRUE(CopyFileA(Payload("packed setup.exe").c_str(), (folder + "\\" + fault.installer).c_str(), FALSE));
        HANDLE held = Arrange(fault.fault, folder);
        std::map<std::string, std::string> before, after;
        Snapshot(folder, "", &before);

        Program run;
        std::string program = shown + "\\" + InstallerName(fault.fault, shown, fault.installer);
        ASSERT_TRUE(run.Start(fault.asPackager ? VantrelExe() : program, fault.arguments, shown));
        for (auto [caption, text] : fault.boxes) {
            if (size_t at = text.find('%'); at != std::string::npos)
                text.replace(at, 1, shown);
            ExpectBox(run, caption, text);
        }
        if (fault.page.first) {
            ASSERT_TRUE(ClickButton(GetDlgItem(AwaitWindow(run, fault.page.first), fault.page.second)));
        }
        // Unattended, the program shows no window at all.
        EXPECT_TRUE(!fault.arguments.starts_with("-y") || !run.WaitForWindow(nullptr, kWaitMs));
        ExpectEnd(run, fault.exitCode);
        if (!fault.log.empty()) {
            std::vector<std::string> lines = {"Vantrel " VANTREL_VERSION ", command line: \"%\\sample setup.exe\" "
                                              + fault.arguments};
            lines.insert(lines.end(), fault.log.begin(), fault.log.end());
            lines.push_back("exit " + std::to_string(fault.exitCode));
            for (std::string& line : lines)
                if (size_t at = line.find('%'); at != std::string::npos)
                    line.replace(at, 1, shown);
            ExpectLogLines(folder + "\\run.log", lines);
            DeleteFileA((folder + "\\run.log").c_str());
        }
        Snapshot(folder, "", &after);
        CloseHandle(held);
        auto leaves = [&](char what) { return fault.leaves.find(what) != std::string::npos; };
        if (leaves('i'))
            before["Palm\\Lee2\\Install\\Sample_Tools.prc"] = database;
        if (leaves('b'))
            before["Palm\\Lee2\\backup\\Sample_Tools.prc"] = database;
        if (leaves('d'))
            before["new"] = before["new\\palm files"] = "(folder)";
        for (const auto& [record, installed] : kDefaults) {
            std::string bytes = Digest(ReadBytes(Payload(record)));
            if (leaves('y'))
                before["Palm\\Lee2\\Install\\" + installed] = before["Palm\\Lee2\\backup\\" + installed] = bytes;
            if (leaves('d'))
                before["new\\palm files\\" + installed] = bytes;
        }
        EXPECT_EQ(after, before);
        EXPECT_EQ(HotSyncFlagSet(7), leaves('f'));
        DeleteFileA("T:\\filler");
    }
    DeleteFileA(kBigInput);
    if (!haveDisks)
        GTEST_SKIP() << "no drives T: and W: (small-disks.sh mounts them as root): the full and read-only disks "
                        "were not tried";
}

// A run killed while it copies leaves at most a temporary file, never a part
// copy under the final name, where HotSync would deliver it; the next run
// removes it and installs the whole database.
TEST(Errors, AKilledCopyLeavesOnlyATemporaryFileThatTheNextRunRemoves)
{
    const std::string folder = FreshFolder(), installed = folder + "\\Palm\\Lee2\\Install\\";
    ASSERT_TRUE(BuildSimulatedPalmDesktop(folder + "\\Palm", {{"Ann Lee", "Lee2", 7}}));
    std::string database = ReadBytes(Payload("sampletools.prc"));
    database.resize(128 << 20, 'd'); // long enough to be caught in the middle
    ASSERT_TRUE(WriteBytes(folder + "\\sampletools.prc", database));
    ASSERT_TRUE(CopyFileA(VantrelExe().c_str(), (folder + "\\big setup.exe").c_str(), FALSE));
    Program packager;
    ASSERT_TRUE(packager.Start(VantrelExe(), "-q -a \"big setup.exe\" sampletools.prc", folder));
    ExpectEnd(packager, 0);
    WIN32_FIND_DATAA found;
    auto holds = [&](const char* pattern) {
        return FindClose(FindFirstFileA((installed + pattern).c_str(), &found)) != 0;
    };
    for (bool killed : {true, false}) {
        Program run;
        ASSERT_TRUE(run.Start(folder + "\\big setup.exe", kInstall, folder));
        for (DWORD start = GetTickCount(); killed && !holds("vtr*.tmp") && GetTickCount() - start < kWaitMs;)
            Sleep(1);
        DWORD exitCode = 0; // killed in the middle of its copy, or left at its end
        EXPECT_TRUE(killed ? !run.WaitForExit(0, &exitCode)
                           : ClickButton(GetDlgItem(AwaitWindow(run, kComplete.first), kComplete.second)));
        EXPECT_EQ(std::pair(holds("vtr*.tmp"), holds("Sample_Tools.prc")), std::pair(killed, !killed)) << killed;
    }
    EXPECT_TRUE(ReadBytes(installed + "Sample_Tools.prc") == database);
}

} // namespace
