#include "ArtLabel.h"
#include "Fonts.h"
#include "Gradient.h"
#include "Render.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace kyt {
namespace {

using test::Pixels;

struct ArtLabelTest : ::testing::Test {
    test::Backdrop host {185, 80, clRed};
    ArtLabel* label = new ArtLabel(&host);

    void SetUp() override
    {
        label->setGeometry(10, 10, 160, 57);
        label->setFont(deskFont(QStringLiteral("Arial"), 32, true));
        label->setCaption(QStringLiteral("BYŁO BY"));
    }
    QImage picture() { return test::render(host); }
};

TEST_F(ArtLabelTest, RaisedLettersGetClampedLightAndDarkEdges)
{
    label->setArtStyle(ArtLabel::as3DRaise);
    label->setFontColor(clBlue);
    const QImage img = picture();
    const Pixels g = test::pixelsOf(img, clBlue);
    ASSERT_GT(g.size(), 200u);
    // clBtnFace 192 + 64 clamps to 255; 192 - 64 = 128.
    int mismatches = 0;
    for (int y = 10; y < 67; ++y)
        for (int x = 10; x < 170; ++x) {
            ColorCode want = clSilver;
            if (g.count({x, y}))
                want = clBlue;
            else if (g.count({x - 1, y - 1}))
                want = rgbValue(128, 128, 128);
            else if (g.count({x + 1, y + 1}))
                want = clWhite;
            mismatches += test::at(img, x, y) != want;
        }
    EXPECT_EQ(mismatches, 0);

    label->setColor(rgbValue(30, 100, 240)); // light (94,164,255), dark (0,36,176)
    const QImage other = picture();
    EXPECT_GT(test::count(other, rgbValue(94, 164, 255)), 50);
    EXPECT_GT(test::count(other, rgbValue(0, 36, 176)), 50);
}

TEST_F(ArtLabelTest, SunkLettersSwapTheEdges)
{
    label->setArtStyle(ArtLabel::as3DSunk | ArtLabel::as3DRaise);
    label->setFontColor(clBlue);
    const QImage img = picture();
    const Pixels g = test::pixelsOf(img, clBlue);
    const Pixels light = test::pixelsOf(img, clWhite);
    ASSERT_FALSE(light.empty());
    for (auto [x, y] : light)
        EXPECT_TRUE(g.count({x - 1, y - 1})); // light lies down-right
}

TEST_F(ArtLabelTest, ShadowFollowsAtShadowLength)
{
    label->setArtStyle(ArtLabel::asShadow);
    label->setFontColor(clBlue);
    label->setShadowColor(clYellow);
    label->setShadowLength(5);
    const QImage img = picture();
    const Pixels g = test::pixelsOf(img, clBlue);
    const Pixels s = test::pixelsOf(img, clYellow);
    ASSERT_FALSE(s.empty());
    for (auto p : s)
        EXPECT_TRUE(g.count({p.first - 5, p.second - 5}));
}

TEST_F(ArtLabelTest, OutlineWinsOverThe3DEdges)
{
    label->setArtStyle(ArtLabel::asOutlined | ArtLabel::as3DRaise);
    label->setOutlineColor(clYellow);
    const QImage img = picture();
    EXPECT_GT(test::count(img, clYellow), 100);
    EXPECT_EQ(test::count(img, clWhite), 0);
    EXPECT_EQ(test::count(img, rgbValue(128, 128, 128)), 0);
}

TEST_F(ArtLabelTest, TransparentLabelCoversOnlyLettersShadowAndEdges)
{
    label->setTransparent(true); // the desk's mishap labels: raised with shadow
    const QImage img = picture();
    EXPECT_EQ(test::count(img, clBtnFace), 0);
    int covered = 0;
    for (int y = 10; y < 67; ++y)
        for (int x = 10; x < 170; ++x) {
            const bool black = qGray(label->Mask().pixel(x - 10, y - 10)) < 128;
            covered += black;
            if (!black)
                ASSERT_EQ(test::at(img, x, y), clRed) << x << "," << y;
            else
                ASSERT_EQ(img.pixel(x, y), label->Composition().pixel(x - 10, y - 10));
        }
    EXPECT_GT(covered, 500);
    // The letters, their white and grey edges and the grey shadow all show.
    EXPECT_GT(test::count(img, clBlack), 200);
    EXPECT_GT(test::count(img, clWhite), 50);
    EXPECT_GT(test::count(img, clGray), 100);

    label->setTransparent(false);
    EXPECT_GT(test::count(picture(), clBtnFace), 3000);
}

TEST_F(ArtLabelTest, HiddenLabelIsComposedForItsNewSize)
{
    ArtLabel hidden;
    hidden.resize(150, 50);
    test::render(hidden);
    EXPECT_EQ(hidden.Composition().size(), QSize(150, 50));
}

TEST_F(ArtLabelTest, TextOriginByAlignment)
{
    const QFontMetrics fm(label->font());
    const int tw = fm.horizontalAdvance(label->caption()), th = fm.height();
    EXPECT_EQ(label->TextOrigin(), QPoint(2, (57 - th) / 2));
    label->setTextAlign(ArtLabel::taRightJustify);
    EXPECT_EQ(label->TextOrigin(), QPoint(160 - tw - 2, (57 - th) / 2));
    label->setTextAlign(ArtLabel::taCenter);
    EXPECT_EQ(label->TextOrigin(), QPoint((160 - tw) / 2, (57 - th) / 2));
    // A label lower than its text: left and right keep 2 pixels, centre 0.
    label->resize(60, 10);
    EXPECT_EQ(label->TextOrigin(), QPoint(0, 0));
    label->setTextAlign(ArtLabel::taLeftJustify);
    EXPECT_EQ(label->TextOrigin(), QPoint(2, 2));
}

TEST_F(ArtLabelTest, AutoSizeFollowsCaptionFontAndStyle)
{
    label->setAutoSize(true);
    const QFontMetrics fm(label->font());
    EXPECT_EQ(label->size(),
        QSize(fm.horizontalAdvance(label->caption()) + 4,
            fm.size(0, QStringLiteral("Wg")).height() + 4));
    const int w = label->width();
    label->setCaption(QStringLiteral("BUUUM !!!"));
    EXPECT_GT(label->width(), w);
    const QSize before = label->size();
    label->setFont(deskFont(QStringLiteral("Arial"), 16, true));
    EXPECT_LT(label->width(), before.width());
    EXPECT_LT(label->height(), before.height());
    // The composition always has the label's size.
    EXPECT_EQ(label->Composition().size(), label->size());
    // A resize by hand is undone by the next change that shows.
    label->resize(300, 100);
    label->setArtStyle(ArtLabel::asShadow);
    EXPECT_EQ(label->size(), label->sizeHint());
}

TEST_F(ArtLabelTest, BitmapFillsOnlyTheLetters)
{
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(Qt::magenta);
    label->setArtStyle(ArtLabel::as3DRaise);
    const Pixels letters = test::pixelsOf(picture(), clBlack);
    label->setBitmap(pic);
    label->setArtStyle(ArtLabel::as3DRaise | ArtLabel::asBitmap);
    const QImage img = picture();
    EXPECT_EQ(test::pixelsOf(img, clFuchsia), letters);
    EXPECT_EQ(test::count(img, clBlack), 0);
    label->setArtStyle(ArtLabel::as3DRaise | ArtLabel::asBitmapFit);
    EXPECT_EQ(test::pixelsOf(picture(), clFuchsia), letters);
}

TEST_F(ArtLabelTest, GradientFillAndItsChanges)
{
    label->setColor(clWhite);
    label->setFontColor(clRed);
    label->setArtStyle(ArtLabel::asGradient | ArtLabel::as3DRaise);
    const QImage first = label->Composition();
    EXPECT_EQ(label->GradientImage().size(), label->size());
    // The letters show the gradient's bands instead of the font colour.
    EXPECT_EQ(test::count(first, clRed), 0);
    std::set<QRgb> shades;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < first.width(); ++x)
            shades.insert(first.pixel(x, y));
    EXPECT_GT(shades.size(), 8u);
    label->gradient()->setColor1(clYellow);
    EXPECT_NE(label->Composition(), first);
    EXPECT_EQ(test::at(label->GradientImage(), 5, 0), clYellow);

    Gradient other;
    other.setColor1(clAqua);
    other.setGradientStyle(Gradient::gsRect);
    label->setGradient(&other);
    EXPECT_EQ(label->gradient()->color1(), clAqua);
    EXPECT_EQ(label->gradient()->gradientStyle(), Gradient::gsRect);
    EXPECT_NE(label->gradient(), &other);
    EXPECT_EQ(test::at(label->GradientImage(), 0, 30), clAqua);
}

TEST(GradientTest, ChangedFiresForEveryRealChangeAndOnceOnAssign)
{
    Gradient g;
    QSignalSpy changes(&g, &Gradient::changed);
    g.setColor1(clSilver); // unchanged
    g.setLineSize(2);
    g.setColorCount(3);
    EXPECT_EQ(changes.count(), 0);
    g.setColor5(clRed);
    g.setLineDirection(Gradient::diVertical);
    g.setGradientStyle(Gradient::gsEllipse);
    EXPECT_EQ(changes.count(), 3);
    Gradient other;
    other.setColor2(clBlue);
    other.setColorCount(1);
    g.Assign(other);
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(g.color2(), clBlue);
    EXPECT_EQ(g.color5(), clBlack);
    EXPECT_EQ(g.colorCount(), 1);
    EXPECT_EQ(g.gradientStyle(), Gradient::gsLine);
}

TEST(GradientTest, OutOfRangeSettingsAreKeptUsable)
{
    Gradient g;
    g.setColorCount(9);
    EXPECT_EQ(g.colorCount(), 4);
    g.setColorCount(0);
    EXPECT_EQ(g.colorCount(), 1);
    g.setLineSize(0);
    EXPECT_EQ(g.lineSize(), 1);
    g.setLineSize(-5);
    EXPECT_EQ(g.lineSize(), 1);
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    for (auto style :
        {Gradient::gsLine, Gradient::gsEllipse, Gradient::gsRect, Gradient::gsCustomRect}) {
        g.setGradientStyle(style);
        g.Paint(p, img.rect());
    }
    EXPECT_EQ(test::at(img, 15, 10), clGray); // ColorCount 1: Color1 to Color2
}

TEST(GradientTest, BandsRunFromColor1ToTheLastCountedColour)
{
    Gradient g; // silver, grey, black over 3 steps
    g.setColor4(clBlue);
    QImage img(10, 40, QImage::Format_RGB32);
    QPainter p(&img);
    g.Paint(p, img.rect());
    EXPECT_EQ(test::at(img, 5, 0), clSilver);
    EXPECT_EQ(test::at(img, 5, 39), clBlue);
    EXPECT_EQ(g.BandColor(0, 7), resolveColor(clSilver));
    EXPECT_EQ(g.BandColor(2, 7), resolveColor(clGray));
    EXPECT_EQ(g.BandColor(4, 7), resolveColor(clBlack));
    EXPECT_EQ(g.BandColor(6, 7), resolveColor(clBlue));
    g.setLineDirection(Gradient::diVertical);
    g.Paint(p, img.rect());
    EXPECT_EQ(test::at(img, 0, 20), clSilver);
    EXPECT_EQ(test::at(img, 9, 20), clBlue);

    g.setGradientStyle(Gradient::gsCustomRect);
    int calls = 0;
    g.setOnDrawRect([&](int k, int n, const QRect& r) {
        ++calls;
        return k < n ? QRect(r.left(), r.top() + k, r.width(), 1) : QRect();
    });
    g.Paint(p, img.rect());
    EXPECT_GT(calls, 1);
}

} // namespace
} // namespace kyt
