// The goal checker on states made by hand, and the assessment's rules:
// goals in order, a goal undone and reached again, hints and their cost,
// emergency buttons, the time limit.

#include "Attempt.h"
#include "DeskNames.h"
#include "Exercise.h"
#include "Simulator.h"
#include "Trainer.h"

#include <gtest/gtest.h>

namespace {

using kyt::Control;

const std::string kPenalties
    = R"("penalties":{"refused":5,"undo":10,"emergency":20,"mishap":25,"time":30,"hint":3})";
const std::string kScoring
    = R"("scoring":{"timeLimit":10000,"emergencyAllowed":["dkoa"],)" + kPenalties + "}";

kyt::Exercise withGoals(const std::string& goals, const std::string& start = "[]",
    const std::string& scoring = kScoring)
{
    return kyt::parseExercise(R"({"id":"t","title":"T","task":"Zadanie","difficulty":2,"start":)"
            + start + R"(,"goals":)" + goals + "," + scoring + "}",
        "test.json");
}

kyt::Condition condition(const std::string& text)
{
    return withGoals(R"([{"text":"g","hint":"h","condition":)" + text + "}]")
        .goals.front()
        .condition;
}

TEST(GoalChecker, LeavesAndTheirCombinationsOnHandMadeStates)
{
    kyt::Simulator sim;
    kyt::UseCounts uses {};
    const auto check = [&](const std::string& c) { return kyt::holds(condition(c), sim, uses); };

    sim.state().OpA = true;
    sim.state().TrainStep = 34;
    sim.desk().setLook(Control::mop1, kyt::Look::wzbb);
    sim.desk().setLampValue(Control::ALed19, true);
    sim.desk().setSectionColor(Control::Shape6, kyt::kColorRed);
    uses[4] = 2; // dkoa

    EXPECT_TRUE(check(R"({"block.OpA":true})"));
    EXPECT_FALSE(check(R"({"block.OpB":true})"));
    EXPECT_TRUE(check(R"({"block.OpA":true,"desk.mop1.Look":"wzbb"})"));
    EXPECT_FALSE(check(R"({"block.OpA":true,"desk.mop1.Look":"wzb"})"));
    EXPECT_TRUE(check(R"({"all":[{"block.OpA":true},{"desk.ALed19.Value":true}]})"));
    EXPECT_FALSE(check(R"({"all":[{"block.OpA":true},{"desk.ALed19.Blink":true}]})"));
    EXPECT_TRUE(check(R"({"any":[{"block.OpB":true},{"desk.Shape6.Color":255}]})"));
    EXPECT_FALSE(check(R"({"any":[{"block.OpB":true},{"desk.Shape6.Color":16777215}]})"));
    EXPECT_TRUE(check(R"({"not":{"block.OpB":true}})"));
    EXPECT_TRUE(check(R"({"block.TrainStep":{"min":30,"max":40}})"));
    EXPECT_FALSE(check(R"({"block.TrainStep":{"min":35}})"));
    EXPECT_TRUE(check(R"({"block.TrainStep":34})"));
    EXPECT_TRUE(check(R"({"uses.dkoa":{"min":1}})"));
    EXPECT_FALSE(check(R"({"uses.dpoa":{"min":1}})"));
    EXPECT_TRUE(check(R"({"desk.pst.Caption":"Pociąg \"STÓJ\""})"));
    EXPECT_TRUE(check(R"({"desk.Timer1.Enabled":false,"desk.pdalej.Visible":false})"));
}

class Assessment : public ::testing::Test {
protected:
    kyt::Simulator sim;
    kyt::Trainer trainer {sim};

    void start(kyt::Attempt& a)
    {
        trainer.press("FormActivate");
        a.begin();
    }
};

TEST_F(Assessment, GoalsAreReachedInOrderAndAnUndoneGoalIsToBeReachedAgain)
{
    const kyt::Exercise ex = withGoals(R"([
        {"text":"zgłoszenie","hint":"Wbl na A","condition":{"block.WblA":true},"undone":{"block.DalejPhase":3}},
        {"text":"pozwolenie","hint":"Poz na B","condition":{"block.OpA":true}}])");
    kyt::Attempt a(trainer, ex);
    start(a);
    // The second goal's press first: refused, nothing reached.
    a.press("ppoz2Click");
    EXPECT_EQ(a.currentGoal(), 0u);
    a.press("pwbl1Click");
    EXPECT_EQ(a.currentGoal(), 1u);
    a.press("pwbl1Click"); // the withdrawal
    EXPECT_EQ(a.currentGoal(), 0u);
    EXPECT_FALSE(a.goals()[0].reached);
    a.press("pdalejClick");
    a.advance(2000);
    a.press("pwbl1Click");
    a.press("ppoz2Click");
    EXPECT_TRUE(a.finished());
    EXPECT_TRUE(a.passed());
    ASSERT_EQ(a.mistakes().size(), 2u);
    EXPECT_EQ(a.mistakes()[0].kind, kyt::MistakeKind::Refused);
    EXPECT_EQ(a.mistakes()[1].kind, kyt::MistakeKind::Undo);
    EXPECT_EQ(a.goals()[0].time, 2000);
    EXPECT_EQ(a.score(), 100 - 5 - 10);
    // After the end nothing is assessed.
    a.press("ppoz2Click");
    EXPECT_EQ(a.mistakes().size(), 2u);
}

TEST_F(Assessment, GoalsAreCheckedOnEveryTickInsideAWait)
{
    const kyt::Exercise ex = withGoals(R"([
        {"text":"na szlaku","hint":"h","condition":{"desk.Shape6.Color":255}},
        {"text":"na stacji","hint":"h","condition":{"block.ZA":true}}])",
        R"(["pwbl1Click","ppoz2Click","pdalejClick","psa1Click","psa2Click"])",
        R"("scoring":{)" + kPenalties + "}");
    kyt::Attempt a(trainer, ex);
    start(a);
    a.press("ArrowButton1Click");
    a.advance(60000);
    ASSERT_TRUE(a.finished());
    // Step 24 puts the train on the line, step 57 energises Z: 500 ms each.
    EXPECT_EQ(a.goals()[0].time, 12000);
    EXPECT_EQ(a.goals()[1].time, 28500);
    EXPECT_EQ(a.elapsed(), 28500);
}

TEST_F(Assessment, HintsCostOncePerGoalAndTheTimeLimitEndsTheAttempt)
{
    const kyt::Exercise ex = withGoals(R"([
        {"text":"zgłoszenie","hint":"Naciśnij Wbl na A.","condition":{"block.WblA":true}},
        {"text":"pozwolenie","hint":"Naciśnij Poz na B.","condition":{"block.OpA":true}}])");
    kyt::Attempt a(trainer, ex);
    start(a);
    EXPECT_EQ(a.takeHint(), "Naciśnij Wbl na A.");
    EXPECT_EQ(a.takeHint(), "Naciśnij Wbl na A.");
    a.press("pwbl1Click");
    EXPECT_EQ(a.takeHint(), "Naciśnij Poz na B.");
    EXPECT_EQ(a.hints(), 2);
    a.advance(10000);
    EXPECT_FALSE(a.finished()); // exactly at the limit is still in time
    a.advance(1);
    ASSERT_TRUE(a.finished());
    EXPECT_FALSE(a.passed());
    ASSERT_EQ(a.mistakes().size(), 1u);
    EXPECT_EQ(a.mistakes()[0].kind, kyt::MistakeKind::Time);
    EXPECT_EQ(a.mistakes()[0].time, 10000);
    EXPECT_EQ(a.elapsed(), 10000);
    EXPECT_EQ(a.score(), 100 - 2 * 3 - 30);
}

TEST_F(Assessment, EmergencyButtonsNotAllowedAreMistakesAndUsesAreCounted)
{
    const kyt::Exercise ex = withGoals(R"([{"text":"g","hint":"h","condition":{"block.ZA":true}}])",
        R"(["pwbl1Click","ppoz2Click","pdalejClick"])");
    kyt::Attempt a(trainer, ex);
    start(a);
    a.press("HemisphereButton16Click"); // dKo A: allowed
    a.press("HemisphereButton4Click"); // dPo A: not allowed
    a.press("HemisphereButton4Click"); // refused now: Pwl already dropped
    ASSERT_EQ(a.mistakes().size(), 2u);
    EXPECT_EQ(a.mistakes()[0].kind, kyt::MistakeKind::Emergency);
    EXPECT_EQ(a.mistakes()[0].handler, "HemisphereButton4Click");
    EXPECT_EQ(a.mistakes()[1].kind, kyt::MistakeKind::Refused);
    EXPECT_EQ(a.uses()[4], 1); // dkoa
    EXPECT_EQ(a.uses()[6], 1); // dpoa
    a.finish();
    EXPECT_TRUE(a.finished());
    EXPECT_FALSE(a.passed());
    EXPECT_EQ(a.score(), 100 - 20 - 5);
}

TEST_F(Assessment, AConflictingSubstituteSignalIsAMishap)
{
    const kyt::Exercise ex = withGoals(R"([{"text":"g","hint":"h","condition":{"block.ZA":true}}])",
        R"(["pwbl2Click","ppoz1Click","pdalejClick","psb2Click"])");
    kyt::Attempt a(trainer, ex);
    start(a);
    a.press("psza1Click");
    ASSERT_EQ(a.mistakes().size(), 1u);
    EXPECT_EQ(a.mistakes()[0].kind, kyt::MistakeKind::Mishap);
}

} // namespace
