// A whole exercise through the replay program: block request at A,
// permission at B, exit signal A cleared, the train run with a wait at the
// entry signal, Ko at B and three "DALEJ" back to the basic state.

#include "ReplayProcess.h"

#include <gtest/gtest.h>

namespace kyt::test {
namespace {

TEST(ExerciseReplay, ATrainFromAToBAndTheReleaseAfterIt)
{
    const ReplayRun run = runReplay(R"(FormActivate
odczytlicznikow
pwbl1Click
ppoz2Click
pdalejClick
state
psa1Click
state
ArrowButton1Click
wait 3000
state
# The entry signal at B shows stop: the train waits in front of it.
wait 19000
state
psa2Click
ArrowButton2Click
wait 14500
state
pkoaClick
pdalejClick
state
pdalejClick*2
state
pdalejClick
)",
        freshFolder("exercise-home"));
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.lines.size(), 7u) << run.err;

    struct Expect {
        std::size_t line;
        const char* key;
        std::string value;
    };
    const std::string koText = "Naciśnięcie przycisku Ko powoduje wzbudzenie przekaźnika StKo a "
                               "za jego pośrednictwem Zwbl. Wzbudzenie Zwbl uwarunkowane jest "
                               "prawidłowym stanem urządzeń (Kc,Sz,S itd).";
    for (const Expect& e : std::initializer_list<Expect> {
             {0, "block.OpA", "true"},
             {0, "block.LzsB", "true"},
             {1, "desk.ns1.Caption", "żyła 79 : Zwarta"},
             {1, "desk.ArrowButton1.Visible", "true"},
             {2, "block.TrainStep", "6"},
             {2, "desk.ALed1.Value", "true"},
             {2, "desk.ns2.Caption", "żyła 80 : Brak"},
             {3, "block.TrainStep", "34"},
             {3, "desk.Timer1.Enabled", "false"},
             {4, "block.TrainStep", "0"},
             {4, "block.ZA", "true"},
             {4, "desk.ALed19.Value", "true"},
             {4, "desk.pst.Visible", "false"},
             {4, "desk.Shape11.Color", "16777215"},
             {5, "desk.ALed7.Value", "false"},
             {6, "desk.Memo1.Text", "Stan zasadniczy. Przekaźniki Dp wzbudzone bezprądowo"},
             {6, "desk.pdalej.Visible", "false"},
             {6, "desk.mdp2.Look", "wzbb"},
             {6, "block.OpA", "false"},
             {6, "block.KoReleaseAB", "false"},
         })
        EXPECT_EQ(run.lines[e.line].at(e.key), e.value) << "state " << e.line << " " << e.key;

    // The narration of each step.
    auto memo = [&](std::size_t i) { return run.lines[i].at("desk.Memo1.Text"); };
    EXPECT_EQ(memo(0).rfind("Po ustawieniu kierunku", 0), 0u);
    EXPECT_EQ(memo(1).rfind("Po podaniu semafora", 0), 0u);
    EXPECT_EQ(memo(2).rfind("Po wyjeździe pociągu", 0), 0u);
    EXPECT_EQ(memo(3).rfind("Po minięciu semafora wjazdowego", 0), 0u);
    EXPECT_EQ(memo(4).substr(memo(4).size() - koText.size() - 11), "pozwolenia." + koText);
    EXPECT_EQ(memo(5).rfind("Następuje końcowa faza", 0), 0u);
}

} // namespace
} // namespace kyt::test
