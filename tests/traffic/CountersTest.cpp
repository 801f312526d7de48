// The counters' load and save against a store held in memory.

#include "TrafficFixture.h"

#include "Counters.h"
#include "Error.h"

#include <limits>

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
    EXPECT_EQ((std::array {st.sza1Count, st.sza2Count, st.szb1Count, st.szb2Count, st.dkoaCount,
                  st.dkobCount, st.dpoaCount, st.dpobCount}),
        (std::array {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ((std::array {counter(Control::lsza1), counter(Control::lsza2),
                  counter(Control::lszb1), counter(Control::lszb2), counter(Control::ldkoa),
                  counter(Control::ldkob), counter(Control::ldpoa), counter(Control::ldpob)}),
        (std::array {1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(Counters, AFailedLoadNamesTheFirstBadValueAndReadsTheOthers)
{
    s().szb1Count = 4;
    store.set("sza1", 7); // "sza2" and the rest missing
    EXPECT_EQ(errorOf("odczytlicznikow"), "Failed to get data for 'sza2'");
    EXPECT_EQ(s().sza1Count, 7);
    EXPECT_EQ(s().szb1Count, 4);
    EXPECT_EQ(counter(Control::lsza1), 7);
    EXPECT_EQ(counter(Control::lszb1), 4);

    store.set("sza2", 1);
    store.set("szb1", 1);
    store.set("szb2", std::nullopt); // not a 32-bit integer
    store.set("dkoa", 5);
    store.set("dpob", std::nullopt);
    store.set("dpoa", 6);
    EXPECT_EQ(errorOf("odczytlicznikow"), "Invalid data type for 'szb2'");
    EXPECT_EQ(s().szb1Count, 1);
    EXPECT_EQ(s().dkoaCount, 5);
    EXPECT_EQ(counter(Control::ldpoa), 6);

    // The close keeps the values it could not read, and the others.
    press("FormClose");
    EXPECT_EQ(store.values().at("szb2"), std::nullopt);
    EXPECT_EQ(store.values().at("dpob"), std::nullopt);
    EXPECT_EQ(store.values().at("dkoa"), 5);
    EXPECT_EQ(store.values().at("sza1"), 7);
    EXPECT_EQ(store.values().at("dkob"), 0); // missing: stored from now on

    // Used in the session, an unreadable count starts from 0.
    press("pszb2Click");
    press("FormClose");
    EXPECT_EQ(store.values().at("szb2"), 1);
    EXPECT_EQ(store.values().at("dpob"), std::nullopt);
}

TEST_F(Counters, ASaveAddsTheSessionsUsesToWhatIsStoredThen)
{
    store.set("sza1", 9);
    press("psza1Click"); // the first use, with nothing loaded
    store.setFailWrites(true);
    EXPECT_EQ(errorOf("FormClose"), "Failed to set data for 'sza1'");
    EXPECT_EQ(store.values().size(), 1u);
    EXPECT_EQ(store.values().at("sza1"), 9);
    store.setFailWrites(false);
    press("FormClose");
    EXPECT_EQ(store.values().at("sza1"), 10);
    press("FormClose"); // no use since: nothing more to add
    EXPECT_EQ(store.values().at("sza1"), 10);

    // Another program adds its own uses after this one loaded.
    press("odczytlicznikow");
    EXPECT_EQ(counter(Control::lsza1), 10);
    store.set("szb1", 40);
    store.set("sza1", 12);
    s().szb1Count += 1; // a use of this session
    press("FormClose");
    EXPECT_EQ(store.values().at("sza1"), 12);
    EXPECT_EQ(store.values().at("szb1"), 41);
    EXPECT_EQ(counter(Control::lsza1), 10) << "the desk shows what it loaded and counted";

    // The largest count stays the largest.
    store.set("dpob", std::numeric_limits<std::int32_t>::max());
    s().dpobCount += 1;
    press("FormClose");
    EXPECT_EQ(store.values().at("dpob"), std::numeric_limits<std::int32_t>::max());

    sim.setCounterStore(nullptr);
    EXPECT_EQ(errorOf("FormClose"), "Failed to set data for 'sza1'");
}

} // namespace
} // namespace kyt::test
