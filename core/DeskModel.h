#pragma once
// The desk model: the few properties of the desk's controls that the
// simulation reads and writes, held per control under its component name.
// The window's controls draw these values; the handlers run against the
// model alone, so the whole simulation works without any window.
//
// Every write that changes a value calls the observers at once, in the
// order they were added; writing the value already held calls nobody.
// The handlers name controls by their Control constant; the reads by name
// serve the window, which binds its controls by component name. A name that
// is not a control of the model, a control of another kind, or a property
// the control does not have, throws std::invalid_argument.

#include "DeskNames.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kyt {

// A colour value: low byte red, then green, then blue.
using ColorValue = std::uint32_t;
constexpr ColorValue kColorRed = 0x0000FF;
constexpr ColorValue kColorWhite = 0xFFFFFF;

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
    bool flag = false; // Value, Visible or Enabled
    bool blink = false; // Blink of a lamp
    std::int64_t number = 0; // TrueColor, Color, counter Value, or the Look
    std::string text; // Caption or Text
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
    bool lampValue(Control lamp) const;
    void setLampValue(Control lamp, bool lit);
    bool lampBlink(Control lamp) const;
    void setLampBlink(Control lamp, bool blink);
    ColorValue lampColor(Control lamp) const;
    void setLampColor(Control lamp, ColorValue color);

    // Relay indicators.
    Look look(Control indicator) const;
    void setLook(Control indicator, Look look);

    // Digit counters.
    std::int32_t counterValue(Control counter) const;
    void setCounterValue(Control counter, std::int32_t value);

    // Track sections: red when occupied, white when free.
    ColorValue sectionColor(Control section) const;
    void setSectionColor(Control section, ColorValue color);

    // Visibility of pdalej, the arrow buttons, Panel27, pst and Memo1.
    bool visible(Control control) const;
    void setVisible(Control control, bool visible);

    // Caption of pst, np, ns1 and ns2.
    const std::string& caption(Control control) const;
    void setCaption(Control control, const std::string& caption);

    // Text of Memo1.
    const std::string& text(Control memo) const;
    void setText(Control memo, const std::string& text);

    // Timers.
    bool timerEnabled(Control timer) const;
    void setTimerEnabled(Control timer, bool enabled);

    // The same reads by component name, for the window's binding.
    bool lampValue(std::string_view lamp) const { return lampValue(named(lamp)); }
    bool lampBlink(std::string_view lamp) const { return lampBlink(named(lamp)); }
    ColorValue lampColor(std::string_view lamp) const { return lampColor(named(lamp)); }
    Look look(std::string_view indicator) const { return look(named(indicator)); }
    std::int32_t counterValue(std::string_view counter) const
    {
        return counterValue(named(counter));
    }
    ColorValue sectionColor(std::string_view section) const { return sectionColor(named(section)); }
    bool visible(std::string_view control) const { return visible(named(control)); }
    const std::string& caption(std::string_view control) const { return caption(named(control)); }
    const std::string& text(std::string_view memo) const { return text(named(memo)); }
    bool timerEnabled(std::string_view timer) const { return timerEnabled(named(timer)); }

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

    // The control of a component name; throws for a name that is none.
    static Control named(std::string_view control);

private:
    static std::size_t indexOf(Control control, ControlKind kind, const char* what);
    static std::size_t indexOfAny(
        Control control, std::initializer_list<ControlKind> kinds, const char* what);
    void changed(std::size_t index, const std::string& property);
    // Stores a value and tells the observers, unless the control holds it already.
    template <typename T, typename V>
    void assign(
        std::size_t index, T ControlValues::*field, const V& value, const std::string& property);

    std::vector<std::string> names_;
    DeskValues values_;
    std::vector<std::pair<ObserverId, Observer>> observers_;
    ObserverId nextObserver_ = 1;
};

} // namespace kyt
