// Embossed labels and panels, styled push buttons and art labels, set as the
// desk, the start window, the mishap panel and the about box set them.

#include "ArtLabel.h"
#include "Button3D.h"
#include "ExplorerButton.h"
#include "Fonts.h"
#include "Gallery.h"
#include "GradientButton.h"
#include "Label3D.h"
#include "Panel3D.h"
#include "ShadowButton.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

using namespace kyt;

// A plain coloured surface standing in for a window or panel.
class Backdrop : public QWidget {
public:
    Backdrop(int w, int h, ColorCode color) : FColor(color)
    {
        resize(w, h);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, toQColor(color));
        setPalette(pal);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), toQColor(FColor)); }

private:
    ColorCode FColor;
};

const ColorCode kDeskCell = rgbValue(128, 255, 0);
const ColorCode kStartWindow = rgbValue(45, 193, 210);

void press(QWidget& w)
{
    const QPointF at(w.width() / 2.0, w.height() / 2.0);
    QMouseEvent e(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

void hover(QWidget& w)
{
    const QPointF at(w.width() / 2.0, w.height() / 2.0);
    QEnterEvent e(at, at, w.mapToGlobal(at));
    QCoreApplication::sendEvent(&w, &e);
}

Label3D* deskLabel(
    QWidget* parent, int x, int y, const QString& text, int px = 11, bool bold = true)
{
    auto* l = new Label3D(parent);
    l->setFont(deskFont(QStringLiteral("MS Sans Serif"), px, bold));
    l->move(x, y);
    l->setCaption(text);
    return l;
}

// A desk cell with the labels of the Wbl button and of the arrival arrow.
QImage deskLabels()
{
    Backdrop host(200, 66, kDeskCell);
    deskLabel(&host, 8, 36, QStringLiteral("Wbl"));
    deskLabel(&host, 4, 51, QStringLiteral("(oWbl)"), 11, false);
    deskLabel(&host, 67, 36, QStringLiteral("PRZYJAZD"));
    deskLabel(&host, 67, 10, QStringLiteral("Sz A"));
    deskLabel(&host, 140, 42, QStringLiteral("dKo B"));
    deskLabel(&host, 140, 12, QStringLiteral("Ko"));
    return gallery::grab(host);
}

QImage labelKinds(bool enabled)
{
    Backdrop host(230, 24, clBtnFace);
    const Label3D::Bevel kinds[]
        = {Label3D::bvNone, Label3D::bvLowered, Label3D::bvRaised, Label3D::bvShadow};
    const char* names[] = {"None", "Lowered", "Raised", "shadow"};
    int x = 4;
    for (int i = 0; i < 4; ++i) {
        auto* l = deskLabel(&host, x, 4, QString::fromLatin1(names[i]), 13);
        l->setBevel(kinds[i]);
        l->setEnabled(enabled);
        x += l->width() + 8;
    }
    return gallery::grab(host);
}

QImage startTitle()
{
    Backdrop host(300, 34, kStartWindow);
    auto* l = deskLabel(&host, 10, 5, QStringLiteral("SYMULATOR BLOKADY KYT"), 19);
    l->setFontColor(clNavy);
    return gallery::grab(host);
}

Panel3D* deskPanel(QWidget* parent, const QString& caption, ColorCode color, int w, int h)
{
    auto* p = new Panel3D(parent);
    p->resize(w, h);
    p->setCaption(caption);
    p->setColor(color);
    p->setFont(deskFont(QStringLiteral("MS Sans Serif"), 13, true));
    p->setFontTitle(deskFont(QStringLiteral("MS Sans Serif"), 11));
    p->setVertAlignment(Panel3D::vaTop);
    return p;
}

QImage relayBoard()
{
    Backdrop host(95, 160, rgbValue(140, 198, 165));
    auto* board
        = deskPanel(&host, QStringLiteral("Stan przekaźników "), rgbValue(133, 239, 207), 95, 160);
    const char* names[] = {"Op", "Dp", "Poz", "Wbl"};
    for (int i = 0; i < 4; ++i) {
        auto* l = deskLabel(board, 37, 48 + 24 * i, QString::fromLatin1(names[i]), 11, false);
        l->setBevel(Label3D::bvNone);
    }
    return gallery::grab(host);
}

QImage lineVoltage()
{
    Backdrop host(134, 205, rgbValue(140, 198, 165));
    auto* panel = deskPanel(
        &host, QStringLiteral("Napięcia na linii :"), rgbValue(191, 247, 238), 134, 205);
    deskLabel(panel, 7, 60, QStringLiteral("Przemienne"), 13);
    deskLabel(panel, 4, 43, QStringLiteral("-----------------"), 13);
    auto* np = deskLabel(panel, 3, 85, QStringLiteral("Brak"), 13);
    np->setAutoSize(false);
    np->resize(84, 16);
    np->setAlignment(Label3D::taCenter);
    deskLabel(panel, 5, 112, QStringLiteral("-----------------"), 13);
    deskLabel(panel, 21, 126, QStringLiteral("Stałe"), 13);
    deskLabel(panel, 5, 147, QStringLiteral("79 - brak"), 13);
    deskLabel(panel, 6, 170, QStringLiteral("80 - brak"), 13);
    return gallery::grab(host);
}

QImage titledPanel(Panel3D::RepaintPart what)
{
    Backdrop host(180, 80, clBtnFace);
    auto* p = deskPanel(&host, QStringLiteral("caption"), clBtnFace, 180, 80);
    p->setVertAlignment(Panel3D::vaCenter);
    p->setTitle(QStringLiteral("title"));
    p->setBorderTitle(Panel3D::bvLowered);
    p->setColorTitle(clSilver);
    p->setRePaintCT(what);
    return gallery::grab(host);
}

GradientButton* gradButton(QWidget* parent, const QString& caption, int w)
{
    auto* b = new GradientButton(parent);
    b->resize(w, 30);
    b->setCaption(caption);
    b->setFont(deskFont(QStringLiteral("MS Sans Serif"), 16, true));
    return b;
}

QImage dalej(bool pressed)
{
    Backdrop host(93, 30, rgbValue(140, 198, 165));
    auto* b = gradButton(&host, QStringLiteral("DALEJ"), 93);
    if (pressed)
        press(*b);
    return gallery::grab(host);
}

QImage trainButton(bool pressed)
{
    Backdrop host(139, 30, rgbValue(140, 198, 165));
    auto* b = gradButton(&host, QStringLiteral("Pociąg \"STÓJ\""), 139);
    b->setGradColor(clLime);
    b->setFaceColor(clRed);
    if (pressed)
        press(*b);
    return gallery::grab(host);
}

ShadowButton* mishapButton(QWidget* parent)
{
    auto* b = new ShadowButton(parent);
    b->resize(104, 33);
    b->setCaption(QStringLiteral("POPRAWIĘ SIĘ"));
    b->setFont(deskFont(QStringLiteral("MS Sans Serif"), 11, true));
    b->setFontColor(clBlack);
    return b;
}

QImage shadowButton(int state) // 0 up, 1 pressed, 2 disabled
{
    Backdrop host(112, 41, clRed);
    auto* b = mishapButton(&host);
    b->move(4, 4);
    if (state == 1)
        press(*b);
    if (state == 2)
        b->setEnabled(false);
    return gallery::grab(host);
}

QImage shadowShapes()
{
    Backdrop host(6 * 70, 50, clBtnFace);
    for (int i = 0; i < 6; ++i) {
        auto* b = new ShadowButton(&host);
        b->setGeometry(4 + 70 * i, 4, 64, 40);
        b->setShape(ShadowButton::ShapeType(i));
        b->setCaption(QString::number(i));
    }
    return gallery::grab(host);
}

QImage aboutOk(int state) // 0 up, 1 focused default, 2 pressed, 3 disabled
{
    Backdrop host(91, 41, rgbValue(128, 128, 255));
    auto* b = new Button3D(&host);
    b->setGeometry(8, 8, 75, 25);
    b->setCaption(QStringLiteral("OK"));
    if (state == 1) {
        b->setDefault(true);
    } else if (state == 2) {
        b->setDown(true);
    } else if (state == 3) {
        b->setEnabled(false);
    }
    return gallery::grab(host);
}

QImage startButtons(int state) // 0 normal, 1 hovered, 2 pressed
{
    Backdrop host(440, 50, kStartWindow);
    auto make = [&](int x, int y, int w, const QString& caption) {
        auto* b = new ExplorerButton(&host);
        b->setGeometry(x, y, w, 40);
        b->setCaption(caption);
        b->setFont(deskFont(QStringLiteral("MS Sans Serif"), 19, true));
        b->setFontColor(clBlack);
        return b;
    };
    auto* no = make(5, 6, 209, QStringLiteral("Nie !!! Może kiedyś ?"));
    auto* yes = make(215, 5, 205, QStringLiteral("Chętnie się pouczę."));
    Q_UNUSED(no);
    if (state >= 1)
        hover(*yes);
    if (state == 2)
        press(*yes);
    return gallery::grab(host);
}

ArtLabel* artLabel(QWidget* parent, int x, int y, int w, int h, const QString& caption)
{
    auto* a = new ArtLabel(parent);
    a->setGeometry(x, y, w, h);
    a->setFont(deskFont(QStringLiteral("Arial"), 32, true));
    a->setCaption(caption);
    a->setTransparent(true);
    return a;
}

QImage mishapPanel()
{
    Backdrop host(185, 199, clRed);
    artLabel(&host, 16, 94, 154, 57, QStringLiteral("BUUUM !!!"));
    artLabel(&host, 26, 16, 146, 40, QStringLiteral("NO  I ???"));
    artLabel(&host, 19, 49, 154, 57, QStringLiteral("BYŁO BY"));
    mishapButton(&host)->move(41, 151);
    return gallery::grab(host);
}

QImage artStyles()
{
    Backdrop host(200, 5 * 44, clBtnFace);
    const ArtLabel::ArtStyle styles[] = {ArtLabel::as3DSunk,
        ArtLabel::asOutlined | ArtLabel::asShadow, ArtLabel::asGradient | ArtLabel::asShadow,
        ArtLabel::asBitmap, ArtLabel::asBitmapFit | ArtLabel::as3DRaise};
    QImage stripes(8, 8, QImage::Format_RGB32);
    {
        QPainter p(&stripes);
        p.fillRect(0, 0, 8, 4, Qt::blue);
        p.fillRect(0, 4, 8, 4, Qt::yellow);
    }
    for (int i = 0; i < 5; ++i) {
        auto* a = new ArtLabel(&host);
        a->setGeometry(0, 44 * i, 200, 44);
        a->setCaption(QStringLiteral("Kyt %1").arg(i + 1));
        a->setArtStyle(styles[i]);
        a->setFontColor(clNavy);
        a->setBitmap(stripes);
    }
    return gallery::grab(host);
}

const bool registered = gallery::add({
    {QStringLiteral("Label3D_desk_captions"), deskLabels},
    {QStringLiteral("Label3D_bevels"), [] { return labelKinds(true); }},
    {QStringLiteral("Label3D_bevels_disabled"), [] { return labelKinds(false); }},
    {QStringLiteral("Label3D_start_title"), startTitle},
    {QStringLiteral("Panel3D_relay_board"), relayBoard},
    {QStringLiteral("Panel3D_line_voltage"), lineVoltage},
    {QStringLiteral("Panel3D_title_all"), [] { return titledPanel(Panel3D::rpAll); }},
    {QStringLiteral("Panel3D_title_only"), [] { return titledPanel(Panel3D::rpTitle); }},
    {QStringLiteral("Panel3D_caption_only"), [] { return titledPanel(Panel3D::rpCaption); }},
    {QStringLiteral("Gradbtn_DALEJ_up"), [] { return dalej(false); }},
    {QStringLiteral("Gradbtn_DALEJ_pressed"), [] { return dalej(true); }},
    {QStringLiteral("Gradbtn_train_up"), [] { return trainButton(false); }},
    {QStringLiteral("Gradbtn_train_pressed"), [] { return trainButton(true); }},
    {QStringLiteral("ShadowButton_mishap_up"), [] { return shadowButton(0); }},
    {QStringLiteral("ShadowButton_mishap_pressed"), [] { return shadowButton(1); }},
    {QStringLiteral("ShadowButton_mishap_disabled"), [] { return shadowButton(2); }},
    {QStringLiteral("ShadowButton_shapes"), shadowShapes},
    {QStringLiteral("Button3D_about_OK"), [] { return aboutOk(0); }},
    {QStringLiteral("Button3D_about_OK_default"), [] { return aboutOk(1); }},
    {QStringLiteral("Button3D_about_OK_pressed"), [] { return aboutOk(2); }},
    {QStringLiteral("Button3D_about_OK_disabled"), [] { return aboutOk(3); }},
    {QStringLiteral("explbtn_start_normal"), [] { return startButtons(0); }},
    {QStringLiteral("explbtn_start_hovered"), [] { return startButtons(1); }},
    {QStringLiteral("explbtn_start_pressed"), [] { return startButtons(2); }},
    {QStringLiteral("ArtLabel_mishap_panel"), mishapPanel},
    {QStringLiteral("ArtLabel_styles"), artStyles},
});

} // namespace
