// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Levels 7 to 10 drilled in the real window, offscreen: the menu opens the
// level, a press starts a row, the pupil answers, and the check marks it and
// draws the next problem.

#include "support/rows.h"
#include "support/printed_text.h"
#include "support/window_fixture.h"

#include "engine/levels/answer_areas.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// What the row showed while the mark was up, taken during the feedback pause.
struct MarkSeen {
    bool right = false;
    bool wrong = false;
};

void watchMark(WindowFixture& fx, int row, MarkSeen& seen)
{
    fx.platform.duringPause = [&fx, row, &seen] {
        const QPoint at = markSquare(row).topLeft();
        seen.right = seen.right || showsText(fx.canvas(), at.x(), at.y(), QStringLiteral("○"), 32, colors::red);
        seen.wrong = seen.wrong || showsText(fx.canvas(), at.x(), at.y(), QStringLiteral("×"), 32, colors::red);
    };
}

} // namespace

class TestLevels7To10Window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void comparisonRightChoiceGivesCircleAndNextProblem();
    void calculationRightAnswerGivesCircleAndNextProblem_data();
    void calculationRightAnswerGivesCircleAndNextProblem();
};

void TestLevels7To10Window::comparisonRightChoiceGivesCircleAndNextProblem()
{
    WindowFixture fx;
    fx.openLevel(7);
    QCOMPARE(fx.state().CanvasIndex, 1);
    const int row = 1;
    const int T = rowTop(row);
    scriptWholes(fx, row, {3, 8});  // 0.3 against 0.8
    fx.pressCanvas(100, T + 100);
    QVERIFY(showsText(fx.canvas(), 150, T + 205, QStringLiteral("0.3")));
    QVERIFY(showsText(fx.canvas(), 320, T + 205, QStringLiteral("0.8")));

    // "＜" is the relation; a press on "＞" first, then the correction.
    fx.pressCanvas(symbols::boxes[symbols::Greater].left + 20, T + 177);
    fx.pressCanvas(symbols::boxes[symbols::Less].left + 20, T + 177);
    const QPoint less = symbols::seed(symbols::Less, T);
    const QPoint greater = symbols::seed(symbols::Greater, T);
    QCOMPARE(fx.pixel(less.x(), less.y()), colors::red);
    QCOMPARE(fx.pixel(greater.x(), greater.y()), colors::white);

    MarkSeen seen;
    watchMark(fx, row, seen);
    scriptWholes(fx, row, {50, 20});  // the next problem: 5 against 2
    fx.click(fx.checkButton(row));

    QVERIFY(seen.right);
    QVERIFY(!seen.wrong);
    QCOMPARE(fx.state().record(row, 1, Mark), MarkRightFirst);
    QCOMPARE(fx.state().problemCount(row), 2);
    QVERIFY(showsText(fx.canvas(), 150, T + 205, QStringLiteral("5")));
    QVERIFY(showsText(fx.canvas(), 320, T + 205, QStringLiteral("2")));
    QVERIFY(showsText(fx.canvas(), 30, T + 75, QStringLiteral("レベル 7 ( 2)  せいせき：○")));
    // The new problem's boxes are all white again.
    QCOMPARE(fx.pixel(less.x(), less.y()), colors::white);
}

void TestLevels7To10Window::calculationRightAnswerGivesCircleAndNextProblem_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("draws");  // a, b (and the operation at level 10), 19 or 100 values each
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("typed");

    QTest::newRow("level 10 subtracting") << 10 << QList<int>{15, 3, 70} << "1.5 - 0.3 =" << "1.2";
    QTest::newRow("level 10 adding") << 10 << QList<int>{18, 18, 10} << "1.8 + 1.8 =" << "3.6";
    QTest::newRow("level 8") << 8 << QList<int>{0, 4} << "0 + 0.4 =" << "0.4";
    QTest::newRow("level 9") << 9 << QList<int>{7, 7} << "0.7 - 0.7 =" << "0";
}

void TestLevels7To10Window::calculationRightAnswerGivesCircleAndNextProblem()
{
    QFETCH(int, level);
    QFETCH(QList<int>, draws);
    QFETCH(QString, line);
    QFETCH(QString, typed);
    WindowFixture fx;
    fx.openLevel(level);
    QCOMPARE(fx.state().CanvasIndex, 0);
    const int row = 2;
    const int T = rowTop(row);
    scriptWholes(fx, row, draws);
    fx.pressCanvas(100, T + 100);

    QVERIFY(showsText(fx.canvas(), 150, T + 160, line));
    AnswerBoxWidget* box = fx.control<AnswerBoxWidget>("Text1", row - 1);
    QVERIFY(box->isVisible());
    QCOMPARE(box->pos(), QPoint(150 + fx.canvas().textWidth(line) + 10, T + 155));

    QTest::keyClicks(box, typed);
    MarkSeen seen;
    watchMark(fx, row, seen);
    fx.click(fx.checkButton(row));

    QVERIFY(seen.right);
    QVERIFY(!seen.wrong);
    QCOMPARE(fx.state().record(row, 1, Mark), MarkRightFirst);
    QCOMPARE(fx.state().problemCount(row), 2);
    QVERIFY(box->text().isEmpty());
    QCOMPARE(box->backColor(), colors::pink);
    QVERIFY(showsText(fx.canvas(), 80, T + 120, QStringLiteral("次の計算をしましょう。")));
    QVERIFY(fx.state().record(row, 2, Value1) != fx.state().record(row, 1, Value1));
}

QTEST_MAIN(TestLevels7To10Window)
#include "test_levels_7_10_window.moc"
