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

    void numberLineArrowStandsAtTheTenth_data();
    void numberLineArrowStandsAtTheTenth();
    void numberLineTicksAndEndMarks();
    void numberLineLabelsInstructionAndBox();
    void numberLineRepeatedDrawLeavesNoExtraArrow();

    void countTenthsSentence_data();
    void countTenthsSentence();
    void tenthsValueSentence_data();
    void tenthsValueSentence();

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

void TestLevelsNumbers::numberLineArrowStandsAtTheTenth_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("arrowX");  // 80 + 12.5 t, half a pixel to the even side
    QTest::addColumn<float>("value");
    QTest::newRow("t=1, 12.5 right of 0: 92.5 to 92") << 1 << 1 << 92 << 0.1f;
    QTest::newRow("t=3: 117.5 to 118") << 1 << 3 << 118 << 0.3f;
    QTest::newRow("t=10 under the 1") << 2 << 10 << 205 << 1.0f;
    QTest::newRow("t=20 under the 2") << 1 << 20 << 330 << 2.0f;
    QTest::newRow("t=30 under the 3, row 3") << 3 << 30 << 455 << 3.0f;
    QTest::newRow("t=39, 12.5 left of 4: 567.5 to 568") << 1 << 39 << 568 << 3.9f;
}

void TestLevelsNumbers::numberLineArrowStandsAtTheTenth()
{
    QFETCH(int, row);
    QFETCH(int, tenths);
    QFETCH(int, arrowX);
    QFETCH(float, value);
    DrillFixture fx(4);
    PageSetup(fx.drill);
    drawNumber(fx, row, tenths);
    const int T = rowTop(row);
    const Canvas& canvas = fx.canvas();

    QCOMPARE(countPixels(canvas, wholeCanvas(canvas), colors::red), ArrowPixels);
    QCOMPARE(countPixels(canvas, QRect(arrowX, T + 215, 1, 11), colors::red), 11);
    QCOMPARE(fx.pixel(arrowX + 4, T + 219), colors::red);
    QCOMPARE(fx.pixel(arrowX - 4, T + 219), colors::red);
    QCOMPARE(fx.state().record(row, 1, Value1), value);
}

void TestLevelsNumbers::numberLineTicksAndEndMarks()
{
    DrillFixture fx(4);
    PageSetup(fx.drill);
    drawNumber(fx, 2, 1);
    const int T = rowTop(2);
    const Canvas& canvas = fx.canvas();

    // The base line, except where the arrow touches it.
    QCOMPARE(countPixels(canvas, QRect(80, T + 215, 501, 1), colors::black), 500);
    // The box's top edge is gone: nothing black between the end marks at T+200.
    QCOMPARE(countPixels(canvas, QRect(81, T + 200, 499, 1), colors::black), 8 - 1);  // half ticks 1 to 7
    // The left end mark stands 15 pixels above the base line.
    QCOMPARE(countPixels(canvas, QRect(80, T + 200, 1, 16), colors::black), 15);
    QCOMPARE(fx.pixel(80, T + 200), colors::white);
    // The tick at k = 40 and the half tick at k = 8 meet the right end mark.
    QCOMPARE(countPixels(canvas, QRect(580, T + 200, 1, 16), colors::black), 16);
    QCOMPARE(countPixels(canvas, QRect(581, T + 200, 10, 26), colors::black), 0);
    // A tenth tick is 10 pixels high, a half tick 15; 142.5 rounds to 142.
    QCOMPARE(countPixels(canvas, QRect(105, T + 200, 1, 16), colors::black), 11);
    QCOMPARE(countPixels(canvas, QRect(142, T + 200, 1, 16), colors::black), 16);
    QCOMPARE(countPixels(canvas, QRect(143, T + 200, 1, 16), colors::black), 1);
    // Forty tenth ticks and the left end mark cross the base line's row above it.
    QCOMPARE(countPixels(canvas, QRect(80, T + 210, 501, 1), colors::black), 41);
}

void TestLevelsNumbers::numberLineLabelsInstructionAndBox()
{
    DrillFixture fx(4);
    PageSetup(fx.drill);
    drawNumber(fx, 1, 25);
    const Canvas& canvas = fx.canvas();

    const int labelLeft[] = {73, 197, 322, 447, 572};
    for (int unit = 0; unit <= 4; ++unit)
        QCOMPARE(textMismatches(canvas, labelLeft[unit], 170, QString::number(unit), 24, Margin::OneCharacter,
                                QRect(0, 0, 1000, 200)),
                 0);
    QCOMPARE(fx.state().Instruction, QStringLiteral("小数で読みましょう。"));
    QCOMPARE(textMismatches(canvas, 80, 125, fx.state().Instruction), 0);
    QCOMPARE(fx.controls.boxes[0].position, QPoint(620, 170));
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

void TestLevelsNumbers::countTenthsSentence_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("c=1") << 1 << QStringLiteral(" 0.1は、0.1がいくつあつまった数ですか。");
    QTest::newRow("c=3") << 3 << QStringLiteral(" 0.3は、0.1がいくつあつまった数ですか。");
    QTest::newRow("c=10 has no point") << 10 << QStringLiteral(" 1は、0.1がいくつあつまった数ですか。");
    QTest::newRow("c=15") << 15 << QStringLiteral(" 1.5は、0.1がいくつあつまった数ですか。");
    QTest::newRow("c=40 has no point") << 40 << QStringLiteral(" 4は、0.1がいくつあつまった数ですか。");
}

void TestLevelsNumbers::countTenthsSentence()
{
    QFETCH(int, tenths);
    QFETCH(QString, sentence);
    DrillFixture fx(5);
    PageSetup(fx.drill);
    drawNumber(fx, 2, tenths);
    const int T = rowTop(2);

    QCOMPARE(textMismatches(fx.canvas(), 60, T + 120, sentence), 0);
    QCOMPARE(fx.state().record(2, 1, Value1), float(tenths));
    QCOMPARE(fx.controls.boxes[1].position, QPoint(120, T + 166));
    QCOMPARE(fx.controls.boxes[1].back, colors::pink);
}

void TestLevelsNumbers::tenthsValueSentence_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<float>("value");
    QTest::newRow("c=1, one digit after the blank") << 1 << QStringLiteral("0.1が 1こあつまった数は？") << 0.1f;
    QTest::newRow("c=23, two digits after the blank") << 23 << QStringLiteral("0.1が 23こあつまった数は？") << 2.3f;
    QTest::newRow("c=90 expects 9") << 90 << QStringLiteral("0.1が 90こあつまった数は？") << 9.0f;
}

void TestLevelsNumbers::tenthsValueSentence()
{
    QFETCH(int, tenths);
    QFETCH(QString, sentence);
    QFETCH(float, value);
    DrillFixture fx(6);
    PageSetup(fx.drill);
    drawNumber(fx, 3, tenths);
    const int T = rowTop(3);

    QCOMPARE(textMismatches(fx.canvas(), 60, T + 120, sentence), 0);
    QCOMPARE(fx.state().record(3, 1, Value1), value);
    QCOMPARE(fx.controls.boxes[2].position, QPoint(120, T + 166));
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

    fx.controls.boxes[0].value = typed;
    Command5_Click(fx.drill, 0);
    QCOMPARE(fx.state().record(1, 1, AttemptResult1), right ? AttemptRight : AttemptWrong);
    QCOMPARE(fx.state().problemCount(1), right ? 2 : 1);
}

QTEST_MAIN(TestLevelsNumbers)
#include "test_levels_numbers.moc"
