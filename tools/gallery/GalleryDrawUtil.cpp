// The shared drawing helpers: 3-D frames and the decorated text styles.

#include "DrawUtil.h"
#include "Gallery.h"

#include <QFont>

namespace {

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kyt::toQColor(kyt::clBtnFace));
    return img;
}

QImage frames()
{
    QImage img = canvas(120, 40);
    QPainter p(&img);
    // raised, sunken edit field, wide raised bevel
    QRect r(4, 4, 32, 32);
    kyt::frame3D(p, r, kyt::clBtnHighlight, kyt::clBtnShadow, 1);
    r = QRect(44, 4, 32, 32);
    kyt::frame3D(p, r, kyt::clBtnShadow, kyt::clBtnHighlight, 1);
    kyt::frame3D(p, r, kyt::cl3DDkShadow, kyt::clBtnFace, 1);
    p.fillRect(r, kyt::toQColor(kyt::clWindow));
    r = QRect(84, 4, 32, 32);
    kyt::frame3D(p, r, kyt::clBtnHighlight, kyt::clBtnShadow, 3);
    return img;
}

QImage texts()
{
    QImage img = canvas(120, 100);
    QPainter p(&img);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(16);
    f.setBold(true);
    p.setFont(f);
    kyt::drawShadowText(p, 6, 2, QStringLiteral("shadow"), kyt::clWindowText, kyt::clGray, 2);
    kyt::drawOutlineText(p, 6, 26, QStringLiteral("Outline"), kyt::clRed, kyt::clWhite);
    kyt::draw3DText(p, 6, 50, QStringLiteral("Raised"), kyt::clWindowText, kyt::clBtnHighlight,
        kyt::clBtnShadow, 1, true);
    kyt::draw3DText(p, 6, 74, QStringLiteral("Sunk"), kyt::clWindowText, kyt::clBtnHighlight,
        kyt::clBtnShadow, 1, false);
    return img;
}

const bool registered = kyt::gallery::add({
    {QStringLiteral("DrawUtil_frames"), frames},
    {QStringLiteral("DrawUtil_text"), texts},
});

} // namespace
