#include "Pictures.h"
#include "Support.h"

#include <set>

using namespace kyt;
using namespace kyt::test;

namespace {

const std::vector<std::string> kAledsm = {
    "WWWWWWWWWWWWWWWW",
    "WSSSSKKKKKKSSSSG",
    "WSSSKWWWWWSKSSSG",
    "WSSKWWKKKKSSKSSG",
    "WSKWWKLLLLKSSKSG",
    "WKWWKWLWLLLKSGKG",
    "WKWKLLWLLLLLKGKG",
    "WKWKLWLLLLLLKGKG",
    "WKWKLLLLLLLLKGKG",
    "WKWKLLLLLLLLKGKG",
    "WKSSKLLLLLLKGGKG",
    "WSKSSKLLLLKGGKSG",
    "WSSKSSKKKKGGKSSG",
    "WSSSKGGGGGGKSSSG",
    "WSSSSKKKKKKSSSSG",
    "GGGGGGGGGGGGGGGG",
};

const std::vector<std::string> kAledhz = {
    "WWWWWWWWWWWWWWWWWWWWWW",
    "WKKKKKKKKKKKKKKKKKKKKG",
    "WKSSSSSSSSSSSSSSSSSSKG",
    "WKSKKKKKKKKKKKKKKKKGKG",
    "WKSKLLLLLLLLLLLLLLKGKG",
    "WKSKLLWWWLLLLLLLLLKGKG",
    "WKSKLWWLLLLLLLLLLLKGKG",
    "WKSKLWLLLLLLLLLLLLKGKG",
    "WKSKLLLLLLLLLLLLLLKGKG",
    "WKSKLLLLLLLLLLLLLLKGKG",
    "WKSKKKKKKKKKKKKKKKKGKG",
    "WKGGGGGGGGGGGGGGGGGGKG",
    "WKKKKKKKKKKKKKKKKKKKKG",
    "GGGGGGGGGGGGGGGGGGGGGG",
};

const std::vector<std::string> kWzb = {
    "oooooooKoooooooo",
    "oooooooKoooooooo",
    "ooooooKBKooooooo",
    "ooooooKBKooooooo",
    "oooooKBBBKoooooo",
    "oooooKBBBKoooooo",
    "ooooKBBBBBKooooo",
    "ooooKBBBBBKooooo",
    "oooKBBBBBBBKoooo",
    "oooKKKKBKKKKoooo",
    "ooooooKBKooooooo",
    "ooooooKBKooooooo",
    "ooooooKBKooooooo",
    "ooooooKBKooooooo",
    "ooooooKBKooooooo",
    "ooooooKKKooooooo",
};

const std::vector<std::string> kOdzw = {
    "ooooooKKKooooooo",
    "ooooooKRKooooooo",
    "ooooooKRKooooooo",
    "ooooooKRKooooooo",
    "ooooooKRKooooooo",
    "ooooooKRKooooooo",
    "oooKKKKRKKKKoooo",
    "oooKRRRRRRRKoooo",
    "ooooKRRRRRKooooo",
    "ooooKRRRRRKooooo",
    "oooooKRRRKoooooo",
    "oooooKRRRKoooooo",
    "ooooooKRKooooooo",
    "ooooooKRKooooooo",
    "oooooooKoooooooo",
    "oooooooKoooooooo",
};

const std::vector<std::string> kWzbb = {
    "oooooooGoooooooo",
    "oooooooGWooooooo",
    "ooooooGoGooooooo",
    "ooooooGWGWoooooo",
    "oooooGoWoGoooooo",
    "oooooGWooGWooooo",
    "ooooGoWoooGooooo",
    "ooooGWooooGWoooo",
    "oooGoWoooooGoooo",
    "oooGGGGoGGGGWooo",
    "ooooWWGWGWWWWooo",
    "ooooooGWGWoooooo",
    "ooooooGWGWoooooo",
    "ooooooGWGWoooooo",
    "ooooooGWGWoooooo",
    "ooooooGGGWoooooo",
};

const std::vector<std::string> kBlankCell = {
    "WWWWWWWWWWWWWW",
    "WWWWSWWSWWSWSW",
    "WWWSWWSWWSWWSS",
    "WWWSWSWSWSWSWS",
    "WWSWWSSWSSWSSG",
    "WSWSSWSSWSSWSG",
    "WWSSSSSSSSSSSG",
    "WSSSSSSSSSSSGG",
    "WWSSSSSSSSSSSG",
    "WSSSSSSSSSSSGG",
    "WWSSSSSSSSSSSG",
    "WSSSSSSSSSSSGG",
    "WWSSSSSSSSSSSG",
    "WSSSSSSSSSSSGG",
    "WSGSSGSSGSSGSG",
    "SSSGSSGSSGSSGG",
    "SGSGSGSGSGSGSG",
    "GSGGSGGSGGSGGG",
    "GGSGGSGGSGGSGK",
    "GKGKGKGKGKGKGK",
};

} // namespace

TEST(Pictures, TabledPicturesMatchPixelForPixel)
{
    ensureApp();
    const std::pair<const char*, const std::vector<std::string>*> cases[] = {
        {"ALEDSM", &kAledsm},
        {"ALEDHZ", &kAledhz},
        {"WZB", &kWzb},
        {"ODZW", &kOdzw},
        {"WZBB", &kWzbb},
    };
    for (const auto& [name, rows] : cases) {
        const QImage img = loadPicture(QString::fromLatin1(name));
        ASSERT_FALSE(img.isNull()) << name;
        EXPECT_EQ(img.size(), QSize(int((*rows)[0].size()), int(rows->size()))) << name;
        EXPECT_EQ(compareRows(img, *rows), "") << name;
    }
}

TEST(Pictures, NamesMatchWithoutRegardToCase)
{
    ensureApp();
    const QImage upper = loadPicture(QStringLiteral("WZBB"));
    EXPECT_EQ(loadPicture(QStringLiteral("wzbb")), upper);
    EXPECT_EQ(loadPicture(QStringLiteral("WzBb")), upper);
    EXPECT_TRUE(loadPicture(QStringLiteral("nosuchpicture")).isNull());
    EXPECT_TRUE(loadPicture(QString()).isNull());
    // Names are names, not paths into the resources.
    EXPECT_TRUE(loadPicture(QStringLiteral("../controls/WZB")).isNull());
}

TEST(Pictures, EveryLampHasItsSizeRimAndALimeAreaAtTheCentre)
{
    ensureApp();
    const std::pair<const char*, QSize> lamps[] = {
        {"ALEDSM", {16, 16}},
        {"ALEDLG", {22, 22}},
        {"ALEDSQSM", {16, 16}},
        {"ALEDSQLG", {22, 22}},
        {"ALEDVT", {14, 22}},
        {"ALEDHZ", {22, 14}},
    };
    const std::set<QRgb> palette = {letterColour('W'), letterColour('S'), letterColour('G'),
        letterColour('K'), letterColour('L')};
    for (const auto& [name, size] : lamps) {
        const QImage img = loadPicture(QString::fromLatin1(name));
        ASSERT_EQ(img.size(), size) << name;
        const int w = size.width(), h = size.height();
        EXPECT_EQ(img.pixel(w / 2, h / 2), letterColour('L')) << name;
        int lime = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb c = img.pixel(x, y);
                EXPECT_TRUE(palette.count(c)) << name << " " << x << "," << y;
                lime += c == letterColour('L');
                if (y == 0 || (x == 0 && y < h - 1)) {
                    EXPECT_EQ(c, letterColour('W')) << name << " rim " << x << "," << y;
                } else if (y == h - 1 || x == w - 1) {
                    EXPECT_EQ(c, letterColour('G')) << name << " rim " << x << "," << y;
                }
            }
        EXPECT_GT(lime, 30) << name;
    }
    // The square and upright lamps: lime rectangles of their size.
    const std::tuple<const char*, int, int> areas[]
        = {{"ALEDSQSM", 8, 8}, {"ALEDSQLG", 14, 14}, {"ALEDVT", 6, 14}};
    for (const auto& [name, lw, lh] : areas) {
        const QImage img = loadPicture(QString::fromLatin1(name));
        // corners of the lamp area are lime, the ring around them black
        EXPECT_EQ(img.pixel(4 + lw - 1, 4 + lh - 1), letterColour('L')) << name;
        EXPECT_EQ(img.pixel(4 + lw, 4 + lh - 1), letterColour('K')) << name;
        EXPECT_EQ(img.pixel(4 + lw - 1, 4 + lh), letterColour('K')) << name;
        EXPECT_EQ(img.pixel(4, 3), letterColour('K')) << name;
    }
}

TEST(Pictures, DigitStripHasElevenDrumCells)
{
    ensureApp();
    const QImage strip = loadPicture(QStringLiteral("digits"));
    ASSERT_EQ(strip.size(), QSize(154, 20));
    // The blank cell exactly; every digit cell on the same background
    // outside its glyph box (rows 5 to 14, columns 4 to 9), black inside.
    EXPECT_EQ(compareRows(strip, kBlankCell, 140, 0), "");
    for (int d = 0; d < 10; ++d) {
        int black = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 14; ++x) {
                const QRgb c = strip.pixel(d * 14 + x, y);
                const bool glyphBox = y >= 5 && y <= 14 && x >= 4 && x <= 9;
                if (glyphBox && c == letterColour('K')) {
                    ++black;
                    continue;
                }
                EXPECT_EQ(c, letterColour(kBlankCell[y][x])) << d << " at " << x << "," << y;
            }
        EXPECT_GE(black, 14) << d;
    }
    // Ten different glyphs.
    std::set<QByteArray> glyphs;
    for (int d = 0; d < 10; ++d) {
        const QImage cell = strip.copy(d * 14, 0, 14, 20);
        glyphs.insert(
            QByteArray(reinterpret_cast<const char*>(cell.constBits()), int(cell.sizeInBytes())));
    }
    EXPECT_EQ(glyphs.size(), 10u);
}
