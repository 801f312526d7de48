#include "Replay.h"
#include "MiniJson.h"
#include "Simulator.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> lines() const
    {
        std::vector<std::string> v;
        std::istringstream in(out);
        for (std::string l; std::getline(in, l);)
            v.push_back(l);
        return v;
    }
};

Result replay(const std::string& scenario, kyt::Simulator* sim = nullptr)
{
    kyt::Simulator own;
    std::istringstream in(scenario);
    std::ostringstream out, err;
    Result r;
    r.status = kyt::replay::run(in, out, err, sim ? *sim : own);
    r.out = out.str();
    r.err = err.str();
    return r;
}

std::string readFile(const std::string& name)
{
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Runs the built program with a shell command line after its name.
Result runProgram(const std::string& args)
{
    // One file per test: ctest runs the tests side by side.
    const std::string errFile = std::string("replay-test-")
        + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".err";
    const std::string cmd = std::string("'") + KYT_REPLAY_EXE + "' " + args + " 2>" + errFile;
    Result r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        throw std::runtime_error("cannot start the replay program");
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        r.out.append(buf, n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = readFile(errFile);
    return r;
}

void writeFile(const std::string& name, const std::string& text)
{
    std::ofstream(name, std::ios::binary) << text;
}

} // namespace

TEST(ReplayScript, SkipsCommentsAndBlanksAndRunsRepeats)
{
    const Result r = replay("# a comment\n"
                            "\n"
                            "   \t\n"
                            "   # an indented comment\n"
                            "  FormActivate  \r\n"
                            "pwbl2Click*2\n"
                            "pwbl1Click * 1\n"
                            "ppoz2Click*0\n"
                            "state\n");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines().size(), 1u);
    const auto j = minijson::flatten(r.lines()[0]);
    // B asked and withdrew; A asked; Poz was never pressed.
    EXPECT_EQ(j.at("block.WblB"), "false");
    EXPECT_EQ(j.at("block.WblA"), "true");
    EXPECT_EQ(j.at("block.OpA"), "false");
    EXPECT_EQ(j.at("desk.lwbl1.Blink"), "true");
}

TEST(ReplayScript, StatePrintsEveryVariableAndControlAsJson)
{
    const Result r = replay("state\nFormActivate\nstate\n");
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.lines().size(), 2u);
    const auto created = minijson::flatten(r.lines()[0]);
    const auto activated = minijson::flatten(r.lines()[1]);

    // The record before and after activation; the desk's values are those
    // of the model, as its own tests check.
    EXPECT_EQ(created.at("block.DpA"), "false");
    EXPECT_EQ(activated.at("block.DpA"), "true");
    EXPECT_EQ(created.at("desk.mdp1.Look"), "wzbb");
    EXPECT_EQ(created.at("desk.Shape6.Color"), "16777215");
    EXPECT_EQ(created.at("desk.pst.Caption"), "Pociąg \"STÓJ\"");
    EXPECT_EQ(created.at("desk.Memo1.Text"),
        "Stan zasadniczy. Przekaźniki Dp na stacji \"A\" i \"B\"  wzbudzone bezprądowo.");

    // 54 block variables, 22 lamps x 3, 30 indicators, 8 counters,
    // 11 sections, 6 shown flags, pst x 2, 3 labels, memo x 2, 4 timers.
    EXPECT_EQ(created.size(), 54u + 66 + 30 + 8 + 11 + 6 + 2 + 3 + 2 + 4);
    // The object keeps the block first, then the desk.
    EXPECT_EQ(r.lines()[0].rfind("{\"block\":{\"OpA\":false,", 0), 0u);
    EXPECT_NE(r.lines()[0].find("},\"desk\":{\"ALed1\":{\"Value\":true,\"Blink\":false,"
                                "\"TrueColor\":255}"),
        std::string::npos);
}

TEST(ReplayScript, ClicksOnHiddenControlsAreDropped)
{
    const Result r = replay("FormActivate\npwbl1Click\nppoz2Click\npdalejClick*5\nstate\n");
    ASSERT_EQ(r.status, 0);
    const auto j = minijson::flatten(r.lines().at(0));
    // The first press settled the direction and hid the button; the other
    // four never arrived (a direct call in phase 0 would change nothing
    // either, so check the button and the text stayed as the first left them).
    EXPECT_EQ(j.at("desk.pdalej.Visible"), "false");
    EXPECT_EQ(j.at("block.OpA"), "true");
    EXPECT_EQ(j.at("desk.mop1.Look"), "wzbb");
}

TEST(ReplayScript, WaitAdvancesTheClockAndHandlerErrorsArePrintedAsLines)
{
    kyt::Simulator sim;
    int ticks = 0;
    sim.clock().setTickSink([&](std::string_view) {
        if (++ticks == 2)
            throw std::runtime_error("Tick \"two\" failed");
    });
    sim.desk().setTimerEnabled(kyt::Control::Timer1, true);
    const Result r = replay("wait 499\nstate\nwait 1\nwait 500\nwait 0\n", &sim);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ticks, 2);
    ASSERT_EQ(r.lines().size(), 2u);
    EXPECT_EQ(r.lines()[1], "{\"error\":\"Tick \\\"two\\\" failed.\"}");
    EXPECT_EQ(minijson::flatten(r.lines()[1]).at("error"), "Tick \"two\" failed.");
    EXPECT_EQ(sim.clock().now(), 1000);
}

TEST(ReplayScript, UnknownLinesStopWithExitStatusTwoAndTheLineNumber)
{
    struct Case {
        const char* script;
        const char* line;
    };
    for (const Case& c : {
             Case {"FormActivate\n\n  pwbl1click\nstate\n", "line 3: "},
             Case {"wait\n", "line 1: "},
             Case {"# c\nwait -5\n", "line 2: "},
             Case {"wait 5ms\n", "line 1: "},
             Case {"wait 99999999999999999999\n", "line 1: "},
             Case {"pwbl1Click*\n", "line 1: "},
             Case {"pwbl1Click*x\n", "line 1: "},
             Case {"pwbl1Click*2000000\n", "line 1: "},
             Case {"*3\n", "line 1: "},
             Case {"state now\n", "line 1: "},
             Case {"waiting 5\n", "line 1: "},
         }) {
        const Result r = replay(c.script);
        EXPECT_EQ(r.status, 2) << c.script;
        EXPECT_NE(r.err.find(c.line), std::string::npos) << c.script << " -> " << r.err;
        // Nothing after the bad line runs.
        EXPECT_EQ(r.out, "") << c.script;
    }
}

TEST(ReplayProgram, ReadsStandardInputAndPrintsTheDirectionSetState)
{
    writeFile("replay-test.in", "FormActivate\npwbl1Click\nppoz2Click\npdalejClick\nstate\n");
    const Result r = runProgram("< replay-test.in");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.lines().size(), 1u);
    const auto j = minijson::flatten(r.lines()[0]);
    EXPECT_EQ(j.at("block.OpA"), "true");
    EXPECT_EQ(j.at("block.PwlA"), "true");
    EXPECT_EQ(j.at("block.LzsB"), "true");
    EXPECT_EQ(j.at("block.DpB"), "false");
    EXPECT_EQ(j.at("block.DalejPhase"), "0");
    EXPECT_EQ(j.at("desk.mop1.Look"), "wzbb");
    EXPECT_EQ(j.at("desk.np.Caption"), "Brak");
    EXPECT_EQ(j.at("desk.ns1.Caption"), "żyłe 79 : \"-\"");
    EXPECT_EQ(j.at("desk.ns2.Caption"), "żyłe 80 : \"+\"");
    EXPECT_EQ(j.at("desk.Memo1.Text").rfind("Po ustawieniu kierunku na stacji a jest", 0), 0u);
}

TEST(ReplayProgram, ReadsTheFileNamedByItsArgument)
{
    writeFile("replay-test.txt", "# from a file\nFormActivate\nstate\n");
    const Result r = runProgram("replay-test.txt");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(minijson::flatten(r.lines().at(0)).at("block.DpB"), "true");
}

TEST(ReplayProgram, ReportsUsageErrorsAndMissingFiles)
{
    writeFile("replay-test.bad", "FormActivate\nstate\nfly\nstate\n");
    Result r = runProgram("replay-test.bad");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.lines().size(), 1u); // the state before the bad line
    EXPECT_NE(r.err.find("line 3"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("fly"), std::string::npos) << r.err;

    r = runProgram("no-such-scenario.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Cannot open file no-such-scenario.txt"), std::string::npos) << r.err;

    r = runProgram("a b");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
}

TEST(ReplayProgram, ReportsInputAndOutputItCannotUse)
{
    writeFile("replay-io.txt", "# from a file\nFormActivate\nstate\n");
    struct Case {
        const char* args;
        const char* message;
    };
    for (const Case& c : {
             Case {".", "cannot read"}, // a folder named
             Case {"< .", "cannot read"}, // a folder as input
             Case {"replay-io.txt > /dev/full", "cannot write"}, // a full disk
             // A line of three million NUL bytes, like /dev/zero.
             Case {"< replay-io.zero", "longer than"},
         }) {
        if (std::string(c.args).find("zero") != std::string::npos)
            writeFile("replay-io.zero", std::string(3 << 20, '\0'));
        const Result r = runProgram(c.args);
        EXPECT_EQ(r.status, 1) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find("kyt-replay: "), std::string::npos) << c.args;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << ": " << r.err;
        EXPECT_LT(r.err.size(), 1000u) << c.args;
    }
}

TEST(ReplayScript, ABadLineIsEchoedOnlyInPart)
{
    const std::string bad(500000, 'x');
    const Result r = replay("FormActivate\n" + bad + "\nstate\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("line 2: no such event: " + bad.substr(0, 200)), std::string::npos);
    EXPECT_EQ(r.err.find(bad.substr(0, 201)), std::string::npos) << "the whole line was echoed";
    EXPECT_LT(r.err.size(), 400u);
    EXPECT_EQ(r.out, "");
}
