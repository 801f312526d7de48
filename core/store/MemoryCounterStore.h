#pragma once
// A counter store held in memory: the counts live as long as the object. It
// serves the builds without the toolkit, where there is no settings store,
// and lets tests lay out stored values of any kind and make writes fail.

#include "CounterStore.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kyt {

class MemoryCounterStore final : public CounterStore {
public:
    // A stored value: a 32-bit count, or data of another type (nullopt).
    using Value = std::optional<std::int32_t>;

    bool exists() override { return !values_.empty(); }

    ReadResult read(std::string_view name) override
    {
        auto it = values_.find(std::string(name));
        if (it == values_.end())
            return {ReadStatus::Missing, 0};
        if (!it->second)
            return {ReadStatus::WrongType, 0};
        return {ReadStatus::Ok, *it->second};
    }

    bool write(std::span<const NamedCount> counts) override
    {
        ++writes_;
        if (failWrites_)
            return false;
        for (const NamedCount& c : counts)
            values_[std::string(c.name)] = c.value;
        return true;
    }

    bool add(std::span<const NamedCount> uses) override
    {
        ++writes_;
        if (failWrites_)
            return false;
        for (const NamedCount& u : uses) {
            auto it = values_.find(u.name);
            if (it != values_.end() && !it->second && u.value == 0)
                continue; // kept as it is
            const std::int64_t stored = it != values_.end() && it->second ? *it->second : 0;
            values_[std::string(u.name)] = std::int32_t(
                std::min<std::int64_t>(stored + u.value, std::numeric_limits<std::int32_t>::max()));
        }
        return true;
    }

    // Test and set-up access.
    void set(std::string_view name, Value value) { values_[std::string(name)] = value; }
    void erase(std::string_view name) { values_.erase(std::string(name)); }
    const std::map<std::string, Value, std::less<>>& values() const { return values_; }
    void setFailWrites(bool fail) { failWrites_ = fail; }
    int writes() const { return writes_; }

private:
    std::map<std::string, Value, std::less<>> values_;
    bool failWrites_ = false;
    int writes_ = 0;
};

} // namespace kyt
