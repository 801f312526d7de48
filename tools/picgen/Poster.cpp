// The poster behind the "SZLAK" label: a clerk asleep over his desk under
// the old office slogan that work is no hare and will not run away.
#include "PicGen.h"
#include "Schematic.h"

#include <QPainter>
#include <QPainterPath>

namespace kyt::picgen {

namespace {

void outlined(QPainter& p, const QPainterPath& path, QColor fill, double pen = 2.0)
{
    p.setPen(QPen(QColor(30, 20, 20), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

QPainterPath rect(double x, double y, double w, double h, double r = 0)
{
    QPainterPath path;
    if (r > 0)
        path.addRoundedRect(x, y, w, h, r, r);
    else
        path.addRect(x, y, w, h);
    return path;
}

QPainterPath ellipse(double cx, double cy, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), rx, ry);
    return path;
}

void centredText(QPainter& p, const QRectF& box, const QString& s, const QFont& f, QColor c)
{
    p.setFont(f);
    p.setPen(c);
    p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, s);
}

} // namespace

QImage drawPoster()
{
    QImage img(PosterWidth, PosterHeight, QImage::Format_RGB32);
    img.fill(QColor(246, 232, 196)); // old poster paper
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    // Border of the poster.
    p.setPen(QPen(QColor(150, 30, 30), 5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4.5, 4.5, PosterWidth - 9, PosterHeight - 9));

    // The slogan.
    centredText(p, QRectF(12, 14, PosterWidth - 24, 34), QStringLiteral("PRACA NIE ZAJĄC"),
        sheetFont(25, true), QColor(170, 20, 20));
    centredText(p, QRectF(12, 48, PosterWidth - 24, 28), QStringLiteral("– NIE UCIEKNIE !"),
        sheetFont(21, true), QColor(30, 30, 30));

    // The office wall with a clock showing a quarter past two.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 196, 150));
    p.drawRect(QRectF(10, 84, PosterWidth - 20, 200));
    outlined(p, ellipse(225, 122, 25, 25), QColor(255, 255, 245));
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(225, 122), QPointF(225 + 14, 122));
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(225, 122), QPointF(225 + 6, 122 - 13));
    for (int h = 0; h < 12; ++h) {
        QTransform t;
        t.translate(225, 122);
        t.rotate(30.0 * h);
        p.drawPoint(t.map(QPointF(0, -20)));
    }

    // The desk.
    outlined(p, rect(14, 262, PosterWidth - 28, 22, 3), QColor(140, 82, 40));
    outlined(p, rect(28, 284, 22, 110), QColor(120, 68, 32));
    outlined(p, rect(PosterWidth - 50, 284, 22, 110), QColor(120, 68, 32));

    // A pile of files and a rubber stamp.
    for (int i = 0; i < 5; ++i)
        outlined(p, rect(26 + (i % 2) * 3, 250 - i * 9, 72, 9, 1),
            i % 2 ? QColor(250, 250, 240) : QColor(200, 220, 235), 1.2);
    outlined(p, rect(110, 246, 18, 16, 2), QColor(70, 70, 70), 1.2);
    outlined(p, ellipse(119, 242, 8, 6), QColor(170, 30, 30), 1.2);

    // A mug of tea gone cold.
    outlined(p, rect(232, 232, 24, 30, 4), QColor(235, 240, 250));
    QPainterPath handle;
    handle.addEllipse(QPointF(258, 246), 8, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 20, 20), 2));
    p.drawPath(handle);

    // The clerk: arms folded on the desk, head resting on them.
    outlined(p, rect(92, 214, 130, 52, 22), QColor(70, 90, 140)); // back and shoulders
    outlined(p, rect(120, 244, 92, 22, 10), QColor(80, 100, 150)); // folded arms
    outlined(p, ellipse(118, 254, 12, 9), QColor(240, 200, 170)); // hand
    outlined(p, ellipse(162, 222, 30, 26), QColor(240, 200, 170)); // head
    QPainterPath hair;
    hair.moveTo(134, 214);
    hair.cubicTo(140, 188, 186, 186, 192, 214);
    hair.cubicTo(176, 204, 150, 204, 134, 214);
    outlined(p, hair, QColor(90, 60, 40));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(146, 222, 12, 8), 200 * 16, 140 * 16); // closed eyes
    p.drawArc(QRectF(166, 222, 12, 8), 200 * 16, 140 * 16);
    outlined(p, ellipse(163, 238, 5, 3), QColor(200, 90, 90), 1.2); // snoring mouth
    outlined(p, ellipse(184, 228, 5, 7), QColor(230, 180, 150), 1.2); // ear

    // Z z z.
    QFont zf = sheetFont(26, true);
    p.setPen(QColor(40, 40, 140));
    p.setFont(zf);
    p.drawText(QPointF(190, 196), QStringLiteral("Z"));
    p.setFont(sheetFont(20, true));
    p.drawText(QPointF(208, 172), QStringLiteral("z"));
    p.setFont(sheetFont(15, true));
    p.drawText(QPointF(222, 154), QStringLiteral("z"));

    // The floor and the caption.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 150, 130));
    p.drawRect(QRectF(10, 394, PosterWidth - 20, 4));
    centredText(p, QRectF(12, 398, PosterWidth - 24, 22),
        QStringLiteral("Pośpiech jest złym doradcą."), sheetFont(12, true, true),
        QColor(60, 40, 30));
    p.end();

    // Stored with 16 bits per pixel.
    return img.convertToFormat(QImage::Format_RGB16);
}

} // namespace kyt::picgen
