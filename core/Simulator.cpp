#include "Simulator.h"

#include "Dispatch.h"

#include <stdexcept>
#include <string>

namespace kyt {

namespace {

const HandlerEntry& entry(std::string_view handler)
{
    const HandlerEntry* e = findHandler(handler);
    if (!e)
        throw std::invalid_argument("no handler '" + std::string(handler) + "'");
    return *e;
}

} // namespace

Simulator::Simulator() = default;

void Simulator::call(std::string_view handler)
{
    entry(handler).run(*this);
}

bool Simulator::accepts(std::string_view handler) const
{
    const HandlerEntry& e = entry(handler);
    return !e.shownBy || desk_.visible(*e.shownBy);
}

bool Simulator::click(std::string_view handler)
{
    if (!accepts(handler))
        return false;
    refusals_.clear();
    call(handler);
    return true;
}

Simulator::Snapshot Simulator::snapshot() const
{
    return Snapshot {state_, desk_.values(), clock_.state(), activated_};
}

void Simulator::restore(const Snapshot& snapshot)
{
    state_ = snapshot.state;
    desk_.restore(snapshot.desk);
    clock_.restore(snapshot.clock);
    activated_ = snapshot.activated;
}

} // namespace kyt
