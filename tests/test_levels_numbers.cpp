// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Levels 4 to 6 show numbers: a number line with an arrow to read (4), a
// decimal to count in tenths (5) and a count of tenths to write as a decimal
// (6). TenthsText is the one way decimals are written on the canvas.

#include "support/drill_fixture.h"
#include "support/printed_text.h"
#include "support/rows.h"

#include "answer/marking.h"
#include "engine/levels/level.h"
#include "engine/page.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// Draws the next problem of a row of one number (the redraws before it are
// scripted with drawNext).
void drawNumber(DrillFixture& fx, int row, int number)
{
    drawNext(fx, row, {number});
}

QRect wholeCanvas(const Canvas& canvas)
{
    return QRect(QPoint(0, 0), canvas.size());
}

// The arrow: 11 pixels down from the base line and two 4-pixel barbs.
constexpr int ArrowPixels = 11 + 4 + 4;

} // namespace

class TestLevelsNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tenthsText_data();
    void tenthsText();

    void numberLineRepeatedDrawLeavesNoExtraArrow();


    void typedAnswers_data();
    void typedAnswers();
};

void TestLevelsNumbers::tenthsText_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 has no point") << 0 << QStringLiteral("0");
    QTest::newRow("1 gets a leading zero") << 1 << QStringLiteral("0.1");
    QTest::newRow("3 gets a leading zero") << 3 << QStringLiteral("0.3");
    QTest::newRow("10 is a whole number") << 10 << QStringLiteral("1");
    QTest::newRow("15") << 15 << QStringLiteral("1.5");
    QTest::newRow("40 has no trailing zero") << 40 << QStringLiteral("4");
    QTest::newRow("97") << 97 << QStringLiteral("9.7");
    QTest::newRow("98, the largest") << 98 << QStringLiteral("9.8");
}

void TestLevelsNumbers::tenthsText()
{
    QFETCH(int, tenths);
    QFETCH(QString, text);
    QCOMPARE(TenthsText(tenths), text);
}

void TestLevelsNumbers::numberLineRepeatedDrawLeavesNoExtraArrow()
{
    DrillFixture fx(4);
    PageSetup(fx.drill);
    drawNumber(fx, 1, 5);

    // Problem 2 draws 40 (no such tenth) and the 5 of problem 1 before its 7.
    drawNext(fx, 1, {40, 5, 7});
    QVERIFY(fx.platform.scriptedDraws.empty());
    QCOMPARE(countPixels(fx.canvas(), wholeCanvas(fx.canvas()), colors::red), ArrowPixels);
    QCOMPARE(fx.pixel(168, 220), colors::red);  // 167.5 to 168
    QCOMPARE(fx.pixel(142, 220), colors::white);
    QCOMPARE(fx.state().record(1, 2, Value1), 0.7f);
}

void TestLevelsNumbers::typedAnswers_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("level 4, t=10: 1") << 4 << 10 << QStringLiteral("1") << true;
    QTest::newRow("level 4, t=20: 2") << 4 << 20 << QStringLiteral("2") << true;
    QTest::newRow("level 4, t=30: 3") << 4 << 30 << QStringLiteral("3") << true;
    QTest::newRow("level 4, t=30: 3. also reads 3") << 4 << 30 << QStringLiteral("3.") << true;
    QTest::newRow("level 4, t=30: 3.0 has a trailing zero") << 4 << 30 << QStringLiteral("3.0") << false;
    QTest::newRow("level 4, t=27: 2.7") << 4 << 27 << QStringLiteral("2.7") << true;
    QTest::newRow("level 4, t=27: 27 is tenths, not the value") << 4 << 27 << QStringLiteral("27") << false;
    QTest::newRow("level 5, 1.5: 15") << 5 << 15 << QStringLiteral("15") << true;
    QTest::newRow("level 5, 1.5: 1.5 is the decimal itself") << 5 << 15 << QStringLiteral("1.5") << false;
    QTest::newRow("level 5, 4: 40") << 5 << 40 << QStringLiteral("40") << true;
    QTest::newRow("level 6, c=90: 9") << 6 << 90 << QStringLiteral("9") << true;
    QTest::newRow("level 6, c=90: 90 is the count") << 6 << 90 << QStringLiteral("90") << false;
    QTest::newRow("level 6, c=23: 2.3") << 6 << 23 << QStringLiteral("2.3") << true;
    QTest::newRow("level 6, c=3: 0.3") << 6 << 3 << QStringLiteral("0.3") << true;
}

void TestLevelsNumbers::typedAnswers()
{
    QFETCH(int, level);
    QFETCH(int, number);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    DrillFixture fx(level);
    PageSetup(fx.drill);
    drawNumber(fx, 1, number);

    fx.type(1, typed);
    fx.check(1);
    QCOMPARE(fx.state().record(1, 1, AttemptResult1), right ? AttemptRight : AttemptWrong);
    QCOMPARE(fx.state().problemCount(1), right ? 2 : 1);
}

QTEST_MAIN(TestLevelsNumbers)
#include "test_levels_numbers.moc"
