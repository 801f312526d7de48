#pragma once
// The per-user store that keeps the eight use counts of the emergency buttons
// from one run of the program to the next. The simulation reads and writes it
// only through this interface; the real store (the registry on Windows, an
// INI file elsewhere) lives in its own library, and an in-memory store serves
// the headless builds and the tests.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kyt {

// One count with the name it is stored under ("sza1", "dkoa", ...).
struct NamedCount {
    std::string_view name;
    std::int32_t value = 0;
};

class CounterStore {
public:
    virtual ~CounterStore() = default;

    // Whether the store holds any of the counts at all. A first run, with no
    // stored counts, loads nothing and reports nothing.
    virtual bool exists() = 0;

    // One stored value as a load finds it.
    enum class ReadStatus {
        Ok, // `value` holds it
        Missing, // no value of that name
        WrongType, // a value that is not a 32-bit integer
    };
    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        std::int32_t value = 0;
    };
    virtual ReadResult read(std::string_view name) = 0;

    // What one load finds, read at once: whether anything is stored, and
    // the value of each name asked for, in the order asked. A store that is
    // there but cannot be read at all exists, with every value missing.
    struct Contents {
        bool exists = false;
        std::vector<ReadResult> values;
    };
    virtual Contents load(std::span<const std::string_view> names)
    {
        Contents c;
        c.exists = exists();
        if (c.exists)
            for (std::string_view name : names)
                c.values.push_back(read(name));
        return c;
    }

    // Stores all the counts given, in the order given, as one change: either
    // every value is stored or, when false is returned, the store keeps what
    // it held before.
    virtual bool write(std::span<const NamedCount> counts) = 0;

    // Adds the uses of a session to the counts stored at this moment, as
    // one change, so that sessions saving one after the other or at the
    // same time lose no use of each other's. A stored count becomes its
    // value plus its uses (at most the largest 32-bit count); a missing one
    // becomes its uses; one stored as something that is no count is kept as
    // it is, unless it was used: then it becomes its uses. Every count given
    // is written, or false is returned and the store keeps what it held.
    virtual bool add(std::span<const NamedCount> uses) = 0;
};

} // namespace kyt
