// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Presses on the canvas: which row a press hits, the start of a row, and the
// painting of tape cells and the choice of a symbol.

#include "support/drill_fixture.h"
#include "support/printed_text.h"
#include "support/rows.h"

#include "answer/canvas_press.h"
#include "answer/row_keys.h"
#include "engine/page.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

QRgb cellColour(DrillFixture& fx, int row, int cell)
{
    return fx.pixel(insideCell(row, cell).x(), insideCell(row, cell).y());
}

QRgb symbolColour(DrillFixture& fx, int row, int box)
{
    return fx.pixel(insideSymbol(row, box).x(), insideSymbol(row, box).y());
}

} // namespace

class TestCanvasPress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rowAt_data();
    void rowAt();
    void aPressOutsideEveryRowBeeps();
    void firstPressStartsTheRowAndShowsItsControls_data();
    void firstPressStartsTheRowAndShowsItsControls();
    void firstPressOnlyStartsTheRow_data();
    void firstPressOnlyStartsTheRow();
    void aPressOnAStartedLevel1RowDoesNothing();
    void tapePressPaintsAndClearsWholeCells();
    void tapePressOutsideTheTapeOrOnALineChangesNothing();
    void tapePressShowsAtOnce();
    void symbolPressLeavesExactlyTheChosenBoxRed();
    void symbolPressShowsTheChosenSymbolBetweenTheNumbers();
    void rowKeysDoWhatPressesDo_data();
    void rowKeysDoWhatPressesDo();
};

void TestCanvasPress::rowAt_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<bool>("threeRows");
    QTest::addColumn<int>("row");
    QTest::newRow("inside row 1") << 400.0 << 175.0 << false << 1;
    QTest::newRow("x 20 is outside") << 20.0 << 175.0 << true << 0;
    QTest::newRow("x 20.5 is inside") << 20.5 << 175.0 << true << 1;
    QTest::newRow("x 769.5 is inside") << 769.5 << 175.0 << true << 1;
    QTest::newRow("x 770 is outside") << 770.0 << 175.0 << true << 0;
    QTest::newRow("y 70 is outside") << 400.0 << 70.0 << true << 0;
    QTest::newRow("y 71 is row 1") << 400.0 << 71.0 << true << 1;
    QTest::newRow("y 279.5 is row 1") << 400.0 << 279.5 << true << 1;
    QTest::newRow("y 280 is outside") << 400.0 << 280.0 << true << 0;
    QTest::newRow("y 285 between rows 1 and 2") << 400.0 << 285.0 << true << 0;
    QTest::newRow("y 291 is row 2") << 400.0 << 291.0 << false << 2;
    QTest::newRow("y 500 is outside") << 400.0 << 500.0 << true << 0;
    QTest::newRow("y 600 on two rows") << 400.0 << 600.0 << false << 0;
    QTest::newRow("y 600 on three rows") << 400.0 << 600.0 << true << 3;
    QTest::newRow("y 750 below the third frame") << 400.0 << 750.0 << true << 3;
    QTest::newRow("y 769.5 is still row 3") << 400.0 << 769.5 << true << 3;
    QTest::newRow("y 770 is outside") << 400.0 << 770.0 << true << 0;
}

void TestCanvasPress::rowAt()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(bool, threeRows);
    QFETCH(int, row);
    QCOMPARE(pomuru::rowAt(x, y, threeRows), row);
}

void TestCanvasPress::aPressOutsideEveryRowBeeps()
{
    DrillFixture fx(1, 999);
    PageSetup(fx.drill);
    const QImage before = fx.canvas().image();
    for (const QPointF at : {QPointF(20, 175), QPointF(400, 285), QPointF(400, 600), QPointF(900, 100)})
        fx.pressCanvas(at.x(), at.y());
    QCOMPARE(fx.platform.beeps, 4);
    QCOMPARE(fx.canvas().image(), before);
    for (int row = 1; row <= 3; ++row)
        QVERIFY(!fx.state().rowStarted(row));
}

void TestCanvasPress::firstPressStartsTheRowAndShowsItsControls_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("checkButton");
    QTest::newRow("row 2 of level 1") << 1 << 2 << 1;
    QTest::newRow("row 1 of level 3 on canvas 1") << 3 << 1 << 5;
    QTest::newRow("row 3 of level 7 on canvas 1") << 7 << 3 << 3;
}

void TestCanvasPress::firstPressStartsTheRowAndShowsItsControls()
{
    QFETCH(int, level);
    QFETCH(int, row);
    QFETCH(int, checkButton);
    DrillFixture fx(level);
    PageSetup(fx.drill);
    // Leftovers of an earlier drill in the first 200 entries are cleared.
    fx.state().RowValues[row][ProblemCount] = 7;
    fx.state().RowValues[row][200] = 5;
    fx.pressCanvas(400, rowTop(row) + 175);
    QVERIFY(fx.state().rowStarted(row));
    QCOMPARE(fx.state().problemCount(row), 1);
    QCOMPARE(fx.state().RowValues[row][200], 0.0f);
    QCOMPARE(fx.state().ProblemRow, std::int16_t(row));
    QCOMPARE(fx.platform.beeps, 0);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(fx.controls.boxes[std::size_t(i)].visible, i == row - 1);
        QCOMPARE(fx.controls.keypadShown[std::size_t(i)], i == row - 1);
    }
    for (int i = 0; i < 6; ++i)
        QCOMPARE(fx.controls.checkShown[std::size_t(i)], i == checkButton);
    for (int other = 1; other <= 3; ++other)
        if (other != row)
            QVERIFY(!fx.state().rowStarted(other));
}

void TestCanvasPress::firstPressOnlyStartsTheRow_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("on the tape of level 3") << 3 << QPoint(110, 240);
    QTest::newRow("on the ＞ box of level 7") << 7 << QPoint(510, 175);
}

void TestCanvasPress::firstPressOnlyStartsTheRow()
{
    QFETCH(int, level);
    QFETCH(QPoint, at);
    DrillFixture fx(level);
    PageSetup(fx.drill);
    fx.pressCanvas(at.x(), at.y());
    QVERIFY(fx.state().rowStarted(1));
    for (int cell = 0; cell < 10; ++cell)
        QVERIFY(cellColour(fx, 1, cell) != colors::red);
    for (int box = 0; box < 3; ++box)
        QVERIFY(symbolColour(fx, 1, box) != colors::red);
}

void TestCanvasPress::aPressOnAStartedLevel1RowDoesNothing()
{
    DrillFixture fx(1);
    PageSetup(fx.drill);
    fx.pressCanvas(400, 175);
    const QImage before = fx.canvas().image();
    const auto records = fx.state().RowValues;
    fx.pressCanvas(400, 175);
    fx.pressCanvas(110, 240);
    QCOMPARE(fx.canvas().image(), before);
    QVERIFY(fx.state().RowValues == records);
    QCOMPARE(fx.platform.beeps, 0);
}

void TestCanvasPress::tapePressPaintsAndClearsWholeCells()
{
    DrillFixture fx(3);
    PageSetup(fx.drill);
    startRow(fx, 2, {5});  // 0.5 m to paint
    const int top = rowTop(2);
    fx.pressCanvas(110, top + 240);  // cell 0
    fx.pressCanvas(370, top + 250);  // cell 5
    QCOMPARE(cellColour(fx, 2, 0), colors::red);
    QCOMPARE(cellColour(fx, 2, 5), colors::red);
    // The whole cell is red up to its black edges, and nothing beyond.
    QCOMPARE(fx.pixel(81, top + 231), colors::red);
    QCOMPARE(fx.pixel(129, top + 254), colors::red);
    QCOMPARE(fx.pixel(130, top + 240), colors::black);
    QCOMPARE(fx.pixel(131, top + 240), colors::white);
    QCOMPARE(fx.pixel(110, top + 229), colors::white);
    QCOMPARE(fx.pixel(110, top + 256), colors::white);
    for (const int cell : {1, 2, 3, 4, 6, 7, 8, 9})
        QCOMPARE(cellColour(fx, 2, cell), colors::white);
    // Pressing a red cell again makes it white: the correction.
    fx.pressCanvas(100, top + 235);
    QCOMPARE(cellColour(fx, 2, 0), colors::white);
    QCOMPARE(fx.pixel(129, top + 254), colors::white);
    QCOMPARE(cellColour(fx, 2, 5), colors::red);
}

void TestCanvasPress::tapePressOutsideTheTapeOrOnALineChangesNothing()
{
    DrillFixture fx(3);
    PageSetup(fx.drill);
    startRow(fx, 1, {5});  // 0.5 m to paint
    const QImage before = fx.canvas().image();
    fx.pressCanvas(130, 240);  // a cell edge: inside the tape, on black
    fx.pressCanvas(80, 240);   // the tape's left end is outside
    fx.pressCanvas(300, 230);  // its top edge too
    fx.pressCanvas(300, 150);  // elsewhere in the row
    QCOMPARE(fx.canvas().image(), before);
    QCOMPARE(fx.platform.beeps, 0);
}

void TestCanvasPress::tapePressShowsAtOnce()
{
    DrillFixture fx(3);
    PageSetup(fx.drill);
    startRow(fx, 1, {5});  // 0.5 m to paint
    int refreshes = 0;
    fx.canvas().refreshed = [&] { ++refreshes; };
    fx.pressCanvas(110, 240);
    QCOMPARE(refreshes, 1);
}

void TestCanvasPress::symbolPressLeavesExactlyTheChosenBoxRed()
{
    DrillFixture fx(7);
    PageSetup(fx.drill);
    startRow(fx, 3, {12, 30});  // 1.2 against 3
    const int top = rowTop(3);
    fx.pressCanvas(510, top + 175);  // ＞
    QCOMPARE(symbolColour(fx, 3, 0), colors::red);
    QCOMPARE(symbolColour(fx, 3, 1), colors::white);
    QCOMPARE(symbolColour(fx, 3, 2), colors::white);
    fx.pressCanvas(580, top + 180);  // ＝ replaces ＞
    QCOMPARE(symbolColour(fx, 3, 0), colors::white);
    QCOMPARE(symbolColour(fx, 3, 1), colors::red);
    QCOMPARE(symbolColour(fx, 3, 2), colors::white);
    // A press between the boxes changes nothing but refreshes.
    int refreshes = 0;
    fx.canvas().refreshed = [&] { ++refreshes; };
    const QImage before = fx.canvas().image();
    fx.pressCanvas(547, top + 175);
    QCOMPARE(fx.canvas().image(), before);
    QCOMPARE(refreshes, 1);
}

void TestCanvasPress::symbolPressShowsTheChosenSymbolBetweenTheNumbers()
{
    DrillFixture fx(7);
    PageSetup(fx.drill);
    startRow(fx, 1, {12, 30});  // 1.2 against 3
    auto expected = [&fx](const QString& symbol) {
        return printedAlone(fx.canvas(), QRect(250, 200, 41, 41), 250, 202, symbol).image();
    };
    fx.pressCanvas(510, 175);
    QCOMPARE(fx.canvas().image().copy(250, 200, 41, 41), expected(QStringLiteral("＞")));
    fx.pressCanvas(640, 190);
    QCOMPARE(fx.canvas().image().copy(250, 200, 41, 41), expected(QStringLiteral("＜")));
}

void TestCanvasPress::rowKeysDoWhatPressesDo_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("cursorBefore");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursorAfter");
    QTest::addColumn<QList<int>>("redCells");    // level 3: the tape after the key
    QTest::addColumn<QList<int>>("redSymbols");  // level 7: the boxes after the key

    const QList<int> none;
    QTest::newRow("tape: Right moves a cell") << 3 << 4 << int(Qt::Key_Right) << QString() << 5 << none << none;
    QTest::newRow("tape: Left stops at the first cell") << 3 << 0 << int(Qt::Key_Left) << QString() << 0 << none << none;
    QTest::newRow("tape: Right stops at the last cell") << 3 << 9 << int(Qt::Key_Right) << QString() << 9 << none << none;
    QTest::newRow("tape: Home and End") << 3 << 6 << int(Qt::Key_Home) << QString() << 0 << none << none;
    QTest::newRow("tape: End") << 3 << 2 << int(Qt::Key_End) << QString() << 9 << none << none;
    QTest::newRow("tape: Space paints the cell under the cursor")
        << 3 << 7 << int(Qt::Key_Space) << QStringLiteral(" ") << 7 << QList<int>{7} << none;
    QTest::newRow("symbols: > chooses ＞") << 7 << 0 << int(Qt::Key_Greater) << QStringLiteral(">") << 0 << none
                                          << QList<int>{Greater};
    QTest::newRow("symbols: ＝ from an input method") << 7 << 0 << 0 << QStringLiteral("＝") << 0 << none
                                                     << QList<int>{Equal};
    QTest::newRow("symbols: < chooses ＜") << 7 << 0 << int(Qt::Key_Less) << QStringLiteral("<") << 0 << none
                                          << QList<int>{Less};
    QTest::newRow("symbols: a digit is not theirs") << 7 << 0 << int(Qt::Key_5) << QStringLiteral("5") << 0 << none << none;
}

void TestCanvasPress::rowKeysDoWhatPressesDo()
{
    QFETCH(int, level);
    QFETCH(int, cursorBefore);
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, cursorAfter);
    QFETCH(QList<int>, redCells);
    QFETCH(QList<int>, redSymbols);
    DrillFixture fx(level);
    fx.openLevel(level);
    startRow(fx, 2, level == 3 ? QList<int>{5} : QList<int>{3, 8});
    int cursor = cursorBefore;
    rowKeyDown(fx.drill, 2, cursor, {key, text});
    QCOMPARE(cursor, cursorAfter);
    if (level == 3)
        QCOMPARE(testing::redCells(fx, 2), redCells);
    else
        QCOMPARE(testing::redSymbols(fx, 2), redSymbols);
    QCOMPARE(fx.platform.beeps, 0);
}

QTEST_MAIN(TestCanvasPress)
#include "test_canvas_press.moc"
