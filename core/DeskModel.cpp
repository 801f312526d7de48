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

constexpr ColorValue kLime = 0x00FF00;       // 0,255,0
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
    if (lower == "wzb") return Look::wzb;
    if (lower == "odzw") return Look::odzw;
    if (lower == "wzbb") return Look::wzbb;
    return std::nullopt;
}

void DeskModel::add(std::string name, ControlKind kind, ControlValues values)
{
    names_.push_back(std::move(name));
    kinds_.push_back(kind);
    values_.push_back(std::move(values));
}

DeskModel::DeskModel()
{
    using K = ControlKind;
    // Signal lamps: the red ones lit, the white Sz lamps blinking when lit.
    add("ALed1", K::Lamp, lamp(kColorRed, true, false));
    add("ALed2", K::Lamp, lamp(kColorWhite, false, true));
    add("ALed5", K::Lamp, lamp(kLime, false, false));
    add("ALed3", K::Lamp, lamp(kColorRed, true, false));
    add("ALed4", K::Lamp, lamp(kColorWhite, false, true));
    add("ALed6", K::Lamp, lamp(kSignalGreen, false, false));
    add("ALed11", K::Lamp, lamp(kColorRed, true, false));
    add("ALed12", K::Lamp, lamp(kColorWhite, false, true));
    add("ALed8", K::Lamp, lamp(kSignalGreen, false, false));
    add("ALed9", K::Lamp, lamp(kColorRed, true, false));
    add("ALed10", K::Lamp, lamp(kColorWhite, false, true));
    add("ALed18", K::Lamp, lamp(kSignalGreen, false, false));
    // Desk lamps of station A, then of station B.
    add("ALed14", K::Lamp, lamp(kColorWhite, false, false));
    add("ALed20", K::Lamp, lamp(kColorWhite, false, false));
    add("lwbl1", K::Lamp, lamp(kColorWhite, false, false));
    add("ALed7", K::Lamp, lamp(kColorRed, false, false));
    add("lp1", K::Lamp, lamp(kColorWhite, false, false));
    add("ALed13", K::Lamp, lamp(kColorWhite, false, false));
    add("ALed19", K::Lamp, lamp(kColorWhite, false, false));
    add("lp2", K::Lamp, lamp(kColorWhite, false, false));
    add("ALed16", K::Lamp, lamp(kColorRed, false, false));
    add("lwbl2", K::Lamp, lamp(kColorWhite, false, false));

    // Relay indicators, board A then board B; only Dp starts energised
    // without current.
    for (const char* n : {"mop1", "mdp1", "mpoz1", "mwbl1", "mzwbl1", "mnc1", "mpwl1", "mzp1",
                          "mlzs1", "mic1", "mpwya", "mdkob", "mwb", "mzb", "msa", "mop2", "mdp2",
                          "mpoz2", "mwbl2", "mzwbl2", "mnc2", "mpwl2", "mzp2", "mlzs2", "mic2",
                          "mpwyb", "mdkoa", "mwa", "mza", "msb"}) {
        const bool dp = std::string_view(n) == "mdp1" || std::string_view(n) == "mdp2";
        add(n, K::Indicator, numberValue(std::int64_t(dp ? Look::wzbb : Look::odzw)));
    }

    for (const char* n : {"lsza1", "lszb1", "lsza2", "lszb2", "ldkoa", "ldkob", "ldpoa", "ldpob"})
        add(n, K::Counter, numberValue(0));

    for (const char* n : {"Shape1", "Shape2", "oitb1", "oitb2", "itb", "Shape6", "ita", "oita1",
                          "oita2", "Shape10", "Shape11"})
        add(n, K::Section, numberValue(kColorWhite));

    for (const char* n : {"pdalej", "ArrowButton1", "ArrowButton2", "ArrowButton3", "ArrowButton4",
                          "Panel27"})
        add(n, K::Shown, flagValue(false));
    add("pst", K::TrainButton, flagValue(false, "Pociąg \"STÓJ\""));

    add("np", K::Label, flagValue(false, "Brak"));
    add("ns1", K::Label, flagValue(false, "79 - brak"));
    add("ns2", K::Label, flagValue(false, "80 - brak"));

    add("Memo1", K::Memo,
        flagValue(true, "Stan zasadniczy. Przekaźniki Dp na stacji \"A\" i \"B\"  wzbudzone "
                        "bezprądowo."));

    for (const char* n : {"Timer1", "Timer2", "Timer3", "Timer4"})
        add(n, K::Timer, flagValue(false));

    // The names no longer move: index them.
    for (std::size_t i = 0; i < names_.size(); ++i)
        index_.emplace(names_[i], i);
}

bool DeskModel::has(std::string_view control) const
{
    return index_.count(control) != 0;
}

std::size_t DeskModel::indexOf(std::string_view control) const
{
    auto it = index_.find(control);
    if (it == index_.end())
        throw std::invalid_argument("no desk control " + quoted(control));
    return it->second;
}

std::size_t DeskModel::indexOf(std::string_view control, ControlKind kind, const char* what) const
{
    return indexOfAny(control, {kind}, what);
}

std::size_t DeskModel::indexOfAny(std::string_view control, std::initializer_list<ControlKind> kinds,
                                  const char* what) const
{
    const std::size_t i = indexOf(control);
    if (std::find(kinds.begin(), kinds.end(), kinds_[i]) == kinds.end())
        throw std::invalid_argument("desk control " + quoted(control) + " is not " + what);
    return i;
}

ControlKind DeskModel::kind(std::string_view control) const
{
    return kinds_[indexOf(control)];
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

bool DeskModel::lampValue(std::string_view lamp) const
{
    return values_[indexOf(lamp, ControlKind::Lamp, "a lamp")].flag;
}

void DeskModel::setLampValue(std::string_view lamp, bool lit)
{
    const std::size_t i = indexOf(lamp, ControlKind::Lamp, "a lamp");
    if (values_[i].flag == lit)
        return;
    values_[i].flag = lit;
    changed(i, kValue);
}

bool DeskModel::lampBlink(std::string_view lamp) const
{
    return values_[indexOf(lamp, ControlKind::Lamp, "a lamp")].blink;
}

void DeskModel::setLampBlink(std::string_view lamp, bool blink)
{
    const std::size_t i = indexOf(lamp, ControlKind::Lamp, "a lamp");
    if (values_[i].blink == blink)
        return;
    values_[i].blink = blink;
    changed(i, kBlink);
}

ColorValue DeskModel::lampColor(std::string_view lamp) const
{
    return ColorValue(values_[indexOf(lamp, ControlKind::Lamp, "a lamp")].number);
}

void DeskModel::setLampColor(std::string_view lamp, ColorValue color)
{
    const std::size_t i = indexOf(lamp, ControlKind::Lamp, "a lamp");
    if (values_[i].number == std::int64_t(color))
        return;
    values_[i].number = color;
    changed(i, kTrueColor);
}

// Indicators ----------------------------------------------------------------

Look DeskModel::look(std::string_view indicator) const
{
    return Look(values_[indexOf(indicator, ControlKind::Indicator, "a relay indicator")].number);
}

void DeskModel::setLook(std::string_view indicator, Look look)
{
    const std::size_t i = indexOf(indicator, ControlKind::Indicator, "a relay indicator");
    if (values_[i].number == std::int64_t(look))
        return;
    values_[i].number = std::int64_t(look);
    changed(i, kLook);
}

// Counters and sections -----------------------------------------------------

std::int32_t DeskModel::counterValue(std::string_view counter) const
{
    return std::int32_t(values_[indexOf(counter, ControlKind::Counter, "a counter")].number);
}

void DeskModel::setCounterValue(std::string_view counter, std::int32_t value)
{
    const std::size_t i = indexOf(counter, ControlKind::Counter, "a counter");
    if (values_[i].number == value)
        return;
    values_[i].number = value;
    changed(i, kValue);
}

ColorValue DeskModel::sectionColor(std::string_view section) const
{
    return ColorValue(values_[indexOf(section, ControlKind::Section, "a track section")].number);
}

void DeskModel::setSectionColor(std::string_view section, ColorValue color)
{
    const std::size_t i = indexOf(section, ControlKind::Section, "a track section");
    if (values_[i].number == std::int64_t(color))
        return;
    values_[i].number = color;
    changed(i, kColor);
}

// Visibility, captions, memo text, timers -----------------------------------

bool DeskModel::visible(std::string_view control) const
{
    using K = ControlKind;
    return values_[indexOfAny(control, {K::Shown, K::TrainButton, K::Memo}, "shown or hidden")].flag;
}

void DeskModel::setVisible(std::string_view control, bool visible)
{
    using K = ControlKind;
    const std::size_t i = indexOfAny(control, {K::Shown, K::TrainButton, K::Memo}, "shown or hidden");
    if (values_[i].flag == visible)
        return;
    values_[i].flag = visible;
    changed(i, kVisible);
}

const std::string& DeskModel::caption(std::string_view control) const
{
    using K = ControlKind;
    return values_[indexOfAny(control, {K::TrainButton, K::Label}, "a captioned control")].text;
}

void DeskModel::setCaption(std::string_view control, const std::string& caption)
{
    using K = ControlKind;
    const std::size_t i = indexOfAny(control, {K::TrainButton, K::Label}, "a captioned control");
    if (values_[i].text == caption)
        return;
    values_[i].text = caption;
    changed(i, kCaption);
}

const std::string& DeskModel::text(std::string_view memo) const
{
    return values_[indexOf(memo, ControlKind::Memo, "a memo")].text;
}

void DeskModel::setText(std::string_view memo, const std::string& text)
{
    const std::size_t i = indexOf(memo, ControlKind::Memo, "a memo");
    if (values_[i].text == text)
        return;
    values_[i].text = text;
    changed(i, kText);
}

bool DeskModel::timerEnabled(std::string_view timer) const
{
    return values_[indexOf(timer, ControlKind::Timer, "a timer")].flag;
}

void DeskModel::setTimerEnabled(std::string_view timer, bool enabled)
{
    const std::size_t i = indexOf(timer, ControlKind::Timer, "a timer");
    if (values_[i].flag == enabled)
        return;
    values_[i].flag = enabled;
    changed(i, kEnabled);
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
    throw std::invalid_argument("desk control " + quoted(control) + " has no property " +
                                quoted(property));
}

template <typename T>
const T& expect(const PropertyValue& value, std::string_view control, std::string_view property)
{
    if (const T* v = std::get_if<T>(&value))
        return *v;
    throw std::invalid_argument("wrong value type for " + quoted(control) + "." +
                                std::string(property));
}

} // namespace

PropertyValue DeskModel::get(std::string_view control, std::string_view property) const
{
    const std::size_t i = indexOf(control);
    const ControlValues& v = values_[i];
    switch (kinds_[i]) {
    case ControlKind::Lamp:
        if (property == kValue) return v.flag;
        if (property == kBlink) return v.blink;
        if (property == kTrueColor) return v.number;
        break;
    case ControlKind::Indicator:
        if (property == kLook) return std::string(lookName(Look(v.number)));
        break;
    case ControlKind::Counter:
        if (property == kValue) return v.number;
        break;
    case ControlKind::Section:
        if (property == kColor) return v.number;
        break;
    case ControlKind::Shown:
    case ControlKind::TrainButton:
    case ControlKind::Label:
    case ControlKind::Memo:
        if (property == kVisible && kinds_[i] != ControlKind::Label) return v.flag;
        if (property == kCaption &&
            (kinds_[i] == ControlKind::TrainButton || kinds_[i] == ControlKind::Label))
            return v.text;
        if (property == kText && kinds_[i] == ControlKind::Memo) return v.text;
        break;
    case ControlKind::Timer:
        if (property == kEnabled) return v.flag;
        break;
    }
    noProperty(control, property);
}

void DeskModel::set(std::string_view control, std::string_view property, const PropertyValue& value)
{
    const std::size_t i = indexOf(control);
    const ControlKind k = kinds_[i];
    const std::string& name = names_[i];
    auto has = [&](std::string_view p) {
        const auto& props = propertyNames(k);
        return std::find(props.begin(), props.end(), p) != props.end();
    };
    if (!has(property))
        noProperty(control, property);

    if (k == ControlKind::Lamp) {
        if (property == kValue) setLampValue(name, expect<bool>(value, control, property));
        else if (property == kBlink) setLampBlink(name, expect<bool>(value, control, property));
        else setLampColor(name, ColorValue(expect<std::int64_t>(value, control, property)));
    } else if (k == ControlKind::Indicator) {
        const auto look = parseLook(expect<std::string>(value, control, property));
        if (!look)
            throw std::invalid_argument("no relay look " +
                                        quoted(std::get<std::string>(value)));
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
        for (const std::string& p : propertyNames(kinds_[i])) {
            // Write through the generic setter so that observers see it.
            const ControlValues& v = values[i];
            switch (kinds_[i]) {
            case ControlKind::Lamp:
                if (p == kValue) setLampValue(names_[i], v.flag);
                else if (p == kBlink) setLampBlink(names_[i], v.blink);
                else setLampColor(names_[i], ColorValue(v.number));
                break;
            case ControlKind::Indicator: setLook(names_[i], Look(v.number)); break;
            case ControlKind::Counter: setCounterValue(names_[i], std::int32_t(v.number)); break;
            case ControlKind::Section: setSectionColor(names_[i], ColorValue(v.number)); break;
            case ControlKind::Timer: setTimerEnabled(names_[i], v.flag); break;
            default:
                if (p == kVisible) setVisible(names_[i], v.flag);
                else if (p == kCaption) setCaption(names_[i], v.text);
                else setText(names_[i], v.text);
            }
        }
    }
}

} // namespace kyt
