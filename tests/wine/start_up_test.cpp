// Start-up errors of the shipped program: each shows its boxes, also in
// quiet mode, and the run ends without a page, with exit code 2.
#include "simulated_palm_desktop.h"
#include "wine_test.h"

#include <utility>
#include <vector>

namespace {

TEST(StartUp, ErrorsShowTheirBoxesAndEndTheRun)
{
    using Box = std::pair<const char*, const char*>; // caption, text
    const Box noPalmFolder = {"Registry Error", "Cannot locate a path to the Palm folder"};
    const Box noUsers = {"Install Error", "No valid Palm users found on this PC"};
    const Box noScript = {"Install Error", "No valid configuration file or install files found"};
    const SimulatedPalmUser ann = {"Ann Lee", "AnnL", 1};
    struct Case {
        bool folderValue;
        std::vector<SimulatedPalmUser> users;
        std::vector<Box> boxes;
    };
    const Case cases[] = {
        // Discovery's own box, then the empty user table's.
        {false, {ann}, {noPalmFolder, noUsers}},
        {true, {}, {noUsers}},
        // vantrel.exe as built carries no script, none lies on disk, and no
        // -f names a file.
        {true, {ann}, {noScript}},
    };
    std::string folder = FreshFolder();
    int number = 0;
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "case " << number);
        std::string palmFolder = folder + "\\Palm " + std::to_string(number++);
        ASSERT_TRUE(BuildSimulatedPalmDesktop(palmFolder, test.users, test.folderValue));
        Program run;
        Start(run, VantrelExe(), "-q", folder);
        for (const auto& [caption, text] : test.boxes)
            ExpectBox(run, caption, text);
        ExpectEnd(run, 2);
    }
}

} // namespace
