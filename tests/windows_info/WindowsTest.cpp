// The schematic and information windows as the program creates them at
// start-up: pictures read from the current folder, moving between the
// schematics with their menus, error reports, hiding and showing again.
#include "Windows.h"
#include "AboutBox.h"
#include "App.h"
#include "DataFolder.h"
#include "DescriptionWindow.h"
#include "DeskSchematic.h"
#include "EnablingSchematic.h"
#include "ExitAfter.h"
#include "LineSchematic.h"
#include "PermissionSchematic.h"
#include "PicGen.h"
#include "PosterWindow.h"
#include "SimulatorWindow.h"
#include "StartWindow.h"
#include "ZpgSchematic.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <climits>
#include <cstdlib>
#include <map>
#include <ostream>
#include <vector>

QT_BEGIN_NAMESPACE
// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[' << l.join(QStringLiteral(" | ")).toStdString() << ']';
}
QT_END_NAMESPACE

namespace {

using namespace kyt;

// The program's application object, which owns the windows. The pictures
// are looked for in the current folder only, whatever is installed on the
// machine, unless a test names a data folder.
App& app()
{
    qputenv("KYT_DATA_DIR", "");
    static int argc = 1;
    static char name[] = "windows_info_tests";
    static char* argv[] = {name, nullptr};
    static App* a = App::instance() ? App::instance() : new App(argc, argv);
    return *a;
}

SchematicWindow* form(QWidget* w)
{
    return qobject_cast<SchematicWindow*>(w);
}
template <class T>
T* as(QWidget* w)
{
    T* t = qobject_cast<T*>(w);
    if (!t)
        throw std::logic_error("not the expected window class");
    return t;
}

// Runs in a folder of its own, with the chosen picture files in it, and
// records the error reports instead of showing boxes.
class Windows : public ::testing::Test {
protected:
    void SetUp() override
    {
        app();
        ASSERT_TRUE(dir_.isValid());
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        previousReporter_ = setReporter([this](const QString& text) {
            reports_.append(text);
            if (onReport_)
                onReport_(text);
        });
    }
    void TearDown() override
    {
        windows().destroy();
        qputenv("KYT_DATA_DIR", "");
        readDataFolderSetting();
        setReporter(previousReporter_);
        QDir::setCurrent(previousDir_);
    }

    // Writes the named schematic files (all five when none are named) into
    // the current folder or the given one.
    void writePictures(QStringList names = {}, QString folder = {})
    {
        const QDir into(folder.isEmpty() ? dir_.path() : folder);
        for (const auto& f : picgen::schematicFiles())
            if (names.isEmpty() || names.contains(f.fileName))
                picgen::writeFile(into.filePath(f.fileName),
                    picgen::encodeJpeg(picgen::drawSchematic(f.fileName)));
    }

    // Names the data folder as KYT_DATA_DIR does when the program starts.
    static void startWithDataFolder(const QString& folder)
    {
        qputenv("KYT_DATA_DIR", folder.toLocal8Bit());
        readDataFolderSetting();
    }

    // Counts the complete decodes of a window's picture.
    void countDecodes(QWidget* w)
    {
        JpegImage* img = form(w)->JPEGImage1;
        QObject::connect(img, &JpegImage::progress, img, [this, w](int percent) {
            if (percent == 100)
                ++decodes_[w];
        });
    }

    // The item of a schematic window's menu by its caption.
    static QAction* item(QWidget* w, const QString& caption)
    {
        for (QAction* a : form(w)->Schematy1->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }

    QTemporaryDir dir_;
    QString previousDir_;
    Reporter previousReporter_;
    QStringList reports_;
    std::function<void(const QString&)> onReport_;
    std::map<QWidget*, int> decodes_;
};

const WindowId schematics[] = {WindowId::EnablingSchematic, WindowId::LineSchematic,
    WindowId::DeskSchematic, WindowId::ZpgSchematic, WindowId::PermissionSchematic};

TEST_F(Windows, StartupWithoutPicturesReportsThreeFilesInOrder)
{
    windows().create();
    EXPECT_EQ(reports_,
        QStringList({"Cannot open file liniowy.jpg.", "Cannot open file pulpit.jpg.",
            "Cannot open file blok - zwrot.jpg."}));
    // Every window exists all the same, hidden, with its caption.
    const std::pair<QWidget*, const char*> captions[] = {
        {windows().descriptionWindow(), "OPIS BLOKADY"},
        {windows().aboutBox(), "INFORMACJA  O PROGRAMIE"},
        {windows().posterWindow(), "Takiemu to dobrze"}, {windows().enablingSchematic(), "olin"},
        {windows().lineSchematic(), "linia"}, {windows().deskSchematic(), "Obwody lampek pulpitu"},
        {windows().zpgSchematic(), "zpg"}, {windows().permissionSchematic(), "Zwrot pozwolenia"}};
    for (auto [w, caption] : captions) {
        ASSERT_NE(w, nullptr) << caption;
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(caption));
        EXPECT_FALSE(w->isVisible()) << caption;
    }
    EXPECT_EQ(form(windows().enablingSchematic())->JPEGImage1->picture().size(), QSize(795, 1064));
    for (QWidget* w : {windows().lineSchematic(), windows().deskSchematic(),
             windows().zpgSchematic(), windows().permissionSchematic()})
        EXPECT_TRUE(form(w)->JPEGImage1->picture().isNull()) << w->windowTitle().toStdString();

    // olin and zpg try again at every showing.
    reports_.clear();
    showWindow(windows().enablingSchematic());
    EXPECT_EQ(reports_, QStringList({"Cannot open file obwody.jpg."}));
    EXPECT_TRUE(windows().enablingSchematic()->isVisible())
        << "the error box must not hide the window";
    EXPECT_EQ(form(windows().enablingSchematic())->JPEGImage1->picture().size(), QSize(795, 1064));
    as<EnablingSchematic>(windows().enablingSchematic())->ZPG1Click();
    EXPECT_FALSE(windows().enablingSchematic()->isVisible());
    EXPECT_TRUE(windows().zpgSchematic()->isVisible());
    as<ZpgSchematic>(windows().zpgSchematic())->Wizwblokady1Click();
    EXPECT_EQ(reports_,
        QStringList({"Cannot open file obwody.jpg.", "Cannot open file zpg.jpg.",
            "Cannot open file obwody.jpg."}));
}

TEST_F(Windows, StartupInTwoStepsReportsBeforeTheStartWindowAndBuildsTheRestLater)
{
    writePictures({"liniowy.jpg"});
    windows().createForStart();
    // The reports of the files read at creation come first, in order.
    EXPECT_EQ(reports_,
        QStringList({"Cannot open file pulpit.jpg.", "Cannot open file blok - zwrot.jpg."}));
    ASSERT_NE(windows().startWindow(), nullptr);
    for (WindowId id :
        {WindowId::LineSchematic, WindowId::DeskSchematic, WindowId::PermissionSchematic})
        EXPECT_NE(windows().window(id), nullptr) << int(id);
    EXPECT_EQ(form(windows().lineSchematic())->JPEGImage1->picture().size(), QSize(769, 812));
    for (WindowId id : {WindowId::Simulator, WindowId::Description, WindowId::About,
             WindowId::Poster, WindowId::EnablingSchematic, WindowId::ZpgSchematic})
        EXPECT_EQ(windows().window(id), nullptr) << int(id);
    EXPECT_FALSE(windows().allCreated());

    // "Chętnie się pouczę." before the rest was built builds it and opens
    // the simulator.
    QWidget* line = windows().lineSchematic();
    windows().startWindow()->stClick();
    ASSERT_TRUE(windows().allCreated());
    for (std::size_t i = 0; i < kyt::Windows::count; ++i)
        EXPECT_NE(windows().window(WindowId(i)), nullptr) << i;
    EXPECT_TRUE(windows().simulatorWindow()->isVisible());
    EXPECT_EQ(windows().lineSchematic(), line) << "no window is created twice";
    EXPECT_EQ(reports_.size(), 2) << reports_.join(' ').toStdString();
    windows().createRest();
    EXPECT_EQ(windows().lineSchematic(), line);
}

TEST(IdleWatch, CallsBackOnlyOnceEveryPostedEventAndRepaintIsDone)
{
    app();
    QWidget w;
    w.resize(40, 30);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    int paints = 0;
    struct Counter : QObject {
        int* paints;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++*paints;
            return false;
        }
    } counter;
    counter.paints = &paints;
    w.installEventFilter(&counter);
    bool chained = false, idle = false;
    // A deferred call that itself defers a repaint.
    QMetaObject::invokeMethod(
        &w,
        [&] {
            chained = true;
            w.update();
        },
        Qt::QueuedConnection);
    QEventLoop loop;
    IdleWatch watch([&] {
        idle = true;
        EXPECT_TRUE(chained);
        EXPECT_EQ(paints, 1) << "the repaint asked for last must be done first";
        loop.quit();
    });
    EXPECT_FALSE(idle) << "only from the event loop";
    loop.exec();
    EXPECT_TRUE(idle);
}

TEST_F(Windows, DataFolderIsSearchedAfterTheCurrentFolderUnlessSwitchedOff)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    writePictures({"obwody.jpg", "zpg.jpg"}, data.path());
    writePictures({"zpg.jpg"});

    startWithDataFolder(data.path());
    EXPECT_EQ(dataFolder(), data.path());
    EXPECT_EQ(dataFilePath("obwody.jpg"), QDir(data.path()).filePath("obwody.jpg"));
    EXPECT_EQ(dataFilePath("zpg.jpg"), "zpg.jpg") << "the current folder comes first";
    EXPECT_EQ(dataFilePath("pulpit.jpg"), "pulpit.jpg") << "in neither folder: named as always";

    // Set and empty: the current folder only.
    startWithDataFolder(QString());
    EXPECT_TRUE(dataFolder().isEmpty());
    EXPECT_EQ(dataFilePath("obwody.jpg"), "obwody.jpg");

    // Not set: the folder the pictures are installed to.
    qunsetenv("KYT_DATA_DIR");
    readDataFolderSetting();
    EXPECT_EQ(dataFolder(), installedDataFolder());
    EXPECT_TRUE(QDir::isAbsolutePath(installedDataFolder()));
    EXPECT_TRUE(installedDataFolder().endsWith("/kyt")) << installedDataFolder().toStdString();
}

TEST_F(Windows, SchematicsFoundInTheDataFolderWhenTheCurrentFolderLacksThem)
{
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    writePictures({}, data.path());
    startWithDataFolder(data.path());
    windows().create();
    EXPECT_TRUE(reports_.isEmpty()) << reports_.join(' ').toStdString();
    EXPECT_EQ(form(windows().lineSchematic())->JPEGImage1->picture().size(), QSize(769, 812));
    EXPECT_EQ(form(windows().deskSchematic())->JPEGImage1->picture().size(), QSize(732, 876));
    EXPECT_EQ(
        form(windows().permissionSchematic())->JPEGImage1->picture().size(), QSize(745, 1008));
    showWindow(windows().enablingSchematic());
    EXPECT_TRUE(reports_.isEmpty()) << reports_.join(' ').toStdString();
    EXPECT_EQ(form(windows().enablingSchematic())->JPEGImage1->picture().size(), QSize(757, 957));
    windows().destroy();

    // KYT_DATA_DIR= switches the data folder off: the same start reports the
    // three files read at creation as missing.
    startWithDataFolder(QString());
    windows().create();
    EXPECT_EQ(reports_,
        QStringList({"Cannot open file liniowy.jpg.", "Cannot open file pulpit.jpg.",
            "Cannot open file blok - zwrot.jpg."}));
}

TEST_F(Windows, PicturesAreReadAtCreationOrAtEveryShowing)
{
    writePictures();
    windows().create();
    EXPECT_TRUE(reports_.isEmpty()) << reports_.join(' ').toStdString();
    EXPECT_EQ(form(windows().lineSchematic())->JPEGImage1->picture().size(), QSize(769, 812));
    EXPECT_EQ(form(windows().deskSchematic())->JPEGImage1->picture().size(), QSize(732, 876));
    EXPECT_EQ(
        form(windows().permissionSchematic())->JPEGImage1->picture().size(), QSize(745, 1008));
    // Not read before the first showing.
    EXPECT_EQ(form(windows().enablingSchematic())->JPEGImage1->picture().size(), QSize(795, 1064));
    EXPECT_TRUE(form(windows().zpgSchematic())->JPEGImage1->picture().isNull());

    for (WindowId id : schematics)
        countDecodes(windows().window(id));
    showWindow(windows().deskSchematic());
    as<DeskSchematic>(windows().deskSchematic())->ZPG1Click(); // "ZPG" in the desk lamps window
    EXPECT_TRUE(windows().zpgSchematic()->isVisible());
    EXPECT_FALSE(windows().deskSchematic()->isVisible());
    EXPECT_EQ(decodes_[windows().zpgSchematic()], 1);
    EXPECT_EQ(form(windows().zpgSchematic())->JPEGImage1->picture().size(), QSize(721, 863));
    as<ZpgSchematic>(windows().zpgSchematic())->Liniowy1Click();
    as<LineSchematic>(windows().lineSchematic())->ZPG1Click();
    EXPECT_EQ(decodes_[windows().zpgSchematic()], 2);
    EXPECT_EQ(decodes_[windows().lineSchematic()], 0) << "linia reads its file only once";
    as<ZpgSchematic>(windows().zpgSchematic())->Wizwblokady1Click();
    EXPECT_EQ(decodes_[windows().enablingSchematic()], 1);
    EXPECT_EQ(form(windows().enablingSchematic())->JPEGImage1->picture().size(), QSize(757, 957));

    // A file replaced by one that is no JPEG: the error is reported and the
    // picture stays.
    as<EnablingSchematic>(windows().enablingSchematic())->Zwrotpoz1Click();
    QFile bad(dir_.filePath(QStringLiteral("obwody.jpg")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bad.write("BM this is a bitmap header, not a JPEG file");
    bad.close();
    const QImage before = form(windows().enablingSchematic())->JPEGImage1->picture();
    as<PermissionSchematic>(windows().permissionSchematic())->Obw1Click();
    ASSERT_EQ(reports_.size(), 1);
    EXPECT_TRUE(reports_[0].startsWith("Not a JPEG file")) << reports_[0].toStdString();
    EXPECT_TRUE(reports_[0].endsWith(".")) << reports_[0].toStdString();
    EXPECT_EQ(form(windows().enablingSchematic())->JPEGImage1->picture(), before);
    EXPECT_TRUE(windows().enablingSchematic()->isVisible());
}

TEST_F(Windows, EveryMenuItemShowsItsTargetAndHidesItsWindow)
{
    writePictures();
    windows().create();
    const std::map<QWidget*, QStringList> captions = {
        {windows().enablingSchematic(), {"Liniowy", "ZPG", "Pulpit", "Zwrot poz"}},
        {windows().lineSchematic(), {"Wł. i zw. blokady", "ZPG", "Pulpit", "Zwrot poz"}},
        {windows().deskSchematic(), {"Wł. i zw. blokady", "Liniowy", "ZPG", "Zwrot poz."}},
        {windows().zpgSchematic(), {"Wł. i zw. blokady", "Liniowy", "Pulpit", "Zwrot poz."}},
        {windows().permissionSchematic(), {"liniowy", "ZPG", "Pulpit", "Włączenia i zw."}},
    };
    const std::map<QString, QWidget*> targets = {{"Liniowy", windows().lineSchematic()},
        {"liniowy", windows().lineSchematic()}, {"ZPG", windows().zpgSchematic()},
        {"Pulpit", windows().deskSchematic()}, {"Zwrot poz", windows().permissionSchematic()},
        {"Zwrot poz.", windows().permissionSchematic()},
        {"Wł. i zw. blokady", windows().enablingSchematic()},
        {"Włączenia i zw.", windows().enablingSchematic()}};
    for (auto& [source, expected] : captions) {
        QMenuBar* bar = form(source)->menuBar();
        ASSERT_EQ(bar->actions().size(), 1);
        EXPECT_EQ(bar->actions()[0]->text(), QStringLiteral("Schematy"));
        QStringList shown;
        for (QAction* a : form(source)->Schematy1->actions()) {
            shown.append(a->text());
            EXPECT_TRUE(a->shortcut().isEmpty());
        }
        EXPECT_EQ(shown, expected) << source->windowTitle().toStdString();
        for (const QString& caption : expected) {
            SCOPED_TRACE((source->windowTitle() + " > " + caption).toStdString());
            showWindow(source);
            ASSERT_TRUE(source->isVisible());
            item(source, caption)->trigger();
            QWidget* target = targets.at(caption);
            EXPECT_TRUE(target->isVisible());
            EXPECT_FALSE(source->isVisible());
            int visible = 0;
            for (WindowId id : schematics)
                visible += windows().window(id)->isVisible();
            EXPECT_EQ(visible, 1);
            target->hide();
        }
    }
    EXPECT_TRUE(reports_.isEmpty());
}

TEST_F(Windows, SourceHidesBeforeTheTargetReadsItsPicture)
{
    writePictures({"liniowy.jpg", "pulpit.jpg", "blok - zwrot.jpg"});
    windows().create();
    bool sourceVisible = true, targetVisible = false;
    onReport_ = [&](const QString&) {
        sourceVisible = windows().lineSchematic()->isVisible();
        targetVisible = windows().zpgSchematic()->isVisible();
    };
    showWindow(windows().lineSchematic());
    as<LineSchematic>(windows().lineSchematic())->ZPG1Click();
    ASSERT_EQ(reports_, QStringList({"Cannot open file zpg.jpg."}));
    EXPECT_FALSE(sourceVisible);
    EXPECT_TRUE(targetVisible);
}

TEST_F(Windows, SchematicHidesWhenAnotherProgramWindowBecomesActive)
{
    writePictures();
    windows().create();
    countDecodes(windows().zpgSchematic());
    ASSERT_NE(windows().simulatorWindow(), nullptr);
    QWidget* simulator = windows().simulatorWindow();
    simulator->show();
    showWindow(windows().zpgSchematic());
    QApplication::setActiveWindow(windows().zpgSchematic());
    ASSERT_TRUE(windows().zpgSchematic()->isVisible());

    // A window that is not one of the program's (an error box, say).
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    EXPECT_TRUE(windows().zpgSchematic()->isVisible());
    QApplication::setActiveWindow(windows().zpgSchematic());
    EXPECT_EQ(decodes_[windows().zpgSchematic()], 1)
        << "coming back from a box reads the file again";

    // Clicking into the simulator window.
    QApplication::setActiveWindow(simulator);
    EXPECT_FALSE(windows().zpgSchematic()->isVisible());
    EXPECT_TRUE(simulator->isVisible());
    // Shown again from the simulator: the same window, read again.
    QWidget* const before = windows().zpgSchematic();
    showWindow(windows().zpgSchematic());
    EXPECT_EQ(windows().zpgSchematic(), before);
    EXPECT_TRUE(windows().zpgSchematic()->isVisible());
    EXPECT_EQ(decodes_[windows().zpgSchematic()], 2);
    EXPECT_EQ(form(windows().zpgSchematic())->JPEGImage1->picture().size(), QSize(721, 863));

    // Closed by its close box, then shown again: read again.
    windows().zpgSchematic()->close();
    showWindow(windows().zpgSchematic());
    EXPECT_EQ(decodes_[windows().zpgSchematic()], 3);

    // The information windows stay when the simulator becomes active.
    showWindow(windows().descriptionWindow());
    QApplication::setActiveWindow(windows().descriptionWindow());
    QApplication::setActiveWindow(simulator);
    EXPECT_TRUE(windows().descriptionWindow()->isVisible());
}

TEST_F(Windows, SchematicScrollsOverItsPictureAtNaturalSize)
{
    writePictures();
    windows().create();
    SchematicWindow* w = form(windows().permissionSchematic());
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    const QRect pic = w->JPEGImage1->geometry();
    EXPECT_EQ(pic, QRect(18, 1, 745, 1008));
    EXPECT_EQ(form(windows().lineSchematic())->JPEGImage1->geometry(), QRect(10, -6, 769, 812));
    showWindow(w);
    w->setWindowState(Qt::WindowNoState);
    w->resize(400, 300);
    QApplication::processEvents();
    QScrollArea* scroll = w->scrollArea();
    EXPECT_GE(scroll->widget()->height(), 1009);
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(scroll->horizontalScrollBar()->maximum(), 0);
    // Drawn from the control's top-left corner, not stretched.
    const QImage shot = w->JPEGImage1->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(745, 1008));
    const QImage pixel = w->JPEGImage1->picture().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.convertToFormat(QImage::Format_RGB32).pixel(30, 30), pixel.pixel(30, 30));
}

TEST_F(Windows, DescriptionIsReadOnlyAndKeepsItsPlace)
{
    windows().create();
    auto* d = qobject_cast<DescriptionWindow*>(windows().descriptionWindow());
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->windowState() & Qt::WindowMaximized);
    QTextEdit* edit = d->RichEdit1;
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->document()->blockCount(), 82);
    EXPECT_EQ(edit->document()->firstBlock().text(), QStringLiteral("Opis blokady Kyt."));
    EXPECT_EQ(edit->font().pixelSize(), 16);
    EXPECT_EQ(edit->geometry(), QRect(1, 1, 774, 537));
    EXPECT_EQ(d->Panel1->geometry(), QRect(14, 3, 776, 539));

    showWindow(d);
    QApplication::processEvents();
    QScrollBar* bar = edit->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the text must be scrollable";
    // Typing changes nothing.
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("xyz"));
    EXPECT_EQ(edit->document()->blockCount(), 82);
    EXPECT_EQ(edit->document()->firstBlock().text(), QStringLiteral("Opis blokady Kyt."));

    bar->setValue(bar->maximum() / 2);
    const int place = bar->value();
    d->close();
    EXPECT_FALSE(d->isVisible());
    showWindow(d);
    QApplication::processEvents();
    EXPECT_EQ(windows().descriptionWindow(), d);
    EXPECT_EQ(bar->value(), place);
}

TEST_F(Windows, AboutBoxShowsCentredAndOkHidesIt)
{
    windows().create();
    auto* box = qobject_cast<AboutBox*>(windows().aboutBox());
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->size(), QSize(341, 289));
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(Qt::black));
    const QStringList texts = {"Symulacja działania blokady liniowej typu Kyt", "WERSJA :  3.00",
        "Strona domowa programu :", "ZAPRASZAM", "Wersja szkoleniowa"};
    for (const char* name : {"Nazwa", "Label3", "Label1", "Label4", "Label5"})
        EXPECT_TRUE(texts.contains(layout::caption(box->controls().get(QString::fromLatin1(name)))))
            << name;

    showWindow(box);
    QApplication::processEvents();
    ASSERT_TRUE(box->isVisible());
    const QPoint centre = box->screen()->availableGeometry().center();
    EXPECT_LE((box->frameGeometry().center() - centre).manhattanLength(), 4);

    QWidget* ok = box->controls().get(QStringLiteral("Button3D1"));
    EXPECT_EQ(ok->geometry(), QRect(135, 257, 75, 25));
    QTest::mouseClick(ok, Qt::LeftButton, {}, QPoint(37, 12));
    EXPECT_FALSE(box->isVisible());
    showWindow(box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(windows().aboutBox(), box);
}

// The ink of a caption as drawn: the columns and the lines (runs of rows) of
// the pixels within a band of rows that stand out from the background.
struct Ink {
    struct Line {
        int top, bottom, left, right; // inclusive
    };
    std::vector<Line> lines;
    int left() const
    {
        int v = INT_MAX;
        for (const Line& l : lines)
            v = std::min(v, l.left);
        return v;
    }
    int right() const
    {
        int v = INT_MIN;
        for (const Line& l : lines)
            v = std::max(v, l.right);
        return v;
    }
};

bool isInk(QColor c, QColor background)
{
    return std::abs(c.red() - background.red()) + std::abs(c.green() - background.green())
        + std::abs(c.blue() - background.blue())
        > 90;
}

// Scans rows top to bottom - 1 between columns from and to - 1.
Ink inkOf(const QImage& img, int top, int bottom, int from, int to, QColor background)
{
    Ink ink;
    bool inLine = false;
    for (int y = top; y < bottom; ++y) {
        int l = INT_MAX, r = INT_MIN;
        for (int x = from; x < to; ++x)
            if (isInk(img.pixelColor(x, y), background)) {
                l = std::min(l, x);
                r = std::max(r, x);
            }
        if (l == INT_MAX) {
            inLine = false;
            continue;
        }
        if (!inLine)
            ink.lines.push_back({y, y, l, r});
        Ink::Line& line = ink.lines.back();
        line.bottom = y;
        line.left = std::min(line.left, l);
        line.right = std::max(line.right, r);
        inLine = true;
    }
    return ink;
}

TEST_F(Windows, AboutBoxLabelsStandAtTheirPlacesWithTheirAlignment)
{
    windows().create();
    auto* box = qobject_cast<AboutBox*>(windows().aboutBox());
    ASSERT_NE(box, nullptr);
    const QImage shot = box->grab().toImage();
    const QColor panel(128, 128, 255), aqua(0, 255, 255);
    const QPoint origin(7, 7); // Panel1 in the box
    const std::map<QString, bool> centred = {{"Nazwa", true}, {"Label1", true}, {"Label5", true},
        {"Label2", false}, {"Label3", false}, {"Label4", false}};
    int checked = 0;
    for (const layout::Row& row : AboutBox::table()) {
        if (row.cls != QLatin1String("Label"))
            continue;
        const std::string name = row.name.toStdString();
        auto* l = qobject_cast<QLabel*>(box->controls().get(row.name));
        ASSERT_NE(l, nullptr) << name;
        const QRect listed(row.left, row.top, row.width, row.height);
        EXPECT_EQ(l->geometry(), listed) << name;
        const QRect place = listed.translated(origin);
        const bool wrapped = row.name == QLatin1String("Nazwa");
        const QColor background = wrapped ? aqua : panel;
        // Scanned across the whole panel, so that ink outside the place shows;
        // beside Nazwa's own background only the panel's colour may show.
        const int panelLeft = origin.x() + 2, panelRight = origin.x() + 321;
        const Ink ink = wrapped
            ? inkOf(
                shot, place.top(), place.bottom() + 1, place.left(), place.right() + 1, background)
            : inkOf(shot, place.top(), place.bottom() + 1, panelLeft, panelRight, background);
        if (wrapped) {
            EXPECT_TRUE(inkOf(shot, place.top(), place.bottom() + 1, panelLeft, place.left(), panel)
                            .lines.empty());
            EXPECT_TRUE(
                inkOf(shot, place.top(), place.bottom() + 1, place.right() + 1, panelRight, panel)
                    .lines.empty());
        }
        if (row.caption.isEmpty()) {
            EXPECT_TRUE(ink.lines.empty()) << name;
            continue;
        }
        ++checked;
        ASSERT_FALSE(ink.lines.empty()) << name;
        EXPECT_GE(ink.left(), place.left()) << name;
        EXPECT_LE(ink.right(), place.right()) << name;
        for (const Ink::Line& line : ink.lines) {
            const double middle = (line.left + line.right + 1) / 2.0;
            if (centred.at(row.name))
                EXPECT_NEAR(middle, place.left() + place.width() / 2.0, 1.5)
                    << name << " line at " << line.top;
            else
                EXPECT_LE(line.left - place.left(), 2) << name;
        }
        const int advance = l->fontMetrics().horizontalAdvance(row.caption);
        if (!wrapped) {
            EXPECT_EQ(ink.lines.size(), 1u) << name;
            // Nothing cut off: the ink is as wide as the caption (less the
            // letters' side bearings).
            EXPECT_GE(ink.right() - ink.left() + 1, advance - 4) << name;
            continue;
        }
        // Nazwa: its aqua background fills exactly its place, and the caption
        // breaks into centred lines inside it, none of them cut off.
        EXPECT_EQ(shot.pixelColor(place.topLeft()), aqua);
        EXPECT_EQ(shot.pixelColor(place.bottomRight()), aqua);
        EXPECT_NE(shot.pixelColor(place.topRight() + QPoint(1, 0)), aqua);
        EXPECT_NE(shot.pixelColor(place.bottomLeft() + QPoint(0, 1)), aqua);
        EXPECT_NE(shot.pixelColor(place.bottomLeft() + QPoint(-1, 0)), aqua);
        ASSERT_EQ(ink.lines.size(), 2u) << "Symulacja działania blokady / liniowej typu Kyt";
        EXPECT_GT(ink.lines[1].top, ink.lines[0].bottom);
        EXPECT_LE(ink.lines[1].bottom, place.bottom() - 2)
            << "the second line is not cut off below";
        int inked = 0;
        for (const Ink::Line& line : ink.lines)
            inked += line.right - line.left + 1;
        const int space = l->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        EXPECT_NEAR(inked + space, advance, 8) << "every word shows";
    }
    EXPECT_EQ(checked, 6);
}

TEST_F(Windows, PosterWindowAtItsPlace)
{
    windows().create();
    auto* z = qobject_cast<PosterWindow*>(windows().posterWindow());
    ASSERT_NE(z, nullptr);
    EXPECT_FALSE(z->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(z->pos(), QPoint(200, 67));
    EXPECT_EQ(z->palette().color(QPalette::Window), QColor(64, 0, 64));
    EXPECT_EQ(z->Image1->geometry(), QRect(8, 8, 287, 428));
    const QImage shot = z->grab().toImage();
    EXPECT_EQ(shot.pixelColor(3, 3), QColor(64, 0, 64));
    EXPECT_NE(shot.pixelColor(20, 20), QColor(64, 0, 64)) << "the poster is missing";

    showWindow(z);
    z->close();
    EXPECT_FALSE(z->isVisible());
    showWindow(z);
    showWindow(z); // a second click while open
    EXPECT_TRUE(z->isVisible());
    EXPECT_EQ(windows().posterWindow(), z);
}

} // namespace
