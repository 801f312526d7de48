#include "Player.h"

#include "Trainer.h"

#include <algorithm>
#include <stdexcept>

namespace kyt {

Player::Player(Trainer& trainer, std::vector<script::Event> events)
    : trainer_(trainer), events_(std::move(events))
{ }

void Player::runInstant(const script::Event& e, const ErrorSink& onError)
{
    using Kind = script::Event::Kind;
    switch (e.kind) {
    case Kind::Counts: trainer_.setCounts(e.counts); break;
    case Kind::Press:
        for (std::int64_t i = 0; i < e.times; ++i) {
            try {
                trainer_.press(e.handler);
            } catch (const std::exception& error) {
                if (!onError)
                    throw;
                onError(error);
            }
        }
        break;
    case Kind::State:
    case Kind::Journal:
    case Kind::Why:
    case Kind::Wait: break;
    }
}

void Player::wait(std::int64_t ms, const ErrorSink& onError)
{
    try {
        trainer_.advance(ms, onError);
    } catch (const std::invalid_argument& error) {
        // The clock cannot run that far: the rest of the wait is given up.
        if (onError)
            onError(error);
    }
}

void Player::advance(std::int64_t ms, const ErrorSink& onError)
{
    while (!finished()) {
        const script::Event& e = events_[next_];
        if (e.kind != script::Event::Kind::Wait) {
            runInstant(e, onError);
            ++next_;
            continue;
        }
        const std::int64_t step = std::min(ms, e.ms - waited_);
        if (step > 0)
            wait(step, onError);
        waited_ += step;
        ms -= step;
        if (waited_ < e.ms)
            return;
        waited_ = 0;
        ++next_;
    }
}

void Player::step(const ErrorSink& onError)
{
    if (finished())
        return;
    const bool paused = trainer_.paused();
    trainer_.setPaused(false);
    const script::Event& e = events_[next_];
    if (e.kind == script::Event::Kind::Wait) {
        if (e.ms > waited_)
            wait(e.ms - waited_, onError);
        waited_ = 0;
    } else {
        runInstant(e, onError);
    }
    ++next_;
    trainer_.setPaused(paused);
}

} // namespace kyt
