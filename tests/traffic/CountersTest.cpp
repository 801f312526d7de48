// The counters' load and save against a store held in memory.

#include "TrafficFixture.h"

#include "Counters.h"
#include "Error.h"

namespace kyt::test {
namespace {

class Counters : public TrafficFixture {
protected:
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

TEST_F(Counters, FirstRunThenAStoredCountGoesOnCounting)
{
    press("odczytlicznikow"); // nothing stored: silent
    for (int i = 0; i < 5; ++i)
        press("psza2Click"); // on three times, off twice
    press("FormClose");
    ASSERT_EQ(store.values().size(), 8u);
    for (const auto& [name, value] : store.values())
        EXPECT_EQ(value, name == "sza2" ? 3 : 0) << name;

    store.set("dkoa", 10007);
    store.set("dpob", -3);
    s().sza2Count = 0;
    press("odczytlicznikow"); // replaces the counts in memory
    EXPECT_EQ(counter(Control::lsza2), 3);
    EXPECT_EQ(counter(Control::ldkoa), 10007);
    EXPECT_EQ(counter(Control::ldpob), -3);
    setDirectionAB();
    press("HemisphereButton16Click");
    press("FormClose");
    EXPECT_EQ(store.values().at("dkoa"), 10008);
    EXPECT_EQ(store.values().at("dpob"), -3);
}

TEST_F(Counters, EachCountHasItsOwnNameAndDisplay)
{
    std::int32_t v = 1;
    for (const char* name : {"sza1", "sza2", "szb1", "szb2", "dkoa", "dkob", "dpoa", "dpob"})
        store.set(name, v++);
    press("odczytlicznikow");
    const BlockState& st = s();
    EXPECT_EQ((std::array{st.sza1Count, st.sza2Count, st.szb1Count, st.szb2Count, st.dkoaCount,
                          st.dkobCount, st.dpoaCount, st.dpobCount}),
              (std::array{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ((std::array{counter(Control::lsza1), counter(Control::lsza2), counter(Control::lszb1),
                          counter(Control::lszb2), counter(Control::ldkoa), counter(Control::ldkob),
                          counter(Control::ldpoa), counter(Control::ldpob)}),
              (std::array{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(Counters, AFailedLoadNamesTheValueAndLeavesTheDisplays)
{
    s().szb1Count = 4;
    store.set("sza1", 7); // "sza2" missing
    EXPECT_EQ(errorOf("odczytlicznikow"), "Failed to get data for 'sza2'");
    EXPECT_EQ(s().sza1Count, 7);
    EXPECT_EQ(s().szb1Count, 4);
    EXPECT_EQ(counter(Control::lsza1), 0);

    store.set("sza2", 1);
    store.set("szb1", 1);
    store.set("szb2", std::nullopt); // not a 32-bit integer
    EXPECT_EQ(errorOf("odczytlicznikow"), "Invalid data type for 'szb2'");
    EXPECT_EQ(s().szb1Count, 1);
}

TEST_F(Counters, AFailedSaveRaisesAndKeepsWhatWasStored)
{
    store.set("sza1", 9);
    press("psza1Click");
    store.setFailWrites(true);
    EXPECT_EQ(errorOf("FormClose"), "Failed to set data for 'sza1'");
    EXPECT_EQ(store.values().size(), 1u);
    EXPECT_EQ(store.values().at("sza1"), 9);
    store.setFailWrites(false);
    press("FormClose");
    EXPECT_EQ(store.values().at("sza1"), 1);

    sim.setCounterStore(nullptr);
    EXPECT_EQ(errorOf("FormClose"), "Failed to set data for 'sza1'");
}

} // namespace
} // namespace kyt::test
