// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The check button: judging, the feedback mark, attempts and marks, and the
// status line that follows.

#include "support/drill_fixture.h"
#include "support/printed_text.h"
#include "support/rows.h"
#include "support/pictures.h"

#include "answer/marking.h"
#include "engine/page.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// A level-1 drill whose row shows a problem with the answer 0.5 (t = 5, no
// full vessel).
struct WaterRow : DrillFixture {
    explicit WaterRow(int row = 1)
        : DrillFixture(1)
        , row_(row)
    {
        openLevel(1);
        startRow(*this, row, {5, 0});
    }
    void check(const QString& typed)
    {
        type(row_, typed);
        DrillFixture::check(row_);
    }
    float slot(int problem, RecordSlot s) { return state().record(row_, problem, s); }
    int redPixelsInRow()
    {
        int count = 0;
        const int top = rowTop(row_);
        for (int y = top + 70; y < top + 280; ++y)
            for (int x = 20; x < 770; ++x)
                count += pixel(x, y) == colors::red ? 1 : 0;
        return count;
    }
    int row_;
};

// The pixels of a red mark drawn alone in its square on a white canvas.
QImage markAlone(const Canvas& like, const QString& mark, int row)
{
    const QRect square = markSquare(row);
    return printedAlone(like, square, square.x(), square.y(), mark, 24, colors::red).image();
}

} // namespace

class TestMarking : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rightAtOnceFlashesACircleAndDrawsTheNextProblem();
    void wrongThenRightIsATriangle();
    void threeWrongAttemptsAreACrossAndTheNextProblem();
    void aWrongAttemptLeavesNoPieceOfTheCross();
    void emptyBoxAsksForAnAnswerAndCountsNoAttempt();
    void typedAnswersAreComparedAtSinglePrecision_data();
    void typedAnswersAreComparedAtSinglePrecision();
    void checkButtonsOfCanvasOneServeRowsInReverse_data();
    void checkButtonsOfCanvasOneServeRowsInReverse();
    void cellJudgement_data();
    void cellJudgement();
    void symbolJudgement_data();
    void symbolJudgement();
    void canvasOneIsCheckedWithoutAnAnswerBox();
    void eachWayOfAnsweringGivesTheAnswerItMeans_data();
    void eachWayOfAnsweringGivesTheAnswerItMeans();
    void aRowWithoutAProblemIsNotMarked();
};

void TestMarking::rightAtOnceFlashesACircleAndDrawsTheNextProblem()
{
    WaterRow fx(2);
    QImage duringPause;
    fx.platform.duringPause = [&] {
        if (duringPause.isNull())
            duringPause = fx.canvas().image().copy(markSquare(2));
    };
    fx.check(QStringLiteral("0.5"));
    QCOMPARE(duringPause, markAlone(fx.canvas(), QStringLiteral("○"), 2).convertToFormat(duringPause.format()));
    QCOMPARE(fx.platform.beeps, 1);
    QCOMPARE(fx.platform.waits, 2);  // the clock turned twice
    QCOMPARE(fx.slot(1, Mark), MarkRightFirst);
    QCOMPARE(fx.slot(1, AttemptResult1), AttemptRight);
    QCOMPARE(fx.slot(1, AttemptCount), 1.0f);
    QCOMPARE(fx.state().problemCount(2), 2);
    QCOMPARE(statusLine(fx.state(), 2, 2), QStringLiteral("レベル 1 ( 2)  せいせき：○"));
    QCOMPARE(fx.redPixelsInRow(), 0);
}

void TestMarking::wrongThenRightIsATriangle()
{
    WaterRow fx;
    fx.check(QStringLiteral("5"));
    QCOMPARE(fx.state().problemCount(1), 1);  // the same problem stays
    QCOMPARE(fx.controls.boxes[0].value, QString());
    QCOMPARE(fx.slot(1, AttemptResult1), AttemptWrong);
    QCOMPARE(fx.slot(1, Mark), MarkUndecided);
    fx.check(QStringLiteral("0.5"));
    QCOMPARE(fx.slot(1, AttemptResult2), AttemptRight);
    QCOMPARE(fx.slot(1, Mark), MarkRightLater);
    QCOMPARE(fx.state().problemCount(1), 2);
    QCOMPARE(statusLine(fx.state(), 1, 2), QStringLiteral("レベル 1 ( 2)  せいせき：△"));
}

void TestMarking::threeWrongAttemptsAreACrossAndTheNextProblem()
{
    WaterRow fx;
    for (const QString& typed : {QStringLiteral("0.50"), QStringLiteral(".5")}) {
        fx.check(typed);
        QCOMPARE(fx.state().problemCount(1), 1);
        QCOMPARE(fx.controls.boxes[0].value, QString());
    }
    fx.check(QStringLiteral("abc"));
    QCOMPARE(fx.slot(1, AttemptResult1), AttemptWrong);
    QCOMPARE(fx.slot(1, AttemptResult2), AttemptWrong);
    QCOMPARE(fx.slot(1, AttemptResult3), AttemptWrong);
    QCOMPARE(fx.slot(1, AttemptCount), 3.0f);
    QCOMPARE(fx.slot(1, Mark), MarkWrong);
    QCOMPARE(fx.state().problemCount(1), 2);
    QCOMPARE(fx.slot(2, AttemptCount), 0.0f);
    QCOMPARE(fx.platform.beeps, 3);
    QCOMPARE(statusLine(fx.state(), 1, 2), QStringLiteral("レベル 1 ( 2)  せいせき：×"));
}

void TestMarking::aWrongAttemptLeavesNoPieceOfTheCross()
{
    // The mark is wiped over its whole character cell; the problem itself
    // (cyan water, black lines) has no red in it.
    WaterRow fx;
    int redDuringPause = 0;
    fx.platform.duringPause = [&] { redDuringPause = fx.redPixelsInRow(); };
    fx.check(QStringLiteral("9"));
    QVERIFY(redDuringPause > 0);
    QCOMPARE(fx.redPixelsInRow(), 0);
}

void TestMarking::emptyBoxAsksForAnAnswerAndCountsNoAttempt()
{
    WaterRow fx;
    const QImage before = fx.canvas().image();
    fx.check(QString());
    QCOMPARE(fx.platform.messages, QStringList{QStringLiteral("こたえをタイプしてください。")});
    QCOMPARE(fx.slot(1, AttemptCount), 0.0f);
    QCOMPARE(fx.platform.beeps, 0);
    QCOMPARE(fx.canvas().image(), before);
    // A blank is not empty: it is judged (and reads as 0).
    fx.check(QStringLiteral(" "));
    QCOMPARE(fx.slot(1, AttemptCount), 1.0f);
}

void TestMarking::typedAnswersAreComparedAtSinglePrecision_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("fullVessels");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("right");
    QTest::newRow("2.3 for two litres and three tenths") << 3 << 2 << QStringLiteral("2.3") << true;
    QTest::newRow("full-width ２．３") << 3 << 2 << QStringLiteral("２．３") << true;
    QTest::newRow("3.9") << 9 << 3 << QStringLiteral("3.9") << true;
    QTest::newRow("0.1") << 1 << 0 << QStringLiteral("0.1") << true;
    QTest::newRow("1.2.3 reads 1.2") << 2 << 1 << QStringLiteral("1.2.3") << true;
    QTest::newRow("a whole number is never right") << 9 << 3 << QStringLiteral("4") << false;
    QTest::newRow("2.30 is wrong") << 3 << 2 << QStringLiteral("2.30") << false;
}

void TestMarking::typedAnswersAreComparedAtSinglePrecision()
{
    QFETCH(int, tenths);
    QFETCH(int, fullVessels);
    QFETCH(QString, typed);
    QFETCH(bool, right);
    DrillFixture fx;
    fx.openLevel(1);
    startRow(fx, 1, {tenths, fullVessels});
    fx.type(1, typed);
    fx.check(1);
    QCOMPARE(fx.state().record(1, 1, AttemptResult1), right ? AttemptRight : AttemptWrong);
}

void TestMarking::checkButtonsOfCanvasOneServeRowsInReverse_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("row");
    QTest::newRow("Command5(0)") << 0 << 1;
    QTest::newRow("Command5(1)") << 1 << 2;
    QTest::newRow("Command5(2)") << 2 << 3;
    QTest::newRow("Command5(3) on canvas 1") << 3 << 3;
    QTest::newRow("Command5(4) on canvas 1") << 4 << 2;
    QTest::newRow("Command5(5) on canvas 1") << 5 << 1;
}

void TestMarking::checkButtonsOfCanvasOneServeRowsInReverse()
{
    QFETCH(int, index);
    QFETCH(int, row);
    QCOMPARE(rowOfCheckButton(index), row);
    QCOMPARE(checkButtonOfRow(row, index <= 2 ? 0 : 1), index);
}

void TestMarking::cellJudgement_data()
{
    QTest::addColumn<QList<int>>("red");
    QTest::addColumn<float>("value");
    QTest::addColumn<bool>("right");
    QTest::newRow("cells 3 to 9 for 0.7") << QList<int>{3, 4, 5, 6, 7, 8, 9} << 0.7f << true;
    QTest::newRow("cells 0 to 6 for 0.7") << QList<int>{0, 1, 2, 3, 4, 5, 6} << 0.7f << true;
    QTest::newRow("two runs of 4 and 3 for 0.7") << QList<int>{0, 1, 2, 3, 5, 6, 7} << 0.7f << false;
    QTest::newRow("no cell for 0.7") << QList<int>{} << 0.7f << false;
    QTest::newRow("eight in one run for 0.7") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8} << 0.7f << false;
    QTest::newRow("one cell for 0.1") << QList<int>{9} << 0.1f << true;
    QTest::newRow("painted in any order for 0.3") << QList<int>{6, 4, 5} << 0.3f << true;
    QTest::newRow("a run and a lone cell for 0.9") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 9} << 0.9f << false;
}

void TestMarking::cellJudgement()
{
    QFETCH(QList<int>, red);
    QFETCH(float, value);
    QFETCH(bool, right);
    Canvas canvas(QSize(1009, 737), colors::white, fonts::canvasFont());
    const int top = rowTop(2);
    drawTape(canvas, top);
    for (const int cell : red)
        paintCell(canvas, top, cell);
    QCOMPARE(judgeCells(canvas, top, value), right);
}

void TestMarking::symbolJudgement_data()
{
    QTest::addColumn<int>("chosen");  // -1 for none
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("right");
    QTest::addColumn<bool>("isRight");
    QTest::newRow("0.3 ＜ 0.8") << 2 << 0.3f << 0.8f << true;
    QTest::newRow("0.3 ＞ 0.8 is wrong") << 0 << 0.3f << 0.8f << false;
    QTest::newRow("0.3 ＝ 0.8 is wrong") << 1 << 0.3f << 0.8f << false;
    QTest::newRow("no choice is wrong") << -1 << 0.3f << 0.8f << false;
    QTest::newRow("9.7 ＞ 0") << 0 << 9.7f << 0.0f << true;
    QTest::newRow("1.5 ＝ 1.5") << 1 << 1.5f << 1.5f << true;
}

void TestMarking::symbolJudgement()
{
    QFETCH(int, chosen);
    QFETCH(float, left);
    QFETCH(float, right);
    QFETCH(bool, isRight);
    Canvas canvas(QSize(1009, 737), colors::white, fonts::canvasFont());
    const int top = rowTop(3);
    drawSymbolBoxes(canvas, top);
    if (chosen >= 0) {
        canvas.setFillColor(colors::red);
        canvas.floodFill(insideSymbol(3, chosen).x(), insideSymbol(3, chosen).y());
    }
    QCOMPARE(judgeSymbol(canvas, top, left, right), isRight);
}

void TestMarking::canvasOneIsCheckedWithoutAnAnswerBox()
{
    // Level 3 judges the painted cells; its answer box stays empty, which
    // asks for nothing.
    DrillFixture fx(3);
    PageSetup(fx.drill);
    startRow(fx, 1, {4});
    for (int cell = 0; cell < 4; ++cell)
        paintCell(fx, 1, cell);
    Command5_Click(fx.drill, 5);
    QVERIFY(fx.platform.messages.isEmpty());
    QCOMPARE(fx.state().record(1, 1, Mark), MarkRightFirst);
}

void TestMarking::eachWayOfAnsweringGivesTheAnswerItMeans_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("right");
    for (int level = 1; level <= LevelCount; ++level) {
        QTest::addRow("level %d, right", level) << level << true;
        QTest::addRow("level %d, wrong", level) << level << false;
    }
}

void TestMarking::eachWayOfAnsweringGivesTheAnswerItMeans()
{
    // The simulated pupil and the benchmarks answer through these moves; a
    // "right" that is judged wrong would make them drill nothing but ×.
    QFETCH(int, level);
    QFETCH(bool, right);
    DrillFixture fx;
    fx.openLevel(level);
    fx.pressCanvas(400, rowTop(2) + 100);
    FirstChoice first;
    answerRow(fx, 2, right, first);
    QCOMPARE(fx.state().record(2, 1, AttemptResult1), right ? AttemptRight : AttemptWrong);
    QCOMPARE(fx.state().problemCount(2), right ? 2 : 1);
}

void TestMarking::aRowWithoutAProblemIsNotMarked()
{
    DrillFixture fx(1);
    fx.type(1, QStringLiteral("1"));
    fx.check(1);
    QCOMPARE(fx.platform.beeps, 0);
    QCOMPARE(fx.state().RowValues[1], (std::array<float, LastEntry + 1>{}));
}

QTEST_MAIN(TestMarking)
#include "test_marking.moc"
