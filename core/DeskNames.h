#pragma once
// The one home of the desk's component names. Every control of the desk
// model is an enumerator of Control, spelt as its component name, so that the
// code names a control as Control::lwbl1 and a misspelt name does not
// compile. The enumerators follow the model's control order, which is also
// the order of the state listing.

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string_view>

namespace kyt {

// The kinds of controls the model holds, with their properties in the order
// they are listed:
//   Lamp        Value (bool), Blink (bool), TrueColor (int)
//   Indicator   Look ("wzb", "odzw" or "wzbb")
//   Counter     Value (int)
//   Section     Color (int)
//   Shown       Visible (bool)            pdalej, ArrowButton1..4, Panel27
//   TrainButton Visible (bool), Caption   pst
//   Label       Caption                   np, ns1, ns2
//   Memo        Text, Visible (bool)      Memo1
//   Timer       Enabled (bool)            Timer1..4
enum class ControlKind {
    Lamp,
    Indicator,
    Counter,
    Section,
    Shown,
    TrainButton,
    Label,
    Memo,
    Timer
};

// Every control as X(component name, kind), in the model's order.
// clang-format off
#define KYT_DESK_CONTROLS(X)                                                                     \
    /* Signal lamps: exit signal A, entry signal B, entry signal A, exit signal B; each red, */  \
    /* white (Sz), green. */                                                                     \
    X(ALed1, Lamp) X(ALed2, Lamp) X(ALed5, Lamp)                                                 \
    X(ALed3, Lamp) X(ALed4, Lamp) X(ALed6, Lamp)                                                 \
    X(ALed11, Lamp) X(ALed12, Lamp) X(ALed8, Lamp)                                               \
    X(ALed9, Lamp) X(ALed10, Lamp) X(ALed18, Lamp)                                               \
    /* Desk lamps of station A: dKo, Ko, "WYJAZD", Pwl, "PRZYJAZD"; then of station B. */       \
    X(ALed14, Lamp) X(ALed20, Lamp) X(lwbl1, Lamp) X(ALed7, Lamp) X(lp1, Lamp)                   \
    X(ALed13, Lamp) X(ALed19, Lamp) X(lp2, Lamp) X(ALed16, Lamp) X(lwbl2, Lamp)                  \
    /* Relay indicators of board A, then of board B. */                                         \
    X(mop1, Indicator) X(mdp1, Indicator) X(mpoz1, Indicator) X(mwbl1, Indicator)                \
    X(mzwbl1, Indicator) X(mnc1, Indicator) X(mpwl1, Indicator) X(mzp1, Indicator)               \
    X(mlzs1, Indicator) X(mic1, Indicator) X(mpwya, Indicator) X(mdkob, Indicator)               \
    X(mwb, Indicator) X(mzb, Indicator) X(msa, Indicator)                                        \
    X(mop2, Indicator) X(mdp2, Indicator) X(mpoz2, Indicator) X(mwbl2, Indicator)                \
    X(mzwbl2, Indicator) X(mnc2, Indicator) X(mpwl2, Indicator) X(mzp2, Indicator)               \
    X(mlzs2, Indicator) X(mic2, Indicator) X(mpwyb, Indicator) X(mdkoa, Indicator)               \
    X(mwa, Indicator) X(mza, Indicator) X(msb, Indicator)                                        \
    /* Use counters of the Sz, dKo and dPo buttons. */                                          \
    X(lsza1, Counter) X(lszb1, Counter) X(lsza2, Counter) X(lszb2, Counter)                      \
    X(ldkoa, Counter) X(ldkob, Counter) X(ldpoa, Counter) X(ldpob, Counter)                      \
    /* Track sections from station A to station B. */                                           \
    X(Shape1, Section) X(Shape2, Section) X(oitb1, Section) X(oitb2, Section) X(itb, Section)    \
    X(Shape6, Section) X(ita, Section) X(oita1, Section) X(oita2, Section) X(Shape10, Section)    \
    X(Shape11, Section)                                                                          \
    /* Controls that come and go, the train button, the line labels, the memo, the timers. */  \
    X(pdalej, Shown) X(ArrowButton1, Shown) X(ArrowButton2, Shown) X(ArrowButton3, Shown)        \
    X(ArrowButton4, Shown) X(Panel27, Shown)                                                     \
    X(pst, TrainButton)                                                                          \
    X(np, Label) X(ns1, Label) X(ns2, Label)                                                     \
    X(Memo1, Memo)                                                                               \
    X(Timer1, Timer) X(Timer2, Timer) X(Timer3, Timer) X(Timer4, Timer)
// clang-format on

// A control of the desk, named as the window names it.
enum class Control : std::uint8_t {
#define KYT_CONTROL_ENUMERATOR(name, kind) name,
    KYT_DESK_CONTROLS(KYT_CONTROL_ENUMERATOR)
#undef KYT_CONTROL_ENUMERATOR
};

namespace detail {

struct ControlInfo {
    std::string_view name;
    ControlKind kind;
};

inline constexpr ControlInfo kControls[] = {
#define KYT_CONTROL_INFO(name, kind) {#name, ControlKind::kind},
    KYT_DESK_CONTROLS(KYT_CONTROL_INFO)
#undef KYT_CONTROL_INFO
};

} // namespace detail

inline constexpr std::size_t kControlCount = std::size(detail::kControls);

// The component name of a control, e.g. "lwbl1".
constexpr std::string_view controlName(Control c)
{
    return detail::kControls[std::size_t(c)].name;
}

constexpr ControlKind controlKind(Control c)
{
    return detail::kControls[std::size_t(c)].kind;
}

// The control of a component name (exact spelling), or none.
std::optional<Control> controlByName(std::string_view name);

// Writes the component name.
std::ostream& operator<<(std::ostream& out, Control c);

} // namespace kyt
