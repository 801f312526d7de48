#pragma once
// The trainer's journal: one entry per trainee operation (a click that
// reached its handler) and one per timer tick that changed the block or the
// desk. It keeps the most recent entries up to its capacity and counts the
// ones it let go; the session record that a save writes is kept apart and
// whole (see SessionRecord).

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyt {

// What became of an operation.
enum class OperationResult {
    Done, // it changed the block state or the desk
    Refused, // it changed neither; a reason says why
    Mishap, // it brought up the mishap panel
    Error, // its handler raised an error; the reason is the message
};
std::string_view resultName(OperationResult result);

struct JournalEntry {
    std::int64_t time = 0; // simulation time, ms since the first activation
    std::string handler; // the handler run: pwbl1Click, Timer1Timer, ...
    bool tick = false; // a timer tick rather than a trainee operation

    // Operations only.
    std::string station; // "A", "B", or empty for the centre controls
    std::string control; // component name
    std::string name; // short name: "Wbl (stacja A)"
    OperationResult result = OperationResult::Done;
    std::string reason; // refused and error entries, and what a mishap avoided

    // Ticks only: the narration's new text when the tick changed it.
    std::optional<std::string> narration;
};

class Journal {
public:
    static constexpr std::size_t kDefaultCapacity = 100000;

    explicit Journal(std::size_t capacity = kDefaultCapacity);

    void add(JournalEntry entry);
    void clear();

    const std::deque<JournalEntry>& entries() const { return entries_; }
    // How many entries were let go to keep within the capacity.
    std::uint64_t dropped() const { return dropped_; }
    std::size_t capacity() const { return capacity_; }
    // A smaller capacity lets the oldest entries go at once (they count as
    // dropped).
    void setCapacity(std::size_t capacity);

    // {"journal":[...],"dropped":N}, as the replay tool prints it.
    std::string toJson() const;

private:
    std::size_t capacity_;
    std::deque<JournalEntry> entries_;
    std::uint64_t dropped_ = 0;
};

// One entry as a JSON object.
std::string journalEntryJson(const JournalEntry& entry);

} // namespace kyt

namespace kyt {

// One entry as the journal's table shows it and its export writes it.
struct JournalRow {
    std::string time; // "mm:ss.s" of the simulation clock
    std::string station; // "A", "B" or empty
    std::string operation; // the short name, or the timer's tick
    std::string result; // "wykonano", "odmowa", "plansza błędu", "błąd", or "takt"
    std::string note; // the reason, the error, or the narration a tick wrote
};

// "mm:ss.s": minutes (as many digits as needed, at least two), seconds and
// tenths of the simulation clock, e.g. 75250 ms is "01:15.2".
std::string journalTime(std::int64_t ms);
JournalRow journalRow(const JournalEntry& entry);

// The journal as CSV (RFC 4180: fields with a comma, quote or line end are
// quoted, quotes doubled, lines end in CRLF): two heading lines with the
// trainee and the date, a header line, then one line per entry.
std::string journalCsv(const Journal& journal, std::string_view trainee, std::string_view date);

} // namespace kyt
