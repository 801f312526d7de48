// The simulation core as the browser sees it: one Session per simulator
// window, driven through the trainer's layer as the desktop window drives
// it. Bound with embind; every value crosses as a plain JavaScript value
// (numbers, strings, booleans, arrays and objects), texts in UTF-8.

#include "Clock.h"
#include "Controls.h"
#include "Counters.h"
#include "DeskModel.h"
#include "Dispatch.h"
#include "Journal.h"
#include "Simulator.h"
#include "StateJson.h"
#include "Trainer.h"
#include "store/MemoryCounterStore.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyt::web {

using emscripten::val;

namespace {

val propertyValue(const PropertyValue& value)
{
    if (const bool* b = std::get_if<bool>(&value))
        return val(*b);
    if (const std::int64_t* n = std::get_if<std::int64_t>(&value))
        return val(double(*n));
    return val(std::get<std::string>(value));
}

val errorsArray(const std::vector<std::string>& errors)
{
    val out = val::array();
    for (const std::string& e : errors)
        out.call<void>("push", val(e));
    return out;
}

} // namespace

class Session {
public:
    Session() { reset(); }

    // Back to a window just created: a new simulator, its counters' store
    // kept. Listeners stay subscribed to the new desk.
    void reset()
    {
        trainer_.reset();
        sim_ = std::make_unique<Simulator>();
        sim_->setCounterStore(&store_);
        trainer_ = std::make_unique<Trainer>(*sim_);
        sim_->desk().addObserver([this](const std::string& control, const std::string& property) {
            if (listeners_.empty())
                return;
            const val value = propertyValue(sim_->desk().get(control, property));
            // A listener may subscribe or leave while it is told: a copy.
            const std::vector<val> listeners = listeners_;
            for (const val& listener : listeners)
                listener(val(control), val(property), value);
        });
    }

    // A trainee's press of the control whose click runs this handler:
    // {delivered, result, reason}; result is "done", "refused", "mishap"
    // or "error" (the handler's message in reason). A name that is no
    // handler gives {delivered:false, result:"error", reason}.
    val press(const std::string& handler)
    {
        val out = val::object();
        try {
            const Trainer::Outcome outcome = trainer_->press(handler);
            out.set("delivered", outcome.delivered);
            out.set("result", std::string(resultName(outcome.result)));
            out.set("reason", outcome.reason);
        } catch (const std::invalid_argument& e) {
            out.set("delivered", findHandler(handler) != nullptr);
            out.set("result", std::string(resultName(OperationResult::Error)));
            out.set("reason", std::string(e.what()));
        } catch (const std::exception& e) {
            out.set("delivered", true);
            out.set("result", std::string(resultName(OperationResult::Error)));
            out.set("reason", std::string(e.what()));
        }
        return out;
    }

    // Moves the clock on by ms (0 to 10^12); returns the messages of the
    // errors the ticks raised, in order.
    val advance(double ms)
    {
        std::vector<std::string> errors;
        if (!(ms >= 0) || ms > 1e12)
            throw std::invalid_argument("advance needs milliseconds from 0 to 1000000000000");
        trainer_->advance(
            std::int64_t(ms), [&](const std::exception& e) { errors.emplace_back(e.what()); });
        return errorsArray(errors);
    }
    double now() const { return double(sim_->clock().now()); }
    // The moment of the next tick, or -1 while every timer is off.
    double nextTick() const
    {
        const auto next = sim_->clock().nextTick();
        return next ? double(*next) : -1.0;
    }

    std::string state() const { return stateJson(*sim_); }
    std::string journal() const { return trainer_->journal().toJson(); }
    // Why the last delivered press did nothing, or null.
    val why() const
    {
        const std::string& why = trainer_->lastRefusal();
        return why.empty() ? val::null() : val(why);
    }
    std::string sessionScript() const { return trainer_->sessionScript(); }
    bool paused() const { return trainer_->paused(); }
    void setPaused(bool paused) { trainer_->setPaused(paused); }

    // One property of one desk control, as the change listeners get it.
    val get(const std::string& control, const std::string& property) const
    {
        return propertyValue(sim_->desk().get(control, property));
    }
    // Every control's name, in the desk model's order.
    val controls() const
    {
        val out = val::array();
        for (const std::string& name : sim_->desk().controlNames())
            out.call<void>("push", val(name));
        return out;
    }

    // Every desk change, as (control, property, value), in the order the
    // core makes them. Returns an id to unsubscribe with.
    int subscribe(val listener)
    {
        listeners_.push_back(listener);
        ids_.push_back(nextId_);
        return nextId_++;
    }
    void unsubscribe(int id)
    {
        for (std::size_t i = 0; i < ids_.size(); ++i)
            if (ids_[i] == id) {
                ids_.erase(ids_.begin() + long(i));
                listeners_.erase(listeners_.begin() + long(i));
                return;
            }
    }

    // The eight use counts, in the order of the `counts` script line.
    val counts() const
    {
        val out = val::array();
        for (std::int32_t c : trainer_->counts())
            out.call<void>("push", val(c));
        return out;
    }
    void setCounts(val counts)
    {
        CountValues values {};
        if (counts["length"].as<unsigned>() != values.size())
            throw std::invalid_argument("setCounts needs eight counts");
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double v = counts[i].as<double>();
            if (!(v >= 0 && v <= 2147483647.0) || v != double(std::int32_t(v)))
                throw std::invalid_argument("a count must be a whole number from 0 to 2147483647");
            values[i] = std::int32_t(v);
        }
        trainer_->setCounts(values);
    }

    // The counters' store: what it holds as {name: count} (a value of
    // another kind as null), and a new content for it, as the page keeps it
    // in its own storage between visits.
    val stored() const
    {
        val out = val::object();
        for (const auto& [name, value] : store_.values())
            out.set(name, value ? val(*value) : val::null());
        return out;
    }
    void setStored(val contents)
    {
        std::vector<std::string> old;
        for (const auto& entry : store_.values())
            old.push_back(entry.first);
        for (const std::string& name : old)
            store_.erase(name);
        const val keys = val::global("Object").call<val>("keys", contents);
        const unsigned n = keys["length"].as<unsigned>();
        for (unsigned i = 0; i < n; ++i) {
            const std::string name = keys[i].as<std::string>();
            const val v = contents[name];
            const bool count = v.typeOf().as<std::string>() == "number"
                && v.as<double>() >= -2147483648.0 && v.as<double>() <= 2147483647.0
                && v.as<double>() == double(v.as<std::int32_t>());
            store_.set(
                name, count ? MemoryCounterStore::Value(v.as<std::int32_t>()) : std::nullopt);
        }
    }
    // Loads the counts from the store and shows them; saves them to it.
    // Each returns null, or the error's message (the counts are then as
    // the core leaves them after that error).
    val loadCounts() { return runCounters(odczytlicznikow); }
    val saveCounts() { return runCounters(regwpis); }

private:
    val runCounters(void (*fn)(Simulator&))
    {
        try {
            fn(*sim_);
        } catch (const std::exception& e) {
            return val(std::string(e.what()));
        }
        return val::null();
    }

    MemoryCounterStore store_;
    std::unique_ptr<Simulator> sim_;
    std::unique_ptr<Trainer> trainer_;
    std::vector<val> listeners_;
    std::vector<int> ids_;
    int nextId_ = 1;
};

// Every control a trainee can press: {control, handler, station, name}.
val pressables()
{
    val out = val::array();
    for (const PressableControl& c : pressableControls()) {
        val item = val::object();
        item.set("control", std::string(c.control));
        item.set("handler", std::string(c.handler));
        item.set("station",
            c.station ? val(std::string(*c.station == Station::A ? "A" : "B")) : val::null());
        item.set("name", shortName(c));
        item.set("windowOnly", c.windowOnly);
        out.call<void>("push", item);
    }
    return out;
}

// Every handler name of the table, in its order.
val handlers()
{
    val out = val::array();
    for (const HandlerEntry& h : handlerTable())
        out.call<void>("push", val(std::string(h.name)));
    return out;
}

// The period of the core's quickest timer in milliseconds: the page's clock
// moves the core on by at most this much per frame.
double quickestTimerPeriod()
{
    std::int64_t quickest = 0;
    for (const VirtualClock::TimerSpec& t : VirtualClock::timers())
        if (quickest == 0 || t.period < quickest)
            quickest = t.period;
    return double(quickest);
}

} // namespace kyt::web

EMSCRIPTEN_BINDINGS(kyt)
{
    using kyt::web::Session;
    emscripten::class_<Session>("Session")
        .constructor<>()
        .function("reset", &Session::reset)
        .function("press", &Session::press)
        .function("advance", &Session::advance)
        .function("now", &Session::now)
        .function("nextTick", &Session::nextTick)
        .function("state", &Session::state)
        .function("journal", &Session::journal)
        .function("why", &Session::why)
        .function("sessionScript", &Session::sessionScript)
        .function("paused", &Session::paused)
        .function("setPaused", &Session::setPaused)
        .function("get", &Session::get)
        .function("controls", &Session::controls)
        .function("subscribe", &Session::subscribe)
        .function("unsubscribe", &Session::unsubscribe)
        .function("counts", &Session::counts)
        .function("setCounts", &Session::setCounts)
        .function("stored", &Session::stored)
        .function("setStored", &Session::setStored)
        .function("loadCounts", &Session::loadCounts)
        .function("saveCounts", &Session::saveCounts);
    emscripten::function("pressables", &kyt::web::pressables);
    emscripten::function("handlers", &kyt::web::handlers);
    emscripten::function("quickestTimerPeriod", &kyt::web::quickestTimerPeriod);
}
