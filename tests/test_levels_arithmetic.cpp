// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Levels 8 to 10: a sum or a difference of two decimals, the answer box
// after it, and the recent answers of a row that the next problem avoids.

#include "support/drill_fixture.h"
#include "support/printed_text.h"
#include "support/rows.h"

#include "engine/levels/expression.h"
#include "engine/levels/level.h"
#include "engine/page.h"

#include <QTest>

#include <set>
#include <stdexcept>
#include <vector>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

float tenths(int t)
{
    return float(t / 10.0);
}

// Gives up a run that would otherwise never end, so that a generator caught
// in an endless redraw fails its test instead of hanging it.
class BoundedPlatform : public FakePlatform {
public:
    explicit BoundedPlatform(int limit_)
        : limit(limit_)
    {
    }
    float nextRandom() override
    {
        if (draws >= limit)
            throw std::runtime_error("the generator keeps drawing");
        return FakePlatform::nextRandom();
    }
    int limit;
};

// A drill on row 1 of a level whose generator gives up after millions of draws.
struct BoundedDrill {
    explicit BoundedDrill(int level)
    {
        drill.state.LevelNo = std::int16_t(level);
        drill.state.ScreenWidthPixels = 1024;
        drill.state.ProblemRow = 1;
    }
    // Draws the next problem; false when it would never end.
    bool drawNext()
    {
        try {
            DrawProblem(drill, 1);
            return true;
        } catch (const std::runtime_error&) {
            return false;
        }
    }

    FakeControls controls;
    BoundedPlatform platform{5'000'000};
    Drill drill{controls, platform};
};

} // namespace

class TestLevelsArithmetic : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void expressionLineAndAnswerBox_data();
    void expressionLineAndAnswerBox();
    void layoutReturnsTheTextItPrints();
    void answerBoxStandsFurtherRightAfterDecimals();
    void subtractionRowOf400ProblemsFallsIntoNoCycle();
    void mixedLevelAddsAndSubtractsAs361To190();
    void mixedLevelOnlyAddsWhileEveryDifferenceIsRecent();
};

void TestLevelsArithmetic::expressionLineAndAnswerBox_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("answerTenths");

    QTest::newRow("level 8: 0.3 + 1.5") << 8 << QList<int>{3, 15} << "0.3 + 1.5 =" << 18;
    QTest::newRow("level 8: 0 + 0.4, a whole 0 first") << 8 << QList<int>{0, 4} << "0 + 0.4 =" << 4;
    QTest::newRow("level 8: 1.8 + 1.8, the largest sum") << 8 << QList<int>{18, 18} << "1.8 + 1.8 =" << 36;
    QTest::newRow("level 8: 1 + 0, whole numbers") << 8 << QList<int>{10, 0} << "1 + 0 =" << 10;
    QTest::newRow("level 9: 1.5 - 0.3") << 9 << QList<int>{15, 3} << "1.5 - 0.3 =" << 12;
    QTest::newRow("level 9: 0.7 - 0.7 gives 0") << 9 << QList<int>{7, 7} << "0.7 - 0.7 =" << 0;
    QTest::newRow("level 9: 1.8 - 0, the largest difference") << 9 << QList<int>{18, 0} << "1.8 - 0 =" << 18;
    QTest::newRow("level 9: a pair below zero is drawn again") << 9 << QList<int>{3, 15, 15, 3} << "1.5 - 0.3 =" << 12;
    QTest::newRow("level 10: selector 49 adds") << 10 << QList<int>{15, 3, 49} << "1.5 + 0.3 =" << 18;
    QTest::newRow("level 10: selector 50 subtracts") << 10 << QList<int>{15, 3, 50} << "1.5 - 0.3 =" << 12;
    QTest::newRow("level 10: an addition may have a < b") << 10 << QList<int>{3, 15, 0} << "0.3 + 1.5 =" << 18;
    QTest::newRow("level 10: a subtraction below zero draws all three again")
        << 10 << QList<int>{3, 15, 70, 3, 15, 20} << "0.3 + 1.5 =" << 18;
    QTest::newRow("level 10: 0 - 0") << 10 << QList<int>{0, 0, 99} << "0 - 0 =" << 0;
}

void TestLevelsArithmetic::expressionLineAndAnswerBox()
{
    QFETCH(int, level);
    QFETCH(QList<int>, draws);
    QFETCH(QString, line);
    QFETCH(int, answerTenths);
    DrillFixture fx(level);
    PageSetup(fx.drill);
    const int row = 2;
    const int T = rowTop(row);
    fx.state().ProblemRow = std::int16_t(row);
    fx.state().RowValues[row][10 + Value5] = 42;
    scriptWholes(fx, row, draws);

    DrawProblem(fx.drill, fx.state().ProblemRow);

    QCOMPARE(fx.platform.draws, int(draws.size()));
    QVERIFY2(showsText(fx.canvas(), 150, T + 160, line), qPrintable(line));
    QCOMPARE(fx.state().record(row, 1, Value1), tenths(answerTenths));
    QCOMPARE(fx.state().record(row, 1, Value2), 0.0f);
    QCOMPARE(fx.state().record(row, 1, Value5), 42.0f);
}

void TestLevelsArithmetic::layoutReturnsTheTextItPrints()
{
    DrillFixture fx(10);
    const int top = rowTop(3);
    const Problem problem{.first = 12, .second = 9, .subtraction = true};
    MixedLevel.paint(fx.canvas(), problem, top);
    const QString text = calculationText(problem);
    QCOMPARE(text, QStringLiteral("1.2 - 0.9 ="));
    QVERIFY(showsText(fx.canvas(), 150, top + 160, text));
    QVERIFY(!showsText(fx.canvas(), 150, top + 160, QStringLiteral("1.2 + 0.9 =")));
    QCOMPARE(fx.canvas().fillStyle(), FillStyle::Transparent);
}

void TestLevelsArithmetic::answerBoxStandsFurtherRightAfterDecimals()
{
    auto boxLeftFor = [](int a, int b) {
        DrillFixture fx(8);
        drawNext(fx, 1, {a, b});
        return fx.controls.boxes[0].position.x();
    };
    const int afterWholes = boxLeftFor(0, 10);     // 0 + 1 =
    const int afterDecimals = boxLeftFor(3, 15);   // 0.3 + 1.5 =
    const int afterOneDecimal = boxLeftFor(0, 4);  // 0 + 0.4 =
    QVERIFY(afterDecimals > afterOneDecimal);
    QVERIFY(afterOneDecimal > afterWholes);
}

void TestLevelsArithmetic::subtractionRowOf400ProblemsFallsIntoNoCycle()
{
    BoundedDrill fx(9);
    fx.platform.seedRandom(11);
    constexpr int Problems = 400;
    std::vector<float> answers;
    for (int n = 1; n <= Problems; ++n) {
        QVERIFY2(fx.drawNext(), qPrintable(QStringLiteral("problem %1 never ends").arg(n)));
        const float answer = fx.drill.state.record(1, n, Value1);
        QVERIFY2(answer >= 0.0f && answer <= 1.8f, qPrintable(QStringLiteral("problem %1: %2").arg(n).arg(answer)));
        answers.push_back(answer);
    }

    // A window that leaves a single difference to draw makes the row repeat
    // itself in a fixed cycle (of 19 problems for a window of 18). With ten
    // differences to choose from, an answer equals the one p problems back
    // about one time in ten: no period up to 40 may hold for half of them.
    for (std::size_t period = 1; period <= 40; ++period) {
        const std::size_t first = std::max<std::size_t>(19, period);
        std::size_t repeats = 0;
        for (std::size_t n = first; n < answers.size(); ++n)
            repeats += answers[n] == answers[n - period] ? 1 : 0;
        const std::size_t compared = answers.size() - first;
        QVERIFY2(repeats < compared / 2, qPrintable(QStringLiteral("period %1: %2 of %3 repeat").arg(period).arg(repeats).arg(compared)));
    }
    // Every difference comes up in a long row.
    const std::set<float> seen(answers.begin(), answers.end());
    QCOMPARE(seen.size(), std::size_t(19));
    // The row of 400 draws no more than a few thousand numbers per problem.
    QVERIFY(fx.platform.draws < Problems * 5000);
}

void TestLevelsArithmetic::mixedLevelAddsAndSubtractsAs361To190()
{
    // Every addition passes, a subtraction only for the 190 of 361 pairs with
    // a ≥ b, and a failed subtraction draws its operation again too.
    FakePlatform platform;
    platform.seedRandom(7);
    PlatformWholes random(platform);
    constexpr int Problems = 200'000;
    int subtractions = 0;
    for (int i = 0; i < Problems; ++i) {
        const Problem problem = MixedLevel.draw(random, RecentAnswers{});
        if (problem.subtraction) {
            ++subtractions;
            QVERIFY(problem.first >= problem.second);
        }
    }
    const double share = double(subtractions) / Problems;
    const double expected = 190.0 / (361.0 + 190.0);  // 0.345
    // About four standard deviations (0.001 each); an even split (0.5),
    // keeping the operation on a redraw (0.5) or moving the split of the
    // selector by one (0.335 or 0.354) all lie outside.
    QVERIFY2(std::abs(share - expected) < 0.004, qPrintable(QString::number(share)));
}

void TestLevelsArithmetic::mixedLevelOnlyAddsWhileEveryDifferenceIsRecent()
{
    DrillFixture fx(10);
    const int row = 1;
    fx.state().ProblemRow = row;
    // Problems 1 to 19 subtract d - 0 for each difference d from 0 to 1.8.
    for (int d = 0; d <= 18; ++d) {
        drawNext(fx, row, {d, 0, 99});
        QCOMPARE(fx.state().record(row, d + 1, Value1), tenths(d));
    }
    QVERIFY(fx.platform.scriptedDraws.empty());

    // Problem 20, drawn afresh many times: the window of 27 holds every
    // difference, so only a sum above 1.8 can pass, and no subtraction gives one.
    for (int attempt = 0; attempt < 500; ++attempt) {
        fx.state().RowValues[row][ProblemCount] = 19;
        DrawProblem(fx.drill, fx.state().ProblemRow);
        const float answer = fx.state().record(row, 20, Value1);
        QVERIFY2(answer > 1.8f, qPrintable(QString::number(answer)));
    }
}

QTEST_MAIN(TestLevelsArithmetic)
#include "test_levels_arithmetic.moc"
