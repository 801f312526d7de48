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
