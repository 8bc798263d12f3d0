// The packaging modes of the real vantrel.exe, which run after start-up:
// -a appends a byte-exact record, -r gives back the original bytes, a failed
// append says why in an "Append Error" box and leaves the executable as it
// was, and a missing Palm folder is reported before the packaging is done.
#include "support/program_driver.h"
#include "support/simulated_palm_desktop.h"
#include "wine/end_to_end.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kRunMs = 10000;

// Every byte value, CR LF and Ctrl-Z among them: a text-mode copy would
// change the data.
std::string DatabaseBytes()
{
    std::string bytes;
    for (int round = 0; round < 5; ++round)
        for (int value = 0; value < 256; ++value)
            bytes += static_cast<char>(value);
    return bytes + "\r\n\x1a tail";
}

// A stand-in executable image: the program only appends after it.
std::string ImageBytes()
{
    std::string image = "MZ";
    for (int i = 0; i < 3000; ++i)
        image += static_cast<char>(i * 7);
    return image;
}

// Each test works in a fresh folder with a blank in its name, beside a
// simulated Palm Desktop with one user, so that start-up shows no box.
struct Packaging : testing::Test {
    TestFolder folder{"packaging"};

    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(PalmFolderKey::kPilotDesktop)));
    }

    SimulatedPalmDesktop Desktop(PalmFolderKey folderKey)
    {
        SimulatedPalmDesktop desktop;
        desktop.palmFolder = PathOf("Palm");
        desktop.folderKey = folderKey;
        desktop.users = {{"Ann Lee", "AnnL", 1}};
        return desktop;
    }

    std::string PathOf(const std::string& name) { return folder.PathOf(name); }

    // Runs vantrel.exe -q in the folder; it must end with exit code 0
    // without showing any window.
    void RunQuietly(const std::string& arguments)
    {
        ScopedProgram run;
        ASSERT_TRUE(StartVantrel(run.program, "-q " + arguments, folder.Path()));
        EXPECT_TRUE(EndsWithoutWindow(run.program, kRunMs)) << arguments;
        ExpectExitCodeZero(run.program, kRunMs);
    }

    // Presses OK on the program's box; the program must then end with exit
    // code 0 without showing another window.
    static void PressOkAndExpectCleanEnd(DrivenProgram& program, HWND box)
    {
        ASSERT_TRUE(PressOk(box));
        ASSERT_TRUE(WaitUntilGone(box, kRunMs));
        EXPECT_TRUE(EndsWithoutWindow(program, kRunMs));
        ExpectExitCodeZero(program, kRunMs);
    }
};

TEST_F(Packaging, AppendsByteExactRecordsAndStripsThemAgain)
{
    const std::string image = ImageBytes();
    const std::string database = DatabaseBytes();
    const std::string script = "[LICENSE]\r\nSome text\r\n";
    ASSERT_TRUE(WriteBytes(PathOf("my setup.exe"), image));
    ASSERT_TRUE(WriteBytes(PathOf("my database.prc"), database));
    ASSERT_TRUE(WriteBytes(PathOf("Install.ini"), script));

    RunQuietly("-a \"" + PathOf("my setup.exe") + "\" \"" + PathOf("my database.prc") + "\"");
    std::string once = image + PayloadRecordBytes(database, "my database.prc");
    ASSERT_EQ(ReadBytes(PathOf("my setup.exe")), once);
    EXPECT_EQ(ReadBytes(PathOf("my database.prc")), database);

    // Relative paths are taken from the current folder; the name keeps the
    // case the path gives it.
    RunQuietly("-a \"my setup.exe\" Install.ini");
    ASSERT_EQ(ReadBytes(PathOf("my setup.exe")), once + PayloadRecordBytes(script, "Install.ini"));

    RunQuietly("-r \"" + PathOf("my setup.exe") + "\"");
    EXPECT_EQ(ReadBytes(PathOf("my setup.exe")), image);

    // Stripping a file without records changes nothing.
    RunQuietly("-r \"" + PathOf("my setup.exe") + "\"");
    EXPECT_EQ(ReadBytes(PathOf("my setup.exe")), image);
}

TEST_F(Packaging, FailedAppendShowsWhyAndLeavesExecutableUnchanged)
{
    const std::string image = ImageBytes();
    ASSERT_TRUE(WriteBytes(PathOf("setup.exe"), image));
    ASSERT_TRUE(WriteBytes(PathOf("read only.exe"), image));
    ASSERT_TRUE(WriteBytes(PathOf("my database.prc"), DatabaseBytes()));
    ASSERT_TRUE(SetFileAttributesA(PathOf("read only.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    // Wine run as root writes read-only files all the same. There the file is
    // also held open without write sharing while the program runs, which
    // makes it unwritable as the attribute alone does on Windows.
    struct Holder {
        HANDLE file = INVALID_HANDLE_VALUE;
        ~Holder()
        {
            if (file != INVALID_HANDLE_VALUE)
                CloseHandle(file);
        }
    } holder;
    HANDLE writer = CreateFileA(PathOf("read only.exe").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writer != INVALID_HANDLE_VALUE) {
        CloseHandle(writer);
        holder.file = CreateFileA(PathOf("read only.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder.file, INVALID_HANDLE_VALUE);
    }

    struct Case {
        std::string arguments;
        const char* executable;
        const char* text;
    };
    const Case cases[] = {
        // No second argument: the input path is empty.
        {"-a setup.exe", "setup.exe", "Cannot open input file for read"},
        {"-a setup.exe \"no such file.prc\"", "setup.exe", "Cannot open input file for read"},
        {"-a \"" + PathOf("read only.exe") + "\" \"my database.prc\"", "read only.exe",
         "Cannot open executable file for write"},
        // The executable is opened for update, never created.
        {"-a \"no such setup.exe\" \"my database.prc\"", "no such setup.exe",
         "Cannot open executable file for write"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.arguments);
        std::string before = ReadBytes(PathOf(test.executable));
        ScopedProgram run;
        ASSERT_TRUE(StartVantrel(run.program, "-q " + test.arguments, folder.Path()));
        HWND box = WaitForMessageBox(run.program, "Append Error", kRunMs);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(MessageBoxText(box), test.text);
        // One box only.
        ASSERT_NO_FATAL_FAILURE(PressOkAndExpectCleanEnd(run.program, box));
        EXPECT_EQ(ReadBytes(PathOf(test.executable)), before);
        EXPECT_EQ(GetFileAttributesA(PathOf("no such setup.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

// Without a Palm folder value start-up says so, in quiet mode too, before the
// executable is touched; after OK the packaging is done all the same, and
// the missing users are no error for a packaging run.
TEST_F(Packaging, MissingPalmFolderIsReportedBeforeThePackaging)
{
    ASSERT_TRUE(BuildSimulatedPalmDesktop(Desktop(PalmFolderKey::kNone)));
    const std::string image = ImageBytes();
    const std::string database = DatabaseBytes();
    ASSERT_TRUE(WriteBytes(PathOf("my setup.exe"), image));
    ASSERT_TRUE(WriteBytes(PathOf("my database.prc"), database));

    ScopedProgram run;
    ASSERT_TRUE(StartVantrel(run.program, "-q -a \"my setup.exe\" \"my database.prc\"", folder.Path()));
    HWND box = WaitForMessageBox(run.program, "Registry Error", kRunMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Cannot locate a path to the Palm folder");
    EXPECT_EQ(ReadBytes(PathOf("my setup.exe")), image);
    ASSERT_NO_FATAL_FAILURE(PressOkAndExpectCleanEnd(run.program, box));
    EXPECT_EQ(ReadBytes(PathOf("my setup.exe")), image + PayloadRecordBytes(database, "my database.prc"));
}

} // namespace
