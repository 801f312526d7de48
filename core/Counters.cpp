#include "Counters.h"

#include "Error.h"
#include "Simulator.h"
#include "store/CounterStore.h"

#include <string>
#include <vector>

namespace kyt {

namespace {

using S = BlockState;

std::string named(const char* message, std::string_view name)
{
    return std::string(message) + " '" + std::string(name) + "'";
}

} // namespace

const std::array<CounterSlot, 8>& loadOrder()
{
    static const std::array<CounterSlot, 8> order{{
        {"sza1", &S::sza1Count, "lsza1"},
        {"sza2", &S::sza2Count, "lsza2"},
        {"szb1", &S::szb1Count, "lszb1"},
        {"szb2", &S::szb2Count, "lszb2"},
        {"dkoa", &S::dkoaCount, "ldkoa"},
        {"dkob", &S::dkobCount, "ldkob"},
        {"dpoa", &S::dpoaCount, "ldpoa"},
        {"dpob", &S::dpobCount, "ldpob"},
    }};
    return order;
}

const std::array<CounterSlot, 8>& saveOrder()
{
    static const std::array<CounterSlot, 8> order{{
        {"sza1", &S::sza1Count, "lsza1"},
        {"sza2", &S::sza2Count, "lsza2"},
        {"szb1", &S::szb1Count, "lszb1"},
        {"szb2", &S::szb2Count, "lszb2"},
        {"dkob", &S::dkobCount, "ldkob"},
        {"dkoa", &S::dkoaCount, "ldkoa"},
        {"dpob", &S::dpobCount, "ldpob"},
        {"dpoa", &S::dpoaCount, "ldpoa"},
    }};
    return order;
}

void odczytlicznikow(Simulator& sim)
{
    CounterStore* store = sim.counterStore();
    // The first run: nothing stored, the counts stay as they are.
    if (!store || !store->exists())
        return;
    BlockState& s = sim.state();
    for (const CounterSlot& slot : loadOrder()) {
        const CounterStore::ReadResult r = store->read(slot.name);
        switch (r.status) {
        case CounterStore::ReadStatus::Ok:
            s.*slot.count = r.value;
            break;
        case CounterStore::ReadStatus::Missing:
            throw Error(named("Failed to get data for", slot.name));
        case CounterStore::ReadStatus::WrongType:
            throw Error(named("Invalid data type for", slot.name));
        }
    }
    wpislicznikow(sim);
}

void wpislicznikow(Simulator& sim)
{
    for (const CounterSlot& slot : loadOrder())
        sim.desk().setCounterValue(DeskModel::named(slot.display), sim.state().*slot.count);
}

void regwpis(Simulator& sim)
{
    std::vector<NamedCount> counts;
    for (const CounterSlot& slot : saveOrder())
        counts.push_back({slot.name, sim.state().*slot.count});
    CounterStore* store = sim.counterStore();
    // The store writes all the counts at once, so a failure is reported for
    // the first of them.
    if (!store || !store->write(counts))
        throw Error(named("Failed to set data for", saveOrder().front().name));
}

void FormClose(Simulator& sim) { regwpis(sim); }

std::span<const HandlerEntry> counterHandlers()
{
    static const HandlerEntry entries[] = {
        {"odczytlicznikow", odczytlicznikow},
        {"wpislicznikow", wpislicznikow},
        {"regwpis", regwpis},
        {"FormClose", FormClose},
    };
    return entries;
}

} // namespace kyt
