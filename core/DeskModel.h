#pragma once
// The desk model: the few properties of the desk's controls that the
// simulation reads and writes, held per control under its component name.
// The window's controls draw these values; the handlers run against the
// model alone, so the whole simulation works without any window.
//
// Every write that changes a value calls the observers at once, in the
// order they were added; writing the value already held calls nobody.
// A name that is not a control of the model, or a property the control does
// not have, throws std::invalid_argument.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace kyt {

// A colour value: low byte red, then green, then blue.
using ColorValue = std::uint32_t;
constexpr ColorValue kColorRed = 0x0000FF;
constexpr ColorValue kColorWhite = 0xFFFFFF;

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
enum class ControlKind { Lamp, Indicator, Counter, Section, Shown, TrainButton, Label, Memo, Timer };

// The look of a relay indicator.
enum class Look { wzb, odzw, wzbb };
std::string_view lookName(Look look);
// Matches a look name without regard to case.
std::optional<Look> parseLook(std::string_view name);

// A property value as the generic interface passes it: bool for the flags,
// integer for colours and counter values, text for captions, texts and looks.
using PropertyValue = std::variant<bool, std::int64_t, std::string>;

// The stored values of one control; their meaning depends on its kind.
struct ControlValues {
    bool flag = false;        // Value, Visible or Enabled
    bool blink = false;       // Blink of a lamp
    std::int64_t number = 0;  // TrueColor, Color, counter Value, or the Look
    std::string text;         // Caption or Text
    friend bool operator==(const ControlValues&, const ControlValues&) = default;
};

// The values of every control, in the model's control order.
using DeskValues = std::vector<ControlValues>;

class DeskModel {
public:
    using Observer = std::function<void(const std::string& control, const std::string& property)>;
    using ObserverId = int;

    // A desk as the simulator window creates it.
    DeskModel();
    DeskModel(const DeskModel&) = delete;
    DeskModel& operator=(const DeskModel&) = delete;

    // Lamps.
    bool lampValue(std::string_view lamp) const;
    void setLampValue(std::string_view lamp, bool lit);
    bool lampBlink(std::string_view lamp) const;
    void setLampBlink(std::string_view lamp, bool blink);
    ColorValue lampColor(std::string_view lamp) const;
    void setLampColor(std::string_view lamp, ColorValue color);

    // Relay indicators.
    Look look(std::string_view indicator) const;
    void setLook(std::string_view indicator, Look look);

    // Digit counters.
    std::int32_t counterValue(std::string_view counter) const;
    void setCounterValue(std::string_view counter, std::int32_t value);

    // Track sections: red when occupied, white when free.
    ColorValue sectionColor(std::string_view section) const;
    void setSectionColor(std::string_view section, ColorValue color);

    // Visibility of pdalej, the arrow buttons, Panel27, pst and Memo1.
    bool visible(std::string_view control) const;
    void setVisible(std::string_view control, bool visible);

    // Caption of pst, np, ns1 and ns2.
    const std::string& caption(std::string_view control) const;
    void setCaption(std::string_view control, const std::string& caption);

    // Text of Memo1.
    const std::string& text(std::string_view memo) const;
    void setText(std::string_view memo, const std::string& text);

    // Timers.
    bool timerEnabled(std::string_view timer) const;
    void setTimerEnabled(std::string_view timer, bool enabled);

    // Generic access, for listing the desk and binding it to a window.
    const std::vector<std::string>& controlNames() const { return names_; }
    bool has(std::string_view control) const;
    ControlKind kind(std::string_view control) const;
    static const std::vector<std::string>& propertyNames(ControlKind kind);
    PropertyValue get(std::string_view control, std::string_view property) const;
    // The value's type must be the property's (a look is passed as its name).
    void set(std::string_view control, std::string_view property, const PropertyValue& value);

    // Observers of changes.
    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

    // Every value at once, and back again (the restore notifies as any write).
    const DeskValues& values() const { return values_; }
    void restore(const DeskValues& values);

private:
    std::size_t indexOf(std::string_view control) const;
    std::size_t indexOf(std::string_view control, ControlKind kind, const char* what) const;
    std::size_t indexOfAny(std::string_view control, std::initializer_list<ControlKind> kinds, const char* what) const;
    void changed(std::size_t index, const std::string& property);
    void add(std::string name, ControlKind kind, ControlValues values);

    std::vector<std::string> names_;
    std::vector<ControlKind> kinds_;
    DeskValues values_;
    std::unordered_map<std::string_view, std::size_t> index_;
    std::vector<std::pair<ObserverId, Observer>> observers_;
    ObserverId nextObserver_ = 1;
};

} // namespace kyt
