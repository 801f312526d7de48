// Exercise files that are no valid exercise are refused with the file, the
// place and what is wrong, while the others load; and kyt-replay --exercise
// as a program: its exit statuses and its one line of assessment.

#include "Exercise.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

const std::string kGood = R"({
  "id": "dobre",
  "title": "Dobre",
  "task": "Zgłoś blokadę na stacji A.",
  "difficulty": 1,
  "start": ["wait 500"],
  "goals": [{"text": "zgłoszenie", "hint": "Wbl na A", "condition": {"block.WblA": true}}],
  "scoring": {"penalties": {"refused": 5, "undo": 10, "emergency": 20, "mishap": 25, "time": 30, "hint": 5}}
})";

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

std::string refusal(const std::string& text)
{
    try {
        kyt::parseExercise(text, "zle.json");
    } catch (const kyt::ExerciseError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(BadExerciseFiles, AreRefusedWithThePlaceAndWhatIsWrong)
{
    EXPECT_NO_THROW(kyt::parseExercise(kGood, "dobre.json"));
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"{\n  \"id\": \"x\",\n  \"title\" \"y\"\n}",
            "zle.json: line 3, column 13: not valid JSON"},
        {replaced(kGood, "block.WblA", "block.WblX"),
            "zle.json: /goals/0/condition/block.WblX: no block variable \"WblX\" in the state "
            "listing"},
        {replaced(kGood, "block.WblA", "desk.lwbl9.Value"),
            "zle.json: /goals/0/condition/desk.lwbl9.Value: no desk control \"lwbl9\""},
        {replaced(kGood, "block.WblA", "desk.mop1.Value"),
            "zle.json: /goals/0/condition/desk.mop1.Value: the control \"mop1\" has no property "
            "\"Value\""},
        {replaced(kGood, "\"block.WblA\": true", "\"desk.mop1.Look\": \"zielony\""),
            "zle.json: /goals/0/condition/desk.mop1.Look: a look expected"},
        {replaced(kGood, "\"block.WblA\": true", "\"block.WblA\": 1"),
            "zle.json: /goals/0/condition/block.WblA: true or false expected"},
        {replaced(kGood, "\"block.WblA\": true", "\"uses.sza9\": 1"),
            "zle.json: /goals/0/condition/uses.sza9: no emergency button count"},
        {replaced(kGood, "\"block.WblA\": true", "\"all\": []"),
            "zle.json: /goals/0/condition/all: a non-empty list of conditions expected"},
        {replaced(kGood, "wait 500", "pwbl9Click"),
            "zle.json: /start/0: no such event: pwbl9Click"},
        {replaced(kGood, "wait 500", "wait soon"),
            "zle.json: /start/0: wait needs milliseconds from 0 to 1000000000000"},
        {replaced(kGood, "wait 500", "FormActivate"),
            "zle.json: /start/0: FormActivate runs before the start by itself"},
        {replaced(kGood, "wait 500", "state"), "zle.json: /start/0: no such event: state"},
        {replaced(kGood, "\"title\": \"Dobre\",", ""),
            "zle.json: /: the field \"title\" is missing"},
        {replaced(kGood, "\"hint\": \"Wbl na A\", ", ""),
            "zle.json: /goals/0: the field \"hint\" is missing"},
        {replaced(kGood, "\"difficulty\": 1", "\"difficulty\": 7"),
            "zle.json: /difficulty: a number from 1 to 3 expected"},
        {replaced(kGood, "\"difficulty\": 1", "\"difficulty\": 1, \"dificulty\": 2"),
            "zle.json: /dificulty: unknown field"},
        {replaced(kGood, "\"hint\": 5", "\"hints\": 5"),
            "zle.json: /scoring/penalties: the field \"hint\" is missing"},
        {replaced(kGood,
             R"("goals": [{"text": "zgłoszenie", "hint": "Wbl na A", "condition": {"block.WblA": true}}])",
             R"("goals": [])"),
            "zle.json: /goals: a non-empty list"},
        {replaced(kGood, "\"id\": \"dobre\"", "\"id\": \"../dobre\""),
            "zle.json: /id: an id is made of"},
    };
    for (const Case& c : cases) {
        const std::string got = refusal(c.text);
        EXPECT_EQ(got.rfind(c.message, 0), 0u) << "got: " << got << "\nexpected: " << c.message;
    }
}

fs::path folderWith(
    const std::string& name, std::initializer_list<std::pair<const char*, std::string>> files)
{
    const fs::path dir = fs::current_path() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const auto& [file, text] : files)
        std::ofstream(dir / file) << text;
    return dir;
}

TEST(BadExerciseFiles, TheOtherExercisesOfTheFolderStillLoad)
{
    const fs::path dir = folderWith("mixed",
        {{"a.json", kGood}, {"b.json", "{ not json"},
            {"c.json", replaced(replaced(kGood, "dobre", "trzecie"), "block.WblA", "block.Nope")},
            {"d.json", replaced(kGood, "\"dobre\"", "\"czwarte\"")}, {"e.json", kGood},
            {"notes.txt", "not an exercise"}});
    const kyt::ExerciseSet set = kyt::loadExerciseFolder(dir);
    ASSERT_EQ(set.exercises.size(), 2u);
    EXPECT_EQ(set.exercises[0].id, "dobre");
    EXPECT_EQ(set.exercises[1].id, "czwarte");
    ASSERT_EQ(set.errors.size(), 3u);
    EXPECT_NE(set.errors[0].find("b.json: line 1, column 4: not valid JSON"), std::string::npos)
        << set.errors[0];
    EXPECT_NE(set.errors[1].find("c.json: /goals/0/condition/block.Nope"), std::string::npos);
    EXPECT_NE(set.errors[2].find("e.json: /id: another exercise has the id \"dobre\""),
        std::string::npos);
    EXPECT_FALSE(kyt::loadExerciseFolder(dir / "missing").errors.empty());
}

struct ProcessRun {
    int status = -1;
    std::string out;
};

ProcessRun replay(const std::string& args, const std::string& input)
{
    const fs::path in = fs::current_path() / "stdin.txt";
    std::ofstream(in) << input;
    const std::string command
        = std::string(KYT_REPLAY_EXE) + " " + args + " < " + in.string() + " 2>&1";
    ProcessRun r;
    FILE* p = popen(command.c_str(), "r");
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
        r.out.append(buf, n);
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(ReplayExercise, ExitStatusesAndTheAssessmentLine)
{
    const fs::path dir = folderWith("cli", {{"good.json", kGood}, {"bad.json", "[1,"}});
    const std::string good = "--exercise " + (dir / "good.json").string();

    ProcessRun passed = replay(good, "pwbl1Click\n");
    ASSERT_EQ(passed.status, 0) << passed.out;
    const nlohmann::ordered_json j = nlohmann::ordered_json::parse(passed.out);
    std::vector<std::string> keys;
    for (const auto& [k, v] : j.items())
        keys.push_back(k);
    EXPECT_EQ(keys,
        (std::vector<std::string> {
            "exercise", "passed", "score", "goals", "mistakes", "emergency", "time", "hints"}));
    EXPECT_EQ(j["exercise"], "dobre");
    EXPECT_EQ(j["goals"][0]["t"], 0);
    EXPECT_EQ(j["emergency"].size(), 8u);

    // A script file, state and journal inside it, a refusal: not passed.
    std::ofstream(dir / "script.txt") << "ppoz2Click\nstate\njournal\n";
    const ProcessRun failed = replay(good + " " + (dir / "script.txt").string(), "");
    EXPECT_EQ(failed.status, 1) << failed.out;
    EXPECT_NE(failed.out.find("{\"block\":"), std::string::npos);
    EXPECT_NE(failed.out.find("{\"journal\":"), std::string::npos);
    EXPECT_NE(failed.out.find("\"kind\":\"refused\""), std::string::npos);
    EXPECT_NE(failed.out.find("\"goals\":[{\"text\":\"zgłoszenie\",\"reached\":false,\"t\":null}]"),
        std::string::npos);

    const ProcessRun activate = replay(good, "FormActivate\n");
    EXPECT_EQ(activate.status, 2);
    EXPECT_NE(activate.out.find("line 1: FormActivate is run by the exercise"), std::string::npos);
    EXPECT_EQ(replay(good, "nosuchClick\n").status, 2);
    const ProcessRun bad = replay("--exercise " + (dir / "bad.json").string(), "");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.out.find("bad.json: line 1, column 4: not valid JSON"), std::string::npos)
        << bad.out;
    EXPECT_EQ(replay("--exercise", "").status, 2);
    EXPECT_EQ(replay("--exercise " + (dir / "none.json").string(), "").status, 2);
}

} // namespace
