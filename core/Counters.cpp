#include "Counters.h"

#include "Error.h"
#include "Simulator.h"
#include "store/CounterStore.h"

#include <algorithm>
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
    static const std::array<CounterSlot, 8> order {{
        {"sza1", &S::sza1Count, Control::lsza1},
        {"sza2", &S::sza2Count, Control::lsza2},
        {"szb1", &S::szb1Count, Control::lszb1},
        {"szb2", &S::szb2Count, Control::lszb2},
        {"dkoa", &S::dkoaCount, Control::ldkoa},
        {"dkob", &S::dkobCount, Control::ldkob},
        {"dpoa", &S::dpoaCount, Control::ldpoa},
        {"dpob", &S::dpobCount, Control::ldpob},
    }};
    return order;
}

const std::array<CounterSlot, 8>& saveOrder()
{
    static const std::array<CounterSlot, 8> order {{
        {"sza1", &S::sza1Count, Control::lsza1},
        {"sza2", &S::sza2Count, Control::lsza2},
        {"szb1", &S::szb1Count, Control::lszb1},
        {"szb2", &S::szb2Count, Control::lszb2},
        {"dkob", &S::dkobCount, Control::ldkob},
        {"dkoa", &S::dkoaCount, Control::ldkoa},
        {"dpob", &S::dpobCount, Control::ldpob},
        {"dpoa", &S::dpoaCount, Control::ldpoa},
    }};
    return order;
}

void odczytlicznikow(Simulator& sim)
{
    CounterStore* store = sim.counterStore();
    if (!store)
        return;
    std::array<std::string_view, 8> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = loadOrder()[i].name;
    const CounterStore::Contents found = store->load(names);
    // The first run: nothing stored, the counts stay as they are.
    if (!found.exists)
        return;
    // A value that cannot be read leaves its count as it is; the others are
    // read all the same, and the first failure is reported once they are
    // shown.
    BlockState& s = sim.state();
    std::string failure;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const CounterSlot& slot = loadOrder()[i];
        const CounterStore::ReadResult r
            = i < found.values.size() ? found.values[i] : CounterStore::ReadResult {};
        switch (r.status) {
        case CounterStore::ReadStatus::Ok:
            s.*slot.count = r.value;
            sim.storedCounts()[i] = r.value;
            break;
        case CounterStore::ReadStatus::Missing:
            if (failure.empty())
                failure = named("Failed to get data for", slot.name);
            break;
        case CounterStore::ReadStatus::WrongType:
            if (failure.empty())
                failure = named("Invalid data type for", slot.name);
            break;
        }
    }
    wpislicznikow(sim);
    if (!failure.empty())
        throw Error(failure);
}

void wpislicznikow(Simulator& sim)
{
    for (const CounterSlot& slot : loadOrder())
        sim.desk().setCounterValue(slot.display, sim.state().*slot.count);
}

void regwpis(Simulator& sim)
{
    // What each count grew by since it was last loaded or saved; a count
    // set back below that (a first activation after a load) adds nothing.
    auto usesOf = [&](const CounterSlot& slot) {
        for (std::size_t i = 0; i < loadOrder().size(); ++i)
            if (loadOrder()[i].count == slot.count)
                return std::int32_t(std::max<std::int64_t>(
                    0, std::int64_t(sim.state().*slot.count) - sim.storedCounts()[i]));
        return std::int32_t(0);
    };
    std::vector<NamedCount> uses;
    for (const CounterSlot& slot : saveOrder())
        uses.push_back({slot.name, usesOf(slot)});
    CounterStore* store = sim.counterStore();
    // The store adds all the uses at once, so a failure is reported for the
    // first of them.
    if (!store || !store->add(uses))
        throw Error(named("Failed to set data for", saveOrder().front().name));
    for (std::size_t i = 0; i < loadOrder().size(); ++i)
        sim.storedCounts()[i] = sim.state().*loadOrder()[i].count;
}

void FormClose(Simulator& sim)
{
    regwpis(sim);
}

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
