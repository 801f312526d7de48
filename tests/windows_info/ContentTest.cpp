// The pictures the program draws for itself and the description text.
#include "JpegImage.h"
#include "PicGen.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

static void initContent()
{
    Q_INIT_RESOURCE(kyt_content);
}

namespace {

using namespace kyt::picgen;

// Share of pixels darker than mid-grey.
double darkShare(const QImage& img, QRect area = {})
{
    if (area.isNull())
        area = img.rect();
    const QImage grey = img.convertToFormat(QImage::Format_Grayscale8);
    qint64 dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(grey.pixel(x, y)) < 128;
    return double(dark) / double(area.width() * area.height());
}

class Content : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "content_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            new QGuiApplication(argc, argv);
        initContent();
    }
};

TEST_F(Content, SchematicFilesDecodeAtTheirControlSizes)
{
    const QStringList expected
        = {"obwody.jpg", "liniowy.jpg", "pulpit.jpg", "zpg.jpg", "blok - zwrot.jpg"};
    const QList<QSize> sizes = {{757, 957}, {769, 812}, {732, 876}, {721, 863}, {745, 1008}};
    ASSERT_EQ(schematicFiles().size(), std::size_t(expected.size()));
    QSet<QByteArray> digests;
    for (int i = 0; i < expected.size(); ++i) {
        const SchematicFile& f = schematicFiles()[std::size_t(i)];
        SCOPED_TRACE(f.fileName.toStdString());
        EXPECT_EQ(f.fileName, expected[i]);
        const QByteArray jpeg = encodeJpeg(drawSchematic(f.fileName));
        // Black on white, so stored with a single grey component: three of
        // them are decoded at every start of the program.
        EXPECT_EQ(QImage::fromData(jpeg, "JPEG").format(), QImage::Format_Grayscale8);
        // Decoded by the program's own picture component with its defaults.
        const QImage shown = kyt::DecodeJPEG(jpeg, kyt::JpegOptions {});
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown.size(), sizes[i]);
        // A black drawing on white paper, with a title line at the top.
        const double share = darkShare(shown);
        EXPECT_GT(share, 0.02);
        EXPECT_LT(share, 0.30);
        EXPECT_GT(darkShare(shown, QRect(0, 20, shown.width(), 40)), 0.03);
        digests.insert(QCryptographicHash::hash(jpeg, QCryptographicHash::Sha1));
    }
    EXPECT_EQ(digests.size(), expected.size()) << "two schematics are the same picture";
}

TEST_F(Content, DrawingAndEncodingAreReproducible)
{
    for (const auto& f : schematicFiles())
        EXPECT_EQ(encodeJpeg(drawSchematic(f.fileName)), encodeJpeg(drawSchematic(f.fileName)))
            << f.fileName.toStdString();
    EXPECT_EQ(drawPoster(), drawPoster());
    EXPECT_TRUE(drawSchematic(QStringLiteral("obwody.JPG")).isNull());
    EXPECT_TRUE(drawSchematic(QString()).isNull());
}

TEST_F(Content, StoredPicturesHaveTheirSizesAndDepths)
{
    const QImage circuit = drawStoredCircuit();
    EXPECT_EQ(circuit.size(), QSize(795, 1064));
    EXPECT_EQ(circuit.format(), QImage::Format_Indexed8);
    EXPECT_LE(circuit.colorCount(), 256);
    for (QRgb c : circuit.colorTable())
        ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << "not black and white";
    EXPECT_GT(darkShare(circuit, QRect(0, 20, 795, 40)), 0.03);

    const QImage poster = drawPoster();
    EXPECT_EQ(poster.size(), QSize(287, 428));
    EXPECT_EQ(poster.format(), QImage::Format_RGB16);
    QSet<QRgb> colours;
    for (int y = 0; y < poster.height(); y += 4)
        for (int x = 0; x < poster.width(); x += 4)
            colours.insert(poster.pixel(x, y));
    EXPECT_GT(colours.size(), 10);

    // The copies compiled into the program are these pictures.
    const QImage storedCircuit(QStringLiteral(":/kyt/olin.png"));
    EXPECT_EQ(storedCircuit.convertToFormat(QImage::Format_RGB32),
        circuit.convertToFormat(QImage::Format_RGB32));
    const QImage storedPoster(QStringLiteral(":/kyt/zar.png"));
    EXPECT_EQ(storedPoster.convertToFormat(QImage::Format_RGB32),
        poster.convertToFormat(QImage::Format_RGB32));
}

TEST_F(Content, GeneratorWritesEveryFileOrFailsLoudly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString jpegs = dir.filePath(QStringLiteral("pictures"));
    const QString store = dir.filePath(QStringLiteral("stored"));
    generateAll(jpegs, store);
    for (const auto& f : schematicFiles()) {
        QFile file(QDir(jpegs).filePath(f.fileName));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << f.fileName.toStdString();
        EXPECT_EQ(file.readAll(), encodeJpeg(drawSchematic(f.fileName)));
    }
    EXPECT_EQ(QImage(QDir(store).filePath(QStringLiteral("olin.png"))).size(), QSize(795, 1064));
    EXPECT_EQ(QImage(QDir(store).filePath(QStringLiteral("zar.png"))).size(), QSize(287, 428));

    // A folder that cannot be made (a file stands in its way) is an error,
    // not a silent success.
    QFile blocker(dir.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(generateAll(blocker.fileName(), QString()), std::runtime_error);
    EXPECT_THROW(
        generateAll(QString(), blocker.fileName() + QStringLiteral("/sub")), std::runtime_error);
    EXPECT_THROW(encodeJpeg(QImage()), std::runtime_error);
}

TEST_F(Content, DescriptionHasItsLinesAndHeadingsInOrder)
{
    QFile file(QStringLiteral(":/kyt/opis.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    ASSERT_TRUE(text.endsWith(QLatin1Char('\n')));
    const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.size(), 82);
    EXPECT_EQ(lines.value(0), QStringLiteral("Opis blokady Kyt."));
    const QStringList headings = {
        QStringLiteral("Krótka charakterystyka blokady."),
        QStringLiteral("Inne pozytywne cech tej blokady to:"),
        QStringLiteral("Do najczęściej występujących usterek można zaliczyć :"),
        QStringLiteral("Inne elementy blokady to:"),
        QStringLiteral("przyciski manipulacyjne :"),
        QStringLiteral("Podstawowe parametry blokady."),
    };
    int at = 0;
    for (const QString& h : headings) {
        const int found = int(lines.indexOf(h, at));
        EXPECT_GT(found, at - 1) << h.toStdString();
        at = found + 1;
    }
    // The parts whose shape is fixed: nine lines of characteristics, eight
    // numbered advantages, an empty line after "Inne elementy blokady to:",
    // one line per desk button, five parameter lines.
    const int chars = int(lines.indexOf(headings[0]));
    for (int i = 1; i <= 9; ++i)
        EXPECT_FALSE(lines.value(chars + i).trimmed().isEmpty()) << chars + i;
    const int adv = int(lines.indexOf(headings[1]));
    for (int i = 1; i <= 8; ++i)
        EXPECT_TRUE(lines.value(adv + i).startsWith(QString::number(i) + QStringLiteral(". ")));
    EXPECT_TRUE(lines.value(int(lines.indexOf(headings[3])) + 1).isEmpty());
    const int buttons = int(lines.indexOf(headings[4]));
    const QStringList names = {"Wbl/oWbl", "Poz", "Ko", "dKo", "dPo", "PmStkp"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_TRUE(lines.value(buttons + 1 + i).startsWith(names[i] + QStringLiteral(" ")));
    const int params = int(lines.indexOf(headings[5]));
    for (int i = 1; i <= 5; ++i)
        EXPECT_TRUE(lines.value(params + i).startsWith(QStringLiteral("- ")));
    EXPECT_EQ(params + 6, lines.size() - 1);
    EXPECT_TRUE(lines.value(int(lines.indexOf(headings[2])) + 1).startsWith(QStringLiteral("1. ")));
    EXPECT_GE(lines.indexOf(QRegularExpression(QStringLiteral("Podstawowe elementy to .*"))), 0);
    EXPECT_GE(lines.indexOf(QRegularExpression(QStringLiteral(".* Wykorzystane są jako :"))), 0);
    EXPECT_GE(lines.indexOf(QRegularExpression(
                  QStringLiteral("Przekaźniki pomocnicze typu IRF .* wykorzystane są jako:"))),
        0);
}

} // namespace
