// Gallery shots of the desk's hemisphere and arrow buttons and spot label.
#include "Gallery.h"

#include "ArrowButton.h"
#include "HemisphereButton.h"
#include "SpotLabel.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QWidget>

namespace {

using namespace kyt;

// The controls sit on a desk-coloured surface so that the parts they leave
// unpainted show as on the desk.
struct Desk {
    QWidget surface;
    explicit Desk(QSize size)
    {
        surface.resize(size);
        QPalette pal = surface.palette();
        pal.setColor(QPalette::Window, toQColor(clBtnFace));
        surface.setPalette(pal);
        surface.setAutoFillBackground(true);
    }
    // Enlarged four times, pixel for pixel, so that the shading can be seen.
    QImage Shot()
    {
        const QImage img = kyt::gallery::grab(surface);
        return img.scaled(img.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
};

// A desk button (18 x 17, one lowered ring, grey dark colour), up or pressed,
// with a border of the desk around it.
QImage Hemisphere(ColorCode bright, bool pressed)
{
    Desk desk(QSize(26, 25));
    auto* b = new HemisphereButton(&desk.surface);
    b->setGeometry(4, 4, 18, 17);
    b->setColorBright(bright);
    b->setPressed(pressed);
    return desk.Shot();
}

QImage Arrow(ArrowButton::Direction direction, bool pressed)
{
    const bool upright = direction == ArrowButton::arwUP || direction == ArrowButton::arwDOWN;
    Desk desk(QSize(28, 30));
    auto* a = new ArrowButton(&desk.surface);
    // The desk's arrows are 20 x 22; upright ones are turned the other way.
    a->setGeometry(4, 4, upright ? 22 : 20, upright ? 20 : 22);
    a->setDirection(direction);
    kyt::gallery::grab(desk.surface); // the first paint makes the hit area
    if (pressed) {
        const QPoint inside = QRect(QPoint(0, 0), a->size()).center();
        QMouseEvent press(QEvent::MouseButtonPress, inside, a->mapToGlobal(inside), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QGuiApplication::sendEvent(a, &press);
    }
    return desk.Shot();
}

QImage Spot(bool spotted)
{
    Desk desk(QSize(60, 24));
    auto* l = new SpotLabel("SZLAK", &desk.surface);
    QFont f("MS Sans Serif");
    f.setPixelSize(13);
    f.setBold(true);
    l->setFont(f);
    l->setGeometry(4, 4, 52, 16);
    if (spotted) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QGuiApplication::sendEvent(l, &enter);
    }
    return desk.Shot();
}

using D = ArrowButton::Direction;

const bool registered = kyt::gallery::add({
    {"HemiBtn_black_up", [] { return Hemisphere(clBlack, false); }},
    {"HemiBtn_black_pressed", [] { return Hemisphere(clBlack, true); }},
    {"HemiBtn_red_up", [] { return Hemisphere(clRed, false); }},
    {"HemiBtn_red_pressed", [] { return Hemisphere(clRed, true); }},
    {"HemiBtn_lime_up", [] { return Hemisphere(clLime, false); }},
    {"HemiBtn_lime_pressed", [] { return Hemisphere(clLime, true); }},
    {"arrowbtn_up_released", [] { return Arrow(D::arwUP, false); }},
    {"arrowbtn_up_pressed", [] { return Arrow(D::arwUP, true); }},
    {"arrowbtn_right_released", [] { return Arrow(D::arwRIGHT, false); }},
    {"arrowbtn_right_pressed", [] { return Arrow(D::arwRIGHT, true); }},
    {"arrowbtn_left_released", [] { return Arrow(D::arwLEFT, false); }},
    {"arrowbtn_left_pressed", [] { return Arrow(D::arwLEFT, true); }},
    {"arrowbtn_down_released", [] { return Arrow(D::arwDOWN, false); }},
    {"arrowbtn_down_pressed", [] { return Arrow(D::arwDOWN, true); }},
    {"SpotLabel_normal", [] { return Spot(false); }},
    {"SpotLabel_spotted", [] { return Spot(true); }},
});

} // namespace
