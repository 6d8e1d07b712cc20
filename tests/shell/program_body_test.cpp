#include "shell/program_body.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/data_folder.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "platform/help.h"
#include "platform/ini_manager.h"
#include "temp_folder.h"

namespace bb {
namespace {

TEST(ProgramBody, StepsRunInOrderAndTouchNoDataFile) {
    test::TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    useDataFolder(".");

    std::vector<std::string> steps;
    bool managersDuringFrame = false;
    const int status =
        runProgramBody({[&] {
                            steps.emplace_back("(frame runs)");
                            managersDuringFrame =
                                fileManagerFor(FileId::Members) &&
                                relationManagerFor(FileId::CPhones) &&
                                fileManagerFor(FileId::Members)->GetName() == "Members";
                        },
                        [&](std::string_view step) { steps.emplace_back(step); }});
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(managersDuringFrame);

    std::vector<std::string> expected = {"help Ledgr.hlp", "error manager", "settings tallo2.INI"};
    for (FileId id : dictionaryOrder()) expected.push_back("setup " + fileDef(id).label);
    expected.emplace_back("frame");
    expected.emplace_back("(frame runs)");
    for (FileId id : dictionaryOrder()) expected.push_back("teardown " + fileDef(id).label);
    expected.emplace_back("error manager down");
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(expected[3], "setup Members");
    EXPECT_EQ(expected[30], "setup CPhones");

    EXPECT_EQ(helpFile(), "Ledgr.hlp");
    EXPECT_EQ(settingsFile().FileName(), "tallo2.INI");
    // The managers are gone after tear-down, and nothing was written.
    EXPECT_EQ(fileManagerFor(FileId::Members), nullptr);
    EXPECT_EQ(relationManagerFor(FileId::Members), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    std::filesystem::current_path(previous);
}

}  // namespace
}  // namespace bb
