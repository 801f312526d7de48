// The counters' load and save against a store held in memory: first run,
// round trips, what a failed load keeps, and saves that fail.

#include "TrafficFixture.h"

#include "Counters.h"
#include "Error.h"

#include <limits>

namespace kyt::test {
namespace {

// A store that remembers the order in which a save hands over the names.
class RecordingStore final : public CounterStore {
public:
    bool exists() override { return true; }
    ReadResult read(std::string_view name) override
    {
        reads.emplace_back(name);
        return {ReadStatus::Ok, std::int32_t(reads.size())};
    }
    bool write(std::span<const NamedCount> counts) override
    {
        for (const NamedCount& c : counts)
            writes.emplace_back(c.name);
        return true;
    }
    std::vector<std::string> reads, writes;
};

class Counters : public TrafficFixture {
protected:
    void storeAll(std::int32_t value)
    {
        for (const char* name : {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"})
            store.set(name, value);
    }
    // Runs a handler and returns the message of the error it raises.
    std::string errorOf(std::string_view handler)
    {
        try {
            sim.call(handler);
        } catch (const Error& e) {
            return e.what();
        }
        return {};
    }
};

TEST_F(Counters, FirstRunLoadsNothingAndTheFirstCloseStoresEverything)
{
    press("odczytlicznikow");
    for (const CounterSlot& slot : loadOrder())
        EXPECT_EQ(counter(slot.display), 0) << slot.display;

    // Sz on entry signal A of station B three times (and off in between).
    for (int i = 0; i < 5; ++i)
        press("psza2Click");
    EXPECT_EQ(counter("lsza2"), 3);
    press("FormClose");

    ASSERT_EQ(store.values().size(), 8u);
    for (const auto& [name, value] : store.values())
        EXPECT_EQ(value, name == "sza2" ? 3 : 0) << name;
}

TEST_F(Counters, AStoredCountGoesOnCounting)
{
    store.set("dkoa", 12);
    for (const char* name : {"sza1", "sza2", "szb1", "szb2", "dkob", "dpoa", "dpob"})
        store.set(name, 0);
    press("odczytlicznikow");
    EXPECT_EQ(counter("ldkoa"), 12);
    setDirectionAB();
    press("HemisphereButton16Click");
    EXPECT_EQ(counter("ldkoa"), 13);
    press("FormClose");
    EXPECT_EQ(store.values().at("dkoa"), 13);
}

TEST_F(Counters, LoadAndSaveKeepEveryCountApart)
{
    std::int32_t v = 1;
    for (const CounterSlot& slot : loadOrder())
        store.set(slot.name, v++);
    press("odczytlicznikow");
    v = 1;
    for (const CounterSlot& slot : loadOrder()) {
        EXPECT_EQ(sim.state().*slot.count, v) << slot.name;
        EXPECT_EQ(counter(slot.display), v) << slot.display;
        ++v;
    }
    // Saved back unchanged without a single use.
    const auto before = store.values();
    press("FormClose");
    EXPECT_EQ(store.values(), before);
}

TEST_F(Counters, ValuesBeyondTheDisplayLoadUnchanged)
{
    storeAll(0);
    store.set("sza1", 10007);
    store.set("dpob", -3);
    store.set("szb2", std::numeric_limits<std::int32_t>::max());
    press("odczytlicznikow");
    EXPECT_EQ(s().sza1Count, 10007);
    EXPECT_EQ(counter("lsza1"), 10007);
    EXPECT_EQ(s().dpobCount, -3);
    press("psza1Click");
    EXPECT_EQ(s().sza1Count, 10008);
    press("psza1Click"); // off again

    // Counting up from the largest value keeps it there, and it is saved so.
    press("pszb2Click");
    EXPECT_EQ(s().szb2Count, std::numeric_limits<std::int32_t>::max());
    press("FormClose");
    EXPECT_EQ(store.values().at("szb2"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(store.values().at("dpob"), -3);
}

TEST_F(Counters, AMissingValueStopsTheLoadAndNamesIt)
{
    s().szb1Count = 4;
    sim.call("wpislicznikow");
    store.set("sza1", 7);
    EXPECT_EQ(errorOf("odczytlicznikow"), "Failed to get data for 'sza2'");
    EXPECT_EQ(s().sza1Count, 7) << "read before the failure";
    EXPECT_EQ(s().szb1Count, 4) << "not reached";
    EXPECT_EQ(counter("lsza1"), 0) << "the displays are not refreshed";
    EXPECT_EQ(counter("lszb1"), 4);
}

TEST_F(Counters, AValueOfAnotherTypeStopsTheLoad)
{
    storeAll(2);
    store.set("szb2", std::nullopt);
    EXPECT_EQ(errorOf("odczytlicznikow"), "Invalid data type for 'szb2'");
    EXPECT_EQ(s().szb1Count, 2);
    EXPECT_EQ(s().dkoaCount, 0);
    EXPECT_EQ(counter("lsza1"), 0);
}

TEST_F(Counters, ALoadReplacesCountsNotYetSaved)
{
    storeAll(5);
    press("odczytlicznikow");
    press("psza1Click");
    EXPECT_EQ(counter("lsza1"), 6);
    press("odczytlicznikow");
    EXPECT_EQ(counter("lsza1"), 5);
}

TEST_F(Counters, AFailedSaveRaisesAndKeepsWhatWasStored)
{
    storeAll(9);
    press("odczytlicznikow");
    press("psza1Click");
    store.setFailWrites(true);
    EXPECT_EQ(errorOf("FormClose"), "Failed to set data for 'sza1'");
    EXPECT_EQ(store.values().at("sza1"), 9);
    EXPECT_EQ(s().sza1Count, 10) << "the counts stay in the open window";

    // The next close that can write stores them.
    store.setFailWrites(false);
    press("FormClose");
    EXPECT_EQ(store.values().at("sza1"), 10);
}

TEST_F(Counters, WithoutAStoreNothingLoadsAndNoSaveSucceeds)
{
    sim.setCounterStore(nullptr);
    press("odczytlicznikow");
    EXPECT_EQ(errorOf("FormClose"), "Failed to set data for 'sza1'");
}

TEST_F(Counters, LoadAndSaveFollowTheirOrders)
{
    RecordingStore recording;
    sim.setCounterStore(&recording);
    press("odczytlicznikow");
    EXPECT_EQ(recording.reads, (std::vector<std::string>{"sza1", "sza2", "szb1", "szb2", "dkoa",
                                                         "dkob", "dpoa", "dpob"}));
    EXPECT_EQ(s().dkoaCount, 5);
    EXPECT_EQ(counter("ldkoa"), 5);
    press("FormClose");
    EXPECT_EQ(recording.writes, (std::vector<std::string>{"sza1", "sza2", "szb1", "szb2", "dkob",
                                                          "dkoa", "dpob", "dpoa"}));
}

} // namespace
} // namespace kyt::test
