// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Levels 2 and 3 draw a tape one metre long in ten cells: level 2 colours the
// first cells red for the pupil to measure, level 3 leaves them white for the
// pupil to paint, and the marking reads the painted cells back. What the
// tapes look like is in the tables of test_level_pictures.

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

} // namespace

class TestLevelsTape : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typedAnswerOfTheColouredTape_data();
    void typedAnswerOfTheColouredTape();

    void paintTapeCellsAreClosedAroundTheirProbes_data();
    void paintTapeCellsAreClosedAroundTheirProbes();
};

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

    fx.type(1, typed);
    fx.check(1);
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

QTEST_MAIN(TestLevelsTape)
#include "test_levels_tape.moc"
