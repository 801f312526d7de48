// The simulator window's desk: every control in creation order.
#include "SimulatorWindow.h"

#include "Colors.h"
#include "ControlNames.h"
#include "StdControls.h"

namespace kyt {

using layout::FontSpec;
using layout::Prop;
using layout::Row;
using layout::Table;

namespace {

const QString kSans = QStringLiteral("MS Sans Serif");
constexpr ColorCode kCellColor = rgbValue(128, 255, 0);

QVariant colour(ColorCode c)
{
    return QVariant::fromValue<ColorCode>(c);
}

Row panel(const QString& name, int l, int t, int w, int h)
{
    Row r {name, QStringLiteral("Panel"), {}, l, t, w, h};
    r.props = {{"color", colour(kCellColor)}};
    return r;
}

// A track bar of the diagram, free (white) at start.
Row shape(const QString& name, const QString& parent, int l, int t, int w)
{
    Row r {name, QStringLiteral("shape"), parent, l, t, w, 13};
    r.props = {{"brushColor", colour(clWhite)}, {"penColor", colour(clBlack)}};
    return r;
}

Row spot(const QString& name, const QString& parent, int l, int t, int w, const QString& caption,
    const QString& handler = {})
{
    Row r {name, QStringLiteral("SpotLabel"), parent, l, t, w, 16, caption};
    r.font = {kSans, 13, true, clWindowText};
    r.props = {{"normalColor", colour(clWindowText)}, {"spotColor", colour(clBlue)}};
    r.handler = handler;
    return r;
}

Row hemi(const QString& name, const QString& parent, int l, int t, ColorCode bright,
    const QString& handler, int h = 17, ColorCode border = clGray)
{
    Row r {name, QStringLiteral("HemisphereButton"), parent, l, t, 18, h};
    r.props = {{"allowAllUp", false}, {"bevelInner", QStringLiteral("hbNone")},
        {"bevelOuter", QStringLiteral("hbLowered")}, {"bevelWidth", 1},
        {"borderColor", colour(border)}, {"borderStyle", QStringLiteral("bsNone")},
        {"colorBright", colour(bright)}, {"colorDark", colour(clGray)}, {"groupIndex", 0},
        {"pressed", false}};
    r.handler = handler;
    return r;
}

Row arrow(
    const QString& name, const QString& parent, int l, int t, bool right, const QString& handler)
{
    Row r {name, QStringLiteral("ArrowButton"), parent, l, t, 20, 22};
    r.props = {{"buttonColor", colour(clTeal)},
        {"direction", right ? QStringLiteral("arwRIGHT") : QStringLiteral("arwLEFT")}};
    r.visible = false;
    r.handler = handler;
    return r;
}

// The desk's lamp settings.
enum class Lamp {
    WhiteBlinking, // the four track arrows: white, blinking at 500 ms when lit
    RedLit, // the four stop lamps, lit at start
    Green, // RGB 0,255,64
    Lime, // the default colour
    White, // white, steady
    BarWhite, // lying bar, white, steady, 500 ms
    BarRed, // lying bar, red, steady
};

Row led(const QString& name, const QString& parent, int l, int t, Lamp kind)
{
    const bool bar = kind == Lamp::BarWhite || kind == Lamp::BarRed;
    Row r {name, QStringLiteral("Led"), parent, l, t, bar ? 22 : 16, bar ? 14 : 16};
    switch (kind) {
    case Lamp::WhiteBlinking: r.props = {{"trueColor", colour(clWhite)}, {"interval", 500}}; break;
    case Lamp::RedLit:
        r.props = {{"trueColor", colour(clRed)}, {"blink", false}, {"value", true}};
        break;
    case Lamp::Green:
        r.props = {{"trueColor", colour(rgbValue(0, 255, 64))}, {"blink", false}};
        break;
    case Lamp::Lime: r.props = {{"blink", false}}; break;
    case Lamp::White: r.props = {{"trueColor", colour(clWhite)}, {"blink", false}}; break;
    case Lamp::BarWhite:
        r.props = {{"trueColor", colour(clWhite)}, {"blink", false}, {"interval", 500},
            {"ledStyle", QStringLiteral("LEDHorizontal")}};
        break;
    case Lamp::BarRed:
        r.props = {{"trueColor", colour(clRed)}, {"blink", false},
            {"ledStyle", QStringLiteral("LEDHorizontal")}};
        break;
    }
    return r;
}

Row label3d(const QString& name, const QString& parent, int l, int t, int w, int h,
    const QString& caption, bool bold = true, int px = 11)
{
    Row r {name, QStringLiteral("Label3D"), parent, l, t, w, h, caption};
    r.font = {kSans, px, bold, clBlack};
    return r;
}

Row transparentLabel3d(
    const QString& name, const QString& parent, int l, int t, const QString& caption)
{
    Row r = label3d(name, parent, l, t, 17, 13, caption, false);
    r.props.push_back({"transparent", true});
    return r;
}

Row digits(const QString& name, const QString& parent, int l, int t)
{
    Row r {name, QStringLiteral("DigitCounter"), parent, l, t};
    r.props = {{"bmpDigits", QStringLiteral("DIGITS")}, {"digitCount", 4},
        {"showLeadingZeros", true}, {"value", 0}};
    return r;
}

Row image(const QString& name, const QString& parent, int l, int t, bool right)
{
    Row r {name, QStringLiteral("Image"), parent, l, t, 11, 18};
    r.props = {{"picture", triangleImage(11, 18, right, kCellColor)}};
    return r;
}

// A relay indicator with its picture at start.
Row indicator(const QString& name, const QString& board, int l, int t, const QString& look)
{
    Row r {name, QStringLiteral("RelayIndicator"), board, l, t, 22, 23};
    r.props = {{"apple", look}, {"border", true}, {"color", colour(clWindow)}, {"ctl3D", true},
        {"lineWrap", false}, {"transparentColor", colour(clOlive)}, {"value", 1.0}};
    return r;
}

Row plainLabel(const QString& name, const QString& parent, int l, int t, const QString& caption)
{
    return Row {name, QStringLiteral("Label"), parent, l, t, 0, 0, caption};
}

Row board(const QString& name, int l, int t)
{
    Row r {
        name, QStringLiteral("Panel3D"), {}, l, t, 95, 429, QStringLiteral("Stan przekaźników ")};
    r.font = {kSans, 13, true, clBlack};
    FontSpec title {kSans, 11, false, clBlack};
    r.props = {{"color", colour(rgbValue(133, 239, 207))},
        {"fontTitle", layout::makeFont(title, QFont())},
        {"vertAlignment", QStringLiteral("vaTop")}};
    return r;
}

// The fifteen indicators of one relay board with their captions.
void addBoard(Table& t, const QString& boardName, bool stationA)
{
    struct Line {
        Control a, b; // the indicators on the A and B board
        int x, y; // indicator position
        int la, lb; // label numbers on the A and B board
        const char *ca, *cb; // captions on the A and B board
        int lx, ly; // label position
    };
    static const Line lines[] = {
        {Control::mop1, Control::mop2, 9, 46, 1, 17, "Op", "Op", 37, 48},
        {Control::mdp1, Control::mdp2, 9, 70, 2, 18, "Dp", "Dp", 37, 72},
        {Control::mpoz1, Control::mpoz2, 9, 95, 3, 19, "Poz", "Poz", 37, 96},
        {Control::mwbl1, Control::mwbl2, 9, 119, 4, 20, "Wbl", "Wbl", 37, 120},
        {Control::mzwbl1, Control::mzwbl2, 9, 143, 5, 21, "Zwbl", "Zwbl", 37, 145},
        {Control::mnc1, Control::mnc2, 9, 168, 6, 22, "Nc", "Nc", 37, 169},
        {Control::mpwl1, Control::mpwl2, 9, 192, 7, 23, "Pwl", "Pwl", 37, 193},
        {Control::mzp1, Control::mzp2, 9, 217, 8, 24, "Zp", "Zp", 37, 217},
        {Control::mlzs1, Control::mlzs2, 9, 241, 9, 25, "Lzs", "Lzs", 37, 241},
        {Control::mic1, Control::mic2, 9, 265, 10, 26, "Ic", "Ic", 37, 265},
        {Control::mpwya, Control::mpwyb, 10, 301, 11, 27, "Pwy (A)", "Pwy (B)", 38, 304},
        {Control::mdkob, Control::mdkoa, 10, 325, 15, 28, "dKoB", "dKoA", 37, 328},
        {Control::mwb, Control::mwa, 10, 349, 12, 29, "W (B)", "W (A)", 37, 351},
        {Control::mzb, Control::mza, 10, 374, 13, 30, "Z (B)", "Z (A)", 38, 375},
        {Control::msa, Control::msb, 10, 398, 14, 31, "SA", "SB", 40, 401},
    };
    int row = 0;
    for (const Line& l : lines) {
        const Control indicatorControl = stationA ? l.a : l.b;
        const QString name = qtName(indicatorControl);
        const bool dp = indicatorControl == Control::mdp1 || indicatorControl == Control::mdp2;
        t.push_back(indicator(
            name, boardName, l.x, l.y, dp ? QStringLiteral("WZBB") : QStringLiteral("ODZW")));
        t.push_back(plainLabel(QStringLiteral("Label%1").arg(stationA ? l.la : l.lb), boardName,
            l.lx, l.ly, QString::fromUtf8(stationA ? l.ca : l.cb)));
        if (++row == 10) {
            Row sep {stationA ? QStringLiteral("Label16") : QStringLiteral("Label32"),
                QStringLiteral("Label"), boardName, 2, 285, 91, 16, QString(18, QLatin1Char('-'))};
            t.push_back(sep);
        }
    }
}

Table makeBlokTable()
{
    const auto P = [](const char* s) { return QString::fromLatin1(s); };
    Table t;
    // Track diagram, station A side.
    t.push_back(panel(P("Panel1"), 24, 24, 66, 66));
    t.push_back(shape(qtName(Control::Shape1), P("Panel1"), -5, 25, 73));
    t.push_back(panel(P("Panel2"), 89, 24, 67, 66));
    t.push_back(shape(qtName(Control::Shape2), P("Panel2"), -7, 25, 73));
    t.push_back(spot(P("SpotLabel1"), P("Panel2"), 27, 40, 11, P("A")));
    t.push_back(hemi(P("psa1"), P("Panel2"), 41, 44, clLime, P("psa1Click")));
    t.push_back(
        arrow(qtName(Control::ArrowButton1), P("Panel2"), 23, 20, true, P("ArrowButton1Click")));
    t.push_back(panel(P("Panel3"), 155, 24, 70, 66));
    t.push_back(shape(qtName(Control::oitb1), P("Panel3"), -8, 25, 76));
    t.push_back(spot(P("SpotLabel8"), P("Panel3"), 1, 39, 15, P("I--")));
    t.push_back(led(qtName(Control::ALed1), P("Panel3"), 29, 39, Lamp::RedLit));
    t.push_back(led(qtName(Control::ALed2), P("Panel3"), 14, 39, Lamp::WhiteBlinking));
    t.push_back(led(qtName(Control::ALed5), P("Panel3"), 44, 39, Lamp::Lime));
    t.push_back(label3d(P("Label3D4"), P("Panel3"), 1, 6, 65, 13, P("Stacja \" A\"")));
    t.push_back(transparentLabel3d(P("Label3D31"), P("Panel3"), 18, 25, P("ITA")));
    t.push_back(panel(P("Panel4"), 223, 24, 66, 66));
    t.push_back(shape(qtName(Control::oitb2), P("Panel4"), -6, 25, 73));
    t.push_back(led(qtName(Control::ALed4), P("Panel4"), 35, 9, Lamp::WhiteBlinking));
    t.push_back(led(qtName(Control::ALed3), P("Panel4"), 20, 9, Lamp::RedLit));
    t.push_back(spot(P("SpotLabel5"), P("Panel4"), 51, 10, 15, P("--I")));
    t.push_back(led(qtName(Control::ALed6), P("Panel4"), 5, 9, Lamp::Green));
    t.push_back(transparentLabel3d(P("Label3D32"), P("Panel4"), 18, 25, P("ITB")));
    t.push_back(panel(P("Panel5"), 288, 24, 66, 66));
    t.push_back(shape(qtName(Control::itb), P("Panel5"), 1, 25, 66));
    t.push_back(hemi(P("psb1"), P("Panel5"), 5, 3, clLime, P("psb1Click")));
    t.push_back(spot(P("SpotLabel9"), P("Panel5"), 27, 8, 11, P("B")));
    t.push_back(
        arrow(qtName(Control::ArrowButton4), P("Panel5"), 3, 20, false, P("ArrowButton4Click")));
    // Line.
    t.push_back(panel(P("Panel6"), 353, 24, 67, 66));
    t.push_back(shape(qtName(Control::Shape6), P("Panel6"), -8, 25, 75));
    t.push_back(spot(P("SpotLabel3"), P("Panel6"), 11, 40, 47, P("SZLAK"), P("SpotLabel3Click")));
    // Track diagram, station B side.
    t.push_back(panel(P("Panel7"), 417, 24, 68, 66));
    t.push_back(shape(qtName(Control::ita), P("Panel7"), -5, 25, 73));
    t.push_back(hemi(P("psa2"), P("Panel7"), 26, 44, clLime, P("psa2Click"), 18));
    t.push_back(spot(P("SpotLabel7"), P("Panel7"), 53, 39, 11, P("A")));
    t.push_back(
        arrow(qtName(Control::ArrowButton2), P("Panel7"), 40, 21, true, P("ArrowButton2Click")));
    t.push_back(panel(P("Panel8"), 485, 24, 66, 66));
    t.push_back(shape(qtName(Control::oita1), P("Panel8"), 0, 25, 64));
    t.push_back(led(qtName(Control::ALed11), P("Panel8"), 30, 39, Lamp::RedLit));
    t.push_back(led(qtName(Control::ALed12), P("Panel8"), 14, 39, Lamp::WhiteBlinking));
    t.push_back(spot(P("SpotLabel4"), P("Panel8"), 1, 38, 15, P("I--")));
    t.push_back(led(qtName(Control::ALed8), P("Panel8"), 46, 39, Lamp::Green));
    t.push_back(label3d(P("Label3D1"), P("Panel8"), 1, 6, 65, 13, P("Stacja \" B\"")));
    t.push_back(transparentLabel3d(P("Label3D33"), P("Panel8"), 18, 25, P("ITA")));
    t.push_back(panel(P("Panel9"), 550, 24, 66, 66));
    t.push_back(shape(qtName(Control::oita2), P("Panel9"), -7, 25, 72));
    t.push_back(spot(P("SpotLabel2"), P("Panel9"), 50, 9, 15, P("--I")));
    t.push_back(led(qtName(Control::ALed10), P("Panel9"), 34, 9, Lamp::WhiteBlinking));
    t.push_back(led(qtName(Control::ALed9), P("Panel9"), 18, 9, Lamp::RedLit));
    t.push_back(led(qtName(Control::ALed18), P("Panel9"), 3, 8, Lamp::Green));
    t.push_back(transparentLabel3d(P("Label3D34"), P("Panel9"), 18, 25, P("ITB")));
    t.push_back(panel(P("Panel10"), 615, 24, 66, 66));
    t.push_back(shape(qtName(Control::Shape10), P("Panel10"), -1, 25, 73));
    t.push_back(hemi(P("psb2"), P("Panel10"), 17, 3, clLime, P("psb2Click"), 17, clLime));
    t.push_back(spot(P("SpotLabel6"), P("Panel10"), 3, 9, 11, P("B")));
    t.push_back(
        arrow(qtName(Control::ArrowButton3), P("Panel10"), 15, 21, false, P("ArrowButton3Click")));
    t.push_back(panel(P("Panel11"), 680, 24, 67, 66));
    t.push_back(shape(qtName(Control::Shape11), P("Panel11"), -6, 25, 73));
    // Station A desk.
    t.push_back(panel(P("Panel17"), 115, 92, 66, 66));
    t.push_back(digits(qtName(Control::ldkob), P("Panel17"), 5, 2));
    t.push_back(
        hemi(P("HemisphereButton3"), P("Panel17"), 41, 38, clBlack, P("HemisphereButton3Click")));
    t.push_back(label3d(P("Label3D2"), P("Panel17"), 5, 42, 35, 13, P("dKo B")));
    t.push_back(led(qtName(Control::ALed14), P("Panel17"), 18, 25, Lamp::White));
    t.push_back(panel(P("Panel18"), 181, 91, 66, 66));
    t.push_back(panel(P("Panel16"), 247, 92, 66, 66));
    t.push_back(digits(qtName(Control::ldpoa), P("Panel16"), 5, 2));
    t.push_back(
        hemi(P("HemisphereButton4"), P("Panel16"), 41, 39, clBlack, P("HemisphereButton4Click")));
    t.push_back(label3d(P("Label3D5"), P("Panel16"), 7, 42, 31, 13, P("dPoA")));
    t.push_back(panel(P("Panel15"), 115, 157, 66, 66));
    t.push_back(hemi(P("pkob"), P("Panel15"), 41, 39, clRed, P("pkobClick")));
    t.push_back(label3d(P("Label3D7"), P("Panel15"), 7, 42, 24, 13, P("KoB")));
    t.push_back(led(qtName(Control::ALed20), P("Panel15"), 44, 10, Lamp::White));
    t.push_back(label3d(P("Label3D6"), P("Panel15"), 25, 12, 16, 13, P("Ko")));
    t.push_back(panel(P("Panel13"), 181, 158, 66, 66));
    t.push_back(hemi(P("ppoz1"), P("Panel13"), 41, 39, clRed, P("ppoz1Click")));
    t.push_back(label3d(P("Label3D8"), P("Panel13"), 10, 41, 22, 13, P("Poz")));
    t.push_back(panel(P("Panel20"), 247, 158, 66, 66));
    t.push_back(hemi(P("pwbl1"), P("Panel20"), 41, 37, clRed, P("pwbl1Click")));
    t.push_back(label3d(P("Label3D9"), P("Panel20"), 8, 36, 23, 13, P("Wbl")));
    t.push_back(label3d(P("Label3D16"), P("Panel20"), 4, 51, 31, 13, P("(oWbl)"), false));
    t.push_back(panel(P("Panel14"), 114, 223, 66, 66));
    t.push_back(led(qtName(Control::lwbl1), P("Panel14"), 20, 20, Lamp::BarWhite));
    t.push_back(image(P("Image1"), P("Panel14"), 41, 18, true));
    t.push_back(label3d(P("Label3D13"), P("Panel14"), 3, 36, 52, 13, P("WYJAZD")));
    t.push_back(panel(P("Panel19"), 181, 224, 66, 66));
    t.push_back(led(qtName(Control::ALed7), P("Panel19"), 20, 20, Lamp::BarRed));
    t.push_back(label3d(P("Label3D10"), P("Panel19"), 20, 41, 33, 13, P("Pwl A")));
    t.push_back(panel(P("Panel12"), 248, 224, 66, 66));
    t.push_back(led(qtName(Control::lp1), P("Panel12"), 20, 20, Lamp::BarWhite));
    t.push_back(image(P("Image2"), P("Panel12"), 10, 19, false));
    t.push_back(label3d(P("Label3D28"), P("Panel12"), 1, 36, 65, 13, P("PRZYJAZD")));
    t.push_back(panel(P("Panel21"), 115, 290, 66, 66));
    t.push_back(digits(qtName(Control::lsza1), P("Panel21"), 5, 2));
    t.push_back(hemi(P("psza1"), P("Panel21"), 41, 39, clBlack, P("psza1Click")));
    t.push_back(label3d(P("Label3D24"), P("Panel21"), 5, 42, 27, 13, P("Sz A")));
    t.push_back(panel(P("Panel25"), 181, 290, 66, 66));
    t.push_back(panel(P("Panel22"), 247, 290, 66, 66));
    t.push_back(digits(qtName(Control::lszb1), P("Panel22"), 5, 2));
    t.push_back(hemi(P("pszb1"), P("Panel22"), 41, 39, clBlack, P("pszb1Click")));
    t.push_back(label3d(P("Label3D25"), P("Panel22"), 5, 42, 27, 13, P("Sz B")));
    // Station B desk.
    t.push_back(panel(P("Panel30"), 467, 93, 66, 66));
    t.push_back(digits(qtName(Control::ldpob), P("Panel30"), 5, 2));
    t.push_back(
        hemi(P("HemisphereButton15"), P("Panel30"), 41, 39, clBlack, P("HemisphereButton15Click")));
    t.push_back(label3d(P("Label3D18"), P("Panel30"), 7, 41, 31, 13, P("dPoB")));
    t.push_back(panel(P("Panel31"), 533, 93, 66, 66));
    t.push_back(panel(P("Panel32"), 599, 93, 66, 66));
    t.push_back(digits(qtName(Control::ldkoa), P("Panel32"), 5, 2));
    t.push_back(
        hemi(P("HemisphereButton16"), P("Panel32"), 41, 39, clBlack, P("HemisphereButton16Click")));
    t.push_back(label3d(P("Label3D17"), P("Panel32"), 2, 43, 35, 13, P("dKo A")));
    t.push_back(led(qtName(Control::ALed13), P("Panel32"), 24, 25, Lamp::White));
    t.push_back(panel(P("Panel33"), 466, 160, 66, 66));
    t.push_back(hemi(P("pwbl2"), P("Panel33"), 41, 39, clRed, P("pwbl2Click")));
    t.push_back(label3d(P("Label3D21"), P("Panel33"), 7, 36, 23, 13, P("Wbl")));
    t.push_back(label3d(P("Label3D23"), P("Panel33"), 4, 51, 31, 13, P("(oWbl)"), false));
    t.push_back(panel(P("Panel34"), 532, 160, 66, 66));
    t.push_back(hemi(P("ppoz2"), P("Panel34"), 41, 39, clRed, P("ppoz2Click")));
    t.push_back(label3d(P("Label3D20"), P("Panel34"), 7, 42, 22, 13, P("Poz")));
    t.push_back(panel(P("Panel35"), 598, 160, 66, 66));
    t.push_back(hemi(P("pkoa"), P("Panel35"), 41, 41, clRed, P("pkoaClick")));
    t.push_back(label3d(P("Label3D19"), P("Panel35"), 15, 50, 24, 13, P("KoA")));
    t.push_back(led(qtName(Control::ALed19), P("Panel35"), 42, 15, Lamp::White));
    t.push_back(label3d(P("Label3D3"), P("Panel35"), 26, 17, 16, 13, P("Ko")));
    t.push_back(panel(P("Panel38"), 465, 226, 66, 66));
    t.push_back(led(qtName(Control::lp2), P("Panel38"), 21, 20, Lamp::BarWhite));
    t.push_back(image(P("Image6"), P("Panel38"), 41, 18, true));
    t.push_back(label3d(P("Label3D29"), P("Panel38"), 1, 36, 65, 13, P("PRZYJAZD")));
    t.push_back(panel(P("Panel37"), 532, 226, 66, 66));
    t.push_back(led(qtName(Control::ALed16), P("Panel37"), 20, 20, Lamp::BarRed));
    t.push_back(label3d(P("Label3D22"), P("Panel37"), 20, 41, 33, 13, P("Pwl B")));
    t.push_back(panel(P("Panel36"), 598, 225, 66, 66));
    t.push_back(led(qtName(Control::lwbl2), P("Panel36"), 20, 20, Lamp::BarWhite));
    t.push_back(image(P("Image5"), P("Panel36"), 10, 19, false));
    t.push_back(label3d(P("Label3D30"), P("Panel36"), 3, 36, 52, 13, P("WYJAZD")));
    t.push_back(panel(P("Panel24"), 466, 293, 66, 66));
    t.push_back(digits(qtName(Control::lsza2), P("Panel24"), 4, 3));
    t.push_back(hemi(P("psza2"), P("Panel24"), 41, 38, clBlack, P("psza2Click")));
    t.push_back(label3d(P("Label3D26"), P("Panel24"), 7, 44, 27, 13, P("Sz A")));
    t.push_back(panel(P("Panel26"), 532, 292, 66, 66));
    t.push_back(panel(P("Panel23"), 598, 293, 66, 66));
    t.push_back(digits(qtName(Control::lszb2), P("Panel23"), 5, 2));
    t.push_back(hemi(P("pszb2"), P("Panel23"), 41, 39, clBlack, P("pszb2Click")));
    t.push_back(label3d(P("Label3D27"), P("Panel23"), 5, 42, 27, 13, P("Sz B")));
    // Line-voltage panel.
    {
        Row r {P("Panel3D3"), P("Panel3D"), {}, 324, 91, 134, 205,
            QString::fromUtf8("Napięcia na linii :")};
        r.font = {kSans, 13, true, clBlack};
        r.props = {
            {"color", colour(rgbValue(191, 247, 238))}, {"vertAlignment", QStringLiteral("vaTop")}};
        t.push_back(r);
    }
    t.push_back(label3d(P("Label3D11"), P("Panel3D3"), 7, 60, 82, 16, P("Przemienne"), true, 13));
    t.push_back(
        label3d(P("Label3D12"), P("Panel3D3"), 4, 43, 86, 16, P("-----------------"), true, 13));
    {
        Row r = label3d(qtName(Control::np), P("Panel3D3"), 3, 85, 84, 16, P("Brak"), true, 13);
        r.props = {{"alignment", QStringLiteral("taCenter")}, {"autoSize", false}};
        t.push_back(r);
    }
    t.push_back(
        label3d(P("Label3D14"), P("Panel3D3"), 5, 112, 86, 16, P("-----------------"), true, 13));
    t.push_back(label3d(
        P("Label3D15"), P("Panel3D3"), 21, 126, 37, 16, QString::fromUtf8("Stałe"), true, 13));
    t.push_back(
        label3d(qtName(Control::ns1), P("Panel3D3"), 5, 147, 61, 16, P("79 - brak"), true, 13));
    t.push_back(
        label3d(qtName(Control::ns2), P("Panel3D3"), 6, 170, 61, 16, P("80 - brak"), true, 13));
    // Centre.
    {
        Row r {qtName(Control::pdalej), P("GradientButton"), {}, 344, 303, 93, 30, P("DALEJ")};
        r.font = {kSans, 16, true, clWhite};
        r.visible = false;
        r.handler = P("pdalejClick");
        t.push_back(r);
    }
    {
        Row r {qtName(Control::pst), P("GradientButton"), {}, 319, 349, 139, 30,
            QString::fromUtf8("Pociąg \"STÓJ\"")};
        r.font = {kSans, 16, true, clWhite};
        r.props = {{"gradColor", colour(clLime)}, {"faceColor", colour(clRed)}};
        r.visible = false;
        r.handler = P("pstClick");
        t.push_back(r);
    }
    {
        Row r {qtName(Control::Memo1), P("Memo"), {}, 113, 385, 549, 133};
        r.font = {kSans, 11, true, clBlack};
        r.props = {{"color", colour(rgbValue(255, 255, 206))}, {"text", blokInitialMemo()}};
        t.push_back(r);
    }
    {
        Row r {qtName(Control::Panel27), P("Panel"), {}, 305, 96, 185, 199};
        r.props = {{"color", colour(clRed)}};
        r.visible = false;
        t.push_back(r);
    }
    const auto art = [&](const char* name, int l, int top, int w, int h, const char* caption) {
        Row r {P(name), P("ArtLabel"), qtName(Control::Panel27), l, top, w, h,
            QString::fromUtf8(caption)};
        r.font = {QStringLiteral("Arial"), 32, true, clWindowText};
        r.props = {{"transparent", true}, {"color", colour(clBtnFace)}};
        t.push_back(r);
    };
    art("ArtLabel1", 16, 94, 154, 57, "BUUUM !!!");
    art("ArtLabel2", 26, 16, 146, 40, "NO  I ???");
    art("ArtLabel3", 19, 49, 154, 57, "BYŁO BY");
    {
        Row r {P("ShadowButton1"), P("ShadowButton"), qtName(Control::Panel27), 41, 151, 104, 33,
            QString::fromUtf8("POPRAWIĘ SIĘ")};
        r.font = {kSans, 11, true, clBlack};
        r.props = {{"color", colour(clLime)}, {"borderColor", colour(clBlack)}};
        r.handler = P("ShadowButton1Click");
        t.push_back(r);
    }
    // Relay-state boards.
    t.push_back(board(P("Panel3D1"), 16, 92));
    addBoard(t, P("Panel3D1"), true);
    t.push_back(board(P("Panel3D2"), 673, 93));
    addBoard(t, P("Panel3D2"), false);
    return t;
}

} // namespace

QString blokInitialMemo()
{
    return QString::fromUtf8(
        "Stan zasadniczy. Przekaźniki Dp na stacji \"A\" i \"B\"  wzbudzone bezprądowo.");
}

const layout::Table& blokTable()
{
    static const Table table = makeBlokTable();
    return table;
}

} // namespace kyt
