// The counts saved when one run of the program closes the simulator window
// are there when the next run opens it: two replay processes sharing a
// configuration folder.

#include "ReplayProcess.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kyt::test {
namespace {

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
FormClose
)",
                                      home);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(first.lines.empty()) << "no error";
    std::ostringstream stored;
    stored << std::ifstream(home + "/kyt/sygnaly.conf").rdbuf();
    EXPECT_NE(stored.str().find("\nsza2=2\n"), std::string::npos) << stored.str();

    const ReplayRun next = runReplay("FormActivate\nodczytlicznikow\nstate\n", home);
    ASSERT_EQ(next.status, 0) << next.err;
    ASSERT_EQ(next.lines.size(), 1u);
    EXPECT_EQ(next.lines[0].at("desk.lsza2.Value"), "2");
    EXPECT_EQ(next.lines[0].at("desk.ldkoa.Value"), "1");
    EXPECT_EQ(next.lines[0].at("desk.lsza1.Value"), "0");

    // A store that cannot be written: the close reports it.
    const std::string blocked = freshFolder("blocked-home");
    std::ofstream(blocked + "/kyt") << "a file where the folder should be";
    const ReplayRun failed = runReplay("FormActivate\nFormClose\n", blocked);
    ASSERT_EQ(failed.lines.size(), 1u);
    EXPECT_EQ(failed.lines[0].at("error"), "Failed to set data for 'sza1'.");
}

} // namespace
} // namespace kyt::test
