#include "Dispatch.h"

#include "Counters.h"
#include "Emergency.h"
#include "Signals.h"
#include "Train.h"

#include <stdexcept>
#include <string>
#include <unordered_map>

namespace kyt {

namespace {

std::vector<HandlerEntry> buildTable()
{
    std::vector<HandlerEntry> table;
    // One line per module of handlers.
    for (std::span<const HandlerEntry> module : {
             blockHandlers(),
             signalHandlers(),
             trainHandlers(),
             emergencyHandlers(),
             counterHandlers(),
         })
        table.insert(table.end(), module.begin(), module.end());
    return table;
}

struct Table {
    std::vector<HandlerEntry> entries = buildTable();
    std::unordered_map<std::string_view, std::size_t> byName;

    Table()
    {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!byName.emplace(entries[i].name, i).second)
                throw std::logic_error(
                    "handler " + std::string(entries[i].name) + " registered twice");
        }
    }
};

const Table& table()
{
    static const Table t;
    return t;
}

} // namespace

const std::vector<HandlerEntry>& handlerTable()
{
    return table().entries;
}

const HandlerEntry* findHandler(std::string_view name)
{
    const Table& t = table();
    auto it = t.byName.find(name);
    return it == t.byName.end() ? nullptr : &t.entries[it->second];
}

} // namespace kyt
