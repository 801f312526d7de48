// Every shipped exercise against its solutions from solutions.json: the
// reference solution passes with the full score, another solution by a
// different way passes too, and a wrong one fails with the mistake it makes.
// One procedure runs the whole table; an exercise without solutions fails.

#include "Exercise.h"
#include "Replay.h"
#include "Simulator.h"
#include "Trainer.h"
#include "store/MemoryCounterStore.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <set>
#include <sstream>

using kyt::Exercise;
using nlohmann::json;

namespace {

struct Outcome {
    int status = -1;
    json result; // the assessment line
    std::string err;
};

std::string joined(const json& lines)
{
    std::string script;
    for (const auto& line : lines)
        script += line.get<std::string>() + "\n";
    return script;
}

Outcome attempt(const Exercise& exercise, const std::string& script)
{
    kyt::Simulator sim;
    kyt::MemoryCounterStore store;
    sim.setCounterStore(&store);
    kyt::Trainer trainer(sim);
    std::istringstream in(script);
    std::ostringstream out, err;
    Outcome o;
    o.status = kyt::replay::runExercise(in, out, err, trainer, exercise);
    o.err = err.str();
    std::string line, last;
    std::istringstream printed(out.str());
    while (std::getline(printed, line))
        last = line;
    if (!last.empty())
        o.result = json::parse(last);
    return o;
}

json solutions()
{
    std::ifstream in(KYT_SOLUTIONS_FILE);
    return json::parse(in);
}

TEST(ShippedExercises, EveryExerciseIsSolvedTwoWaysAndAWrongWayIsCaught)
{
    const kyt::ExerciseSet set = kyt::loadExerciseFolder(KYT_EXERCISES_DIR);
    EXPECT_TRUE(set.errors.empty()) << set.errors.front();
    ASSERT_GE(set.exercises.size(), 12u);
    const json table = solutions();
    std::set<std::string> seen;
    for (const Exercise& ex : set.exercises) {
        SCOPED_TRACE(ex.id);
        seen.insert(ex.id);
        ASSERT_TRUE(table.contains(ex.id)) << "no solutions for " << ex.id;
        const json& row = table[ex.id];

        const Outcome ref = attempt(ex, joined(row["reference"]));
        EXPECT_EQ(ref.status, 0) << ref.err << ref.result.dump();
        EXPECT_EQ(ref.result["passed"], true);
        EXPECT_EQ(ref.result["score"], 100) << ref.result.dump();
        EXPECT_TRUE(ref.result["mistakes"].empty()) << ref.result.dump();
        for (const auto& goal : ref.result["goals"])
            EXPECT_TRUE(goal["t"].is_number()) << ref.result.dump();

        ASSERT_NE(row["other"], row["reference"]);
        const Outcome other = attempt(ex, joined(row["other"]));
        EXPECT_EQ(other.status, 0) << other.err << other.result.dump();
        EXPECT_EQ(other.result["passed"], true);

        const json& wrong = row["wrong"];
        const Outcome bad = attempt(ex, joined(wrong["script"]));
        EXPECT_EQ(bad.status, 1) << bad.err << bad.result.dump();
        EXPECT_EQ(bad.result["passed"], false);
        EXPECT_LT(bad.result["score"].get<int>(), 100);
        bool found = false;
        for (const auto& m : bad.result["mistakes"])
            found = found || (m["kind"] == wrong["kind"] && m["handler"] == wrong["handler"]);
        EXPECT_TRUE(found) << "expected a " << wrong["kind"] << " mistake by " << wrong["handler"]
                           << ": " << bad.result.dump();
    }
    for (const auto& [id, row] : table.items())
        EXPECT_TRUE(seen.count(id)) << "solutions of no exercise: " << id;
}

// Together the exercises train every procedure of the desk: each click
// handler of the block's buttons, signals, arrows, "DALEJ" and the train
// button runs in some exercise's start or reference solution.
TEST(ShippedExercises, TogetherTheyUseEveryButtonOfTheDesk)
{
    const kyt::ExerciseSet set = kyt::loadExerciseFolder(KYT_EXERCISES_DIR);
    const json table = solutions();
    std::set<std::string> used;
    const auto add = [&](const std::string& line) { used.insert(line.substr(0, line.find('*'))); };
    for (const Exercise& ex : set.exercises) {
        for (const std::string& line : ex.start)
            add(line);
        for (const auto& line : table[ex.id]["reference"])
            add(line.get<std::string>());
    }
    for (const std::string_view handler : {"pwbl1Click", "pwbl2Click", "ppoz1Click", "ppoz2Click",
             "pkoaClick", "pkobClick", "HemisphereButton3Click", "HemisphereButton4Click",
             "HemisphereButton15Click", "HemisphereButton16Click", "psza1Click", "pszb1Click",
             "psza2Click", "pszb2Click", "psa1Click", "psb1Click", "psa2Click", "psb2Click",
             "ArrowButton1Click", "ArrowButton2Click", "ArrowButton3Click", "ArrowButton4Click",
             "pdalejClick", "pstClick"})
        EXPECT_TRUE(used.count(std::string(handler))) << handler;
}

// Times count from the end of the start; the start's uses of the emergency
// buttons are not the trainee's and do not show on the counters.
TEST(ShippedExercises, TheStartIsNotPartOfTheAttempt)
{
    const kyt::ExerciseSet set = kyt::loadExerciseFolder(KYT_EXERCISES_DIR);
    const Exercise* ex = nullptr;
    for (const Exercise& e : set.exercises)
        if (e.id == "sz-bez-dko")
            ex = &e;
    ASSERT_NE(ex, nullptr);
    const Outcome o = attempt(*ex, "state\nwait 1000\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.result["time"], 1000);
    EXPECT_EQ(o.result["emergency"]["sza2"], 0);
    EXPECT_TRUE(o.result["mistakes"].empty());
}

} // namespace
