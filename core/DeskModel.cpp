#include "DeskModel.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace kyt {

namespace {

const std::string kValue = "Value";
const std::string kBlink = "Blink";
const std::string kTrueColor = "TrueColor";
const std::string kLook = "Look";
const std::string kColor = "Color";
const std::string kVisible = "Visible";
const std::string kCaption = "Caption";
const std::string kText = "Text";
const std::string kEnabled = "Enabled";

constexpr ColorValue kLime = 0x00FF00; // 0,255,0
constexpr ColorValue kSignalGreen = 0x40FF00; // 0,255,64

ControlValues lamp(ColorValue color, bool lit, bool blink)
{
    ControlValues v;
    v.flag = lit;
    v.blink = blink;
    v.number = color;
    return v;
}

ControlValues numberValue(std::int64_t n)
{
    ControlValues v;
    v.number = n;
    return v;
}

ControlValues flagValue(bool f, std::string text = {})
{
    ControlValues v;
    v.flag = f;
    v.text = std::move(text);
    return v;
}

std::string quoted(std::string_view s)
{
    return "'" + std::string(s) + "'";
}

} // namespace

std::string_view lookName(Look look)
{
    switch (look) {
    case Look::wzb: return "wzb";
    case Look::odzw: return "odzw";
    case Look::wzbb: return "wzbb";
    }
    return "odzw";
}

std::optional<Look> parseLook(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](unsigned char c) { return char(std::tolower(c)); });
    if (lower == "wzb")
        return Look::wzb;
    if (lower == "odzw")
        return Look::odzw;
    if (lower == "wzbb")
        return Look::wzbb;
    return std::nullopt;
}

namespace {

// A control's values as the new window shows them.
ControlValues initialValues(Control c)
{
    using C = Control;
    switch (controlKind(c)) {
    case ControlKind::Lamp:
        switch (c) {
        // Signal lamps: the red ones lit, the white Sz lamps blinking when lit.
        case C::ALed1:
        case C::ALed3:
        case C::ALed11:
        case C::ALed9: return lamp(kColorRed, true, false);
        case C::ALed2:
        case C::ALed4:
        case C::ALed12:
        case C::ALed10: return lamp(kColorWhite, false, true);
        case C::ALed5: return lamp(kLime, false, false);
        case C::ALed6:
        case C::ALed8:
        case C::ALed18: return lamp(kSignalGreen, false, false);
        // The Pwl lamps of the desks; the other desk lamps are white.
        case C::ALed7:
        case C::ALed16: return lamp(kColorRed, false, false);
        default: return lamp(kColorWhite, false, false);
        }
    case ControlKind::Indicator:
        // Only Dp starts energised without current.
        return numberValue(std::int64_t(c == C::mdp1 || c == C::mdp2 ? Look::wzbb : Look::odzw));
    case ControlKind::Counter: return numberValue(0);
    case ControlKind::Section: return numberValue(kColorWhite);
    case ControlKind::Shown: return flagValue(false);
    case ControlKind::TrainButton: return flagValue(false, "Pociąg \"STÓJ\"");
    case ControlKind::Label:
        return flagValue(false, c == C::np ? "Brak" : c == C::ns1 ? "79 - brak" : "80 - brak");
    case ControlKind::Memo:
        return flagValue(true,
            "Stan zasadniczy. Przekaźniki Dp na stacji \"A\" i \"B\"  "
            "wzbudzone bezprądowo.");
    case ControlKind::Timer: return flagValue(false);
    }
    return {};
}

} // namespace

DeskModel::DeskModel()
{
    for (std::size_t i = 0; i < kControlCount; ++i) {
        names_.emplace_back(controlName(Control(i)));
        values_.push_back(initialValues(Control(i)));
    }
}

bool DeskModel::has(std::string_view control) const
{
    return controlByName(control).has_value();
}

Control DeskModel::named(std::string_view control)
{
    const auto c = controlByName(control);
    if (!c)
        throw std::invalid_argument("no desk control " + quoted(control));
    return *c;
}

std::size_t DeskModel::indexOf(Control control, ControlKind kind, const char* what)
{
    return indexOfAny(control, {kind}, what);
}

std::size_t DeskModel::indexOfAny(
    Control control, std::initializer_list<ControlKind> kinds, const char* what)
{
    if (std::find(kinds.begin(), kinds.end(), controlKind(control)) == kinds.end())
        throw std::invalid_argument(
            "desk control " + quoted(controlName(control)) + " is not " + what);
    return std::size_t(control);
}

ControlKind DeskModel::kind(std::string_view control) const
{
    return controlKind(named(control));
}

template <typename T, typename V>
void DeskModel::assign(
    std::size_t index, T ControlValues::*field, const V& value, const std::string& property)
{
    if (values_[index].*field == value)
        return;
    values_[index].*field = value;
    changed(index, property);
}

void DeskModel::changed(std::size_t index, const std::string& property)
{
    // Observers may add or remove observers while being told; walk by index
    // and skip the removed ones.
    for (std::size_t i = 0; i < observers_.size(); ++i) {
        if (observers_[i].second) {
            Observer copy = observers_[i].second;
            copy(names_[index], property);
        }
    }
}

DeskModel::ObserverId DeskModel::addObserver(Observer observer)
{
    const ObserverId id = nextObserver_++;
    observers_.emplace_back(id, std::move(observer));
    return id;
}

void DeskModel::removeObserver(ObserverId id)
{
    auto it = std::find_if(observers_.begin(), observers_.end(),
        [id](const auto& entry) { return entry.first == id; });
    // Emptied rather than erased, so that a notification under way is not
    // disturbed.
    if (it != observers_.end())
        it->second = nullptr;
}

// Lamps ---------------------------------------------------------------------

bool DeskModel::lampValue(Control lamp) const
{
    return values_[indexOf(lamp, ControlKind::Lamp, "a lamp")].flag;
}

void DeskModel::setLampValue(Control lamp, bool lit)
{
    assign(indexOf(lamp, ControlKind::Lamp, "a lamp"), &ControlValues::flag, lit, kValue);
}

bool DeskModel::lampBlink(Control lamp) const
{
    return values_[indexOf(lamp, ControlKind::Lamp, "a lamp")].blink;
}

void DeskModel::setLampBlink(Control lamp, bool blink)
{
    assign(indexOf(lamp, ControlKind::Lamp, "a lamp"), &ControlValues::blink, blink, kBlink);
}

ColorValue DeskModel::lampColor(Control lamp) const
{
    return ColorValue(values_[indexOf(lamp, ControlKind::Lamp, "a lamp")].number);
}

void DeskModel::setLampColor(Control lamp, ColorValue color)
{
    assign(indexOf(lamp, ControlKind::Lamp, "a lamp"), &ControlValues::number, color, kTrueColor);
}

// Indicators ----------------------------------------------------------------

Look DeskModel::look(Control indicator) const
{
    return Look(values_[indexOf(indicator, ControlKind::Indicator, "a relay indicator")].number);
}

void DeskModel::setLook(Control indicator, Look look)
{
    assign(indexOf(indicator, ControlKind::Indicator, "a relay indicator"), &ControlValues::number,
        std::int64_t(look), kLook);
}

// Counters and sections -----------------------------------------------------

std::int32_t DeskModel::counterValue(Control counter) const
{
    return std::int32_t(values_[indexOf(counter, ControlKind::Counter, "a counter")].number);
}

void DeskModel::setCounterValue(Control counter, std::int32_t value)
{
    assign(
        indexOf(counter, ControlKind::Counter, "a counter"), &ControlValues::number, value, kValue);
}

ColorValue DeskModel::sectionColor(Control section) const
{
    return ColorValue(values_[indexOf(section, ControlKind::Section, "a track section")].number);
}

void DeskModel::setSectionColor(Control section, ColorValue color)
{
    assign(indexOf(section, ControlKind::Section, "a track section"), &ControlValues::number, color,
        kColor);
}

// Visibility, captions, memo text, timers -----------------------------------

bool DeskModel::visible(Control control) const
{
    using K = ControlKind;
    return values_[indexOfAny(control, {K::Shown, K::TrainButton, K::Memo}, "shown or hidden")]
        .flag;
}

void DeskModel::setVisible(Control control, bool visible)
{
    using K = ControlKind;
    const std::size_t i
        = indexOfAny(control, {K::Shown, K::TrainButton, K::Memo}, "shown or hidden");
    if (values_[i].flag == visible)
        return;
    values_[i].flag = visible;
    changed(i, kVisible);
}

const std::string& DeskModel::caption(Control control) const
{
    using K = ControlKind;
    return values_[indexOfAny(control, {K::TrainButton, K::Label}, "a captioned control")].text;
}

void DeskModel::setCaption(Control control, const std::string& caption)
{
    using K = ControlKind;
    assign(indexOfAny(control, {K::TrainButton, K::Label}, "a captioned control"),
        &ControlValues::text, caption, kCaption);
}

const std::string& DeskModel::text(Control memo) const
{
    return values_[indexOf(memo, ControlKind::Memo, "a memo")].text;
}

void DeskModel::setText(Control memo, const std::string& text)
{
    assign(indexOf(memo, ControlKind::Memo, "a memo"), &ControlValues::text, text, kText);
}

bool DeskModel::timerEnabled(Control timer) const
{
    return values_[indexOf(timer, ControlKind::Timer, "a timer")].flag;
}

void DeskModel::setTimerEnabled(Control timer, bool enabled)
{
    assign(indexOf(timer, ControlKind::Timer, "a timer"), &ControlValues::flag, enabled, kEnabled);
}

// Generic access --------------------------------------------------------------

const std::vector<std::string>& DeskModel::propertyNames(ControlKind kind)
{
    static const std::vector<std::string> lampProps = {kValue, kBlink, kTrueColor};
    static const std::vector<std::string> indicatorProps = {kLook};
    static const std::vector<std::string> counterProps = {kValue};
    static const std::vector<std::string> sectionProps = {kColor};
    static const std::vector<std::string> shownProps = {kVisible};
    static const std::vector<std::string> trainButtonProps = {kVisible, kCaption};
    static const std::vector<std::string> labelProps = {kCaption};
    static const std::vector<std::string> memoProps = {kText, kVisible};
    static const std::vector<std::string> timerProps = {kEnabled};
    switch (kind) {
    case ControlKind::Lamp: return lampProps;
    case ControlKind::Indicator: return indicatorProps;
    case ControlKind::Counter: return counterProps;
    case ControlKind::Section: return sectionProps;
    case ControlKind::Shown: return shownProps;
    case ControlKind::TrainButton: return trainButtonProps;
    case ControlKind::Label: return labelProps;
    case ControlKind::Memo: return memoProps;
    case ControlKind::Timer: return timerProps;
    }
    return shownProps;
}

namespace {

[[noreturn]] void noProperty(std::string_view control, std::string_view property)
{
    throw std::invalid_argument(
        "desk control " + quoted(control) + " has no property " + quoted(property));
}

template <typename T>
const T& expect(const PropertyValue& value, std::string_view control, std::string_view property)
{
    if (const T* v = std::get_if<T>(&value))
        return *v;
    throw std::invalid_argument(
        "wrong value type for " + quoted(control) + "." + std::string(property));
}

} // namespace

PropertyValue DeskModel::get(std::string_view control, std::string_view property) const
{
    const std::size_t i = std::size_t(named(control));
    const ControlValues& v = values_[i];
    const ControlKind k = controlKind(Control(i));
    switch (k) {
    case ControlKind::Lamp:
        if (property == kValue)
            return v.flag;
        if (property == kBlink)
            return v.blink;
        if (property == kTrueColor)
            return v.number;
        break;
    case ControlKind::Indicator:
        if (property == kLook)
            return std::string(lookName(Look(v.number)));
        break;
    case ControlKind::Counter:
        if (property == kValue)
            return v.number;
        break;
    case ControlKind::Section:
        if (property == kColor)
            return v.number;
        break;
    case ControlKind::Shown:
    case ControlKind::TrainButton:
    case ControlKind::Label:
    case ControlKind::Memo:
        if (property == kVisible && k != ControlKind::Label)
            return v.flag;
        if (property == kCaption && (k == ControlKind::TrainButton || k == ControlKind::Label))
            return v.text;
        if (property == kText && k == ControlKind::Memo)
            return v.text;
        break;
    case ControlKind::Timer:
        if (property == kEnabled)
            return v.flag;
        break;
    }
    noProperty(control, property);
}

void DeskModel::set(std::string_view control, std::string_view property, const PropertyValue& value)
{
    const Control name = named(control);
    const ControlKind k = controlKind(name);
    auto has = [&](std::string_view p) {
        const auto& props = propertyNames(k);
        return std::find(props.begin(), props.end(), p) != props.end();
    };
    if (!has(property))
        noProperty(control, property);

    if (k == ControlKind::Lamp) {
        if (property == kValue)
            setLampValue(name, expect<bool>(value, control, property));
        else if (property == kBlink)
            setLampBlink(name, expect<bool>(value, control, property));
        else
            setLampColor(name, ColorValue(expect<std::int64_t>(value, control, property)));
    } else if (k == ControlKind::Indicator) {
        const auto look = parseLook(expect<std::string>(value, control, property));
        if (!look)
            throw std::invalid_argument("no relay look " + quoted(std::get<std::string>(value)));
        setLook(name, *look);
    } else if (k == ControlKind::Counter) {
        setCounterValue(name, std::int32_t(expect<std::int64_t>(value, control, property)));
    } else if (k == ControlKind::Section) {
        setSectionColor(name, ColorValue(expect<std::int64_t>(value, control, property)));
    } else if (k == ControlKind::Timer) {
        setTimerEnabled(name, expect<bool>(value, control, property));
    } else if (property == kVisible) {
        setVisible(name, expect<bool>(value, control, property));
    } else if (property == kCaption) {
        setCaption(name, expect<std::string>(value, control, property));
    } else {
        setText(name, expect<std::string>(value, control, property));
    }
}

void DeskModel::restore(const DeskValues& values)
{
    if (values.size() != values_.size())
        throw std::invalid_argument("desk values of another desk");
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Control c = Control(i);
        for (const std::string& p : propertyNames(controlKind(c))) {
            // Write through the typed setters so that observers see it.
            const ControlValues& v = values[i];
            switch (controlKind(c)) {
            case ControlKind::Lamp:
                if (p == kValue)
                    setLampValue(c, v.flag);
                else if (p == kBlink)
                    setLampBlink(c, v.blink);
                else
                    setLampColor(c, ColorValue(v.number));
                break;
            case ControlKind::Indicator: setLook(c, Look(v.number)); break;
            case ControlKind::Counter: setCounterValue(c, std::int32_t(v.number)); break;
            case ControlKind::Section: setSectionColor(c, ColorValue(v.number)); break;
            case ControlKind::Timer: setTimerEnabled(c, v.flag); break;
            default:
                if (p == kVisible)
                    setVisible(c, v.flag);
                else if (p == kCaption)
                    setCaption(c, v.text);
                else
                    setText(c, v.text);
            }
        }
    }
}

} // namespace kyt
