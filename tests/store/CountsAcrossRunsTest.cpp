// The counts saved when one run of the program closes the simulator window
// are there when the next run opens it: two replay processes sharing a
// configuration folder.

#include "ReplayProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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

std::string readText(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(CountsAcrossRuns, AnUnreadableCountCostsNoOtherCount)
{
    const std::string home = freshFolder("bad-count-home");
    const std::string file = home + "/kyt/sygnaly.conf";
    writeText(file,
        "[General]\nsza1=11\nsza2=abc\nszb1=13\nszb2=14\ndkoa=15\ndkob=16\n"
        "dpoa=17\ndpob=18\n");
    const ReplayRun run
        = runReplay("FormActivate\nodczytlicznikow\nstate\npsza1Click\nFormClose\n", home);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 2u);
    // Reported once, for the first value that could not be read.
    EXPECT_EQ(run.lines[0].at("error"), "Invalid data type for 'sza2'.");
    const auto& shown = run.lines[1];
    EXPECT_EQ(shown.at("desk.lsza1.Value"), "11");
    EXPECT_EQ(shown.at("desk.lsza2.Value"), "0");
    EXPECT_EQ(shown.at("desk.lszb1.Value"), "13");
    EXPECT_EQ(shown.at("desk.ldpob.Value"), "18");
    EXPECT_EQ(readText(file),
        "[General]\nsza1=12\nsza2=abc\nszb1=13\nszb2=14\ndkob=16\ndkoa=15\n"
        "dpob=18\ndpoa=17\n");

    // Used in the session, the unreadable count starts from 0.
    const ReplayRun used
        = runReplay("FormActivate\nodczytlicznikow\npsza2Click\nFormClose\n", home);
    ASSERT_EQ(used.lines.size(), 1u);
    EXPECT_EQ(used.lines[0].at("error"), "Invalid data type for 'sza2'.");
    EXPECT_EQ(readText(file),
        "[General]\nsza1=12\nsza2=1\nszb1=13\nszb2=14\ndkob=16\ndkoa=15\n"
        "dpob=18\ndpoa=17\n");
}

TEST(CountsAcrossRuns, AnOversizedFileIsReportedAndKept)
{
    const std::string home = freshFolder("big-file-home");
    const std::string file = home + "/kyt/sygnaly.conf";
    const std::string big = "sza1=5\n; " + std::string(2 << 20, 'x') + "\n";
    writeText(file, big);
    const ReplayRun run = runReplay("FormActivate\nodczytlicznikow\nstate\nFormClose\n", home);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 2u);
    EXPECT_EQ(run.lines[0].at("error"), "Failed to get data for 'sza1'.");
    EXPECT_EQ(run.lines[1].at("desk.lsza1.Value"), "0");
    EXPECT_TRUE(readText(file) == big) << "the close saved over it";
}

TEST(CountsAcrossRuns, TwoProgramsSavingAtOnceLoseNoUse)
{
    const std::string home = freshFolder("two-programs-home");
    // Each of the two loops runs its sessions one after the other, each
    // session pressing its own button once; the loops run side by side.
    constexpr int kSessions = 60;
    auto loop = [&](const char* button) {
        return "(i=0; while [ $i -lt " + std::to_string(kSessions)
            + " ]; do printf 'FormActivate\\nodczytlicznikow\\n" + button
            + "\\nFormClose\\n' | XDG_CONFIG_HOME='" + home + "' '" KYT_REPLAY_EXE "' >>'" + home
            + ".out' 2>&1; i=$((i+1)); done)";
    };
    const std::string script = loop("psza1Click") + " & " + loop("pszb2Click") + " & wait";
    ASSERT_EQ(std::system(script.c_str()), 0);
    EXPECT_EQ(readText(home + ".out"), "") << "no session reported an error";
    const std::string stored = readText(home + "/kyt/sygnaly.conf");
    EXPECT_NE(stored.find("\nsza1=" + std::to_string(kSessions) + "\n"), std::string::npos)
        << stored;
    EXPECT_NE(stored.find("\nszb2=" + std::to_string(kSessions) + "\n"), std::string::npos)
        << stored;
}

} // namespace
} // namespace kyt::test
