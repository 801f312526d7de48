// The counts saved when one run of the program closes the simulator window
// are there when the next run opens it: two replay processes sharing a
// configuration folder.

#include "ReplayProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kyt::test {
namespace {

std::string fileText(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

TEST(CountsAcrossRuns, ACloseInOneRunAndALoadInTheNext)
{
    const std::string home = freshFolder("across-runs-home");
    const ReplayRun first = runReplay(R"(FormActivate
odczytlicznikow
pwbl1Click
ppoz2Click
pdalejClick
HemisphereButton16Click
psza2Click
psza2Click
psza2Click
HemisphereButton4Click
FormClose
state
)",
                                      home);
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_EQ(first.lines.size(), 1u);
    EXPECT_EQ(first.lines[0].count("error"), 0u);

    const std::string stored = fileText(home + "/kyt/sygnaly.conf");
    EXPECT_NE(stored.find("sza2=2\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("dkoa=1\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("dpoa=1\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("dpob=0\n"), std::string::npos) << stored;

    const ReplayRun next = runReplay("FormActivate\nodczytlicznikow\nstate\n", home);
    ASSERT_EQ(next.status, 0) << next.err;
    ASSERT_EQ(next.lines.size(), 1u);
    const auto& state = next.lines[0];
    EXPECT_EQ(state.at("block.sza2Count"), "2");
    EXPECT_EQ(state.at("desk.lsza2.Value"), "2");
    EXPECT_EQ(state.at("desk.ldkoa.Value"), "1");
    EXPECT_EQ(state.at("desk.ldpoa.Value"), "1");
    EXPECT_EQ(state.at("desk.lsza1.Value"), "0");
}

TEST(CountsAcrossRuns, AFirstRunIsSilentAndAStoreThatCannotBeWrittenSaysSo)
{
    const std::string home = freshFolder("unwritable-home");
    // A regular file where the program's folder should be.
    std::ofstream(home + "/kyt") << "not a folder";
    const ReplayRun run = runReplay(R"(FormActivate
odczytlicznikow
psza1Click
FormClose
state
)",
                                    home);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0].at("error"), "Failed to set data for 'sza1'.");
    EXPECT_EQ(run.lines[1].at("desk.lsza1.Value"), "1");
    EXPECT_EQ(fileText(home + "/kyt"), "not a folder");
}

TEST(CountsAcrossRuns, ABrokenValueIsReportedByName)
{
    const std::string home = freshFolder("broken-home");
    std::filesystem::create_directories(home + "/kyt");
    std::ofstream(home + "/kyt/sygnaly.conf") << "[General]\nsza1=4\nsza2=four\n";
    const ReplayRun run = runReplay("FormActivate\nodczytlicznikow\nstate\n", home);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0].at("error"), "Invalid data type for 'sza2'.");
    EXPECT_EQ(run.lines[1].at("block.sza1Count"), "4");
    EXPECT_EQ(run.lines[1].at("desk.lsza1.Value"), "0");
}

} // namespace
} // namespace kyt::test
