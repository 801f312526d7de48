#include "Trainer.h"

#include "Controls.h"
#include "Counters.h"
#include "DeskNames.h"
#include "Dispatch.h"
#include "Simulator.h"

#include <stdexcept>

namespace kyt {

namespace {

const std::string kMishapPanel {controlName(Control::Panel27)};
const std::string kMemo {controlName(Control::Memo1)};

} // namespace

Trainer::Trainer(Simulator& sim, std::size_t journalCapacity) : sim_(sim), journal_(journalCapacity)
{
    observer_
        = sim_.desk().addObserver([this](const std::string& control, const std::string& property) {
              ++deskChanges_;
              if (control == kMishapPanel && property == "Visible"
                  && sim_.desk().visible(Control::Panel27))
                  mishapShown_ = true;
              if (control == kMemo && property == "Text")
                  narrationChanged_ = true;
          });
    // Ticks pass through the journal on their way to wherever they went.
    previousSink_ = sim_.clock().tickSink();
    sim_.clock().setTickSink([this](std::string_view handler) { tick(handler); });
    startSession();
}

Trainer::~Trainer()
{
    sim_.clock().setTickSink(std::move(previousSink_));
    sim_.desk().removeObserver(observer_);
}

Trainer::Outcome Trainer::press(std::string_view handler)
{
    const PressableControl* control = findPressableByHandler(handler);
    if (!control) {
        // Not a control of the desk (the window's activation, the counters'
        // load and save, a timer run by hand): it runs unjournalled.
        const bool delivered = sim_.click(handler);
        lastRefusal_.clear();
        return {delivered, OperationResult::Done, {}};
    }
    if (!sim_.accepts(handler))
        return {};
    JournalEntry entry;
    entry.time = sim_.clock().now();
    entry.handler = std::string(handler);
    if (control->station)
        entry.station = *control->station == Station::A ? "A" : "B";
    entry.control = std::string(control->control);
    entry.name = shortName(*control);
    events_.push_back({entry.time, control->handler});

    Outcome outcome;
    outcome.delivered = true;
    if (paused_) {
        outcome.result = OperationResult::Refused;
        outcome.reason = std::string(kPausedReason);
    } else {
        const BlockState before = sim_.state();
        const std::uint64_t changesBefore = deskChanges_;
        mishapShown_ = false;
        sim_.refusals().clear();
        try {
            sim_.call(handler);
        } catch (const std::exception& e) {
            entry.result = OperationResult::Error;
            entry.reason = e.what();
            lastRefusal_.clear();
            journal_.add(std::move(entry));
            throw;
        }
        if (mishapShown_) {
            // The guard that called the mishap says what would have gone wrong.
            outcome.result = OperationResult::Mishap;
            outcome.reason = sim_.refusals().text();
        } else if (sim_.state() == before && deskChanges_ == changesBefore) {
            outcome.result = OperationResult::Refused;
            outcome.reason = sim_.refusals().text();
        }
    }
    entry.result = outcome.result;
    entry.reason = outcome.reason;
    lastRefusal_ = outcome.result == OperationResult::Refused ? outcome.reason : std::string();
    journal_.add(std::move(entry));
    return outcome;
}

void Trainer::tick(std::string_view handler)
{
    const BlockState before = sim_.state();
    const std::uint64_t changesBefore = deskChanges_;
    narrationChanged_ = false;
    const std::int64_t now = sim_.clock().now();
    if (previousSink_)
        previousSink_(handler);
    else if (findHandler(handler))
        sim_.call(handler);
    if (sim_.state() == before && deskChanges_ == changesBefore)
        return;
    JournalEntry entry;
    entry.time = now;
    entry.handler = std::string(handler);
    entry.tick = true;
    if (narrationChanged_)
        entry.narration = sim_.desk().text(Control::Memo1);
    journal_.add(std::move(entry));
}

void Trainer::advance(std::int64_t ms, const std::function<void(const std::exception&)>& onError)
{
    if (paused_)
        return;
    sim_.clock().advance(ms, onError);
}

void Trainer::setCounts(const CountValues& counts)
{
    const auto& order = loadOrder();
    // As if loaded: they are the session's starting counts, not its uses.
    for (std::size_t i = 0; i < order.size(); ++i) {
        sim_.state().*order[i].count = counts[i];
        sim_.storedCounts()[i] = counts[i];
    }
    wpislicznikow(sim_);
}

CountValues Trainer::counts() const
{
    CountValues values {};
    const auto& order = loadOrder();
    for (std::size_t i = 0; i < order.size(); ++i)
        values[i] = sim_.state().*order[i].count;
    return values;
}

void Trainer::startSession()
{
    sessionCounts_ = counts();
    events_.clear();
}

void Trainer::restoreRecord(Record record)
{
    sessionCounts_ = record.counts;
    events_ = std::move(record.events);
    journal_ = std::move(record.journal);
    lastRefusal_ = std::move(record.lastRefusal);
}

std::string Trainer::sessionScript() const
{
    std::string out = "FormActivate\ncounts";
    const auto& order = loadOrder();
    for (std::size_t i = 0; i < order.size(); ++i)
        out += " " + std::string(order[i].name) + "=" + std::to_string(sessionCounts_[i]);
    out += '\n';
    std::int64_t at = 0;
    for (const RecordedEvent& e : events_) {
        if (e.time > at)
            out += "wait " + std::to_string(e.time - at) + '\n';
        at = e.time;
        out += e.handler;
        out += '\n';
    }
    if (sim_.clock().now() > at)
        out += "wait " + std::to_string(sim_.clock().now() - at) + '\n';
    return out;
}

} // namespace kyt
