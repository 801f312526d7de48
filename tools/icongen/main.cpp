// kyt-icongen DIR: writes DIR/kyt.svg and DIR/kyt.png (48 x 48), the icon of
// the simulator: a desk panel with a lit red signal lamp and a white arrow
// lamp pointing to the line. Both files are drawn from the same shapes.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>

namespace {

// The icon on a 48 x 48 grid.
struct Shape {
    const char* fill;
    const char* stroke;
    double strokeWidth;
    QPainterPath path;
};

QPainterPath roundedRect(double x, double y, double w, double h, double r)
{
    QPainterPath p;
    p.addRoundedRect(x, y, w, h, r, r);
    return p;
}

QPainterPath circle(double cx, double cy, double r)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    return p;
}

QPainterPath arrow()
{
    // Block arrow pointing right, as the desk's direction lamps show it.
    QPainterPath p;
    p.moveTo(6, 34);
    p.lineTo(28, 34);
    p.lineTo(28, 28);
    p.lineTo(42, 38);
    p.lineTo(28, 48 - 2);
    p.lineTo(28, 42);
    p.lineTo(6, 42);
    p.closeSubpath();
    return p;
}

QList<Shape> shapes()
{
    return {
        {"#2dc1d2", "#00404a", 2.0, roundedRect(2, 2, 44, 44, 6)},
        {"#404040", "#000000", 1.0, circle(24, 17, 12)},
        {"#ff0000", "#800000", 1.0, circle(24, 17, 9)},
        {"#ffb0b0", "none", 0.0, circle(21, 14, 3)},
        {"#ffffff", "#000000", 1.0, arrow()},
    };
}

QString svgPath(const QPainterPath& path)
{
    QString d;
    QTextStream s(&d);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement: s << "M" << e.x << "," << e.y << " "; break;
        case QPainterPath::LineToElement: s << "L" << e.x << "," << e.y << " "; break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element to = path.elementAt(i + 2);
            s << "C" << e.x << "," << e.y << " " << c2.x << "," << c2.y << " " << to.x << ","
              << to.y << " ";
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement: break;
        }
    }
    s << "Z";
    return d;
}

bool writeSvg(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream s(&f);
    s << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" "
         "viewBox=\"0 0 48 48\">\n";
    for (const Shape& sh : shapes()) {
        s << "  <path d=\"" << svgPath(sh.path) << "\" fill=\"" << sh.fill << "\"";
        if (QString(sh.stroke) != "none")
            s << " stroke=\"" << sh.stroke << "\" stroke-width=\"" << sh.strokeWidth << "\"";
        s << "/>\n";
    }
    s << "</svg>\n";
    return true;
}

bool writePng(const QString& file)
{
    QImage img(48, 48, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Shape& sh : shapes()) {
        p.setBrush(QColor(sh.fill));
        if (QString(sh.stroke) == "none")
            p.setPen(Qt::NoPen);
        else
            p.setPen(QPen(QColor(sh.stroke), sh.strokeWidth));
        p.drawPath(sh.path);
    }
    p.end();
    return img.save(file, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kyt-icongen DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    if (!writeSvg(dir + "/kyt.svg") || !writePng(dir + "/kyt.png")) {
        std::fprintf(stderr, "kyt-icongen: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
