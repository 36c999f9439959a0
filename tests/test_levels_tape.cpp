// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Levels 2 and 3 draw a tape one metre long in ten cells: level 2 colours the
// first cells red for the pupil to measure, level 3 leaves them white for the
// pupil to paint, and the marking reads the painted cells back.

#include "support/drill_fixture.h"
#include "support/printed_text.h"
#include "support/rows.h"

#include "answer/marking.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

constexpr int CellInside = 49 * 24;  // a cell without its black edges

// Draws the next problem of a row of some tenths.
void drawTape(DrillFixture& fx, int row, int tenths)
{
    drawNext(fx, row, {tenths});
}

// The inside of cell j of a tape whose top edge is at y `top`.
QRect cellInside(int cell, int top)
{
    return QRect(81 + 50 * cell, top + 1, 49, 24);
}

// The label of the metre stands so close above the tape that its line box
// reaches into it; the glyphs end above the tape.
QRect aboveTape(int tapeTop)
{
    return QRect(0, 0, 1000, tapeTop);
}

} // namespace

class TestLevelsTape : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void colouredTapeShowsTRedCellsUnderBlackEdges_data();
    void colouredTapeShowsTRedCellsUnderBlackEdges();
    void colouredTapePrintsItsTextsAndMovesTheBox();
    void typedAnswerOfTheColouredTape_data();
    void typedAnswerOfTheColouredTape();

    void paintTapeCellsAreClosedAroundTheirProbes_data();
    void paintTapeCellsAreClosedAroundTheirProbes();
    void paintTapeStartsWhite();
    void paintTapePrintsTheTargetAfterTheSmallHint_data();
    void paintTapePrintsTheTargetAfterTheSmallHint();
};

void TestLevelsTape::colouredTapeShowsTRedCellsUnderBlackEdges_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tenths");
    QTest::newRow("t=1 colours only the first cell") << 1 << 1;
    QTest::newRow("t=5 in row 2") << 2 << 5;
    QTest::newRow("t=9 leaves the last cell white, row 3") << 3 << 9;
}

void TestLevelsTape::colouredTapeShowsTRedCellsUnderBlackEdges()
{
    QFETCH(int, row);
    QFETCH(int, tenths);
    DrillFixture fx(2);
    PageSetup(fx.drill);
    drawTape(fx, row, tenths);

    const Canvas& canvas = fx.canvas();
    const int tapeTop = rowTop(row) + 190;
    QCOMPARE(countPixels(canvas, QRect(QPoint(0, 0), canvas.size()), colors::red), tenths * CellInside);
    for (int cell = 0; cell < 10; ++cell) {
        const QRgb expected = cell < tenths ? colors::red : colors::white;
        QCOMPARE(countPixels(canvas, cellInside(cell, tapeTop), expected), CellInside);
    }
    // The red is drawn first: every edge of every cell is black over it.
    for (int k = 0; k <= 10; ++k)
        QCOMPARE(countPixels(canvas, QRect(80 + 50 * k, tapeTop, 1, 26), colors::black), 26);
    QCOMPARE(countPixels(canvas, QRect(80, tapeTop, 501, 1), colors::black), 501);
    QCOMPARE(countPixels(canvas, QRect(80, tapeTop + 25, 501, 1), colors::black), 501);
    // The span marks rise from both ends of the tape towards the label.
    QCOMPARE(fx.pixel(280, tapeTop - 15), colors::black);
    QCOMPARE(fx.pixel(380, tapeTop - 15), colors::black);
}

void TestLevelsTape::colouredTapePrintsItsTextsAndMovesTheBox()
{
    DrillFixture fx(2);
    PageSetup(fx.drill);
    drawTape(fx, 2, 3);
    const int T = rowTop(2);

    QCOMPARE(fx.state().Instruction, QStringLiteral("色をぬった長さは、何ｍですか。"));
    QCOMPARE(textMismatches(fx.canvas(), 80, T + 120, fx.state().Instruction), 0);
    QCOMPARE(textMismatches(fx.canvas(), 300, T + 160, QStringLiteral("１ｍ"), 24, Margin::None, aboveTape(T + 190)), 0);
    QCOMPARE(textMismatches(fx.canvas(), 696, T + 174, QStringLiteral("ｍ")), 0);
    QCOMPARE(fx.controls.boxes[1].position, QPoint(600, T + 170));
    QCOMPARE(fx.controls.boxes[1].back, colors::pink);
}

void TestLevelsTape::typedAnswerOfTheColouredTape_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("0.5 for five red cells") << QStringLiteral("0.5") << true;
    QTest::newRow("5 counts cells, not metres") << QStringLiteral("5") << false;
    QTest::newRow("0.50 has a trailing zero") << QStringLiteral("0.50") << false;
    QTest::newRow("0.4 is a cell short") << QStringLiteral("0.4") << false;
}

void TestLevelsTape::typedAnswerOfTheColouredTape()
{
    QFETCH(QString, typed);
    QFETCH(bool, right);
    DrillFixture fx(2);
    PageSetup(fx.drill);
    drawTape(fx, 1, 5);
    QCOMPARE(countPixels(fx.canvas(), QRect(QPoint(0, 0), fx.canvas().size()), colors::red), 5 * CellInside);

    fx.controls.boxes[0].value = typed;
    Command5_Click(fx.drill, 0);
    QCOMPARE(fx.state().record(1, 1, AttemptResult1), right ? AttemptRight : AttemptWrong);
}

void TestLevelsTape::paintTapeCellsAreClosedAroundTheirProbes_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("cell");
    for (int cell = 0; cell < 10; ++cell)
        QTest::addRow("row 1, cell %d", cell) << 1 << cell;
    QTest::newRow("row 3, first cell") << 3 << 0;
    QTest::newRow("row 3, last cell") << 3 << 9;
}

void TestLevelsTape::paintTapeCellsAreClosedAroundTheirProbes()
{
    QFETCH(int, row);
    QFETCH(int, cell);
    DrillFixture fx(3);
    PageSetup(fx.drill);
    QCOMPARE(int(fx.state().CanvasIndex), 1);
    drawTape(fx, row, 9);
    const int T = rowTop(row);

    // Paint the cell from its middle, as a press would: exactly its inside
    // turns red, nothing leaks, and the probe of the marking sees it.
    Canvas canvas = fx.canvas();
    canvas.setFillColor(colors::red);
    canvas.floodFill(105 + 50 * cell, T + 242);
    const QRect inside = cellInside(cell, T + 230);
    QCOMPARE(countPixels(canvas, inside, colors::red), CellInside);
    QCOMPARE(countPixels(canvas, QRect(QPoint(0, 0), canvas.size()), colors::red), CellInside);
    const QPoint probe = tape::probe(cell, T);
    QCOMPARE(probe, QPoint(inside.left() + 4, inside.top() + 4));  // 5 pixels in from the edges
    QCOMPARE(canvas.pixel(probe.x(), probe.y()), colors::red);
}

void TestLevelsTape::paintTapeStartsWhite()
{
    DrillFixture fx(3);
    PageSetup(fx.drill);
    drawTape(fx, 2, 9);
    const int T = rowTop(2);
    for (int cell = 0; cell < 10; ++cell)
        QCOMPARE(countPixels(fx.canvas(), cellInside(cell, T + 230), colors::white), CellInside);
    QCOMPARE(countPixels(fx.canvas(), QRect(80, T + 230, 501, 1), colors::black), 501);
    QCOMPARE(countPixels(fx.canvas(), QRect(80, T + 255, 501, 1), colors::black), 501);
    QCOMPARE(countPixels(fx.canvas(), QRect(580, T + 230, 1, 26), colors::black), 26);
    // An unpainted tape is never right, whatever its length.
    QVERIFY(!judgeCells(fx.canvas(), T, fx.state().record(2, 1, Value1)));
}

void TestLevelsTape::paintTapePrintsTheTargetAfterTheSmallHint_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("target");
    QTest::addColumn<float>("metres");
    QTest::newRow("t=1") << 1 << QStringLiteral("0.1ｍ") << 0.1f;
    QTest::newRow("t=4") << 4 << QStringLiteral("0.4ｍ") << 0.4f;
    QTest::newRow("t=9, never 1ｍ") << 9 << QStringLiteral("0.9ｍ") << 0.9f;
}

void TestLevelsTape::paintTapePrintsTheTargetAfterTheSmallHint()
{
    QFETCH(int, tenths);
    QFETCH(QString, target);
    QFETCH(float, metres);
    DrillFixture fx(3);
    PageSetup(fx.drill);
    drawTape(fx, 1, tenths);
    const Canvas& canvas = fx.canvas();

    QCOMPARE(fx.state().Instruction, QStringLiteral("色をぬりましょう。"));
    QCOMPARE(textMismatches(canvas, 80, 120, fx.state().Instruction), 0);
    QCOMPARE(textMismatches(canvas, 80, 170, QStringLiteral("ていせい=まちがえたところをクリック"), 14), 0);
    QCOMPARE(textMismatches(canvas, 442, 155, target), 0);
    QCOMPARE(textMismatches(canvas, 300, 200, QStringLiteral("１ｍ"), 24, Margin::None, aboveTape(230)), 0);
    QCOMPARE(canvas.fontPoints(), 24.0);
    QCOMPARE(fx.state().record(1, 1, Value1), metres);
    QCOMPARE(fx.controls.boxes[0].position, QPoint(600, 143));

    // The next status line is printed at 24 pt too.
    drawTape(fx, 1, tenths == 1 ? 2 : 1);
    QCOMPARE(textMismatches(fx.canvas(), 30, 75, statusLine(fx.state(), 1, 2)), 0);
}

QTEST_MAIN(TestLevelsTape)
#include "test_levels_tape.moc"
