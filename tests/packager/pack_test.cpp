// vantrel-pack from outside: each packaging mistake gives its message with
// file and line, exit code 1 and no installer; a sound package builds one
// whose bytes are the stub and its databases compressed, or with --store
// exactly the records that -a appends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// A folder of this run's own: runs side by side must not share one.
fs::path MakeScratch()
{
    std::string name = (fs::temp_directory_path() / "vantrel-pack-test.XXXXXX").string();
    if (!mkdtemp(name.data())) std::abort();
    return name;
}

const fs::path kScratch = MakeScratch();

void WriteFile(const std::string& name, const std::string& bytes) { std::ofstream(kScratch / name, std::ios::binary) << bytes; }

std::string ReadFile(const fs::path& path)
{
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {});
}

// A Palm OS database: the 78-byte header, then one list entry pointing at
// the byte after the list.
std::string Database(const std::string& name, bool resource, const char* typeCreator = "applTest")
{
    std::string bytes(78, '\0');
    bytes.replace(0, name.size(), name);
    bytes[33] = resource ? 1 : 0;
    bytes.replace(60, 8, typeCreator);
    bytes[77] = 1;
    std::string entry = resource ? std::string("code\0\1\0\0\0\x58", 10) : std::string("\0\0\0\x56\0\0\0\1", 8);
    return bytes + entry + "data";
}

// Runs the shell commands in the scratch folder, where $pack is vantrel-pack;
// their exit code.
int Shell(const std::string& commands)
{
    return WEXITSTATUS(std::system(("cd '" + kScratch.string() + "' && pack=" VANTREL_PACK " && " + commands).c_str()));
}

// Runs vantrel-pack in the scratch folder; its exit code. Its standard
// output and error are left in out.txt and err.txt.
int Pack(const std::string& arguments) { return Shell("$pack " + arguments + " >out.txt 2>err.txt"); }

// Every file of the scratch folder but out.txt, err.txt and except, with its
// bytes (a link's target's).
std::map<std::string, std::string> Snapshot(const std::string& except)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(kScratch)) {
        if (std::string name = entry.path().filename().string(); name != "out.txt" && name != "err.txt" && name != except)
            files[name] = ReadFile(entry.path());
    }
    return files;
}

class PackTest : public testing::Test {
protected:
    static void TearDownTestSuite() { fs::remove_all(kScratch); }
    void SetUp() override
    {
        fs::remove_all(kScratch);
        fs::create_directories(kScratch);
        WriteFile("stub.exe", "MZ a stand-in for the installer");
        WriteFile("lib.prc", Database("Lib", true));
        WriteFile("notes.pdb", Database("Notes", false, "DATAnote"));
        WriteFile("copy.prc", Database("Lib", true));
        WriteFile("readme.txt", "Thank you for installing the library.\r\n");
        WriteFile("empty.txt", "");
    }
};

constexpr char kSoundScript[] =
    "LICENSE\r\nTerms\r\n.\r\nFILES\r\n*Library\r\nlib.prc\r\n+Notes\r\nnotes.pdb\r\nPick.\r\n.\r\n"
    "USER\r\nREADME\r\nThanks\r\n.\r\n";

// The stored size of the record named name in installer, read from the
// size field before its name, and where its data starts.
std::pair<size_t, size_t> RecordData(const std::string& installer, const std::string& name)
{
    size_t at = installer.rfind(name + '\0');
    size_t size = 0;
    for (int i = 3; i >= 0; i--)
        size = size << 8 | static_cast<unsigned char>(installer[at - 4 + i]);
    return {at - 4 - size, size};
}

TEST_F(PackTest, SoundPackageBuildsCompressedOrAsAppendWrites)
{
    WriteFile("Install.ini", kSoundScript);
    ASSERT_EQ(Pack("build -o Setup.exe --stub stub.exe lib.prc notes.pdb"), 0) << ReadFile(kScratch / "err.txt");
    EXPECT_NE(ReadFile(kScratch / "out.txt").find("2 files (2 compressed)"), std::string::npos);

    // Compressed: listed with both sizes and the header of what they decode
    // to, checked, extracted whole; the checksum record ends the file on a
    // multiple of 8.
    std::string built = ReadFile(kScratch / "Setup.exe");
    EXPECT_EQ(built.size() % 8, 0u);
    EXPECT_EQ(Pack("list Setup.exe"), 0);
    std::string listing = ReadFile(kScratch / "out.txt");
    std::string size = std::to_string(ReadFile(kScratch / "lib.prc").size());
    EXPECT_NE(listing.find(size + "  vantrel\\lzma\\lib.prc  \"Lib\" appl/Test resource v0, 1 resources"),
              std::string::npos) << listing;
    EXPECT_NE(listing.find("checksum good"), std::string::npos);
    EXPECT_EQ(Pack("verify Setup.exe"), 0);
    ASSERT_EQ(Pack("extract Setup.exe NOTES.PDB -o back.pdb"), 0);
    EXPECT_EQ(ReadFile(kScratch / "back.pdb"), ReadFile(kScratch / "notes.pdb"));

    // One flipped byte in a database: the checksum no longer agrees.
    auto [data, stored] = RecordData(built, "vantrel\\lzma\\notes.pdb");
    std::string flipped = built;
    flipped[data + stored / 2] ^= 1;
    WriteFile("Setup.exe", flipped);
    EXPECT_EQ(Pack("verify Setup.exe"), 1);
    EXPECT_NE(ReadFile(kScratch / "err.txt").find("its checksum differs"), std::string::npos);

    // A compressed record that states one byte more than it decodes to,
    // with the checksum record cut off: the chain is whole, the record not.
    std::string longer = built.substr(0, RecordData(built, "vantrel\\checksum").first);
    longer[data] = static_cast<char>(longer[data] + 1);
    WriteFile("Setup.exe", longer);
    EXPECT_EQ(Pack("verify Setup.exe"), 1);
    EXPECT_NE(ReadFile(kScratch / "err.txt").find("vantrel\\lzma\\notes.pdb: error: damaged: it does not decode"),
              std::string::npos) << ReadFile(kScratch / "err.txt");
    EXPECT_EQ(Pack("list Setup.exe"), 1);
    EXPECT_EQ(Pack("extract Setup.exe notes.pdb -o back.pdb"), 1);
    EXPECT_EQ(ReadFile(kScratch / "back.pdb"), ReadFile(kScratch / "notes.pdb")); // the earlier one, left as it was

    // Stored: exactly the records that -a appends (held against the
    // installer's own -a under Wine); strip takes either back to the stub.
    ASSERT_EQ(Pack("build --store -o Setup.exe --stub stub.exe lib.prc notes.pdb"), 0);
    EXPECT_NE(ReadFile(kScratch / "Setup.exe").find(ReadFile(kScratch / "lib.prc") + std::string("\x5c\0\0\0lib.prc")),
              std::string::npos);
    for (const std::string& installer : {built, ReadFile(kScratch / "Setup.exe")}) {
        WriteFile("Setup.exe", installer);
        ASSERT_EQ(Pack("strip Setup.exe"), 0);
        EXPECT_EQ(ReadFile(kScratch / "Setup.exe"), ReadFile(kScratch / "stub.exe"));
    }
}

TEST_F(PackTest, EveryMistakeIsNamedAndNoInstallerIsWritten)
{
    // 1,998 characters fill the installer's line buffer: the '.' after them is read as a line.
    const std::string longLine = "LICENSE\r\n" + std::string(1998, 'x') + ".\r\nREADME\r\nThanks\r\n.\r\n";
    // The script, the arguments after it; the exit code and a message expected
    // on standard error.
    const std::tuple<std::string, const char*, int, const char*> cases[] = {
        // Section lines the installer never matches, and what they hide.
        {"LICENCE\r\nTerms\r\n.\r\n", "lib.prc", 1, "s.ini:1: error: 'LICENCE' is not a section line"},
        {"[LICENSE]\r\nTerms\r\n.\r\n", "lib.prc", 1, "s.ini:2: error: lines 2 to 3 are never read"},
        {" LICENSE\r\nTerms\r\n.\r\n", "lib.prc", 1, "s.ini:1: error: ' LICENSE'"},
        {"\tLICENSE\r\nTerms\r\n.\r\n", "lib.prc", 1, "s.ini:1: error: '\\tLICENSE'"}, // shown escaped
        {"LICENSE\r\nTerms\r\n.\r\n\r\nFILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc", 1, "s.ini:5: error: lines 5 to 8"},
        {"FILES\r\n+L\r\nlib.prc\r\n.\r\nLICENSE\r\nTerms\r\n.\r\n", "lib.prc", 1, "s.ini:5: error: 'LICENSE'"},
        {"README\r\nThanks\r\n.\r\nmore\r\n", "", 1, "s.ini:4: error: this line is never read"},
        // Entries, paths and text blocks.
        {"FILES\r\n+1\r\na\r\n+2\r\nb\r\n+3\r\nc\r\n+4\r\nd\r\n+5\r\ne\r\n+6\r\nf\r\n+7\r\ng\r\n.\r\n",
         "--beside a --beside b --beside c --beside d --beside e --beside f", 1, "s.ini:14: error: a seventh file entry"},
        {"FILES\r\n+L\r\nlib.prc\r\nPick.\r\n-- or not\r\n.\r\n", "lib.prc", 1, "s.ini:5: error: this line looks like a file entry"},
        {"FILES\r\n+L\r\n", "", 1, "s.ini:2: error: this file entry has no path line"},
        {"FILES\r\n+L\r\nmissing.prc\r\n.\r\n", "lib.prc", 1, "s.ini:3: error: 'missing.prc' names no packaged file"},
        {"FILES\r\n+L\r\nmissing.prc\r\n.\r\n", "--beside missing.prc", 0, ""},
        // What a hurried packager gets wrong, where the fix belongs and the fix.
        {"FILES\r\nlib.prc\r\nnotes.pdb\r\n.\r\n", "lib.prc notes.pdb", 1,
         "s.ini:2: error: 'lib.prc' has no marker, so the files list is empty: write an entry line above it, such as "
         "'*lib.prc'"},
        {"FILES\r\nPick one.\r\n.\r\n", "lib.prc", 1, "s.ini:1: error: the files list is empty"},
        {"LICENSE\r\nTerms\r\nFILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc", 1,
         "s.ini:3: error: the license text runs on into line 3 'FILES': the '.' line that ends it is missing"},
        {"LICENSE\r\nTerms\r\n. \r\nFILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc", 1,
         "s.ini:3: error: '. ' is not a terminator: remove the blank after the '.'"},
        {"FILES\r\n\t+L\r\nlib.prc\r\n.\r\n", "lib.prc", 1,
         "s.ini:2: error: this line starts with a tab, so it is read as description, not as a file entry, and the "
         "files list is empty: remove it"},
        {"FILES\r\n+L\r\nlib.prc\r\n  -N\r\nnotes.pdb\r\n.\r\n", "lib.prc notes.pdb", 1,
         "s.ini:4: error: this line starts with blanks, so it is read as description, not as a file entry: remove them"},
        {"FILES\r\n+L\r\nC:\\Users\\me\\lib.prc\r\n.\r\n", "lib.prc", 1,
         "s.ini:3: error: the installer looks for C:\\Users\\me\\lib.prc on the user's PC; write lib.prc"},
        {"FILES\r\n+L\r\nlib.prc\r\n- pick one\r\n.\r\n", "lib.prc", 1,
         "s.ini:4: error: this line starts with '-', so it is read as a file entry (with line 5 as its file), not as "
         "description"},
        {"LICENSE\r\nTerms\r\n.\r\nUSER\r\n", "lib.prc", 1, "s.ini:4: error: the script has no FILES section"},
        {"FILES\r\n+L\r\nlib.prc\r\n.\r\nUsers must agree\r\n", "lib.prc", 1,
         "s.ini:5: error: 'Users must agree' is read as the USER section line, not as text"},
        // What the files page cannot show, and a run of Continue that installs nothing.
        {"FILES\r\n+The library of every shared routine, for all\r\nlib.prc\r\n.\r\n", "lib.prc --strict", 1,
         "s.ini:2: warning: the label is 191 pixels wide in the dialog font and its check box shows 184, so it ends at "
         "'The library of every shared routine, for'"},
        {"FILES\r\n*L\r\nlib.prc\r\n1\r\n2\r\n3\r\nA line long enough to take two rows of the box\r\n5\r\n6\r\n7\r\n.\r\n",
         "lib.prc --strict", 1, "s.ini:10: warning: the description takes 8 rows in its box, which shows 7"},
        {"FILES\r\n-L\r\nlib.prc\r\n.\r\n", "lib.prc --strict", 1, "s.ini:2: warning: every file is offered unchecked"},
        {"LICENSE\r\nTerms\r\n.", "", 1, "s.ini:3: error: the terminator '.' has no line end"},
        {"LICENSE\r\nTerms\r\n", "", 1, "s.ini:1: error: the license text has no terminator"},
        {"LICENSE\r\nTerms \xA9 2026\r\n.\r\n", "--strict", 1, "s.ini:2: warning: non-ASCII text"},
        {"FILES\r\n+L\r\nC:\\palm\\lib.prc\r\n.\r\n", "", 0, "s.ini:3: warning: 'C:\\palm\\lib.prc' has a folder"},
        {"", "", 1, "s.ini: error: the script is empty"},
        {"\xEF\xBB\xBFLICENSE\r\nTerms\r\n.\r\n", "", 0, ""}, // a UTF-8 byte order mark is read past
        // Encodings: UTF-16 with or without its mark; UTF-8 that Windows-1252 cannot show, or kept as UTF-8.
        {"\xFF\xFEL\0I\0"s, "", 1, "s.ini: error: the script is saved as UTF-16"},
        {"L\0I\0C\0"s, "", 1, "s.ini: error: the script is saved as UTF-16"},
        {"FILES\r\n+Lib \xE2\x86\x92 2\r\nlib.prc\r\n.\r\n", "lib.prc", 1,
         "s.ini:2: error: '\xE2\x86\x92' (U+2192) has no Windows-1252 form"},
        {"FILES\r\n+Donn\xC3\xA9\x65s\r\nlib.prc\r\n.\r\n", "lib.prc --keep-encoding --strict", 1,
         "s.ini:2: warning: UTF-8 text stored as it is: '+Donn\xC3\xA9\x65s' shows as '+Donn\xC3\x83\xC2\xA9\x65s'"},
        // The files themselves.
        {"FILES\r\n+R\r\nreadme.txt\r\n.\r\n", "readme.txt", 1, "readme.txt: error: not a sound Palm OS database"},
        {"FILES\r\n+A\r\nlib.prc\r\n+B\r\ncopy.prc\r\n.\r\n", "lib.prc copy.prc", 1,
         "copy.prc: error: it installs as 'Lib.prc', as lib.prc does"},
        {"FILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc notes.pdb", 1, "notes.pdb: error: no FILES entry names it"},
        {"README\r\nThanks\r\n.\r\n", "lib.prc --strict", 1, "lib.prc: warning: no FILES entry names it"},
        {"FILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc absent.pdb", 1, "absent.pdb: error: cannot read it"},
        {"FILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc empty.txt", 1, "empty.txt: error: it is empty: the installer"},
        {longLine.c_str(), "", 1, "s.ini:2: error: this line is longer than 1998 characters"},
        {"FILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc --stub readme.txt", 1, "readme.txt: error: not a Windows program"},
        {"FILES\r\n+L\r\nlib.prc\r\n.\r\n", "lib.prc --stub=absent.exe", 1,
         "absent.exe: error: cannot read the installer program named by --stub"},
        // Command lines that are no packaging request at all.
        {"", "--bogus", 2, "unknown option"},
        {"", "-o", 2, "needs a value"},
    };
    for (const auto& [script, arguments, exitCode, message] : cases) {
        SCOPED_TRACE(script + " | " + arguments);
        WriteFile("s.ini", script);
        WriteFile("Setup.exe", "an earlier installer");
        EXPECT_EQ(Pack(std::string("build -o Setup.exe --stub stub.exe --script s.ini ") + arguments), exitCode);
        std::string errors = ReadFile(kScratch / "err.txt");
        EXPECT_NE(errors.find(message), std::string::npos) << errors;
        // A failed build leaves the earlier installer; a successful one replaces it.
        EXPECT_EQ(ReadFile(kScratch / "Setup.exe") == "an earlier installer", exitCode != 0);
    }
}

// A UTF-8 script is stored as the Windows-1252 text the installer shows,
// its byte order mark dropped; --keep-encoding stores its bytes.
TEST_F(PackTest, Utf8ScriptIsStoredAsWindows1252UnlessKept)
{
    const std::string utf8 = "\xEF\xBB\xBF" "FILES\r\n+Donn\xC3\xA9\x65s \xE2\x82\xAC\r\nlib.prc\r\n.\r\n";
    WriteFile("Install.ini", utf8);
    for (const auto& [option, stored] : {std::pair<std::string, std::string>{"", "FILES\r\n+Donn\xE9\x65s \x80\r\nlib.prc\r\n.\r\n"},
                                         {"--keep-encoding", utf8}}) {
        ASSERT_EQ(Pack("build -o Setup.exe --stub stub.exe lib.prc " + option), 0) << ReadFile(kScratch / "err.txt");
        ASSERT_EQ(Pack("extract Setup.exe Install.ini -o back.ini"), 0);
        EXPECT_EQ(ReadFile(kScratch / "back.ini"), stored) << option;
    }
}

// Hostile and unlucky files: each is refused with its message (or, with exit
// code 0, handled), and nothing but the output changes.
TEST_F(PackTest, HostileFilesAreRefusedAndChangeNothingElse)
{
    // A PE image of 256 bytes, its one section's data filling the file.
    std::string pe(256, '\0');
    pe.replace(0, 2, "MZ");
    pe[0x3C] = 0x40;
    pe.replace(0x40, 7, std::string("PE\0\0\x4C\x01\x01", 7));
    pe[0x58 + 17] = 1; // the section's data: 256 bytes from 0
    umask(027);
    const std::string build = "build -o Setup.exe --stub stub.exe lib.prc notes.pdb";
    const std::string built = "$pack build --store -o x.exe --stub pe.exe lib.prc notes.pdb >/dev/null";
    const std::string flipped = built + " && printf '\\001' | dd of=x.exe bs=1 seek=349 conv=notrunc 2>/dev/null";
    // Shell commands first, vantrel-pack's arguments; its exit code, what it
    // prints, and the permissions of Setup.exe after (0 when absent).
    const std::tuple<std::string, std::string, int, const char*, int> cases[] = {
        // The build's own file: one of its own, never one someone placed.
        {"echo precious >victim && ln -s victim Setup.exe.partial", build, 0, "", 0750},
        {"echo earlier >Setup.exe && chmod 604 Setup.exe", build, 0, "", 0604},
        // -o naming what the build reads, however it is written.
        {":", "build -o ./lib.prc --stub stub.exe lib.prc", 1, "./lib.prc: error: it is lib.prc, which", 0},
        {"ln -s Install.ini link", "build -o link --stub stub.exe lib.prc", 1, "link: error: it is Install.ini", 0},
        {":", "build -o pe.exe --stub pe.exe lib.prc", 1, "pe.exe: error: it is pe.exe", 0},
        {"cat pe.exe lib.prc >tail.exe", "build -o Setup.exe --stub tail.exe lib.prc notes.pdb", 1,
         "tail.exe: error: its program image ends at byte 256, but the file has 348 bytes", 0},
        // Installers from elsewhere: one bit flipped in the first record's size sends its data into the image.
        {flipped, "strip x.exe", 1, "damaged: its records do not lead back to the end of the program image; nothing", 0},
        {flipped, "list x.exe", 1, "checksum absent; damaged: its records do not lead back to the end of the program", 0},
        {built, "extract x.exe lib.prc -o ./x.exe", 1, "./x.exe: error: it is the installer itself", 0},
        {":", "strip /dev/null", 1, "/dev/null: error: no regular file of that name", 0},
        {":", "append /dev/null lib.prc", 1, "/dev/null: error: no regular file of that name", 0},
        {"cp lib.prc \"$(printf 'a\\033[2J\\nb.prc')\" && cp stub.exe x.exe && $pack append x.exe a*", "list x.exe", 0,
         "a\\x1B[2J\\x0Ab.prc  \"Lib\"", 0},
        {"cp stub.exe x.exe && for f in lib.prc notes.pdb copy.prc copy.prc Install.ini; do $pack append x.exe $f; done",
         "verify x.exe", 1, "4 errors", 0}, // each database of a name reported once (and not named)
        // 400,000 empty records, 100 times the marks list keeps, come out in order in the memory of a few.
        {"python3 -c \"import struct; f = open('x.exe', 'wb'); f.write(b'MZ'); [f.write(bytes(4) + n + struct.pack("
         "'<HI', len(n), len(n) + 6) + b'ETag') for n in (b'%d\\0' % i for i in range(400000))]\"",
         "list x.exe", 0, "  399999\n400000 records, 0 bytes of data (0 decoded), after a program of 2 bytes", 0},
    };
    for (const auto& [prepare, arguments, exitCode, message, permissions] : cases) {
        SCOPED_TRACE(prepare + " | " + arguments);
        SetUp();
        WriteFile("pe.exe", pe);
        WriteFile("Install.ini", kSoundScript);
        ASSERT_EQ(Shell(prepare), 0);
        std::map<std::string, std::string> before = Snapshot("Setup.exe");
        rusage self, children;
        getrusage(RUSAGE_SELF, &self);
        EXPECT_EQ(Pack(arguments), exitCode);
        // A child starts as a copy of this process: what the packager holds shows past that.
        getrusage(RUSAGE_CHILDREN, &children);
        EXPECT_LT(children.ru_maxrss, self.ru_maxrss + 20000);
        std::string printed = ReadFile(kScratch / "out.txt") + ReadFile(kScratch / "err.txt");
        EXPECT_NE(printed.find(message), std::string::npos) << printed;
        EXPECT_EQ(Snapshot("Setup.exe"), before);
        fs::path setup = kScratch / "Setup.exe";
        EXPECT_EQ(fs::exists(setup) ? int(fs::status(setup).permissions()) : 0, permissions);
    }
}

// Command-line mistakes exit with 2 after one line and where to get help;
// without files, check cannot hold the script's paths against anything.
TEST_F(PackTest, CommandLineMistakesExitWithTwo)
{
    WriteFile("s.ini", "FILES\r\n+L\r\nmissing.prc\r\n.\r\n");
    const std::tuple<const char*, int, const char*> cases[] = {
        {"", 2, "vantrel-pack: no command given\nTry 'vantrel-pack --help'.\n"},
        {"bogus", 2, "vantrel-pack: unknown command 'bogus'\nTry 'vantrel-pack --help'.\n"},
        {"--help extra", 2, nullptr},
        {"build lib.prc", 2,
         "vantrel-pack: build: the installer to write is missing: give it with -o SETUP.EXE\n"
         "Try 'vantrel-pack build --help'.\n"},
        {"build --strict=yes -o S.exe", 2, "vantrel-pack: build: option '--strict' takes no value\n"
                                           "Try 'vantrel-pack build --help'.\n"},
        {"append Setup.exe", 2, nullptr}, {"list a b", 2, nullptr}, {"extract Setup.exe", 2, nullptr}, {"check", 2, nullptr},
        {"check s.ini", 0, ""}, {"check s.ini lib.prc", 1, "s.ini:3: error: 'missing.prc' names no packaged file"},
        {"--help", 0, "Run 'vantrel-pack COMMAND --help'"},
        {"extract --help", 0, "Usage: vantrel-pack extract SETUP.EXE NAME [-o FILE]"},
        // A missing file is said to be missing, and nothing more is said of it.
        {"verify absent.exe", 1, "absent.exe: error: no such file\n"},
        {"build -o S.exe --script=s.ini", 1, "vantrel.exe: error: no installer program to copy: looked for "},
    };
    for (const auto& [arguments, exitCode, message] : cases) {
        EXPECT_EQ(Pack(arguments), exitCode) << arguments;
        std::string said = ReadFile(kScratch / "out.txt") + ReadFile(kScratch / "err.txt");
        if (!message)
            continue;
        if (exitCode == 2 || arguments[0] == 'v') {
            EXPECT_EQ(said, message) << arguments;
        } else {
            EXPECT_NE(said.find(message), std::string::npos) << arguments << ": " << said;
        }
    }
}

} // namespace
