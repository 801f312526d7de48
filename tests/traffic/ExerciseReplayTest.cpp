// A whole exercise through the replay program, as a trainee would do it:
// block request at A, permission at B, exit signal A cleared, the train run
// with waits, entry signal cleared, Ko at B and three "DALEJ" back to the
// basic state; and the counts within one run of the program.

#include "ReplayProcess.h"

#include <gtest/gtest.h>

namespace kyt::test {
namespace {

bool startsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& s, const std::string& suffix)
{
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

TEST(ExerciseReplay, ATrainFromAToBAndTheReleaseAfterIt)
{
    const std::string home = freshFolder("exercise-home");
    const ReplayRun run = runReplay(R"(# The window opens in the basic state.
FormActivate
odczytlicznikow
state
# A asks, B gives the permission, DALEJ sets the direction.
pwbl1Click
ppoz2Click
pdalejClick
state
# Exit signal A to proceed, the train leaves.
psa1Click
state
ArrowButton1Click
wait 3000
state
# At the entry signal of B, which shows stop, the train waits.
wait 14000
state
wait 5000
state
psa2Click
ArrowButton2Click
wait 500
state
wait 14000
state
# Ko at B, then three presses of DALEJ.
pkoaClick
state
pdalejClick
state
pdalejClick
state
pdalejClick
state
# DALEJ is hidden now: the press is dropped.
pdalejClick
)",
                                    home);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 12u) << run.err;
    auto at = [&](std::size_t i, const std::string& key) { return run.lines[i].at(key); };

    EXPECT_EQ(at(0, "block.DpA"), "true");
    EXPECT_EQ(at(0, "desk.pdalej.Visible"), "false");
    EXPECT_EQ(at(0, "desk.lsza1.Value"), "0");

    EXPECT_EQ(at(1, "block.OpA"), "true");
    EXPECT_EQ(at(1, "block.PwlA"), "true");
    EXPECT_EQ(at(1, "block.LzsB"), "true");
    EXPECT_TRUE(startsWith(at(1, "desk.Memo1.Text"), "Po ustawieniu kierunku")) << at(1, "desk.Memo1.Text");

    EXPECT_TRUE(startsWith(at(2, "desk.Memo1.Text"), "Po podaniu semafora na \"Wolna Droga\""));
    EXPECT_EQ(at(2, "desk.ns1.Caption"), "żyła 79 : Zwarta");
    EXPECT_EQ(at(2, "desk.ArrowButton1.Visible"), "true");
    EXPECT_EQ(at(2, "desk.ALed5.Value"), "true");

    // Six steps on: the exit signal is back at stop behind the train.
    EXPECT_EQ(at(3, "block.TrainStep"), "6");
    EXPECT_TRUE(startsWith(at(3, "desk.Memo1.Text"), "Po wyjeździe pociągu"));
    EXPECT_EQ(at(3, "desk.ns2.Caption"), "żyła 80 : Brak");
    EXPECT_EQ(at(3, "desk.ALed1.Value"), "true");
    EXPECT_EQ(at(3, "desk.pst.Visible"), "true");

    EXPECT_EQ(at(4, "block.TrainStep"), "34");
    EXPECT_EQ(at(4, "desk.Timer1.Enabled"), "false");
    EXPECT_TRUE(startsWith(at(4, "desk.Memo1.Text"), "Po minięciu semafora wjazdowego"));
    EXPECT_EQ(at(5, "block.TrainStep"), "34") << "still waiting";

    EXPECT_EQ(at(6, "block.TrainStep"), "35");
    EXPECT_EQ(at(6, "block.WA"), "true");
    EXPECT_EQ(at(6, "desk.ALed11.Value"), "true");

    EXPECT_EQ(at(7, "block.TrainStep"), "0");
    EXPECT_EQ(at(7, "block.ZA"), "true");
    EXPECT_EQ(at(7, "desk.ALed19.Value"), "true");
    EXPECT_EQ(at(7, "desk.pst.Visible"), "false");
    EXPECT_TRUE(endsWith(at(7, "desk.Memo1.Text"),
                         "pozwolenia.Naciśnięcie przycisku Ko powoduje wzbudzenie przekaźnika "
                         "StKo a za jego pośrednictwem Zwbl. Wzbudzenie Zwbl uwarunkowane jest "
                         "prawidłowym stanem urządzeń (Kc,Sz,S itd)."));
    for (const char* section : {"Shape1", "Shape6", "Shape11", "ita", "oita2"})
        EXPECT_EQ(at(7, std::string("desk.") + section + ".Color"), "16777215") << section;

    EXPECT_EQ(at(8, "block.DalejPhase"), "2");
    EXPECT_EQ(at(8, "block.KoReleaseAB"), "true");
    EXPECT_EQ(at(8, "desk.pdalej.Visible"), "true");
    EXPECT_EQ(at(8, "desk.mzwbl2.Look"), "wzb");

    EXPECT_TRUE(endsWith(at(9, "desk.Memo1.Text"),
                         "Wzbudzony przekaźnik Zp powoduje odwzbudzenie przekaźnika Op"));
    EXPECT_EQ(at(9, "desk.ALed7.Value"), "false");
    EXPECT_EQ(at(10, "block.DalejPhase"), "5");

    EXPECT_EQ(at(11, "desk.Memo1.Text"), "Stan zasadniczy. Przekaźniki Dp wzbudzone bezprądowo");
    EXPECT_EQ(at(11, "desk.pdalej.Visible"), "false");
    for (const char* flag : {"OpA", "PwlA", "LzsB", "KoReleaseAB", "ZwblB", "WA", "ZA"})
        EXPECT_EQ(at(11, std::string("block.") + flag), "false") << flag;
    EXPECT_EQ(at(11, "block.DpB"), "true");
    EXPECT_EQ(at(11, "desk.mdp2.Look"), "wzbb");
    EXPECT_EQ(at(11, "desk.np.Caption"), "Brak");
}

TEST(ExerciseReplay, CountsSurviveACloseWithinOneRun)
{
    const std::string home = freshFolder("counts-home");
    const ReplayRun run = runReplay(R"(FormActivate
odczytlicznikow
psza2Click
psza2Click
psza2Click
FormClose
psza2Click
odczytlicznikow
state
)",
                                    home);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0].at("block.sza2Count"), "2");
    EXPECT_EQ(run.lines[0].at("desk.lsza2.Value"), "2");
}

} // namespace
} // namespace kyt::test
