#include "Attempt.h"

#include "Controls.h"
#include "Counters.h"
#include "ScriptLine.h"
#include "Simulator.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace kyt {

std::string_view mistakeKindName(MistakeKind kind)
{
    switch (kind) {
    case MistakeKind::Refused: return "refused";
    case MistakeKind::Undo: return "undo";
    case MistakeKind::Emergency: return "emergency";
    case MistakeKind::Mishap: return "mishap";
    case MistakeKind::Time: return "time";
    }
    return "refused";
}

namespace {

std::string seconds(std::int64_t ms)
{
    std::string s = std::to_string(ms / 1000);
    if (ms % 1000 >= 100)
        s += "," + std::to_string(ms % 1000 / 100);
    return s + " s";
}

} // namespace

Attempt::Attempt(Trainer& trainer, const Exercise& exercise)
    : trainer_(trainer),
      exercise_(exercise),
      progress_(exercise.goals.size()),
      hintTaken_(exercise.goals.size(), false)
{
    VirtualClock& clock = trainer_.simulator().clock();
    previousSink_ = clock.tickSink();
    clock.setTickSink([this](std::string_view handler) {
        checkTime();
        if (previousSink_)
            previousSink_(handler);
        assess(nullptr);
    });
}

Attempt::~Attempt()
{
    trainer_.simulator().clock().setTickSink(std::move(previousSink_));
}

std::int64_t Attempt::now() const
{
    return trainer_.simulator().clock().now() - startTime_;
}

UseCounts Attempt::countsNow() const
{
    return trainer_.counts();
}

void Attempt::begin()
{
    const UseCounts before = countsNow();
    for (const std::string& line : exercise_.start) {
        const script::LineEvent event = script::parseEvent(line);
        if (const auto* wait = std::get_if<script::Wait>(&event)) {
            trainer_.advance(wait->ms);
        } else if (const auto* press = std::get_if<script::Press>(&event)) {
            for (std::int64_t i = 0; i < press->times; ++i)
                trainer_.press(press->handler);
        }
    }
    // The start's uses are the exercise's, not the trainee's: the counters
    // show what they showed before it, and what the store has yet to
    // receive is untouched.
    Simulator& sim = trainer_.simulator();
    for (std::size_t i = 0; i < before.size(); ++i)
        sim.state().*loadOrder()[i].count = before[i];
    wpislicznikow(sim);
    trainer_.clearJournal();

    startTime_ = sim.clock().now();
    baseline_ = before;
    begun_ = true;
    assess(nullptr);
}

Trainer::Outcome Attempt::press(std::string_view handler)
{
    if (!begun_ || finished_)
        return trainer_.press(handler);
    const Trainer::Outcome outcome = trainer_.press(handler);
    if (!outcome.delivered)
        return outcome;
    const std::string name(handler);
    if (outcome.result == OperationResult::Refused) {
        addMistake(now(), name, MistakeKind::Refused, outcome.reason);
    } else if (outcome.result == OperationResult::Mishap) {
        addMistake(now(), name, MistakeKind::Mishap,
            "Operacja doprowadziłaby do kolizji (panel „BUUUM !!!”): przycisk "
                + shortNameOfHandler(handler) + " użyty wbrew stanowi urządzeń.");
    }
    const UseCounts counts = countsNow();
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const std::int32_t used = counts[i] - baseline_[i];
        if (used <= uses_[i])
            continue;
        uses_[i] = used;
        const auto& allowed = exercise_.emergencyAllowed;
        if (std::find(allowed.begin(), allowed.end(), useNames()[i]) == allowed.end())
            addMistake(now(), name, MistakeKind::Emergency,
                "W tym ćwiczeniu nie używa się przycisku " + shortNameOfHandler(handler)
                    + ": sytuację da się rozwiązać zwykłą obsługą.");
    }
    assess(&name);
    return outcome;
}

void Attempt::advance(std::int64_t ms, const std::function<void(const std::exception&)>& onError)
{
    trainer_.advance(ms, onError);
    checkTime();
}

void Attempt::checkTime()
{
    if (!begun_ || finished_ || !exercise_.timeLimit || now() <= *exercise_.timeLimit)
        return;
    addMistake(*exercise_.timeLimit, {}, MistakeKind::Time,
        "Minął czas na wykonanie ćwiczenia (" + seconds(*exercise_.timeLimit) + ").");
    endTime_ = startTime_ + *exercise_.timeLimit;
    end();
}

void Attempt::assess(const std::string* handler)
{
    if (!begun_ || finished_)
        return;
    const Simulator& sim = trainer_.simulator();
    bool changed = false;
    // A press may undo the goal reached last: it is to be reached again.
    if (handler && current_ > 0) {
        const Goal& last = exercise_.goals[current_ - 1];
        if (last.undone && holds(*last.undone, sim, uses_)) {
            --current_;
            progress_[current_] = {};
            addMistake(now(), *handler, MistakeKind::Undo, "Cofnięto osiągnięty cel: " + last.text);
            changed = true;
        }
    }
    while (current_ < exercise_.goals.size()
        && holds(exercise_.goals[current_].condition, sim, uses_)) {
        progress_[current_] = {true, now()};
        ++current_;
        changed = true;
    }
    if (current_ == exercise_.goals.size()) {
        end();
        return;
    }
    if (changed && onChange_)
        onChange_();
}

void Attempt::addMistake(std::int64_t t, std::string handler, MistakeKind kind, std::string reason)
{
    mistakes_.push_back({t, std::move(handler), kind, std::move(reason)});
    if (onChange_)
        onChange_();
}

std::string Attempt::takeHint()
{
    if (current_ >= exercise_.goals.size())
        return {};
    if (begun_ && !finished_ && !hintTaken_[current_]) {
        hintTaken_[current_] = true;
        ++hints_;
        if (onChange_)
            onChange_();
    }
    return exercise_.goals[current_].hint;
}

void Attempt::finish()
{
    if (begun_ && !finished_)
        end();
}

void Attempt::end()
{
    if (!endTime_)
        endTime_ = trainer_.simulator().clock().now();
    finished_ = true;
    if (onChange_)
        onChange_();
}

std::int64_t Attempt::elapsed() const
{
    if (!begun_)
        return 0;
    return (endTime_ ? *endTime_ : trainer_.simulator().clock().now()) - startTime_;
}

bool Attempt::passed() const
{
    if (current_ != exercise_.goals.size())
        return false;
    return !exercise_.timeLimit || progress_.back().time.value_or(0) <= *exercise_.timeLimit;
}

int Attempt::score() const
{
    const Penalties& p = exercise_.penalties;
    int lost = hints_ * p.hint;
    for (const Mistake& m : mistakes_) {
        switch (m.kind) {
        case MistakeKind::Refused: lost += p.refused; break;
        case MistakeKind::Undo: lost += p.undo; break;
        case MistakeKind::Emergency: lost += p.emergency; break;
        case MistakeKind::Mishap: lost += p.mishap; break;
        case MistakeKind::Time: lost += p.time; break;
        }
    }
    return std::max(0, 100 - lost);
}

std::string Attempt::resultJson() const
{
    nlohmann::ordered_json j;
    j["exercise"] = exercise_.id;
    j["passed"] = passed();
    j["score"] = score();
    nlohmann::ordered_json goals = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < progress_.size(); ++i) {
        nlohmann::ordered_json g;
        g["text"] = exercise_.goals[i].text;
        g["reached"] = progress_[i].reached;
        g["t"] = progress_[i].time ? nlohmann::ordered_json(*progress_[i].time) : nullptr;
        goals.push_back(std::move(g));
    }
    j["goals"] = std::move(goals);
    nlohmann::ordered_json mistakes = nlohmann::ordered_json::array();
    for (const Mistake& m : mistakes_) {
        nlohmann::ordered_json o;
        o["t"] = m.time;
        o["handler"] = m.handler;
        o["kind"] = mistakeKindName(m.kind);
        o["reason"] = m.reason;
        mistakes.push_back(std::move(o));
    }
    j["mistakes"] = std::move(mistakes);
    nlohmann::ordered_json emergency;
    for (std::size_t i = 0; i < uses_.size(); ++i)
        emergency[std::string(useNames()[i])] = uses_[i];
    j["emergency"] = std::move(emergency);
    j["time"] = elapsed();
    j["hints"] = hints_;
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace kyt
