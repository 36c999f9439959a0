// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 7: two decimals and the boxes of "＞", "＝" and "＜". The pupil's
// answer lives only in the colours of the boxes, so the picture, the press
// and the marking have to agree on them.

#include "support/drill_fixture.h"
#include "support/rows.h"
#include "support/printed_text.h"

#include "answer/canvas_press.h"
#include "answer/marking.h"
#include "engine/levels/answer_areas.h"
#include "engine/levels/level.h"
#include "engine/page.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

constexpr int Comparing = 7;

// Opens a level-7 page and starts the row with a first problem of the two
// numbers in tenths.
void startRow(DrillFixture& fx, int row, int first, int second)
{
    PageSetup(fx.drill);
    testing::startRow(fx, row, {first, second});
}

bool boxIsRed(DrillFixture& fx, int row, int symbol)
{
    return redSymbols(fx, row).contains(symbol);
}

const char* symbolName(int symbol)
{
    static const char* const names[] = {"＞", "＝", "＜"};
    return names[symbol];
}

} // namespace

class TestLevelsComparison : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachSymbolStandsInsideItsBox_data();
    void eachSymbolStandsInsideItsBox();
    void nextProblemLeavesValue5AndATransparentFillStyle();
    void aPressPaintsOnlyTheInsideOfItsBox_data();
    void aPressPaintsOnlyTheInsideOfItsBox();
    void judgementAcceptsOnlyTheRedBoxOfTheRelation_data();
    void judgementAcceptsOnlyTheRedBoxOfTheRelation();
    void aNewChoiceReplacesTheOldOne();
};

void TestLevelsComparison::eachSymbolStandsInsideItsBox_data()
{
    QTest::addColumn<int>("row");
    for (int row = 1; row <= 3; ++row)
        QTest::addRow("row %d", row) << row;
}

void TestLevelsComparison::eachSymbolStandsInsideItsBox()
{
    // The symbols' line and the boxes are drawn apart; each glyph must stand
    // clear of its box's outline, or the press's fill would stop at it.
    QFETCH(int, row);
    DrillFixture fx(Comparing);
    startRow(fx, row, 44, 44);
    const int T = rowTop(row);
    for (const auto& box : symbols::boxes) {
        const QRect inside(box.left + 1, T + symbols::Top + 1, symbols::Size - 1, symbols::Size - 1);
        QVERIFY2(showsText(fx.canvas(), 500, T + 160, QStringLiteral("＞　＝　＜"), inside), qPrintable(box.symbol));
    }
}

void TestLevelsComparison::nextProblemLeavesValue5AndATransparentFillStyle()
{
    DrillFixture fx(Comparing);
    const int row = 1;
    startRow(fx, row, 12, 21);
    // A solid fill style would fill the next box drawn on this canvas; the
    // next problem sets it to solid itself before blanking the row.
    QCOMPARE(fx.canvas().fillStyle(), FillStyle::Transparent);

    fx.state().RowValues[row][20 + Value5] = 42;  // Value5 of problem 2 is not the generator's
    drawNext(fx, row, {40, 30});
    QCOMPARE(fx.state().record(row, 2, Value1), 4.0f);
    QCOMPARE(fx.state().record(row, 2, Value5), 42.0f);
    QCOMPARE(fx.canvas().fillStyle(), FillStyle::Transparent);
}

void TestLevelsComparison::aPressPaintsOnlyTheInsideOfItsBox_data()
{
    QTest::addColumn<int>("symbol");
    for (int symbol = 0; symbol < 3; ++symbol)
        QTest::newRow(symbolName(symbol)) << symbol;
}

void TestLevelsComparison::aPressPaintsOnlyTheInsideOfItsBox()
{
    // The press floods from inside the box; an opening in its black outline
    // would let red run over the whole row.
    QFETCH(int, symbol);
    DrillFixture fx(Comparing);
    const int row = 2;
    startRow(fx, row, 33, 66);
    chooseSymbol(fx, row, symbol);

    const int T = rowTop(row);
    const int left = symbols::boxes[std::size_t(symbol)].left;
    int red = 0;
    for (int y = 0; y < fx.canvas().size().height(); ++y) {
        for (int x = 0; x < fx.canvas().size().width(); ++x) {
            if (fx.pixel(x, y) != colors::red)
                continue;
            ++red;
            QVERIFY2(x > left && x < left + symbols::Size && y > T + symbols::Top && y < T + symbols::Top + symbols::Size,
                     qPrintable(QStringLiteral("red at (%1, %2)").arg(x).arg(y)));
        }
    }
    // Most of the inside is red: only the symbol's own strokes stay black.
    QVERIFY(red > (symbols::Size - 1) * (symbols::Size - 1) / 2);
}

void TestLevelsComparison::judgementAcceptsOnlyTheRedBoxOfTheRelation_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("choice");  // -1: no box pressed
    QTest::addColumn<bool>("right");

    struct Pair {
        int first;
        int second;
        int relation;
    };
    const Pair pairs[] = {{3, 8, symbols::Less}, {8, 3, symbols::Greater}, {5, 5, symbols::Equal}};
    for (const Pair& pair : pairs) {
        for (int choice = -1; choice < 3; ++choice) {
            const QString name = QStringLiteral("%1 against %2, %3")
                                     .arg(TenthsText(pair.first), TenthsText(pair.second),
                                          choice < 0 ? QStringLiteral("nothing chosen")
                                                     : QStringLiteral("chose ") + QString::fromUtf8(symbolName(choice)));
            QTest::newRow(qPrintable(name)) << pair.first << pair.second << choice << (choice == pair.relation);
        }
    }
}

void TestLevelsComparison::judgementAcceptsOnlyTheRedBoxOfTheRelation()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, choice);
    QFETCH(bool, right);
    DrillFixture fx(Comparing);
    const int row = 3;
    startRow(fx, row, first, second);
    if (choice >= 0)
        chooseSymbol(fx, row, choice);

    const float value1 = fx.state().record(row, 1, Value1);
    const float value2 = fx.state().record(row, 1, Value2);
    QCOMPARE(judgeSymbol(fx.canvas(), rowTop(row), value1, value2), right);

    // The check button gives the same verdict and settles a right choice at once.
    fx.check(row);
    QCOMPARE(fx.state().record(row, 1, AttemptResult1), right ? AttemptRight : AttemptWrong);
    QCOMPARE(fx.state().problemCount(row), right ? 2 : 1);
}

void TestLevelsComparison::aNewChoiceReplacesTheOldOne()
{
    DrillFixture fx(Comparing);
    const int row = 2;
    const int T = rowTop(row);
    startRow(fx, row, 71, 17);

    chooseSymbol(fx, row, symbols::Greater);
    QVERIFY(boxIsRed(fx, row, symbols::Greater));
    QVERIFY(showsText(fx.canvas(), 250, T + 202, QStringLiteral("＞"), symbols::Size));

    chooseSymbol(fx, row, symbols::Equal);
    QVERIFY(!boxIsRed(fx, row, symbols::Greater));
    QVERIFY(boxIsRed(fx, row, symbols::Equal));
    QVERIFY(!boxIsRed(fx, row, symbols::Less));
    QVERIFY(showsText(fx.canvas(), 250, T + 202, QStringLiteral("＝"), symbols::Size));
    // The numbers either side of the chosen symbol are untouched by it.
    QVERIFY(showsText(fx.canvas(), 150, T + 205, QStringLiteral("7.1")));
    QVERIFY(showsText(fx.canvas(), 320, T + 205, QStringLiteral("1.7")));
    QVERIFY(!judgeSymbol(fx.canvas(), T, fx.state().record(row, 1, Value1), fx.state().record(row, 1, Value2)));
}

QTEST_MAIN(TestLevelsComparison)
#include "test_levels_comparison.moc"
