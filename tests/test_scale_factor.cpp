// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The canvas at device pixel ratios above 1: text and slanted lines get the
// screen's detail, while everything that reads or fills the canvas keeps its
// meaning in logical pixels. A fill must stay inside its cell, a wipe must
// leave no sliver, and every judgement and record must be what it is at 1.

#include "support/drill_fixture.h"
#include "support/rows.h"

#include "answer/canvas_press.h"
#include "answer/marking.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <QSet>
#include <QTest>

#include <optional>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

QPoint logicalPixelOf(const Canvas& canvas, QPoint device)
{
    return canvas.toLogical(QRect(device, QSize(1, 1))).topLeft();
}

// The first device pixel of `area` whose colour on `scaled` (an image of
// `canvas`) is not that of its logical pixel on `atOne` (the same drawing at
// ratio 1): none when the area is the drawing at 1 blown up block by block.
std::optional<QPoint> firstMismatch(const Canvas& canvas, const QImage& scaled, const QImage& atOne, QRect area)
{
    const QRect device = canvas.toDevice(area);
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (scaled.pixel(x, y) != atOne.pixel(logicalPixelOf(canvas, QPoint(x, y))))
                return QPoint(x, y);
    return std::nullopt;
}

QByteArray describe(const std::optional<QPoint>& at)
{
    return at ? QByteArray("device pixel ") + QByteArray::number(at->x()) + ',' + QByteArray::number(at->y())
              : QByteArray();
}

// The first device pixel in `device` that is not `colour`.
std::optional<QPoint> firstNot(const QImage& image, QRgb colour, QRect device)
{
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (image.pixel(x, y) != colour)
                return QPoint(x, y);
    return std::nullopt;
}

// Whether two logical areas lie within a logical pixel of each other.
bool near(QRect a, QRect b)
{
    return std::abs(a.left() - b.left()) <= 1 && std::abs(a.top() - b.top()) <= 1
        && std::abs(a.right() - b.right()) <= 1 && std::abs(a.bottom() - b.bottom()) <= 1;
}

// The device pixels of `image` in `colour` inside `device`, as a bounding box.
QRect boundsOf(const QImage& image, QRgb colour, QRect device)
{
    QRect bounds;
    device &= image.rect();
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (image.pixel(x, y) == colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A drawing of straight lines, boxes, filled boxes and flood fills only,
// which must come out as the drawing at ratio 1 blown up block by block.
void drawRectilinearScene(Canvas& canvas)
{
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.filledBox(3, 4, 30, 12, colors::cyan);
    canvas.box(10, 20, 40, 25, colors::black);
    canvas.line(20, 20, 0, 25, colors::black);        // splits the box in two cells
    canvas.line(30.5, 20, 0, 25, colors::black);      // 30.5 rounds to 30: a third cell
    canvas.line(55, 44, -10, 0, colors::black);       // drawn leftwards
    canvas.setFillStyle(FillStyle::Solid);
    canvas.setFillColor(colors::pink);
    canvas.box(60, 5, -6, 30, colors::black);         // drawn leftwards, filled
    canvas.setFillColor(colors::red);
    canvas.floodFill(15, 30);                         // the left cell
    canvas.floodFill(25.5, 30);                       // the middle cell, seed rounded to 26
    canvas.floodFill(20, 30);                         // on a line: nothing
    canvas.setFillColor(colors::white);
    canvas.floodFill(15, 30);                         // back to white
    canvas.setFillColor(colors::red);
    canvas.floodFill(40, 30);                         // the right cell
}

struct Attempt {
    QImage before;   // the canvas just before the check button
    QImage during;   // while the mark is up
    QImage after;    // when the check has returned
};

// One problem of one level, drilled in row 2: the problem is drawn, the
// pupil answers wrongly once and then rightly. Level 3 paints a tape, level 7
// chooses a symbol. The canvas draws at `ratio`.
struct Drilled {
    Drilled(int level, double ratio)
        : fx(level)
    {
        for (Canvas& canvas : fx.controls.canvases)
            canvas.setRatio(ratio);
        PageSetup(fx.drill);
        fx.pressCanvas(100, T + 100);  // starts the row: problem 1
        problem = fx.canvas().image();
        const float value1 = fx.state().record(Row, 1, Value1);
        const float value2 = fx.state().record(Row, 1, Value2);

        way = findLevel(level)->answering;
        if (way == AnswerWay::PaintedTape) {
            const int cells = int(std::lround(value1 * 10));
            const int wrongCells = cells < tape::Cells ? cells + 1 : cells - 1;
            for (int cell = 0; cell < wrongCells; ++cell)
                pressCell(cell);
            answered = fx.canvas().image();
            check(wrong);
            pressCell(cells < tape::Cells ? cells : cells - 1);  // the one cell too many, or too few
            check(right);
        } else if (way == AnswerWay::ChosenSymbol) {
            const int expected = symbols::between(value1, value2);
            firstChoice = (expected + 1) % 3;
            chooseSymbol(firstChoice);
            answered = fx.canvas().image();
            check(wrong);
            chooseSymbol(expected);
            check(right);
        } else {
            fx.type(Row, QString::number(double(value1) + 1));
            check(wrong);
            fx.type(Row, QString::number(double(value1)));
            check(right);
        }
    }

    void pressCell(int cell) { paintCell(fx, Row, cell); }
    void chooseSymbol(int box) { pomuru::testing::chooseSymbol(fx, Row, box); }
    void check(Attempt& attempt)
    {
        attempt.before = fx.canvas().image();
        fx.platform.duringPause = [this, &attempt] {
            if (attempt.during.isNull())
                attempt.during = fx.canvas().image();
        };
        fx.check(Row);
        fx.platform.duringPause = nullptr;
        attempt.after = fx.canvas().image();
    }
    // Where the mark stands: one full-width character cell.
    QRect markCell()
    {
        const Canvas& canvas = fx.canvas();
        const int width = std::max(canvas.textWidth(QStringLiteral("○")), canvas.textWidth(QStringLiteral("×")));
        return QRect(markSquare(Row).topLeft(), QSize(width, canvas.textHeight()));
    }

    static constexpr int Row = 2;
    static constexpr int T = 220;
    DrillFixture fx;
    QImage problem;   // problem 1 as drawn
    QImage answered;  // level 3: the tape painted; level 7: a symbol chosen
    int firstChoice = -1;  // level 7: the symbol chosen first, a wrong one
    AnswerWay way = AnswerWay::Typed;
    Attempt wrong;
    Attempt right;
};

} // namespace

class TestScaleFactor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void straightShapesAndFillsCoverWholeBlocks_data();
    void straightShapesAndFillsCoverWholeBlocks();
    void roundRectBlanksItsWholeAreaAndNothingOutside_data();
    void roundRectBlanksItsWholeAreaAndNothingOutside();
    void aFillSeededBesideASlantedLineStaysInItsCell();
    void aPressCountsForThePixelUnderThePointer_data();
    void aPressCountsForThePixelUnderThePointer();
    void changingTheRatioKeepsEveryBlock_data();
    void changingTheRatioKeepsEveryBlock();
    void ratiosBelowOneDrawAtOne();
    void everyLevelIsDrilledAsAtRatioOne_data();
    void everyLevelIsDrilledAsAtRatioOne();
    void textAtRatioTwoHasDetailFinerThanABlock();
};

void TestScaleFactor::straightShapesAndFillsCoverWholeBlocks_data()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("1.25") << 1.25;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
    QTest::newRow("3") << 3.0;
}

void TestScaleFactor::straightShapesAndFillsCoverWholeBlocks()
{
    // Lines on block edges would let a fill leak or leave a sliver after a
    // wipe; here every device pixel has the colour of its logical pixel at 1.
    QFETCH(double, ratio);
    Canvas reference(QSize(70, 50), colors::white, fonts::canvasFont());
    Canvas scaled(QSize(70, 50), colors::white, fonts::canvasFont(), ratio);
    drawRectilinearScene(reference);
    drawRectilinearScene(scaled);
    QCOMPARE(scaled.ratio(), ratio);
    QCOMPARE(scaled.image().devicePixelRatio(), ratio);
    QCOMPARE(scaled.size(), QSize(70, 50));
    const auto mismatch = firstMismatch(scaled, scaled.image(), reference.image(), QRect(0, 0, 70, 50));
    QVERIFY2(!mismatch, describe(mismatch));
    // The drawing is not trivially blank: the fills took.
    QCOMPARE(scaled.pixel(15, 30), colors::white);
    QCOMPARE(scaled.pixel(26, 30), colors::red);
    QCOMPARE(scaled.pixel(45, 30), colors::red);
}

void TestScaleFactor::roundRectBlanksItsWholeAreaAndNothingOutside_data()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

void TestScaleFactor::roundRectBlanksItsWholeAreaAndNothingOutside()
{
    // The row frame blanks the row for the next problem: no device pixel of
    // the old drawing may survive inside it, and none outside it may change.
    QFETCH(double, ratio);
    Canvas canvas(QSize(120, 100), colors::lightYellow, fonts::canvasFont(), ratio);
    canvas.filledBox(0, 0, 119, 99, colors::black);
    canvas.setPenColor(colors::white);
    canvas.setFillColor(colors::white);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.roundRect(11, 21, 110, 90, 30, 30);
    const QRect area(QPoint(11, 21), QPoint(109, 89));
    const QRect device = canvas.toDevice(area);
    const QImage& image = canvas.image();
    // The cross inside the corners is wholly white; outside the area all is
    // as it was.
    const int corner = canvas.toDevice(QRect(0, 0, 15, 15)).width();
    std::optional<QPoint> mismatch;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QPoint at(x, y);
            const bool inCross = (x >= device.left() + corner && x <= device.right() - corner && y >= device.top()
                                  && y <= device.bottom())
                || (y >= device.top() + corner && y <= device.bottom() - corner && x >= device.left()
                    && x <= device.right());
            const bool wrong = !device.contains(at) ? image.pixel(at) != colors::black
                : inCross                           ? image.pixel(at) != colors::white
                                                    : false;
            if (wrong && !mismatch)
                mismatch = at;
        }
    QVERIFY2(!mismatch, describe(mismatch));
    // The corners are rounded at every ratio.
    QCOMPARE(canvas.pixel(11, 21), colors::black);
    QCOMPARE(canvas.pixel(109, 89), colors::black);

    // With a black pen and a white inside, the straight edges are one
    // logical pixel wide.
    canvas.setPenColor(colors::black);
    canvas.roundRect(11, 21, 110, 90, 30, 30);
    for (const QPoint edge : {QPoint(11, 55), QPoint(60, 21), QPoint(109, 55), QPoint(60, 89)})
        QVERIFY(!firstNot(image, colors::black, canvas.toDevice(QRect(edge, QSize(1, 1)))));
    for (const QPoint inside : {QPoint(12, 55), QPoint(60, 22), QPoint(108, 55), QPoint(60, 88)})
        QVERIFY(!firstNot(image, colors::white, canvas.toDevice(QRect(inside, QSize(1, 1)))));
}

void TestScaleFactor::aFillSeededBesideASlantedLineStaysInItsCell()
{
    // A slanted line drawn at twice the detail covers parts of blocks; a
    // fill seeded on such a block starts from its open part and still stops
    // at the cell's outline.
    Canvas canvas(QSize(60, 40), colors::white, fonts::canvasFont(), 2);
    canvas.box(5, 5, 30, 20, colors::black);
    canvas.line(5, 5, 30, 20, colors::black);
    canvas.setFillColor(colors::red);
    QPoint partly(-1, -1);
    for (int x = 6; x < 35 && partly.x() < 0; ++x)
        for (int y = 6; y < 25; ++y) {
            const QRect block = canvas.toDevice(QRect(x, y, 1, 1));
            const QRect black = boundsOf(canvas.image(), colors::black, block);
            if (!black.isEmpty() && black != block) {
                partly = QPoint(x, y);
                break;
            }
        }
    QVERIFY(partly.x() >= 0);
    canvas.floodFill(partly.x(), partly.y());
    const QRect inside = canvas.toDevice(QRect(6, 6, 29, 19));
    const QRect red = boundsOf(canvas.image(), colors::red, canvas.image().rect());
    QVERIFY(!red.isEmpty());
    QVERIFY(inside.contains(red));
}

void TestScaleFactor::aPressCountsForThePixelUnderThePointer_data()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.25") << 1.25;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

void TestScaleFactor::aPressCountsForThePixelUnderThePointer()
{
    // The toolkit reports a press on device pixel d at d / ratio; it must
    // count for the logical pixel whose block holds d, the one the pupil
    // sees there, so that a press on a black line fills nothing and a press
    // on a frame's edge beeps, as at 1.
    QFETCH(double, ratio);
    const Canvas canvas(QSize(100, 100), colors::white, fonts::canvasFont(), ratio);
    std::optional<QPoint> mismatch;
    for (int d = 0; d < canvas.image().width() && !mismatch; ++d) {
        const QPoint at = canvas.pixelAt(QPointF(d / ratio, d / ratio));
        if (!canvas.toDevice(QRect(at, QSize(1, 1))).contains(d, d))
            mismatch = QPoint(d, d);
    }
    QVERIFY2(!mismatch, describe(mismatch));
}

void TestScaleFactor::changingTheRatioKeepsEveryBlock_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::newRow("1 to 2") << 1.0 << 2.0;
    QTest::newRow("2 to 1.5") << 2.0 << 1.5;
    QTest::newRow("1.5 to 1") << 1.5 << 1.0;
}

void TestScaleFactor::changingTheRatioKeepsEveryBlock()
{
    // A window moved to a screen of another ratio keeps its drawing: every
    // logical pixel keeps its colours, so fills and probes mean the same.
    QFETCH(double, from);
    QFETCH(double, to);
    Canvas reference(QSize(70, 50), colors::white, fonts::canvasFont());
    drawRectilinearScene(reference);
    Canvas canvas(QSize(70, 50), colors::white, fonts::canvasFont(), from);
    drawRectilinearScene(canvas);
    QRect told;
    canvas.changed = [&told](QRect area) { told |= area; };
    canvas.setRatio(to);
    QCOMPARE(canvas.ratio(), to);
    QCOMPARE(canvas.image().size(), canvas.toDevice(QRect(0, 0, 70, 50)).size());
    QCOMPARE(told, QRect(0, 0, 70, 50));
    const auto mismatch = firstMismatch(canvas, canvas.image(), reference.image(), QRect(0, 0, 70, 50));
    QVERIFY2(!mismatch, describe(mismatch));

    // Growing at the new ratio keeps the drawing as well.
    canvas.resize(QSize(90, 60));
    QCOMPARE(canvas.size(), QSize(90, 60));
    const auto afterResize = firstMismatch(canvas, canvas.image(), reference.image(), QRect(0, 0, 70, 50));
    QVERIFY2(!afterResize, describe(afterResize));
    QCOMPARE(canvas.pixel(80, 55), colors::white);
}

void TestScaleFactor::ratiosBelowOneDrawAtOne()
{
    // A logical pixel must own at least one device pixel; a screen below 1
    // shows the drawing made at 1, scaled down.
    for (const double ratio : {0.5, 0.0, -2.0, qQNaN()}) {
        Canvas canvas(QSize(30, 20), colors::white, fonts::canvasFont(), ratio);
        QCOMPARE(canvas.ratio(), 1.0);
        QCOMPARE(canvas.image().size(), QSize(30, 20));
    }
}

void TestScaleFactor::everyLevelIsDrilledAsAtRatioOne_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("ratio");
    for (int level = 1; level <= LevelCount; ++level)
        for (const double ratio : {1.5, 2.0})
            QTest::addRow("level %d at %g", level, ratio) << level << ratio;
}

void TestScaleFactor::everyLevelIsDrilledAsAtRatioOne()
{
    QFETCH(int, level);
    QFETCH(double, ratio);
    Drilled one(level, 1.0);
    Drilled scaled(level, ratio);
    const Canvas& canvas = scaled.fx.canvas();
    QCOMPARE(canvas.ratio(), ratio);
    const int T = Drilled::T;

    // The same records, marks, beeps and pauses: wrong, then right.
    QCOMPARE(scaled.fx.state().RowValues, one.fx.state().RowValues);
    QCOMPARE(scaled.fx.state().record(Drilled::Row, 1, Mark), MarkRightLater);
    QCOMPARE(scaled.fx.platform.beeps, one.fx.platform.beeps);
    QCOMPARE(scaled.fx.platform.waits, one.fx.platform.waits);

    // The problem is drawn where it is drawn at 1: each colour's extent in
    // the row within a logical pixel of its extent at 1, and no colour that
    // is not drawn at 1 (no blending).
    const QRect row(QPoint(FrameLeft, T + FrameTop), QPoint(FrameRight - 1, T + FrameBottom - 1));
    for (const QRgb colour : {colors::black, colors::red, colors::cyan}) {
        const QRect atOne = boundsOf(one.problem, colour, row);
        const QRect atRatio = canvas.toLogical(boundsOf(scaled.problem, colour, canvas.toDevice(row)));
        QCOMPARE(atRatio.isEmpty(), atOne.isEmpty());
        QVERIFY2(atOne.isEmpty() || near(atRatio, atOne), qPrintable(QString::number(colour, 16)));
    }
    QSet<QRgb> coloursAtOne;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left(); x <= row.right(); ++x)
            coloursAtOne.insert(one.problem.pixel(x, y));
    const QRect rowDevice = canvas.toDevice(row);
    std::optional<QPoint> blended;
    for (int y = rowDevice.top(); y <= rowDevice.bottom() && !blended; ++y)
        for (int x = rowDevice.left(); x <= rowDevice.right() && !blended; ++x)
            if (!coloursAtOne.contains(scaled.problem.pixel(x, y)))
                blended = QPoint(x, y);
    QVERIFY2(!blended, describe(blended));

    if (scaled.way == AnswerWay::PaintedTape) {
        // The tape as painted is the one at 1, block by block: no fill
        // leaks out of its cell.
        const QRect tapeArea(QPoint(tape::Left, T + tape::Top), QPoint(tape::Right, T + tape::Bottom));
        const auto leak = firstMismatch(canvas, scaled.answered, one.answered, tapeArea);
        QVERIFY2(!leak, describe(leak));
        QVERIFY(!boundsOf(scaled.answered, colors::red, canvas.toDevice(tapeArea)).isEmpty());
    }
    if (scaled.way == AnswerWay::ChosenSymbol) {
        // The chosen box is red from its seed on, and the red stays inside
        // it: the outline and the glyph hold the fill.
        const int left = symbols::boxes[std::size_t(scaled.firstChoice)].left;
        const QRect inside(left + 1, T + symbols::Top + 1, symbols::Size - 1, symbols::Size - 1);
        const QRect red = boundsOf(scaled.answered, colors::red, rowDevice);
        QVERIFY(!red.isEmpty());
        QVERIFY(canvas.toDevice(inside).contains(red));
        const QPoint seed = symbols::seed(scaled.firstChoice, T);
        QVERIFY(!firstNot(scaled.answered, colors::red, canvas.toDevice(QRect(seed, QSize(1, 1)))));
    }

    // The wrong attempt's mark stands in its cell while it is up, and the
    // wipe leaves the canvas as it was around it and white within it.
    const QRect cell = canvas.toDevice(scaled.markCell());
    const Attempt& wrong = scaled.wrong;
    QVERIFY(!wrong.during.isNull());
    bool markShown = false;
    std::optional<QPoint> outsideTheCell;
    std::optional<QPoint> leftAfterTheWipe;
    for (int y = 0; y < wrong.before.height(); ++y) {
        const auto* before = reinterpret_cast<const QRgb*>(wrong.before.constScanLine(y));
        const auto* during = reinterpret_cast<const QRgb*>(wrong.during.constScanLine(y));
        const auto* after = reinterpret_cast<const QRgb*>(wrong.after.constScanLine(y));
        for (int x = 0; x < wrong.before.width(); ++x) {
            const bool inCell = cell.contains(x, y);
            if (during[x] != before[x]) {
                if (!inCell && !outsideTheCell)
                    outsideTheCell = QPoint(x, y);
                markShown = markShown || during[x] == colors::red;
            }
            if ((inCell ? after[x] != colors::white : after[x] != before[x]) && !leftAfterTheWipe)
                leftAfterTheWipe = QPoint(x, y);
        }
    }
    QVERIFY(markShown);
    QVERIFY2(!outsideTheCell, describe(outsideTheCell));
    QVERIFY2(!leftAfterTheWipe, describe(leftAfterTheWipe));
}

void TestScaleFactor::textAtRatioTwoHasDetailFinerThanABlock()
{
    // A canvas at ratio 1 shown doubled has every 2 × 2 block of one colour.
    // At ratio 2 the status line's glyphs have edges inside blocks.
    Drilled drilled(5, 2.0);
    const Canvas& canvas = drilled.fx.canvas();
    const QImage& image = drilled.problem;
    const QRect status = canvas.toDevice(QRect(30, Drilled::T + 75, 600, canvas.textHeight()));
    int inked = 0;
    int mixed = 0;
    for (int y = status.top(); y < status.bottom(); y += 2)
        for (int x = status.left(); x < status.right(); x += 2) {
            int black = 0;
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                black += image.pixel(QPoint(x, y) + d) == colors::black ? 1 : 0;
            inked += black > 0 ? 1 : 0;
            mixed += black > 0 && black < 4 ? 1 : 0;
        }
    QVERIFY(inked > 100);
    QVERIFY2(mixed * 5 > inked, qPrintable(QStringLiteral("%1 of %2 inked blocks are mixed").arg(mixed).arg(inked)));
}

QTEST_MAIN(TestScaleFactor)
#include "test_scale_factor.moc"
