#include "Journal.h"

#include <nlohmann/json.hpp>

namespace kyt {

std::string_view resultName(OperationResult result)
{
    switch (result) {
    case OperationResult::Done: return "done";
    case OperationResult::Refused: return "refused";
    case OperationResult::Mishap: return "mishap";
    case OperationResult::Error: return "error";
    }
    return "done";
}

Journal::Journal(std::size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) { }

void Journal::add(JournalEntry entry)
{
    if (entries_.size() == capacity_) {
        entries_.pop_front();
        ++dropped_;
    }
    entries_.push_back(std::move(entry));
}

void Journal::setCapacity(std::size_t capacity)
{
    capacity_ = capacity == 0 ? 1 : capacity;
    while (entries_.size() > capacity_) {
        entries_.pop_front();
        ++dropped_;
    }
}

void Journal::clear()
{
    entries_.clear();
    dropped_ = 0;
}

namespace {

nlohmann::ordered_json entryObject(const JournalEntry& e)
{
    nlohmann::ordered_json j;
    j["t"] = e.time;
    if (e.tick) {
        j["timer"] = e.handler;
        if (e.narration)
            j["narration"] = *e.narration;
        return j;
    }
    if (!e.station.empty())
        j["station"] = e.station;
    j["control"] = e.control;
    j["handler"] = e.handler;
    j["name"] = e.name;
    j["result"] = resultName(e.result);
    if (e.result == OperationResult::Refused || e.result == OperationResult::Error
        || (e.result == OperationResult::Mishap && !e.reason.empty()))
        j["reason"] = e.reason;
    return j;
}

// Texts come from the program and its handlers; one that is not valid UTF-8
// is written with replacement characters rather than failing the line.
std::string dump(const nlohmann::ordered_json& j)
{
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace

std::string journalEntryJson(const JournalEntry& entry)
{
    return dump(entryObject(entry));
}

std::string Journal::toJson() const
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const JournalEntry& e : entries_)
        list.push_back(entryObject(e));
    nlohmann::ordered_json j;
    j["journal"] = std::move(list);
    j["dropped"] = dropped_;
    return dump(j);
}

} // namespace kyt

namespace kyt {

std::string journalTime(std::int64_t ms)
{
    if (ms < 0)
        ms = 0;
    const std::int64_t tenths = ms / 100;
    const std::int64_t minutes = tenths / 600;
    const std::int64_t seconds = tenths / 10 % 60;
    std::string m = std::to_string(minutes);
    if (m.size() < 2)
        m.insert(0, 2 - m.size(), '0');
    std::string s = std::to_string(seconds);
    if (s.size() < 2)
        s.insert(0, 1, '0');
    return m + ":" + s + "." + std::to_string(tenths % 10);
}

JournalRow journalRow(const JournalEntry& e)
{
    JournalRow row;
    row.time = journalTime(e.time);
    if (e.tick) {
        row.operation = e.handler;
        row.result = "takt";
        row.note = e.narration.value_or(std::string());
        return row;
    }
    row.station = e.station;
    row.operation = e.name;
    switch (e.result) {
    case OperationResult::Done: row.result = "wykonano"; break;
    case OperationResult::Refused: row.result = "odmowa"; break;
    case OperationResult::Mishap: row.result = "plansza błędu"; break;
    case OperationResult::Error: row.result = "błąd"; break;
    }
    row.note = e.reason;
    return row;
}

namespace {

std::string csvField(std::string_view s)
{
    if (s.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(s);
    std::string out = "\"";
    for (char c : s) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace

std::string journalCsv(const Journal& journal, std::string_view trainee, std::string_view date)
{
    std::string out;
    auto line = [&](std::initializer_list<std::string_view> fields) {
        bool first = true;
        for (std::string_view f : fields) {
            if (!first)
                out += ',';
            first = false;
            out += csvField(f);
        }
        out += "\r\n";
    };
    line({"Kursant", trainee});
    line({"Data", date});
    line({"Czas", "Stacja", "Operacja", "Wynik", "Powód lub narracja"});
    for (const JournalEntry& e : journal.entries()) {
        const JournalRow r = journalRow(e);
        line({r.time, r.station, r.operation, r.result, r.note});
    }
    return out;
}

} // namespace kyt
