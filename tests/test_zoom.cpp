// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The whole window zoomed by one factor z, offscreen: drilled at z a level
// gives the records and marks it gives at 1, a press at a scaled position
// counts for the logical pixel under it, text keeps the detail of its size
// on the screen, a larger window centres the content at the largest factor
// that fits, and a drill goes on unchanged across a change of z.

#include "support/pupil.h"
#include "support/rows.h"
#include "support/window_fixture.h"

#include "engine/colors.h"

#include <QFontInfo>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <random>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// A press where the toolkit reports it: at the middle of logical pixel `at`
// of the canvas, in the zoomed widget's own pixels.
void pressScaled(CanvasWidget* widget, QPointF position)
{
    QMouseEvent press(QEvent::MouseButtonPress, position, widget->mapToGlobal(position), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, position, widget->mapToGlobal(position), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

QPointF middleOf(QPoint logical, double zoom)
{
    return QPointF((logical.x() + 0.5) * zoom, (logical.y() + 0.5) * zoom);
}

// Hands that reach the window through input events only, at the places the
// zoomed window shows its controls.
PupilHands eventHands(WindowFixture& fx)
{
    return {
        [](QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); },
        [&fx](QPoint at) {
            auto* canvas = fx.control<CanvasWidget>("Picture1", fx.state().CanvasIndex);
            pressScaled(canvas, middleOf(at, canvas->zoom()));
        },
        [&fx](int row, const QString& answer) {
            QTest::keyClicks(fx.control<AnswerBoxWidget>("Text1", row - 1), answer);
        },
    };
}

// Where a widget is painted, all told.
class PaintedArea : public QObject {
public:
    QRegion area;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            area += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// What a drill leaves: every row's records and marks, and what its tape and
// symbol boxes show.
struct Drilled {
    DrillState state;
    QList<QList<int>> red;

    bool operator==(const Drilled& other) const
    {
        return state.RowValues == other.state.RowValues && state.LastCheck == other.state.LastCheck
            && state.RowTexts == other.state.RowTexts && red == other.red;
    }
};

Drilled drill(int level, double zoom)
{
    WindowFixture fx;
    fx.window->setStartFactor(zoom);
    fx.platform.generator.reseed(std::uint64_t(level));
    std::mt19937_64 random(std::uint64_t(level) * 7919);
    Pupil pupil(*fx.window, random, eventHands(fx));
    pupil.openLevel(level);
    pupil.startRows();
    for (int round = 0; round < 4; ++round) {
        for (int row = FirstRow; row <= pupil.rows(); ++row)
            pupil.settle(row);
    }
    Drilled drilled{fx.state(), {}};
    for (int row = FirstRow; row <= pupil.rows(); ++row)
        drilled.red << redCells(fx, row) << redSymbols(fx, row);
    return drilled;
}

// The logical pixels whose blocks of device pixels are not of one colour:
// text and slanted lines drawn at the zoomed detail.
int blocksOfMixedColours(const Canvas& canvas)
{
    const QImage& image = canvas.image();
    int mixed = 0;
    for (int y = 0; y < canvas.size().height(); ++y) {
        for (int x = 0; x < canvas.size().width(); ++x) {
            const QRect block = canvas.toDevice(QRect(x, y, 1, 1));
            const QRgb first = image.pixel(block.topLeft());
            bool one = true;
            for (int dy = block.top(); one && dy <= block.bottom(); ++dy)
                for (int dx = block.left(); one && dx <= block.right(); ++dx)
                    one = image.pixel(dx, dy) == first;
            mixed += one ? 0 : 1;
        }
    }
    return mixed;
}

// Every control on the canvases as the window shows it: its geometry, its
// font's size, whether it is hidden, and the rows the keyboard knows.
QStringList canvasControlsAsShown(MainWindow& window)
{
    QStringList shown;
    for (int canvas = 0; canvas < 2; ++canvas) {
        const auto* widget = control<CanvasWidget>(window, "Picture1", canvas);
        for (const QWidget* child : widget->findChildren<QWidget*>()) {
            const QRect at = child->geometry();
            shown << QStringLiteral("%1 %2 %3,%4 %5x%6 %7px%8")
                         .arg(child->objectName(), QString::fromLatin1(child->metaObject()->className()))
                         .arg(at.x())
                         .arg(at.y())
                         .arg(at.width())
                         .arg(at.height())
                         .arg(child->font().pixelSize())
                         .arg(child->isHidden() ? QStringLiteral(" hidden") : QString());
        }
    }
    return shown;
}

} // namespace

class TestZoom : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyLevelDrilledAtZGivesTheRecordsAndMarksOfZ1_data();
    void everyLevelDrilledAtZGivesTheRecordsAndMarksOfZ1();
    void aPressCountsForTheLogicalPixelUnderIt_data();
    void aPressCountsForTheLogicalPixelUnderIt();
    void textHasTheDetailOfItsZoomedSize_data();
    void textHasTheDetailOfItsZoomedSize();
    void aLargerWindowCentresTheContentAtTheFactorThatFits_data();
    void aLargerWindowCentresTheContentAtTheFactorThatFits();
    void aDrillGoesOnUnchangedAcrossAChangeOfZ();
    void canvasControlsBuiltAtZStandAsThoseBuiltBefore_data();
    void canvasControlsBuiltAtZStandAsThoseBuiltBefore();
};

void TestZoom::everyLevelDrilledAtZGivesTheRecordsAndMarksOfZ1_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("zoom");
    for (int level = 1; level <= 10; ++level) {
        for (const double zoom : {0.77, 1.45, 2.9})
            QTest::addRow("level %d at %.2f", level, zoom) << level << zoom;
    }
}

void TestZoom::everyLevelDrilledAtZGivesTheRecordsAndMarksOfZ1()
{
    QFETCH(int, level);
    QFETCH(double, zoom);
    const Drilled atOne = drill(level, 1.0);
    // The drill did settle problems, in every row.
    for (int row = FirstRow; row <= LastRow; ++row)
        QVERIFY(atOne.state.problemCount(row) >= 4);
    QVERIFY(drill(level, zoom) == atOne);
}

void TestZoom::aPressCountsForTheLogicalPixelUnderIt_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPointF>("offset");  // inside the logical pixel's block as shown, in its own units
    for (const double zoom : {0.77, 1.45, 2.9}) {
        QTest::addRow("%.2f, middle", zoom) << zoom << QPointF(0.5, 0.5);
        QTest::addRow("%.2f, near the top-left edge", zoom) << zoom << QPointF(0.02, 0.02);
        QTest::addRow("%.2f, near the bottom-right edge", zoom) << zoom << QPointF(0.98, 0.98);
    }
}

void TestZoom::aPressCountsForTheLogicalPixelUnderIt()
{
    QFETCH(double, zoom);
    QFETCH(QPointF, offset);
    WindowFixture fx;
    fx.window->setStartFactor(zoom);
    fx.openLevel(7);
    auto* canvas = fx.control<CanvasWidget>("Picture1", fx.state().CanvasIndex);
    QSignalSpy pressed(canvas, &CanvasWidget::pressed);
    // The cells and symbol boxes' corners, and pixels at the canvas's ends.
    const QList<QPoint> logical{cellMiddle(1, 0), insideCell(3, 9), insideSymbol(2, Less), symbolMiddle(3, Greater),
                                QPoint(0, 0), QPoint(1008, 740), QPoint(333, 517)};
    const double shownPerDevice = zoom / canvas->canvas().ratio();
    for (const QPoint& at : logical) {
        const QRect block = canvas->canvas().toDevice(QRect(at, QSize(1, 1)));
        const QRectF shown(QPointF(block.topLeft()) * shownPerDevice, QSizeF(block.size()) * shownPerDevice);
        pressScaled(canvas, shown.topLeft() + QPointF(offset.x() * shown.width(), offset.y() * shown.height()));
        QCOMPARE(pressed.size(), 1);
        const QList<QVariant> arguments = pressed.takeFirst();
        QCOMPARE(QPoint(int(arguments.at(2).toFloat()), int(arguments.at(3).toFloat())), at);
    }
    // And the symbol box pressed is the one chosen.
    fx.pressCanvas(100, rowTop(1) + 100);
    pressScaled(canvas, middleOf(symbolMiddle(1, Equal), zoom));
    QCOMPARE(redSymbols(fx, 1), QList<int>{Equal});
}

void TestZoom::textHasTheDetailOfItsZoomedSize_data()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("1.45") << 1.45;
    QTest::newRow("2.9") << 2.9;
}

void TestZoom::textHasTheDetailOfItsZoomedSize()
{
    // Not a picture at z = 1 made larger: on the canvas, text is drawn with
    // the device pixels of a logical pixel's block, which do not all take
    // the same colour; on the controls, fonts are sized z times.
    QFETCH(double, zoom);
    WindowFixture fx;
    fx.window->setStartFactor(zoom);
    fx.openLevel(1);
    fx.pressCanvas(100, rowTop(1) + 100);
    const Canvas& canvas = fx.canvas();
    QCOMPARE(canvas.ratio(), zoom);
    QVERIFY2(blocksOfMixedColours(canvas) > 500, QByteArray::number(blocksOfMixedColours(canvas)));
    QCOMPARE(QFontInfo(fx.control<QLabel>("Label1", 0)->font()).pixelSize(), int(std::lround(32 * zoom)));
    QCOMPARE(QFontInfo(fx.control<QPushButton>("Command8", 0)->font()).pixelSize(), int(std::lround(29 * zoom)));
    QCOMPARE(QFontInfo(fx.control<AnswerBoxWidget>("Text1", 0)->font()).pixelSize(), int(std::lround(32 * zoom)));
    // The level options' round indicators grow with their captions.
    const QRadioButton* option = fx.control<QRadioButton>("Option2", 0);
    const int indicator = QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option);
    QCOMPARE(option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option),
             int(std::lround(indicator * zoom)));
}

void TestZoom::aLargerWindowCentresTheContentAtTheFactorThatFits_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("1920 × 1080 full screen") << 1920 << QSize(1920, 1080) << 1080.0 / 743 << QPoint(220, 0);
    QTest::newRow("1920 × 1080 maximised under a panel") << 1920 << QSize(1920, 1016) << 1016.0 / 743 << QPoint(264, 0);
    QTest::newRow("3840 × 2160") << 3840 << QSize(3840, 2160) << 2160.0 / 743 << QPoint(440, 0);
    QTest::newRow("a tall portrait screen") << 1080 << QSize(1080, 1920) << 1080.0 / 1018 << QPoint(0, 566);
    QTest::newRow("small layout, 800 × 600 full screen") << 800 << QSize(800, 600) << 800.0 / 798 << QPoint(0, 12);
    QTest::newRow("back at its start size") << 1920 << QSize(1018, 743) << 1.0 << QPoint(0, 0);
}

void TestZoom::aLargerWindowCentresTheContentAtTheFactorThatFits()
{
    QFETCH(int, screenWidth);
    QFETCH(QSize, window);
    QFETCH(double, zoom);
    QFETCH(QPoint, origin);
    WindowFixture fx(screenWidth);
    const QSize client = fx.window->logicalClientSize();
    fx.window->resize(window);
    QTRY_COMPARE(fx.window->size(), window);
    QVERIFY(qFuzzyCompare(fx.window->zoom().factor(), zoom));
    QCOMPARE(fx.window->zoom().origin(), origin);
    // The level panel stands at its logical place, scaled, in the centred content.
    QWidget* panel = fx.control<QWidget>("Picture7", 0);
    QCOMPARE(panel->pos(), origin + QPoint(int(std::lround(4 * zoom)), int(std::lround(54 * zoom))));
    QVERIFY(QRect(origin, Zoom::scaled(client, zoom)).contains(panel->geometry()));
    QVERIFY(fx.window->rect().contains(QRect(origin, Zoom::scaled(client, zoom))));
    // The margins are the window's background.
    const QImage shot = fx.window->grab().toImage();
    QCOMPARE(shot.pixel(0, 0), colors::lightGreen);
    QCOMPARE(shot.pixel(shot.width() - 1, shot.height() - 1), colors::lightGreen);
}

void TestZoom::aDrillGoesOnUnchangedAcrossAChangeOfZ()
{
    // Tape cells painted, symbols chosen and a typed answer stay what they
    // were through full screen and back, and the drill judges them as before.
    WindowFixture fx;
    fx.openLevel(3);
    startRow(fx, 1, {5});  // 0.5 m to paint
    paintCell(fx, 1, 0);
    paintCell(fx, 1, 1);
    const Canvas& canvas = fx.canvas();
    auto logicalPixels = [&canvas] {
        QList<QRgb> pixels;
        for (int y = 0; y < canvas.size().height(); y += 3)
            for (int x = 0; x < canvas.size().width(); x += 3)
                pixels << canvas.pixel(x, y).value_or(0);
        return pixels;
    };
    const QList<QRgb> before = logicalPixels();
    const auto records = fx.state().RowValues;
    for (const QSize size : {QSize(1920, 1080), QSize(1018, 743), QSize(3840, 2160)}) {
        fx.window->resize(size);
        QTRY_COMPARE(fx.window->size(), size);
        QCOMPARE(logicalPixels(), before);
        QCOMPARE(fx.state().RowValues, records);
        QCOMPARE(redCells(fx, 1), (QList<int>{0, 1}));
    }
    // Going on at 3840 × 2160: the next cell painted by a press where it shows.
    auto* widget = fx.control<CanvasWidget>("Picture1", 1);
    // The rows that take the keyboard's focus lie where their rows show.
    const QList<RowFocus*> rows = widget->findChildren<RowFocus*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(rows.size(), 3);
    for (const RowFocus* row : rows)
        QVERIFY(row->geometry().contains(Zoom::scaled(pressArea(row->row(), false), widget->zoom())));
    pressScaled(widget, middleOf(cellMiddle(1, 2), widget->zoom()));
    QCOMPARE(redCells(fx, 1), (QList<int>{0, 1, 2}));

    // A typed answer, and the check after a change of z.
    WindowFixture typed;
    typed.openLevel(1);
    typed.pressCanvas(100, rowTop(1) + 100);
    FirstChoice first;
    const QString right = answeringOf(typed.state()).moves(typed.canvas(), rowToCheck(typed.state(), 1), true, first).typed.value();
    typed.type(1, right.left(1));
    typed.window->resize(1920, 1080);
    QTRY_COMPARE(typed.window->size(), QSize(1920, 1080));
    typed.type(1, right.mid(1));
    QCOMPARE(typed.control<AnswerBoxWidget>("Text1", 0)->text(), right);
    // The mark is on the screen, where it shows at the new z, before the
    // check returns: the feedback pause waits with it painted.
    auto* page = typed.control<CanvasWidget>("Picture1", 0);
    QCoreApplication::processEvents();
    PaintedArea painted;
    page->installEventFilter(&painted);
    typed.check(1);
    QVERIFY(painted.area.contains(Zoom::scaled(markSquare(1), page->zoom())));
    QCOMPARE(typed.state().LastCheck[1], RightInWords);
}

void TestZoom::canvasControlsBuiltAtZStandAsThoseBuiltBefore_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<double>("nextZoom");
    for (const int width : {1024, 999}) {
        QTest::addRow("%d wide, 0.77 then 1.45", width) << width << 0.77 << 1.45;
        QTest::addRow("%d wide, 2.9 then 1", width) << width << 2.9 << 1.0;
    }
}

void TestZoom::canvasControlsBuiltAtZStandAsThoseBuiltBefore()
{
    // The controls on the canvases are built after the first frame, when
    // the window may have its zoom already: built then, they stand, at that
    // factor and the next, where those built at factor 1 stand.
    QFETCH(int, screenWidth);
    QFETCH(double, zoom);
    QFETCH(double, nextZoom);
    const auto window = [screenWidth](FakePlatform& platform) {
        platform.screenWidth = screenWidth;
        auto made = std::make_unique<MainWindow>(platform);
        Form_Load(*made);
        return made;
    };
    FakePlatform beforePlatform;
    const auto before = window(beforePlatform);
    before->buildPages();
    before->setStartFactor(zoom);
    FakePlatform afterPlatform;
    const auto after = window(afterPlatform);
    after->setStartFactor(zoom);
    after->buildPages();
    QCOMPARE(canvasControlsAsShown(*after), canvasControlsAsShown(*before));

    before->zoom().apply(nextZoom);
    after->zoom().apply(nextZoom);
    QCOMPARE(canvasControlsAsShown(*after), canvasControlsAsShown(*before));
}

QTEST_MAIN(TestZoom)
#include "test_zoom.moc"
