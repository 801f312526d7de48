#include "DrawUtil.h"

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

using namespace kyt;

namespace {

void ensureApp()
{
    if (!QApplication::instance()) {
        static int argc = 1;
        static char name[] = "controls_draw_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

QImage filled(int w, int h, ColorCode c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(toQColor(c));
    return img;
}

ColorCode at(const QImage& img, int x, int y)
{
    return fromQColor(QColor(img.pixel(x, y)));
}

class DrawUtil : public ::testing::Test {
protected:
    void SetUp() override { ensureApp(); }

    static QFont sharpFont()
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(14);
        f.setStyleStrategy(QFont::NoAntialias);
        return f;
    }

    // The pixels that a plain text in black covers on white.
    static QImage plainText(const QString& text, int x, int y)
    {
        QImage img = filled(60, 30, clWhite);
        QPainter p(&img);
        p.setFont(sharpFont());
        p.setPen(Qt::black);
        p.drawText(QPoint(x, y + p.fontMetrics().ascent()), text);
        return img;
    }

    static bool covered(const QImage& plain, int x, int y)
    {
        return plain.rect().contains(x, y) && at(plain, x, y) == clBlack;
    }
};

} // namespace

TEST_F(DrawUtil, TransparentDrawingKeepsTheBackgroundUnderTheKeyColour)
{
    QImage pic = filled(3, 2, clOlive);
    pic.setPixel(1, 0, qRgb(255, 0, 0));
    pic.setPixel(2, 1, qRgb(192, 192, 192));
    QImage dst = filled(6, 4, clBlue);
    {
        QPainter p(&dst);
        drawTransparent(p, 2, 1, pic, clOlive);
    }
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            ColorCode want = clBlue;
            if (x == 3 && y == 1)
                want = clRed;
            if (x == 4 && y == 2)
                want = clSilver;
            EXPECT_EQ(at(dst, x, y), want) << x << "," << y;
        }

    // A theme colour as key is the colour it stands for.
    QImage dst2 = filled(3, 2, clBlue);
    {
        QPainter p(&dst2);
        drawTransparent(p, 0, 0, pic, clBtnFace);
    }
    EXPECT_EQ(at(dst2, 2, 1), clBlue);
    EXPECT_EQ(at(dst2, 0, 0), clOlive);
}

TEST_F(DrawUtil, FrameColoursEdgesAndCornersAndShrinksTheRectangle)
{
    QImage img = filled(8, 7, clBlue);
    QRect r(1, 1, 6, 5); // pixels 1..6 x 1..5
    {
        QPainter p(&img);
        frame3D(p, r, clWhite, clGray, 2);
    }
    EXPECT_EQ(r, QRect(3, 3, 2, 1));
    const char* rows[] = {
        "........",
        ".WWWWWG.",
        ".WWWWGG.",
        ".WW..GG.",
        ".WGGGGG.",
        ".GGGGGG.",
        "........",
    };
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 8; ++x) {
            const char c = rows[y][x];
            const ColorCode want = c == 'W' ? clWhite : c == 'G' ? clGray : clBlue;
            EXPECT_EQ(at(img, x, y), want) << x << "," << y;
        }

    // A frame wider than the rectangle draws what fits and still shrinks it.
    QImage small = filled(4, 4, clBlue);
    QRect s(0, 0, 2, 2);
    {
        QPainter p(&small);
        frame3D(p, s, clWhite, clGray, 3);
    }
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(at(small, 0, 0), clWhite);
    EXPECT_EQ(at(small, 1, 1), clGray);
    EXPECT_EQ(at(small, 2, 2), clBlue);
}

TEST_F(DrawUtil, TilingRepeatsFromTheCornerAndStaysInside)
{
    QImage tile = filled(2, 3, clRed);
    tile.setPixel(0, 0, qRgb(0, 0, 0));
    QImage dst = filled(10, 10, clWhite);
    {
        QPainter p(&dst);
        tileImage(p, QRect(1, 2, 7, 6), tile);
    }
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            ColorCode want = clWhite;
            if (x >= 1 && x <= 7 && y >= 2 && y <= 7)
                want = ((x - 1) % 2 == 0 && (y - 2) % 3 == 0) ? clBlack : clRed;
            EXPECT_EQ(at(dst, x, y), want) << x << "," << y;
        }
}

TEST_F(DrawUtil, MaskedDrawingTakesThePictureOnlyUnderBlack)
{
    QImage pic = filled(3, 3, clLime);
    QImage mask = filled(2, 3, clWhite); // narrower than the picture
    mask.setPixel(0, 0, qRgb(0, 0, 0));
    mask.setPixel(1, 2, qRgb(0, 0, 0));
    QImage dst = filled(5, 5, clNavy);
    {
        QPainter p(&dst);
        drawMasked(p, 1, 1, pic, mask);
    }
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            const bool in = (x == 1 && y == 1) || (x == 2 && y == 3);
            EXPECT_EQ(at(dst, x, y), in ? clLime : clNavy) << x << "," << y;
        }
}

TEST_F(DrawUtil, DecoratedTextPlacesItsCopies)
{
    const QString text = QStringLiteral("Ab8");
    const QImage plain = plainText(text, 5, 4);
    ASSERT_GT(plain.size().width(), 0);

    auto check = [&](auto draw, auto expected, const char* what) {
        QImage img = filled(60, 30, clWhite);
        {
            QPainter p(&img);
            p.setFont(sharpFont());
            draw(p);
        }
        int textPixels = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x) {
                const ColorCode want = expected(x, y);
                textPixels += want == clBlack;
                ASSERT_EQ(at(img, x, y), want) << what << " " << x << "," << y;
            }
        EXPECT_GT(textPixels, 20) << what;
    };

    check([&](QPainter& p) { drawShadowText(p, 5, 4, text, clBlack, clGray, 2); },
        [&](int x, int y) {
            if (covered(plain, x, y))
                return clBlack;
            return covered(plain, x - 2, y - 2) ? clGray : clWhite;
        },
        "shadow");

    check([&](QPainter& p) { draw3DText(p, 5, 4, text, clBlack, clYellow, clGray, 1, true); },
        [&](int x, int y) {
            if (covered(plain, x, y))
                return clBlack;
            if (covered(plain, x - 1, y - 1))
                return clGray; // the dark copy lies down-right, drawn after the light one
            return covered(plain, x + 1, y + 1) ? clYellow : clWhite;
        },
        "raised");

    check([&](QPainter& p) { draw3DText(p, 5, 4, text, clBlack, clYellow, clGray, 1, false); },
        [&](int x, int y) {
            if (covered(plain, x, y))
                return clBlack;
            if (covered(plain, x - 1, y - 1))
                return clYellow;
            return covered(plain, x + 1, y + 1) ? clGray : clWhite;
        },
        "sunk");

    check([&](QPainter& p) { drawOutlineText(p, 5, 4, text, clBlack, clRed); },
        [&](int x, int y) {
            if (covered(plain, x, y))
                return clBlack;
            for (int dy : {-1, 1})
                for (int dx : {-1, 1})
                    if (covered(plain, x - dx, y - dy))
                        return clRed;
            return clWhite;
        },
        "outline");
}
