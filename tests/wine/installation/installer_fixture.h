// The setting of every installation test under Wine: a fresh folder with a
// blank in its name, holding a real installer packaged with vantrel.exe's
// own -a (small Palm databases and install scripts as records), and a
// simulated Palm Desktop built afresh for each test.
#pragma once

#include "support/simulated_palm_desktop.h"
#include "wine/end_to_end.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

constexpr DWORD kPageMs = 20000;

// A database that the installer carries, and the name its header gives the
// installed copy.
struct CarriedDatabase {
    const char* record;
    const char* installedName;
    std::string bytes;
};

// One Palm user of the simulated desktop, in the order the installer's
// discovery finds them.
struct ListedUser {
    std::string displayName;
    int userNumber;
    std::string folderName;
    std::string installFolder;
    std::string backupFolder;
};

class Installation : public testing::Test {
protected:
    // Builds the folder and the installer once for all tests.
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // A fresh simulated Palm Desktop; users_ is its table in listing order.
    void SetUp() override;

    // Starts the installer in the suite's folder with these arguments.
    static void Start(DrivenProgram& installer, const std::string& arguments);

    // The page titled title, waited for; the test fails when it never shows.
    static HWND AwaitPage(const DrivenProgram& installer, const char* title);

    // Clicks control id of page.
    static void Press(HWND page, int id);

    // The text of an edit control ("" when it does not answer).
    static std::string EditText(HWND page, int id);

    // The names of the files in folder, sorted.
    static std::vector<std::string> FilesIn(const std::string& folder);

    // Every file in the users' install and backup folders, as
    // "<user folder>\<Install or backup>\<name>", sorted.
    std::vector<std::string> EveryInstalledFile() const;

    // The HotSync install flag of the user is REG_DWORD 1.
    static bool FlagSet(const ListedUser& user);

    static std::optional<TestFolder> folder_;       // the suite's folder
    static std::vector<CarriedDatabase> databases_; // in the order of the example script
    static bool ready_;                             // the installer was built
    std::vector<ListedUser> users_;
};
