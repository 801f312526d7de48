#include "Exercise.h"

#include "BlockState.h"
#include "Counters.h"
#include "DeskModel.h"
#include "DeskNames.h"
#include "Dispatch.h"
#include "ScriptLine.h"
#include "Simulator.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <climits>
#include <fstream>
#include <set>
#include <sstream>

namespace kyt {

using nlohmann::json;

const std::array<std::string_view, 8>& useNames()
{
    static const std::array<std::string_view, 8> names = [] {
        std::array<std::string_view, 8> n;
        for (std::size_t i = 0; i < n.size(); ++i)
            n[i] = loadOrder()[i].name;
        return n;
    }();
    return names;
}

std::string_view difficultyName(int difficulty)
{
    switch (difficulty) {
    case 1: return "łatwe";
    case 2: return "średnie";
    default: return "trudne";
    }
}

namespace {

// The type a leaf's value must have.
enum class ValueType { Bool, Number, Text, Look };

const BlockField* blockField(std::string_view name)
{
    for (const BlockField& f : blockFields())
        if (f.name == name)
            return &f;
    return nullptr;
}

std::optional<std::size_t> useIndex(std::string_view name)
{
    const auto& names = useNames();
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end())
        return std::nullopt;
    return std::size_t(it - names.begin());
}

ValueType deskType(ControlKind kind, std::string_view property)
{
    if (property == "Look")
        return ValueType::Look;
    if (property == "Value")
        return kind == ControlKind::Counter ? ValueType::Number : ValueType::Bool;
    if (property == "TrueColor" || property == "Color")
        return ValueType::Number;
    if (property == "Caption" || property == "Text")
        return ValueType::Text;
    return ValueType::Bool; // Blink, Visible, Enabled
}

// Reads the document with every place named by its JSON pointer.
class Reader {
public:
    explicit Reader(std::string file) : file_(std::move(file)) { }

    [[noreturn]] void fail(const std::string& place, const std::string& what) const
    {
        throw ExerciseError(file_ + ": " + (place.empty() ? "/" : place) + ": " + what);
    }

    // The members of an object, every one known, the required ones there.
    void members(const json& j, const std::string& place,
        std::initializer_list<const char*> required,
        std::initializer_list<const char*> optional) const
    {
        if (!j.is_object())
            fail(place, "an object expected");
        for (const char* r : required)
            if (!j.contains(r))
                fail(place, std::string("the field \"") + r + "\" is missing");
        for (const auto& item : j.items()) {
            const std::string& key = item.key();
            const auto known = [&](std::initializer_list<const char*> names) {
                return std::any_of(
                    names.begin(), names.end(), [&](const char* n) { return key == n; });
            };
            if (!known(required) && !known(optional))
                fail(place + "/" + key, "unknown field");
        }
    }

    std::string text(const json& j, const std::string& place) const
    {
        if (!j.is_string())
            fail(place, "a text expected");
        std::string s = j.get<std::string>();
        if (script::trim(s).empty())
            fail(place, "the text is empty");
        return s;
    }

    std::int64_t integer(
        const json& j, const std::string& place, std::int64_t min, std::int64_t max) const
    {
        if (!j.is_number_integer())
            fail(place, "a whole number expected");
        const std::int64_t n = j.get<std::int64_t>();
        if (n < min || n > max)
            fail(place,
                "a number from " + std::to_string(min) + " to " + std::to_string(max)
                    + " expected");
        return n;
    }

    Condition condition(const json& j, const std::string& place) const
    {
        if (!j.is_object() || j.empty())
            fail(place, "a condition expected: an object of names and values, or all/any/not");
        Condition c;
        if (j.size() == 1 && (j.contains("all") || j.contains("any"))) {
            const bool all = j.contains("all");
            const json& list = all ? j["all"] : j["any"];
            const std::string at = place + (all ? "/all" : "/any");
            if (!list.is_array() || list.empty())
                fail(at, "a non-empty list of conditions expected");
            c.kind = all ? Condition::Kind::All : Condition::Kind::Any;
            for (std::size_t i = 0; i < list.size(); ++i)
                c.children.push_back(condition(list[i], at + "/" + std::to_string(i)));
            return c;
        }
        if (j.size() == 1 && j.contains("not")) {
            c.kind = Condition::Kind::Not;
            c.children.push_back(condition(j["not"], place + "/not"));
            return c;
        }
        // Several names in one object must all hold.
        c.kind = Condition::Kind::All;
        for (const auto& [key, value] : j.items()) {
            if (key == "all" || key == "any" || key == "not")
                fail(place + "/" + key, "\"" + key + "\" must stand alone in its object");
            c.children.push_back(leaf(key, value, place + "/" + key));
        }
        return c.children.size() == 1 ? c.children.front() : c;
    }

    std::vector<std::string> start(const json& j, const std::string& place) const
    {
        if (!j.is_array())
            fail(place, "a list of scenario events expected");
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < j.size(); ++i) {
            const std::string at = place + "/" + std::to_string(i);
            const std::string line = text(j[i], at);
            const std::string_view event = script::trim(line);
            const script::LineEvent parsed = script::parseEvent(event);
            if (const auto* bad = std::get_if<script::BadEvent>(&parsed))
                fail(at, std::string(bad->why) + ": " + line);
            if (const auto* press = std::get_if<script::Press>(&parsed);
                press && press->handler == "FormActivate")
                fail(at, "FormActivate runs before the start by itself");
            lines.emplace_back(event);
        }
        return lines;
    }

private:
    Condition leaf(const std::string& path, const json& value, const std::string& place) const
    {
        Condition c;
        c.kind = Condition::Kind::Leaf;
        c.path = path;
        ValueType type = ValueType::Bool;
        const auto dot = path.find('.');
        const std::string head = path.substr(0, dot);
        const std::string rest = dot == std::string::npos ? std::string() : path.substr(dot + 1);
        if (head == "block") {
            const BlockField* field = blockField(rest);
            if (!field)
                fail(place, "no block variable \"" + rest + "\" in the state listing");
            c.source = Condition::Source::Block;
            c.name = rest;
            type = std::holds_alternative<bool BlockState::*>(field->member) ? ValueType::Bool
                                                                             : ValueType::Number;
        } else if (head == "desk") {
            const auto dot2 = rest.find('.');
            const std::string control = rest.substr(0, dot2);
            const std::string property
                = dot2 == std::string::npos ? std::string() : rest.substr(dot2 + 1);
            const auto which = controlByName(control);
            if (!which)
                fail(place, "no desk control \"" + control + "\" in the state listing");
            const auto& props = DeskModel::propertyNames(controlKind(*which));
            if (std::find(props.begin(), props.end(), property) == props.end())
                fail(place, "the control \"" + control + "\" has no property \"" + property + "\"");
            c.source = Condition::Source::Desk;
            c.control = control;
            c.name = property;
            type = deskType(controlKind(*which), property);
        } else if (head == "uses") {
            if (!useIndex(rest))
                fail(place, "no emergency button count \"" + rest + "\"");
            c.source = Condition::Source::Uses;
            c.name = rest;
            type = ValueType::Number;
        } else {
            fail(place, "a name begins with block., desk. or uses.");
        }

        if (type == ValueType::Number && value.is_object()) {
            members(value, place, {}, {"min", "max"});
            if (value.empty())
                fail(place, "a range needs min or max");
            if (value.contains("min"))
                c.min = integer(value["min"], place + "/min", INT64_MIN, INT64_MAX);
            if (value.contains("max"))
                c.max = integer(value["max"], place + "/max", INT64_MIN, INT64_MAX);
            return c;
        }
        switch (type) {
        case ValueType::Bool:
            if (!value.is_boolean())
                fail(place, "true or false expected");
            c.equals = value.get<bool>();
            break;
        case ValueType::Number:
            if (!value.is_number_integer())
                fail(place, "a whole number or a range {\"min\":..,\"max\":..} expected");
            c.equals = value.get<std::int64_t>();
            break;
        case ValueType::Look: {
            if (!value.is_string())
                fail(place, "a look expected: \"wzb\", \"odzw\" or \"wzbb\"");
            const std::string look = value.get<std::string>();
            if (look != "wzb" && look != "odzw" && look != "wzbb")
                fail(place, "a look expected: \"wzb\", \"odzw\" or \"wzbb\"");
            c.equals = look;
            break;
        }
        case ValueType::Text:
            if (!value.is_string())
                fail(place, "a text expected");
            c.equals = value.get<std::string>();
            break;
        }
        return c;
    }

    std::string file_;
};

std::string lineAndColumn(std::string_view text, std::size_t byte)
{
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

bool compare(const Condition& c, const Condition::Value& actual)
{
    if (c.equals)
        return *c.equals == actual;
    const auto* n = std::get_if<std::int64_t>(&actual);
    return n && (!c.min || *n >= *c.min) && (!c.max || *n <= *c.max);
}

} // namespace

bool holds(const Condition& c, const Simulator& sim, const UseCounts& uses)
{
    switch (c.kind) {
    case Condition::Kind::All:
        return std::all_of(c.children.begin(), c.children.end(),
            [&](const Condition& child) { return holds(child, sim, uses); });
    case Condition::Kind::Any:
        return std::any_of(c.children.begin(), c.children.end(),
            [&](const Condition& child) { return holds(child, sim, uses); });
    case Condition::Kind::Not: return !holds(c.children.front(), sim, uses);
    case Condition::Kind::Leaf: break;
    }
    switch (c.source) {
    case Condition::Source::Block: {
        const BlockField* field = blockField(c.name);
        if (const auto flag = std::get_if<bool BlockState::*>(&field->member))
            return compare(c, sim.state().*(*flag));
        return compare(
            c, std::int64_t(sim.state().*std::get<std::int32_t BlockState::*>(field->member)));
    }
    case Condition::Source::Desk: {
        const PropertyValue v = sim.desk().get(c.control, c.name);
        return std::visit([&](const auto& x) { return compare(c, Condition::Value(x)); }, v);
    }
    case Condition::Source::Uses: return compare(c, std::int64_t(uses[*useIndex(c.name)]));
    }
    return false;
}

Exercise parseExercise(std::string_view text, const std::string& file)
{
    json j;
    try {
        j = json::parse(text.begin(), text.end());
    } catch (const json::parse_error& e) {
        throw ExerciseError(file + ": " + lineAndColumn(text, e.byte) + ": not valid JSON");
    }
    const Reader r(file);
    r.members(j, "", {"id", "title", "task", "difficulty", "goals", "scoring"}, {"start"});
    Exercise ex;
    ex.file = file;
    ex.id = r.text(j["id"], "/id");
    for (char ch : ex.id)
        if (!(std::isalnum(static_cast<unsigned char>(ch)) || ch == '-' || ch == '_'))
            r.fail("/id", "an id is made of letters a-z, digits, - and _");
    ex.title = r.text(j["title"], "/title");
    ex.task = r.text(j["task"], "/task");
    ex.difficulty = int(r.integer(j["difficulty"], "/difficulty", 1, 3));
    if (j.contains("start"))
        ex.start = r.start(j["start"], "/start");

    const json& goals = j["goals"];
    if (!goals.is_array() || goals.empty())
        r.fail("/goals", "a non-empty list of goals expected");
    for (std::size_t i = 0; i < goals.size(); ++i) {
        const std::string at = "/goals/" + std::to_string(i);
        r.members(goals[i], at, {"text", "condition", "hint"}, {"undone"});
        Goal g;
        g.text = r.text(goals[i]["text"], at + "/text");
        g.condition = r.condition(goals[i]["condition"], at + "/condition");
        g.hint = r.text(goals[i]["hint"], at + "/hint");
        if (goals[i].contains("undone"))
            g.undone = r.condition(goals[i]["undone"], at + "/undone");
        ex.goals.push_back(std::move(g));
    }

    const json& scoring = j["scoring"];
    r.members(scoring, "/scoring", {"penalties"}, {"timeLimit", "emergencyAllowed"});
    if (scoring.contains("timeLimit"))
        ex.timeLimit = r.integer(scoring["timeLimit"], "/scoring/timeLimit", 1, script::kMaxWait);
    if (scoring.contains("emergencyAllowed")) {
        const json& allowed = scoring["emergencyAllowed"];
        if (!allowed.is_array())
            r.fail("/scoring/emergencyAllowed", "a list of button counts expected");
        for (std::size_t i = 0; i < allowed.size(); ++i) {
            const std::string at = "/scoring/emergencyAllowed/" + std::to_string(i);
            const std::string name = r.text(allowed[i], at);
            if (!useIndex(name))
                r.fail(at, "no emergency button count \"" + name + "\"");
            ex.emergencyAllowed.push_back(name);
        }
    }
    const json& p = scoring["penalties"];
    r.members(
        p, "/scoring/penalties", {"refused", "undo", "emergency", "mishap", "time", "hint"}, {});
    const auto points = [&](const char* key) {
        return int(r.integer(p[key], std::string("/scoring/penalties/") + key, 0, 100));
    };
    ex.penalties = {points("refused"), points("undo"), points("emergency"), points("mishap"),
        points("time"), points("hint")};
    return ex;
}

Exercise loadExercise(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf()))
        throw ExerciseError(file.string() + ": cannot be read");
    return parseExercise(text.str(), file.string());
}

ExerciseSet loadExerciseFolder(const std::filesystem::path& folder)
{
    ExerciseSet set;
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.path().extension() == ".json")
            files.push_back(entry.path());
    if (ec) {
        set.errors.push_back(folder.string() + ": cannot be read");
        return set;
    }
    std::sort(files.begin(), files.end());
    std::set<std::string> ids;
    for (const auto& f : files) {
        try {
            Exercise ex = loadExercise(f);
            if (!ids.insert(ex.id).second)
                throw ExerciseError(
                    f.string() + ": /id: another exercise has the id \"" + ex.id + "\"");
            set.exercises.push_back(std::move(ex));
        } catch (const ExerciseError& e) {
            set.errors.push_back(e.what());
        }
    }
    return set;
}

} // namespace kyt
