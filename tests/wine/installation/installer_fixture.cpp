// Building the installer of the installation tests and reading back what it
// installed.
#include "installer_fixture.h"

#include "installer_scripts.h"

#include <algorithm>

std::optional<TestFolder> Installation::folder_;
std::vector<CarriedDatabase> Installation::databases_;
bool Installation::ready_ = false;

namespace {

constexpr DWORD kPackagingMs = 20000;

const char kInstallerName[] = "sample setup.exe";

std::string BigEndian(uint32_t value, int width)
{
    std::string bytes;
    for (int i = width - 1; i >= 0; --i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// A 78-byte Palm OS database header (name, attributes, the rest zero but for
// type and creator) and a body holding every byte value, CR LF and Ctrl-Z
// among them, so that a text-mode copy would show.
std::string PalmDatabase(const std::string& name, bool resource, int seed)
{
    std::string bytes = name;
    bytes.resize(32, '\0');
    bytes += BigEndian(resource ? 0x0001 : 0x0000, 2);
    bytes += std::string(18, '\0'); // version, three dates, modification number
    bytes += std::string(8, '\0');  // app info and sort info
    bytes += resource ? "appl" : "DATA";
    bytes += "Vtst";
    bytes += std::string(10, '\0'); // seed, next list, record count
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>((i * 7 + seed) & 0xFF);
    return bytes + "\r\n\x1a end";
}

std::string PalmFolder(const TestFolder& folder)
{
    return folder.PathOf("Palm Data");
}

// Display names that sort otherwise than their folders, so that a sorted
// list would show.
SimulatedPalmDesktop Desktop(const TestFolder& folder)
{
    SimulatedPalmDesktop desktop;
    desktop.palmFolder = PalmFolder(folder);
    desktop.users = {{"Zoe Quinn", "Quinn1", 12}, {"Ann Lee", "Lee2", 7}, {"Bob Smith", "Smith3", 4}};
    return desktop;
}

// Appends the file name (in the suite's folder) to the installer, with the
// vantrel.exe that lies beside the test.
bool Package(const TestFolder& folder, const std::string& name)
{
    ScopedProgram packager;
    if (!StartVantrel(packager.program, "-q -a \"" + std::string(kInstallerName) + "\" \"" + name + "\"",
                      folder.Path()))
        return false;
    DWORD exitCode = 1;
    return EndsWithoutWindow(packager.program, kPackagingMs)
           && WaitForExit(packager.program, kPackagingMs, &exitCode) && exitCode == 0;
}

} // namespace

void Installation::SetUpTestSuite()
{
    const TestFolder& folder = folder_.emplace("installation");
    if (folder.Path().empty())
        return;
    databases_ = {
        {"sampletools.prc", "Sample_Tools.prc", PalmDatabase("Sample Tools", true, 1)},
        {"samplehelp.pdb", "SampleHelp.pdb", PalmDatabase("SampleHelp", false, 2)},
        // The header, not the source's name, decides the extension; the
        // colon and the blanks become underscores.
        {"samplethemes.pdb", "Themes__Sample_Tools.prc", PalmDatabase("Themes: Sample Tools", true, 3)},
        {"sharedlib.prc", "SharedLib.prc", PalmDatabase("SharedLib", true, 4)},
    };
    if (!BuildSimulatedPalmDesktop(Desktop(folder)))
        return;
    std::string installer = folder.PathOf(kInstallerName);
    if (!CopyFileA((FolderOfThisProgram() + "\\vantrel.exe").c_str(), installer.c_str(), FALSE))
        return;

    std::vector<std::pair<std::string, std::string>> records;
    for (const CarriedDatabase& database : databases_)
        records.emplace_back(database.record, database.bytes);
    for (const NamedScript& script : CarriedScripts())
        records.emplace_back(script.name, script.text);
    for (const auto& [name, bytes] : records) {
        std::string path = folder.PathOf(name);
        if (!WriteBytes(path, bytes) || !Package(folder, name))
            return;
        // Gone from disk: what the installer installs comes from its payload.
        DeleteFileA(path.c_str());
    }
    ready_ = WriteBytes(folder.PathOf(kDiskScript.name), kDiskScript.text);
}

void Installation::TearDownTestSuite()
{
    folder_.reset();
}

void Installation::SetUp()
{
    ASSERT_TRUE(ready_) << "the installer could not be built in " << folder_->Path();
    SimulatedPalmDesktop desktop = Desktop(*folder_);
    ASSERT_TRUE(BuildSimulatedPalmDesktop(desktop));

    // The table's order is the folder listing's, whatever it is here.
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((desktop.palmFolder + "\\*").c_str(), &found);
    ASSERT_NE(listing, INVALID_HANDLE_VALUE);
    do {
        for (const SimulatedPalmUser& user : desktop.users) {
            if (user.folderName == found.cFileName) {
                std::string userFolder = desktop.palmFolder + "\\" + user.folderName;
                users_.push_back({user.displayName, user.userNumber, user.folderName, userFolder + "\\Install", userFolder + "\\backup"});
            }
        }
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    ASSERT_EQ(users_.size(), desktop.users.size());
}

void Installation::Start(DrivenProgram& installer, const std::string& arguments)
{
    ASSERT_TRUE(StartProgramAt(installer, folder_->PathOf(kInstallerName), arguments, folder_->Path()))
        << arguments;
}

HWND Installation::AwaitPage(const DrivenProgram& installer, const char* title)
{
    WindowWait outcome = WindowWait::TimedOut;
    HWND page = WaitForWindow(installer, title, kPageMs, &outcome);
    EXPECT_NE(page, nullptr) << "no page \"" << title << "\""
                             << (outcome == WindowWait::ProgramEnded ? ": the installer ended" : "");
    return page;
}

void Installation::Press(HWND page, int id)
{
    EXPECT_TRUE(ClickButton(GetDlgItem(page, id))) << "button " << id;
}

std::string Installation::EditText(HWND page, int id)
{
    std::string text;
    EXPECT_TRUE(ReadEditText(GetDlgItem(page, id), &text)) << "text box " << id;
    return text;
}

std::vector<std::string> Installation::FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE listing = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Installation::EveryInstalledFile() const
{
    std::vector<std::string> files;
    for (const ListedUser& user : users_) {
        for (const std::string& folder : {user.installFolder, user.backupFolder}) {
            std::string shortFolder = folder.substr(PalmFolder(*folder_).size() + 1);
            for (const std::string& name : FilesIn(folder))
                files.push_back(shortFolder + "\\" + name);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool Installation::FlagSet(const ListedUser& user)
{
    uint32_t type = 0;
    uint32_t value = 0;
    return ReadHotSyncInstallFlag(user.userNumber, &type, &value) && type == REG_DWORD && value == 1;
}
