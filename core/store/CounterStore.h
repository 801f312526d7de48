#pragma once
// The per-user store that keeps the eight use counts of the emergency buttons
// from one run of the program to the next. The simulation reads and writes it
// only through this interface; the real store (the registry on Windows, an
// INI file elsewhere) lives in its own library, and an in-memory store serves
// the headless builds and the tests.

#include <cstdint>
#include <span>
#include <string_view>

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
        Ok,        // `value` holds it
        Missing,   // no value of that name
        WrongType, // a value that is not a 32-bit integer
    };
    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        std::int32_t value = 0;
    };
    virtual ReadResult read(std::string_view name) = 0;

    // Stores all the counts given, in the order given, as one change: either
    // every value is stored or, when false is returned, the store keeps what
    // it held before.
    virtual bool write(std::span<const NamedCount> counts) = 0;
};

} // namespace kyt
