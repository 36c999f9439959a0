// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Start-up: both layouts of the window, the screen width, and the seed of
// the random generator taken from the clock.

#include "support/window_fixture.h"

#include "answer/canvas_press.h"
#include "app/accessibility.h"
#include "app/look.h"
#include "app/start_up.h"
#include "app/widgets.h"
#include "app/window_icon.h"
#include "engine/colors.h"
#include "engine/page.h"

#include <QFontInfo>
#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// A control by its array and index.
struct ControlOf {
    const char* array;
    int index;
};

struct Expected {
    QRect geometry;
    int fontPixels;
    bool shown;  // not hidden by itself; inside a hidden canvas it shows with the canvas
};

QRect optionGeometry(bool large, int i)
{
    if (large)
        return QRect(34, 50 * i + 90, i == 2 ? 801 : 805, 37);
    return QRect(35, 40 * i + 80, 700, 28);
}

// One row of data per level, 1 to 10, in the column "level".
void everyLevel()
{
    QTest::addColumn<int>("level");
    for (int level = 1; level <= LevelCount; ++level)
        QTest::newRow(qPrintable(QStringLiteral("level %1").arg(level))) << level;
}

// The window's named controls, those of the menu and of the canvases.
int namedControls(const QWidget& window)
{
    int named = 0;
    for (const QWidget* widget : window.findChildren<QWidget*>())
        named += widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_") ? 0 : 1;
    return named;
}

// Whether any control of a canvas is built: its "終わる" button, and the
// answer box, keypad and check button of row 1 on canvas 0.
bool canvasBuilt(const QWidget& window, int canvas)
{
    QStringList names{controlName("Command8", canvas), controlName("Command5", checkButtonOfRow(1, canvas)),
                      controlName("Picture2", canvas), controlName("Label1", canvas)};
    if (canvas == 0)
        names << controlName("Text1", 0) << controlName("Picture6", 0) << controlName("Command6", 0);
    for (const QString& name : names) {
        if (window.findChild<QWidget*>(name) != nullptr)
            return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(ControlOf)

class TestStartUp : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void windowHasItsCaptionClientAreaAndIcon();
    void eachLevelOptionShowsItsCaption_data();
    void eachLevelOptionShowsItsCaption();
    void picturesLoadAndAreHiddenInTheSmallLayoutOnly_data();
    void picturesLoadAndAreHiddenInTheSmallLayoutOnly();
    void smallLayoutFitsAScreen800By600();
    void firstDecideShowsTheSamePageBeforeTheFirstFrameWork_data();
    void firstDecideShowsTheSamePageBeforeTheFirstFrameWork();
    void pageOpenedAgainAfterADrillIsTheFreshPage_data();
    void pageOpenedAgainAfterADrillIsTheFreshPage();
    void layoutFitsTheScreensFreeArea_data();
    void layoutFitsTheScreensFreeArea();
    void hiddenCanvasesDrawAtTheirLayoutSize_data();
    void hiddenCanvasesDrawAtTheirLayoutSize();
    void screenWidthRoundsHalfToEven_data();
    void screenWidthRoundsHalfToEven();
    void seedFromClock_data();
    void seedFromClock();
    void sameClockGivesTheSameProblems();
    void buttonsShowTheirBackColours_data();
    void buttonsShowTheirBackColours();
    void controlArraysAreNamedByIndex_data();
    void controlArraysAreNamedByIndex();
    void controlNamesAreUnique();
    void canvasControlsWaitForTheFirstFrame();
    void aDrillBuildsTheControlsOfItsCanvasOnly_data();
    void aDrillBuildsTheControlsOfItsCanvasOnly();
    void picturesHeldWithAColourTableShowTheirPixels_data();
    void picturesHeldWithAColourTableShowTheirPixels();
    void iconReadWhenAskedGivesWhatTheHeldIconGives_data();
    void iconReadWhenAskedGivesWhatTheHeldIconGives();
};

void TestStartUp::layout_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<ControlOf>("control");
    QTest::addColumn<Expected>("expected");

    for (const int width : {999, 1000}) {
        const bool large = width >= 1000;
        const char* name = large ? "large" : "small";
        auto row = [&](ControlOf control, Expected expected) {
            QTest::addRow("%s: %s(%d)", name, control.array, control.index) << width << control << expected;
        };
        row({"Command1", 0}, {QRect(20, 4, 153, 41), 35, true});
        row({"Picture7", 0}, {QRect(4, 54, large ? 1013 : 794, large ? 685 : 520), 35, true});
        row({"Picture1", 0}, {QRect(0, 0, large ? 1009 : 786, large ? 741 : 530), 32, false});
        row({"Picture1", 1}, {QRect(0, 0, large ? 1009 : 786, large ? 737 : 530), 32, false});
        row({"Command10", 0}, {QRect(large ? 816 : 610, 8, 89, 41), 19, true});
        row({"Command2", 0}, {QRect(large ? 912 : 700, 8, 89, 41), 21, true});
        for (int i = 0; i < LevelCount; ++i)
            row({"Option2", i}, {optionGeometry(large, i), 21, true});
        for (int c = 0; c < 2; ++c) {
            row({"Label1", c}, {QRect(16, 8, 368, 37), 32, true});
            row({"Command8", c}, {QRect(c == 0 ? 584 : 576, 12, 137, 37), 29, true});
        }
        for (int r = 0; r < 3; ++r) {
            row({"Text1", r}, {QRect(588, 148 + 220 * r, 93, 40), 32, false});
            row({"Command5", r}, {QRect(568, 232 + 220 * r, 101, 39), 24, false});
            row({"Command5", 5 - r}, {QRect(608, 220 + 220 * r, 101, 39), 24, false});
            row({"Picture6", r}, {QRect(96, 232 + 220 * r, 465, 41), 32, false});
            row({"Command11", r}, {QRect(360, 0, 37, 37), 32, true});
            row({"Command7", r}, {QRect(396, 0, 65, 37), 19, true});
        }
        // Digit d of strip p: index d in strip 0, 19 - d in strip 1, 29 - d in strip 2.
        for (const auto& [index, digit] : {std::pair{0, 0}, {9, 9}, {19, 0}, {10, 9}, {29, 0}, {20, 9}, {14, 5}})
            row({"Command6", index}, {QRect(36 * digit, 0, 37, 37), 32, true});
        row({"Picture3", 0}, {QRect(768, 44, 226, 239), 24, large});
        row({"Picture2", 0}, {QRect(800, 296, 173, 190), 24, true});
        row({"Picture4", 0}, {QRect(772, 504, 213, 227), 24, true});
        row({"Picture3", 1}, {QRect(776, 44, 226, 239), 24, large});
        row({"Picture2", 1}, {QRect(804, 300, 173, 190), 24, true});
        row({"Picture4", 1}, {QRect(772, 500, 213, 227), 24, true});
    }
}

void TestStartUp::layout()
{
    QFETCH(int, screenWidth);
    QFETCH(ControlOf, control);
    QFETCH(Expected, expected);
    WindowFixture fx(screenWidth);
    QWidget* widget = fx.control<QWidget>(control.array, control.index);
    QCOMPARE(widget->geometry(), expected.geometry);
    QCOMPARE(widget->font().pixelSize(), expected.fontPixels);
    QCOMPARE(!widget->isHidden(), expected.shown);
}

void TestStartUp::windowHasItsCaptionClientAreaAndIcon()
{
    WindowFixture fx(1024);
    QCOMPARE(fx.window->windowTitle(), QStringLiteral("ポムル Ver1.0.1"));
    QCOMPARE(fx.window->size(), QSize(1018, 743));
    QVERIFY(!fx.window->windowIcon().isNull());
    // The 16 × 16 icon, and, once the first frame is shown, larger
    // renderings of it for docks.
    QCOMPARE(fx.window->windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
    QTRY_COMPARE(fx.window->windowIcon().availableSizes().size(), 8);
    const QIcon icon = fx.window->windowIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}}));
    QCOMPARE(icon.pixmap(QSize(16, 16)).toImage(), QImage(QStringLiteral(":/assets/icon16.png")).convertToFormat(icon.pixmap(QSize(16, 16)).toImage().format()));
    for (const QSize size : icon.availableSizes())
        QCOMPARE(icon.pixmap(size).size(), size);
    QCOMPARE(fx.state().LevelNo, std::int16_t(0));
    QCOMPARE(fx.state().ScreenWidthPixels, std::int16_t(1024));
    // The title of the level panel shrinks with its font in the small layout.
    QCOMPARE(fx.control<QLabel>("Label2", 0)->pos(), QPoint(12, 16));
    QCOMPARE(QFontInfo(fx.control<QLabel>("Label2", 0)->font()).family(), QStringLiteral("IPAPMincho"));
    QCOMPARE(QFontInfo(fx.control<QRadioButton>("Option2", 0)->font()).family(), QStringLiteral("IPAGothic"));
    QVERIFY(fx.control<QLabel>("Label2", 0)->width() > WindowFixture(999).control<QLabel>("Label2", 0)->width());
    for (QRadioButton* option : fx.controls<QRadioButton>("Option2"))
        QVERIFY(!option->isChecked());
}

void TestStartUp::eachLevelOptionShowsItsCaption_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    const QStringList captions{
        QStringLiteral("L01 水のかさは、何ﾘｯﾄﾙですか？"),
        QStringLiteral("L02 長さは、何ｍですか？"),
        QStringLiteral("L03 次の長さを、ぬりましょう。"),
        QStringLiteral("L04 数直線のあたいを読みましょう。"),
        QStringLiteral("L05 0.1をいくつあつめた数"),
        QStringLiteral("L06 0.1が□このあたいはいくつでしょう。"),
        QStringLiteral("L07 どちらが　大きい？"),
        QStringLiteral("L08 たし算をしましょう。"),
        QStringLiteral("L09 ひき算をしましょう。"),
        QStringLiteral("L10 計算をしましょう。"),
    };
    for (int i = 0; i < int(captions.size()); ++i)
        QTest::addRow("Option2(%d)", i) << i << captions[i];
}

void TestStartUp::eachLevelOptionShowsItsCaption()
{
    // The option chooses LevelNo = index + 1, so its caption must be that level's.
    QFETCH(int, index);
    QFETCH(QString, caption);
    WindowFixture fx;
    QCOMPARE(fx.control<QRadioButton>("Option2", index)->text(), caption);
    fx.click(fx.control<QRadioButton>("Option2", index));
    QCOMPARE(int(fx.state().LevelNo), index + 1);
}

void TestStartUp::picturesLoadAndAreHiddenInTheSmallLayoutOnly_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::newRow("small") << 999;
    QTest::newRow("large") << 1000;
}

void TestStartUp::picturesLoadAndAreHiddenInTheSmallLayoutOnly()
{
    QFETCH(int, screenWidth);
    WindowFixture fx(screenWidth);
    for (int c = 0; c < 2; ++c) {
        // The pictures are decoded when their canvas is first shown.
        fx.control<CanvasWidget>("Picture1", c)->show();
        for (QLabel* picture : {fx.control<PictureBox>("Picture2", c), fx.control<PictureBox>("Picture3", c),
                                fx.control<PictureBox>("Picture4", c)}) {
            if (picture->isHidden())
                continue;  // the boy of the small layout
            // A missing picture or GIF reader leaves the box empty.
            QVERIFY(!picture->pixmap().isNull());
            QCOMPARE(picture->pixmap().size(), picture->size());
        }
        QCOMPARE(fx.control<PictureBox>("Picture3", c)->isHidden(), screenWidth < 1000);
        QVERIFY(!fx.control<PictureBox>("Picture2", c)->isHidden());
        QVERIFY(!fx.control<PictureBox>("Picture4", c)->isHidden());
    }
}

void TestStartUp::smallLayoutFitsAScreen800By600()
{
    WindowFixture fx(999);
    QVERIFY(fx.window->width() <= 800);
    QVERIFY(fx.window->height() <= 600 - 24);  // room for a title bar
    const QRect client = fx.window->rect();
    QVERIFY(client.contains(fx.control<QWidget>("Picture7", 0)->geometry()));
    QVERIFY(client.contains(QRect(QPoint(8, 8), fx.control<CanvasWidget>("Picture1", 0)->size())));
    QVERIFY(client.contains(QRect(QPoint(8, 8), fx.control<CanvasWidget>("Picture1", 1)->size())));
}

void TestStartUp::firstDecideShowsTheSamePageBeforeTheFirstFrameWork_data()
{
    everyLevel();
}

void TestStartUp::firstDecideShowsTheSamePageBeforeTheFirstFrameWork()
{
    // What waits until after the first frame (the pictures, the larger
    // icons) is there whenever "けってい" comes: a pupil who decides before
    // that work has run sees the very page of one who decides after it.
    QFETCH(int, level);
    QImage early;
    {
        WindowFixture fx;
        QCOMPARE(fx.window->windowIcon().availableSizes().size(), 1);  // not run yet
        fx.platform.generator.reseed(7);
        fx.openLevel(level);
        early = fx.window->grab().toImage();
    }
    QImage late;
    {
        WindowFixture fx;
        QTRY_COMPARE(fx.window->windowIcon().availableSizes().size(), 8);  // run
        fx.platform.generator.reseed(7);
        fx.openLevel(level);
        late = fx.window->grab().toImage();
    }
    QVERIFY(!early.isNull());
    QVERIFY(early == late);
}

void TestStartUp::pageOpenedAgainAfterADrillIsTheFreshPage_data()
{
    firstDecideShowsTheSamePageBeforeTheFirstFrameWork_data();
}

void TestStartUp::pageOpenedAgainAfterADrillIsTheFreshPage()
{
    // A page left with "終わる" gives its image back; the next visit must
    // show exactly the page of a fresh start, so nothing of a drill may have
    // been drawn outside the row frames that the next page draws afresh.
    QFETCH(int, level);
    QImage fresh;
    {
        WindowFixture fx;
        fx.openLevel(level);
        fresh = fx.canvas().image().copy();
    }
    WindowFixture fx;
    fx.openLevel(level);
    for (int row = FirstRow; row <= LastRow; ++row)
        fx.pressCanvas(300, rowTop(row) + 100);
    for (int round = 0; round < 4; ++round) {
        for (int row = FirstRow; row <= LastRow; ++row) {
            fx.pressCanvas(130 + 50 * round, rowTop(row) + 242);  // a tape cell at level 3
            fx.pressCanvas(500 + 66 * (round % 3), rowTop(row) + 160);  // a symbol box at level 7
            if (fx.state().CanvasIndex == 0)
                fx.control<AnswerBoxWidget>("Text1", row - 1)->setText(QString::number(round));
            fx.click(fx.checkButton(row));
        }
    }
    // Outside the frames the drilled page is still the fresh one.
    const QImage drilled = fx.canvas().image();
    const auto insideAFrame = [](int x, int y) {
        for (int row = FirstRow; row <= LastRow; ++row) {
            if (x >= 20 && x < 770 && y >= rowTop(row) + 70 && y < rowTop(row) + 280)
                return true;
        }
        return false;
    };
    int outsideDiffering = 0;
    for (int y = 0; y < fresh.height(); ++y) {
        for (int x = 0; x < fresh.width(); ++x)
            outsideDiffering += !insideAFrame(x, y) && drilled.pixel(x, y) != fresh.pixel(x, y) ? 1 : 0;
    }
    QCOMPARE(outsideDiffering, 0);
    QVERIFY(drilled != fresh);  // the drill did draw, inside the frames

    fx.platform.answers = {true};
    fx.click(fx.control<ColourButton>("Command8", fx.state().CanvasIndex));
    QVERIFY(fx.control<QWidget>("Picture7", 0)->isVisible());
    fx.openLevel(level);
    QVERIFY(fx.canvas().image() == fresh);
}

void TestStartUp::layoutFitsTheScreensFreeArea_data()
{
    // The screen's width and the area that panels leave free, both in the
    // logical pixels that a scale factor leaves; the large layout's window
    // zoomed down to fit with its frame of 31 pixels high and 2 wide, as far
    // as a factor of 0.75.
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<bool>("large");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QSize>("windowSize");
    QTest::addColumn<bool>("atTopLeft");
    QTest::newRow("1366 × 768 with a 40-pixel panel") << 1366 << QRect(0, 0, 1366, 728) << true << 697.0 / 743 << QSize(955, 697) << false;
    QTest::newRow("1366 × 768 with a 32-pixel panel") << 1366 << QRect(0, 32, 1366, 736) << true << 705.0 / 743 << QSize(966, 705) << false;
    QTest::newRow("1280 × 800 with a 27-pixel panel") << 1280 << QRect(0, 0, 1280, 773) << true << 742.0 / 743 << QSize(1017, 742) << false;
    QTest::newRow("1280 × 720") << 1280 << QRect(0, 0, 1280, 720) << true << 689.0 / 743 << QSize(944, 689) << false;
    QTest::newRow("1024 × 600") << 1024 << QRect(0, 0, 1024, 600) << true << 569.0 / 743 << QSize(780, 569) << false;
    QTest::newRow("1024 × 589, just above 0.75") << 1024 << QRect(0, 0, 1024, 589) << true << 558.0 / 743 << QSize(765, 558) << false;
    QTest::newRow("1024 × 588, below 0.75: the small window, too low") << 1024 << QRect(0, 0, 1024, 588) << false << 1.0 << QSize(798, 574) << true;
    QTest::newRow("1920 × 1080 at 150 %, panel at the top") << 1280 << QRect(0, 27, 1280, 693) << true << 662.0 / 743 << QSize(907, 662) << false;
    QTest::newRow("1000 wide: the large window is wider") << 1000 << QRect(0, 0, 1000, 1000) << true << 998.0 / 1018 << QSize(998, 728) << false;
    QTest::newRow("800 × 600, panel at the left") << 800 << QRect(48, 0, 752, 600) << false << 1.0 << QSize(798, 574) << true;
    QTest::newRow("1024 × 768 without a panel") << 1024 << QRect(0, 0, 1024, 768) << true << 737.0 / 743 << QSize(1010, 737) << false;
    QTest::newRow("1280 × 1024") << 1280 << QRect(0, 0, 1280, 1024) << true << 1.0 << QSize(1018, 743) << false;
    QTest::newRow("1920 × 1080 with a panel") << 1920 << QRect(0, 0, 1920, 1040) << true << 1.0 << QSize(1018, 743) << false;
    QTest::newRow("3840 × 2160 at 200 %") << 1920 << QRect(0, 0, 1920, 1080) << true << 1.0 << QSize(1018, 743) << false;
    QTest::newRow("999 wide, however tall") << 999 << QRect(0, 0, 999, 2000) << false << 1.0 << QSize(798, 574) << false;
}

void TestStartUp::layoutFitsTheScreensFreeArea()
{
    QFETCH(int, screenWidth);
    QFETCH(QRect, available);
    QFETCH(bool, large);
    QFETCH(double, zoom);
    QFETCH(QSize, windowSize);
    QFETCH(bool, atTopLeft);
    FakePlatform platform;
    platform.screenWidth = screenWidth;
    platform.availableArea = available;
    MainWindow window(platform);
    const QPoint placedBefore = window.pos();
    Form_Load(window);

    const DrillState& state = window.drill().state;
    QCOMPARE(state.ScreenWidthPixels >= LargeLayoutWidth, large);
    QCOMPARE(rowsOnPage(state.ScreenWidthPixels), large ? 3 : 2);
    QCOMPARE(window.logicalClientSize(), large ? QSize(1018, 743) : QSize(798, 574));
    QVERIFY2(qFuzzyCompare(window.zoom().factor(), zoom), QByteArray::number(window.zoom().factor()));
    QCOMPARE(window.size(), windowSize);
    QCOMPARE(control<PictureBox>(window, "Picture3", 0)->isHidden(), !large);
    if (large)
        QCOMPARE(state.ScreenWidthPixels, std::int16_t(screenWidth));
    QCOMPARE(window.pos(), atTopLeft ? available.topLeft() : placedBefore);
    // The frames of every row, down to the last one's, stand inside the window.
    const int rows = rowsOnPage(state.ScreenWidthPixels);
    QVERIFY(window.rect().contains(Zoom::scaled(QRect(8, 8, 770, rowTop(rows) + 280), window.zoom().factor())));
}

void TestStartUp::hiddenCanvasesDrawAtTheirLayoutSize_data()
{
    picturesLoadAndAreHiddenInTheSmallLayoutOnly_data();
}

void TestStartUp::hiddenCanvasesDrawAtTheirLayoutSize()
{
    // The drill draws its frames while the canvas is still hidden; that
    // drawing must not be lost when the canvas is shown.
    QFETCH(int, screenWidth);
    WindowFixture fx(screenWidth);
    for (CanvasWidget* canvas : fx.controls<CanvasWidget>("Picture1")) {
        QVERIFY(canvas->isHidden());
        QCOMPARE(canvas->canvas().size(), canvas->size());
        canvas->canvas().filledBox(5, 5, 10, 10, colors::red);
        canvas->show();
        QCOMPARE(canvas->canvas().size(), canvas->size());
        QCOMPARE(canvas->canvas().pixel(10, 10), colors::red);
    }
}

void TestStartUp::screenWidthRoundsHalfToEven_data()
{
    QTest::addColumn<double>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("1024 pixels") << 1024 * 15.0 << 1024;
    QTest::newRow("999.5 goes to the even 1000") << 999.5 * 15 << 1000;
    QTest::newRow("1000.5 goes to the even 1000") << 1000.5 * 15 << 1000;
    QTest::newRow("998.5 goes to the even 998") << 998.5 * 15 << 998;
    QTest::newRow("999.4 goes to 999") << 999.4 * 15 << 999;
}

void TestStartUp::screenWidthRoundsHalfToEven()
{
    QFETCH(double, twips);
    QFETCH(int, pixels);
    QCOMPARE(screenWidthPixels(twips, 15), pixels);
}

void TestStartUp::seedFromClock_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("seed");
    QTest::newRow("12:00:07 gives 7") << QStringLiteral("12:00:07") << QStringLiteral("12:00:07") << 7;
    QTest::newRow("12:59:59 gives 5959") << QStringLiteral("12:59:59") << QStringLiteral("12:59:59") << 5959;
    QTest::newRow("minutes of the first, seconds of the second")
        << QStringLiteral("08:14:59") << QStringLiteral("08:15:00") << 1400;
    QTest::newRow("midnight gives 0") << QStringLiteral("00:00:00") << QStringLiteral("00:00:00") << 0;
}

void TestStartUp::seedFromClock()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, seed);
    QCOMPARE(pomuru::seedFromClock(first, second), seed);

    // Start-up reads the clock twice and seeds the generator with it.
    FakePlatform platform;
    platform.clockTexts = {first, second};
    MainWindow window(platform);
    Form_Load(window);
    QCOMPARE(platform.seeded, seed);
}

void TestStartUp::sameClockGivesTheSameProblems()
{
    // Two starts in the same minute and second of different hours draw the
    // same problems.
    auto firstAnswers = [](const QString& time) {
        FakePlatform platform;
        platform.generator.reseed(999);  // whatever the generator held before start-up
        platform.clockTexts = {time, time};
        MainWindow window(platform);
        Form_Load(window);
        Drill& drill = window.drill();
        drill.state.LevelNo = 1;
        drill.state.ProblemRow = 1;
        QList<float> answers;
        for (int n = 1; n <= 10; ++n) {
            DrawProblem(drill, 1);
            answers << drill.state.record(1, n, Value1);
        }
        return answers;
    };
    const QList<float> morning = firstAnswers(QStringLiteral("09:41:07"));
    QCOMPARE(firstAnswers(QStringLiteral("14:41:07")), morning);
    QVERIFY(firstAnswers(QStringLiteral("14:41:08")) != morning);
}

void TestStartUp::buttonsShowTheirBackColours_data()
{
    QTest::addColumn<ControlOf>("control");
    QTest::addColumn<QRgb>("color");
    QTest::newRow("grade button") << ControlOf{"Command1", 0} << colors::lightYellow;
    QTest::newRow("けってい") << ControlOf{"Command10", 0} << colors::lightRed;
    QTest::newRow("おわり") << ControlOf{"Command2", 0} << colors::teal;
    QTest::newRow("終わる") << ControlOf{"Command8", 1} << colors::lightGreen;
    QTest::newRow("ﾁｪｯｸ") << ControlOf{"Command5", 0} << colors::lightGreen;
    QTest::newRow("digit key") << ControlOf{"Command6", 0} << colors::lightGreen;
}

void TestStartUp::buttonsShowTheirBackColours()
{
    QFETCH(ControlOf, control);
    QFETCH(QRgb, color);
    WindowFixture fx(1024);
    QWidget* button = fx.control<QWidget>(control.array, control.index);
    button->show();
    button->parentWidget()->show();
    // What the button paints in its middle, between caption and border.
    const QImage shot = button->grab().toImage();
    QCOMPARE(shot.pixel(4, 4), color);
    QCOMPARE(shot.pixel(button->width() - 5, button->height() - 5), color);
}

void TestStartUp::controlArraysAreNamedByIndex_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("className");
    const std::pair<const char*, int> buttons[] = {
        {"Command1", 1}, {"Command10", 1}, {"Command2", 1}, {"Command8", 2},
        {"Command5", 6}, {"Command6", 30}, {"Command11", 3}, {"Command7", 3},
    };
    for (const auto& [array, size] : buttons)
        QTest::newRow(array) << size << QStringLiteral("pomuru::ColourButton");
    QTest::newRow("Picture1") << 2 << QStringLiteral("pomuru::CanvasWidget");
    QTest::newRow("Picture7") << 1 << QStringLiteral("QWidget");
    QTest::newRow("Label2") << 1 << QStringLiteral("QLabel");
    QTest::newRow("Option2") << 10 << QStringLiteral("pomuru::OptionButton");
    QTest::newRow("Label1") << 2 << QStringLiteral("QLabel");
    QTest::newRow("Text1") << 3 << QStringLiteral("pomuru::AnswerBoxWidget");
    QTest::newRow("Picture6") << 3 << QStringLiteral("QWidget");
    for (const char* array : {"Picture2", "Picture3", "Picture4"})
        QTest::newRow(array) << 2 << QStringLiteral("pomuru::PictureBox");
}

void TestStartUp::controlArraysAreNamedByIndex()
{
    QFETCH(int, size);
    QFETCH(QString, className);
    WindowFixture fx;
    const QByteArray array = QTest::currentDataTag();
    const QList<QWidget*> controls = fx.controls<QWidget>(array.constData());
    QCOMPARE(controls.size(), size);
    for (QWidget* control : controls)
        QCOMPARE(QString::fromLatin1(control->metaObject()->className()), className);
    // Nothing answers to the index past the end.
    QCOMPARE(fx.window->findChild<QWidget*>(controlName(array.constData(), size)), nullptr);
}

void TestStartUp::controlNamesAreUnique()
{
    WindowFixture fx;
    fx.window->buildPages();
    QSet<QString> names;
    for (const QWidget* widget : fx.window->findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"))
            names.insert(widget->objectName());
    }
    QCOMPARE(namedControls(*fx.window), 75);  // the controls of the eighteen arrays
    QCOMPARE(names.size(), 75);
}

void TestStartUp::canvasControlsWaitForTheFirstFrame()
{
    // The first frame shows the grade button and the menu; the controls of
    // the canvases come in the event loop's turn after it.
    FakePlatform platform;
    MainWindow window(platform);
    Form_Load(window);
    QVERIFY(!canvasBuilt(window, 0));
    QVERIFY(!canvasBuilt(window, 1));
    QCOMPARE(namedControls(window), 17);  // the grade button, the canvases, the menu
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(namedControls(window), 75);
}

void TestStartUp::aDrillBuildsTheControlsOfItsCanvasOnly_data()
{
    everyLevel();
}

void TestStartUp::aDrillBuildsTheControlsOfItsCanvasOnly()
{
    // "けってい" before the first frame's work has run builds the controls of
    // the level's canvas, named, connected and described; the other canvas
    // waits until something needs it.
    QFETCH(int, level);
    FakePlatform platform;
    MainWindow window(platform);
    Form_Load(window);
    window.show();  // the event loop has not run: no frame yet
    control<QAbstractButton>(window, "Option2", level - 1)->click();
    control<QAbstractButton>(window, "Command10", 0)->click();
    const int used = window.drill().state.CanvasIndex;
    QCOMPARE(used, answerCanvas(findLevel(level)->answering));
    QVERIFY(canvasBuilt(window, used));
    QVERIFY(!canvasBuilt(window, 1 - used));

    // Row 1 started by a press, checked unanswered at its own check button.
    Picture1_MouseDown(window.drill(), used, 1, 0, 300, float(rowTop(1) + 100));
    QVERIFY(window.drill().state.rowStarted(1));
    auto* check = window.findChild<QAbstractButton*>(controlName("Command5", checkButtonOfRow(1, used)));
    QVERIFY(check != nullptr);
    QVERIFY(!check->isHidden());
    QVERIFY(!check->accessibleDescription().isEmpty());
    check->click();
    QCOMPARE(window.drill().state.problemCount(1), 1);
    // A problem drawn empties the answer box of its row at every level, so
    // the answer boxes are built with the first problem; nothing of the
    // drill needs canvas 1 at the typed levels.
    QCOMPARE(window.findChild<QWidget*>(controlName("Text1", 0))->accessibleName(), answerBoxName(1));
    QCOMPARE(canvasBuilt(window, 1), used == 1);

    // The first frame's work builds the other canvas.
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(canvasBuilt(window, 1 - used));
    QCOMPARE(namedControls(window), 75);
}

// The pictures are held at one byte a pixel. Shown at the window's every
// zoom they must show what the same picture decoded to the screen's 32-bit
// pixels shows, on the canvas's colour. (The screens of other ratios are
// the scale-factor tests'.)
void TestStartUp::picturesHeldWithAColourTableShowTheirPixels_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<double>("zoom");
    for (const char* picture : {"girl", "boy", "children"}) {
        for (const double zoom : {1.0, 0.75, 1.3, 2.0})
            QTest::addRow("%s, zoom %.2f", picture, zoom) << QStringLiteral(":/assets/%1.gif").arg(QLatin1String(picture))
                                                          << zoom;
    }
}

void TestStartUp::picturesHeldWithAColourTableShowTheirPixels()
{
    QFETCH(QString, resource);
    QFETCH(double, zoom);
    const QPixmap held = PictureBox::picture(resource);
    QVERIFY(!held.isNull());
    QCOMPARE(held.toImage().format(), QImage::Format_Indexed8);
    // A box that loads its own picture, or one given the picture as Qt
    // decodes it by itself.
    auto shown = [&](bool ownPicture) {
        QWidget canvas;
        setBackColor(&canvas, colors::lightYellow);
        PictureBox box(resource, &canvas);
        box.setZoomed(zoom != 1.0);
        if (ownPicture)
            box.load();
        else
            box.setPixmap(QPixmap(resource));
        box.setGeometry(QRect(QPoint(0, 0), (QSizeF(held.size()) * zoom).toSize()));
        canvas.resize(box.size());
        return canvas.grab().toImage();
    };
    QCOMPARE(shown(true), shown(false));
}

// The window's icon reads each size from its file when the desktop asks for
// it, and keeps none: every size, ratio and mode must still give the pixels
// of the icon that holds them all, or the title bar and the docks change.
void TestStartUp::iconReadWhenAskedGivesWhatTheHeldIconGives_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QIcon::Mode>("mode");
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 20, 40, 100, 512}) {
        for (const double ratio : {1.0, 1.5, 2.0}) {
            QTest::addRow("%d px at %.1f", size, ratio) << size << ratio << QIcon::Normal;
            QTest::addRow("%d px at %.1f, disabled", size, ratio) << size << ratio << QIcon::Disabled;
        }
    }
}

void TestStartUp::iconReadWhenAskedGivesWhatTheHeldIconGives()
{
    QFETCH(int, size);
    QFETCH(double, ratio);
    QFETCH(QIcon::Mode, mode);
    const QIcon onDemand = iconAtEverySize();
    const QIcon held = iconAtEverySizeHeld();
    QCOMPARE(onDemand.availableSizes(mode), held.availableSizes(mode));
    QCOMPARE(onDemand.actualSize(QSize(size, size), mode), held.actualSize(QSize(size, size), mode));
    const QPixmap given = onDemand.pixmap(QSize(size, size), ratio, mode);
    const QPixmap expected = held.pixmap(QSize(size, size), ratio, mode);
    QVERIFY(!expected.isNull());
    QCOMPARE(given.devicePixelRatio(), expected.devicePixelRatio());
    QCOMPARE(given.toImage(), expected.toImage());
}

QTEST_MAIN(TestStartUp)
#include "test_start_up.moc"
