// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// How the ten levels draw their problems, without a canvas: which whole
// numbers each asks for and in what order, what it draws again, which recent
// answers of a row it avoids, and what the problem's record keeps.

#include "support/drill_fixture.h"
#include "support/rows.h"

#include "engine/levels/level.h"
#include "engine/page.h"

#include <QTest>

#include <set>
#include <vector>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

using Asks = QList<ScriptedWholes::Ask>;

// The same asks n times over.
Asks times(int n, const Asks& asks)
{
    Asks all;
    for (int i = 0; i < n; ++i)
        all += asks;
    return all;
}

// What a level's whole numbers can be: 1 to 9 tenths (drawn as one of ten
// from 1), 0 to 3 full vessels, 1 to 39 tenths (one of forty from 1), counts
// of 1 to 40 and 1 to 90, comparison numbers 0 to 9.7, the numbers 0 to 1.8
// of a calculation and level 10's operation, 0 to 99.
const ScriptedWholes::Ask Tenth{10, 1};
const ScriptedWholes::Ask FullVessels{4, 0};
const ScriptedWholes::Ask LineTenth{40, 1};
const ScriptedWholes::Ask Count40{40, 1};
const ScriptedWholes::Ask Count90{90, 1};
const ScriptedWholes::Ask ComparisonNumber{98, 0};
const ScriptedWholes::Ask CalculationNumber{19, 0};
const ScriptedWholes::Ask Operation{100, 0};

// The value of a history entry: Value1 of a problem, and for level 7 also
// Value2, which the next problems check against earlier Value1s.
struct Drawn {
    float value1;
    float value2;
    friend bool operator==(const Drawn&, const Drawn&) = default;
};

// The records of `problems` problems of row 1 of a level, from a seeded
// generator: drawn against the row's recent answers and recorded as the
// page does it, but without painting them, so that thousands are quick.
std::vector<Drawn> drawRow(int level, int problems)
{
    const Level& drawing = *findLevel(level);
    FakePlatform platform;
    platform.seedRandom(level * 7919);
    PlatformWholes random(platform);
    DrillState state;
    std::vector<Drawn> drawn;
    for (int i = 0; i < problems; ++i) {
        const int n = state.countNewProblem(1);
        const Problem problem = drawing.draw(random, state.recentAnswers(1, n, drawing.window));
        state.recordProblem(1, n, problem.value1, problem.value2);
        drawn.push_back({problem.value1, problem.value2});
    }
    return drawn;
}

// The same through DrawProblem, which paints every problem too.
std::vector<Drawn> drawRowOnPage(int level, int problems)
{
    DrillFixture fx(level);
    fx.platform.seedRandom(level * 7919);
    std::vector<Drawn> drawn;
    for (int i = 0; i < problems; ++i) {
        DrawProblem(fx.drill, 1);
        const int n = fx.state().problemCount(1);
        drawn.push_back({fx.state().record(1, n, Value1), fx.state().record(1, n, Value2)});
    }
    return drawn;
}

} // namespace

Q_DECLARE_METATYPE(pomuru::Problem)
Q_DECLARE_METATYPE(Asks)

class TestLevelDraws : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawsFromWholes_data();
    void drawsFromWholes();
    void everyAnswerOfTheRangeComes_data();
    void everyAnswerOfTheRangeComes();
    void recentAnswersAreAvoidedForExactlyTheWindow_data();
    void recentAnswersAreAvoidedForExactlyTheWindow();
    void pageDrawsTheSameProblems_data();
    void pageDrawsTheSameProblems();
    void recordKeepsTheProblemAndValue5_data();
    void recordKeepsTheProblemAndValue5();
    void canvasAndInstructionOfEachLevel_data();
    void canvasAndInstructionOfEachLevel();
    void unknownLevelsDrawNothing();
};

void TestLevelDraws::drawsFromWholes_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<float>>("recent");
    QTest::addColumn<QList<int>>("wholes");
    QTest::addColumn<Asks>("asks");
    QTest::addColumn<Problem>("problem");

    const QList<float> none;
    QTest::newRow("1: tenths, then full vessels")
        << 1 << none << QList<int>{3, 2} << Asks{Tenth, FullVessels} << Problem{3, 2, false, 2.3f, 0};
    QTest::newRow("1: a tenth of 10 is drawn again before the vessels")
        << 1 << none << QList<int>{10, 9, 3} << Asks{Tenth, Tenth, FullVessels} << Problem{9, 3, false, 3.9f, 0};
    QTest::newRow("1: a recent 0.3 litres draws both again")
        << 1 << QList<float>{0.3f} << QList<int>{3, 0, 3, 1} << times(2, Asks{Tenth, FullVessels})
        << Problem{3, 1, false, 1.3f, 0};
    QTest::newRow("2: tenths of a metre")
        << 2 << none << QList<int>{1} << Asks{Tenth} << Problem{1, 0, false, 0.1f, 0};
    QTest::newRow("2: 10 and a recent 0.4 are drawn again")
        << 2 << QList<float>{0.4f} << QList<int>{10, 4, 6} << times(3, {Tenth}) << Problem{6, 0, false, 0.6f, 0};
    QTest::newRow("3: tenths of a metre to paint")
        << 3 << QList<float>{0.9f} << QList<int>{9, 10, 8} << times(3, {Tenth}) << Problem{8, 0, false, 0.8f, 0};
    QTest::newRow("4: 40 is no tenth on the line")
        << 4 << none << QList<int>{40, 39} << times(2, {LineTenth}) << Problem{39, 0, false, 3.9f, 0};
    QTest::newRow("4: a recent 1.2 is drawn again")
        << 4 << QList<float>{1.2f} << QList<int>{12, 1} << times(2, {LineTenth}) << Problem{1, 0, false, 0.1f, 0};
    QTest::newRow("5: the answer is the count of tenths")
        << 5 << QList<float>{7.0f} << QList<int>{7, 40} << times(2, {Count40}) << Problem{40, 0, false, 40.0f, 0};
    QTest::newRow("6: the answer is the decimal")
        << 6 << QList<float>{0.7f} << QList<int>{7, 90} << times(2, {Count90}) << Problem{90, 0, false, 9.0f, 0};
    QTest::newRow("7: first, then second, each from 0 to 9.7")
        << 7 << none << QList<int>{97, 0} << times(2, {ComparisonNumber}) << Problem{97, 0, false, 9.7f, 0};
    QTest::newRow("7: only the second number is held against recent answers")
        << 7 << QList<float>{0.5f} << QList<int>{1, 5, 5, 1} << times(4, {ComparisonNumber})
        << Problem{5, 1, false, 0.5f, 0.1f};
    QTest::newRow("8: a, then b")
        << 8 << none << QList<int>{18, 17} << times(2, {CalculationNumber}) << Problem{18, 17, false, 3.5f, 0};
    QTest::newRow("8: a recent sum draws both again")
        << 8 << QList<float>{1.8f} << QList<int>{3, 15, 3, 14} << times(4, {CalculationNumber})
        << Problem{3, 14, false, 1.7f, 0};
    QTest::newRow("9: a below b draws both again; equal numbers pass")
        << 9 << none << QList<int>{3, 5, 5, 5} << times(4, {CalculationNumber}) << Problem{5, 5, true, 0.0f, 0};
    QTest::newRow("10: the operation after the numbers; 49 adds")
        << 10 << none << QList<int>{2, 7, 49} << Asks{CalculationNumber, CalculationNumber, Operation}
        << Problem{2, 7, false, 0.9f, 0};
    QTest::newRow("10: 50 subtracts")
        << 10 << none << QList<int>{7, 2, 50} << Asks{CalculationNumber, CalculationNumber, Operation}
        << Problem{7, 2, true, 0.5f, 0};
    QTest::newRow("10: a subtraction below zero draws the operation again too")
        << 10 << none << QList<int>{2, 7, 99, 2, 7, 0} << times(2, Asks{CalculationNumber, CalculationNumber, Operation})
        << Problem{2, 7, false, 0.9f, 0};
}

void TestLevelDraws::drawsFromWholes()
{
    QFETCH(int, level);
    QFETCH(QList<float>, recent);
    QFETCH(QList<int>, wholes);
    QFETCH(Asks, asks);
    QFETCH(Problem, problem);

    RecentAnswers recentAnswers;
    for (const float answer : recent)
        recentAnswers.add(answer);
    ScriptedWholes script(wholes);
    const Problem drawn = findLevel(level)->draw(script, recentAnswers);

    QCOMPARE(script.left(), 0);
    QCOMPARE(script.asked, asks);
    QCOMPARE(drawn, problem);
    // Whatever was drawn, the answer is not a recent one.
    QVERIFY(!recentAnswers.contains(level == 7 ? drawn.value2 : drawn.value1));
}

void TestLevelDraws::everyAnswerOfTheRangeComes_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("answers");
    QTest::addColumn<float>("smallest");
    QTest::addColumn<float>("largest");
    QTest::newRow("1: 0.1 to 3.9 litres, no whole litre") << 1 << 36 << 0.1f << 3.9f;
    QTest::newRow("2: 0.1 to 0.9 m") << 2 << 9 << 0.1f << 0.9f;
    QTest::newRow("3: 0.1 to 0.9 m") << 3 << 9 << 0.1f << 0.9f;
    QTest::newRow("4: 0.1 to 3.9") << 4 << 39 << 0.1f << 3.9f;
    QTest::newRow("5: 1 to 40 tenths") << 5 << 40 << 1.0f << 40.0f;
    QTest::newRow("6: 0.1 to 9") << 6 << 90 << 0.1f << 9.0f;
    QTest::newRow("7: 0 to 9.7") << 7 << 98 << 0.0f << 9.7f;
    QTest::newRow("8: sums 0 to 3.6") << 8 << 37 << 0.0f << 3.6f;
    QTest::newRow("9: differences 0 to 1.8") << 9 << 19 << 0.0f << 1.8f;
    QTest::newRow("10: 0 to 3.6") << 10 << 37 << 0.0f << 3.6f;
}

void TestLevelDraws::everyAnswerOfTheRangeComes()
{
    QFETCH(int, level);
    QFETCH(int, answers);
    QFETCH(float, smallest);
    QFETCH(float, largest);
    std::set<float> seen;
    for (const Drawn& drawn : drawRow(level, 2000))
        seen.insert(drawn.value1);
    QCOMPARE(int(seen.size()), answers);
    QCOMPARE(*seen.begin(), smallest);
    QCOMPARE(*seen.rbegin(), largest);
}

void TestLevelDraws::recentAnswersAreAvoidedForExactlyTheWindow_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("window");
    QTest::newRow("1") << 1 << 19;
    QTest::newRow("2") << 2 << 7;
    QTest::newRow("3") << 3 << 7;
    QTest::newRow("4") << 4 << 7;
    QTest::newRow("5") << 5 << 19;
    QTest::newRow("6") << 6 << 19;
    QTest::newRow("7: the second number against the first numbers") << 7 << 7;
    QTest::newRow("8") << 8 << 27;
    QTest::newRow("9: ten differences stay open") << 9 << 9;
    QTest::newRow("10") << 10 << 27;
}

void TestLevelDraws::recentAnswersAreAvoidedForExactlyTheWindow()
{
    QFETCH(int, level);
    QFETCH(int, window);
    // More than 99 problems: the row's records slide, and the window with them.
    const std::vector<Drawn> drawn = drawRow(level, 1000);
    int repeatsJustOutside = 0;
    for (std::size_t n = 1; n < drawn.size(); ++n) {
        const float checked = level == 7 ? drawn[n].value2 : drawn[n].value1;
        for (std::size_t back = 1; back <= std::size_t(window) && back <= n; ++back)
            QVERIFY2(drawn[n - back].value1 != checked, qPrintable(QStringLiteral("problem %1 repeats problem %2").arg(n + 1).arg(n + 1 - back)));
        if (n > std::size_t(window) && drawn[n - window - 1].value1 == checked)
            ++repeatsJustOutside;
    }
    // The window ends where it should: the answer just outside comes back.
    QVERIFY2(repeatsJustOutside > 0, "no answer ever repeats the one just outside the window");
}

void TestLevelDraws::pageDrawsTheSameProblems_data()
{
    QTest::addColumn<int>("level");
    for (int level = 1; level <= LevelCount; ++level)
        QTest::addRow("%d", level) << level;
}

void TestLevelDraws::pageDrawsTheSameProblems()
{
    // The page draws each problem from the same random numbers against the
    // same window, so the quick rows above stand for the page's.
    QFETCH(int, level);
    const std::vector<Drawn> page = drawRowOnPage(level, 60);
    QVERIFY(page == drawRow(level, 60));
}

void TestLevelDraws::recordKeepsTheProblemAndValue5_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("wholes");
    QTest::addColumn<float>("value1");
    QTest::addColumn<float>("value2");
    QTest::newRow("1") << 1 << QList<int>{5, 1} << 1.5f << 0.0f;
    QTest::newRow("2") << 2 << QList<int>{7} << 0.7f << 0.0f;
    QTest::newRow("3") << 3 << QList<int>{2} << 0.2f << 0.0f;
    QTest::newRow("4") << 4 << QList<int>{25} << 2.5f << 0.0f;
    QTest::newRow("5") << 5 << QList<int>{25} << 25.0f << 0.0f;
    QTest::newRow("6") << 6 << QList<int>{25} << 2.5f << 0.0f;
    QTest::newRow("7: both numbers") << 7 << QList<int>{12, 21} << 1.2f << 2.1f;
    QTest::newRow("8") << 8 << QList<int>{3, 15} << 1.8f << 0.0f;
    QTest::newRow("9") << 9 << QList<int>{15, 3} << 1.2f << 0.0f;
    QTest::newRow("10") << 10 << QList<int>{15, 3, 60} << 1.2f << 0.0f;
}

void TestLevelDraws::recordKeepsTheProblemAndValue5()
{
    QFETCH(int, level);
    QFETCH(QList<int>, wholes);
    QFETCH(float, value1);
    QFETCH(float, value2);
    DrillFixture fx(level);
    PageSetup(fx.drill);
    const int row = 2;
    for (const RecordSlot slot : {Value1, Value2, Value3, Value4, Value5, Mark})
        fx.state().record(row, 1, slot) = 42;
    drawNext(fx, row, wholes);

    QCOMPARE(fx.state().problemCount(row), 1);
    QCOMPARE(fx.state().record(row, 1, Value1), value1);
    QCOMPARE(fx.state().record(row, 1, Value2), value2);
    QCOMPARE(fx.state().record(row, 1, Value3), 0.0f);
    QCOMPARE(fx.state().record(row, 1, Value4), 0.0f);
    QCOMPARE(fx.state().record(row, 1, Value5), 42.0f);
    QCOMPARE(fx.state().record(row, 1, Mark), 42.0f);
    // The other rows keep nothing of it.
    QCOMPARE(fx.state().problemCount(1), 0);
    QCOMPARE(fx.state().record(1, 1, Value1), 0.0f);
}

void TestLevelDraws::canvasAndInstructionOfEachLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("canvas");
    QTest::addColumn<QString>("instruction");
    QTest::newRow("1") << 1 << 0 << QString();
    QTest::newRow("2") << 2 << 0 << QStringLiteral("色をぬった長さは、何ｍですか。");
    QTest::newRow("3: painted on the canvas") << 3 << 1 << QStringLiteral("色をぬりましょう。");
    QTest::newRow("4") << 4 << 0 << QStringLiteral("小数で読みましょう。");
    QTest::newRow("5") << 5 << 0 << QString();
    QTest::newRow("6") << 6 << 0 << QString();
    QTest::newRow("7: chosen on the canvas") << 7 << 1 << QStringLiteral("どちらが、大きいですか？");
    for (const int level : {8, 9, 10})
        QTest::addRow("%d", level) << level << 0 << QStringLiteral("次の計算をしましょう。");
}

void TestLevelDraws::canvasAndInstructionOfEachLevel()
{
    QFETCH(int, level);
    QFETCH(int, canvas);
    QFETCH(QString, instruction);
    DrillFixture fx(level);
    fx.state().Instruction = QStringLiteral("left over from another level");
    PageSetup(fx.drill);
    QCOMPARE(int(fx.state().CanvasIndex), canvas);
    DrawProblem(fx.drill, 1);
    QCOMPARE(fx.state().Instruction, instruction);
}

void TestLevelDraws::unknownLevelsDrawNothing()
{
    for (const int level : {0, 11, -1}) {
        QCOMPARE(findLevel(level), nullptr);
        DrillFixture fx(level);
        PageSetup(fx.drill);
        QCOMPARE(int(fx.state().CanvasIndex), 0);
        DrawProblem(fx.drill, 1);
        // The row is counted and its status line printed, but nothing is drawn.
        QCOMPARE(fx.state().problemCount(1), 1);
        QCOMPARE(fx.platform.draws, 0);
        QCOMPARE(fx.state().record(1, 1, Value1), 0.0f);
    }
}

QTEST_MAIN(TestLevelDraws)
#include "test_level_draws.moc"
