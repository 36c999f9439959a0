// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The page frame and the common part of every problem: the row frames, the
// status line with the pupil's recent marks, and the row records.

#include "support/drill_fixture.h"
#include "support/printed_text.h"

#include "engine/page.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// Whether every pixel of a band of rows is the same in two images.
bool sameBand(const QImage& a, const QImage& b, int top, int bottom)
{
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

void setMark(DrillState& state, int row, int problem, float mark)
{
    state.RowValues[row][10 * problem + Mark] = mark;
}

} // namespace

class TestPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoCharacterField_data();
    void twoCharacterField();
    void statusLine_data();
    void statusLine();
    void pageSetupDrawsTwoFramesBelowWidth1000AndThreeFrom1000_data();
    void pageSetupDrawsTwoFramesBelowWidth1000AndThreeFrom1000();
    void drawProblemIntoRow2LeavesRows1And3AsTheyWere();
    void drawProblemCountsBlanksAndReadiesTheAnswerBox();
    void statusLineIsPrintedAtTheTopOfTheRow();
    void recentAnswerWindowCoversTheProblemsBeforeN();
    void aRowGoesOnPastProblem99WithoutWritingBeyondEntry1000();
    void attemptsSettleAProblem_data();
    void attemptsSettleAProblem();
};

void TestPage::twoCharacterField_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("field");
    QTest::newRow("one digit gets its leading blank") << 7 << QStringLiteral(" 7");
    QTest::newRow("two digits fill the field") << 10 << QStringLiteral("10");
    QTest::newRow("three digits keep the last two") << 123 << QStringLiteral("23");
    QTest::newRow("a hundred shows 00") << 100 << QStringLiteral("00");
    QTest::newRow("zero") << 0 << QStringLiteral(" 0");
}

void TestPage::twoCharacterField()
{
    QFETCH(int, value);
    QFETCH(QString, field);
    QCOMPARE(pomuru::twoCharacterField(value), field);
}

void TestPage::statusLine_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("n");
    QTest::addColumn<QList<float>>("marks");  // marks of problems 1, 2, ...
    QTest::addColumn<QString>("line");

    QTest::newRow("first problem: nothing after the colon")
        << 1 << 1 << QList<float>{} << QStringLiteral("レベル 1 ( 1)  せいせき：");
    QTest::newRow("fourth problem of level 2 after ○×○")
        << 2 << 4 << QList<float>{1, 3, 1} << QStringLiteral("レベル 2 ( 4)  せいせき：○×○");
    QTest::newRow("twelfth problem shows the marks of problems 3 to 11")
        << 1 << 12 << QList<float>{3, 3, 1, 2, 1, 2, 1, 2, 1, 2, 3}
        << QStringLiteral("レベル 1 (12)  せいせき：○△○△○△○△×");
    QTest::newRow("an undecided mark adds nothing")
        << 1 << 4 << QList<float>{1, 0, 2} << QStringLiteral("レベル 1 ( 4)  せいせき：○△");
    QTest::newRow("level 9 gets a blank before it")
        << 9 << 2 << QList<float>{2} << QStringLiteral("レベル 9 ( 2)  せいせき：△");
    QTest::newRow("level 10 fills its field")
        << 10 << 3 << QList<float>{3, 1} << QStringLiteral("レベル10 ( 3)  せいせき：×○");
}

void TestPage::statusLine()
{
    QFETCH(int, level);
    QFETCH(int, n);
    QFETCH(QList<float>, marks);
    QFETCH(QString, line);
    DrillState state;
    state.LevelNo = std::int16_t(level);
    state.RowValues[2][ProblemCount] = float(n);
    for (int k = 0; k < marks.size(); ++k)
        setMark(state, 2, k + 1, marks[k]);
    QCOMPARE(pomuru::statusLine(state, 2, n), line);
}

void TestPage::pageSetupDrawsTwoFramesBelowWidth1000AndThreeFrom1000_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("frames");
    QTest::newRow("999 pixels") << 999 << 2;
    QTest::newRow("1000 pixels") << 1000 << 3;
}

void TestPage::pageSetupDrawsTwoFramesBelowWidth1000AndThreeFrom1000()
{
    QFETCH(int, width);
    QFETCH(int, frames);
    DrillFixture fx(1, width);
    PageSetup(fx.drill);
    for (int row = 1; row <= 3; ++row) {
        const int top = rowTop(row);
        const QRgb expected = row <= frames ? colors::white : colors::lightYellow;
        QCOMPARE(fx.pixel(400, top + 175), expected);  // inside
        QCOMPARE(fx.pixel(20, top + 175), expected);    // left edge
        QCOMPARE(fx.pixel(769, top + 175), expected);   // right edge, exclusive end at 770
        QCOMPARE(fx.pixel(400, top + 279), expected);   // bottom edge, exclusive end at 280
        QCOMPARE(fx.pixel(770, top + 175), colors::lightYellow);
        QCOMPARE(fx.pixel(400, top + 280), colors::lightYellow);
        QCOMPARE(fx.pixel(400, top + 69), colors::lightYellow);
    }
    QCOMPARE(fx.state().CanvasIndex, std::int16_t(0));
}

void TestPage::drawProblemIntoRow2LeavesRows1And3AsTheyWere()
{
    DrillFixture fx(1);
    PageSetup(fx.drill);
    for (int row : {1, 3}) {
        fx.state().ProblemRow = std::int16_t(row);
        DrawProblem(fx.drill, fx.state().ProblemRow);
    }
    const QImage before = fx.canvas().image();
    fx.state().ProblemRow = 2;
    DrawProblem(fx.drill, fx.state().ProblemRow);
    const QImage& after = fx.canvas().image();
    // Row 2's frame covers y 290 to 499; everything above and below stays.
    QVERIFY(sameBand(before, after, 0, 290));
    QVERIFY(sameBand(before, after, 500, after.height()));
    QVERIFY(!sameBand(before, after, 290, 500));
    QCOMPARE(fx.state().problemCount(1), 1);
    QCOMPARE(fx.state().problemCount(2), 1);
    QCOMPARE(fx.state().problemCount(3), 1);
}

void TestPage::drawProblemCountsBlanksAndReadiesTheAnswerBox()
{
    DrillFixture fx(1);
    PageSetup(fx.drill);
    fx.state().ProblemRow = 2;
    fx.controls.boxes[1].value = QStringLiteral("2.5");
    fx.controls.boxes[1].back = colors::white;
    // Scribble where the previous problem stood: the next problem wipes it.
    fx.canvas().filledBox(30, 220 + 250, 20, 20, colors::red);
    DrawProblem(fx.drill, fx.state().ProblemRow);
    QCOMPARE(fx.pixel(35, 220 + 255), colors::white);
    QCOMPARE(fx.state().problemCount(2), 1);
    QCOMPARE(fx.controls.boxes[1].value, QString());
    QCOMPARE(fx.controls.boxes[1].back, colors::pink);
    QCOMPARE(fx.canvas().fontPoints(), 24.0);
    DrawProblem(fx.drill, fx.state().ProblemRow);
    QCOMPARE(fx.state().problemCount(2), 2);
}

void TestPage::statusLineIsPrintedAtTheTopOfTheRow()
{
    // The status line printed at (30, T+75) matches the same text printed on
    // a blank row.
    DrillFixture fx(1);
    PageSetup(fx.drill);
    fx.state().ProblemRow = 3;
    DrawProblem(fx.drill, fx.state().ProblemRow);
    const QRect line(30, 440 + 75, 420, fx.canvas().textHeight());
    const Canvas expected = printedAlone(fx.canvas(), line, 30, 440 + 75, QStringLiteral("レベル 1 ( 1)  せいせき："));
    QCOMPARE(fx.canvas().image().copy(line), expected.image());
}

void TestPage::recentAnswerWindowCoversTheProblemsBeforeN()
{
    DrillState state;
    for (int k = 1; k <= 21; ++k)
        state.RowValues[1][10 * k + Value1] = float(k);
    state.RowValues[1][ProblemCount] = 21;
    // Problem 21 with a window of 19 looks at problems 2 to 20.
    QVERIFY(!state.recentAnswers(1, 21, 19).contains(1.0f));
    QVERIFY(state.recentAnswers(1, 21, 19).contains(2.0f));
    QVERIFY(state.recentAnswers(1, 21, 19).contains(20.0f));
    QVERIFY(!state.recentAnswers(1, 21, 19).contains(21.0f));
    // Problem 20 looks at problems 1 to 19; problem 1 at nothing.
    QVERIFY(state.recentAnswers(1, 20, 19).contains(1.0f));
    QVERIFY(!state.recentAnswers(1, 20, 19).contains(20.0f));
    QVERIFY(!state.recentAnswers(1, 1, 19).contains(1.0f));
}

void TestPage::aRowGoesOnPastProblem99WithoutWritingBeyondEntry1000()
{
    // The table stops at entry 1000: from problem 100 on the records slide
    // down, the oldest dropped, and the newest problem lives in record 99.
    DrillFixture fx(1);
    DrillState& state = fx.state();
    const auto otherRows = std::array{state.RowValues[0], state.RowValues[2], state.RowValues[3]};
    state.ProblemRow = 1;
    state.RowValues[1][RowStarted] = 1;
    for (int n = 1; n <= 250; ++n) {
        DrawProblem(fx.drill, fx.state().ProblemRow);
        state.record(1, n, Mark) = float(1 + n % 3);
        QCOMPARE(state.problemCount(1), n);
        QVERIFY(state.recordOf(1, n) <= RecordsPerRow);
        // Level 1's window of 19 still holds: no answer repeats within it.
        for (int k = std::max(1, n - 19); k < n; ++k)
            QVERIFY(state.record(1, k, Value1) != state.record(1, n, Value1));
    }
    QCOMPARE(state.RowValues[1][RowStarted], 1.0f);
    QVERIFY((std::array{state.RowValues[0], state.RowValues[2], state.RowValues[3]}) == otherRows);
    // The last nine marks of problems 241 to 249 are still known.
    QString marks;
    for (int k = 242; k <= 250; ++k)
        marks += QStringList{QStringLiteral("○"), QStringLiteral("△"), QStringLiteral("×")}[(1 + k % 3) - 1];
    state.ProblemRow = 1;
    DrawProblem(fx.drill, fx.state().ProblemRow);
    QCOMPARE(pomuru::statusLine(state, 1, 251), QStringLiteral("レベル 1 (51)  せいせき：") + marks);
}

void TestPage::attemptsSettleAProblem_data()
{
    QTest::addColumn<QList<bool>>("attempts");  // right or wrong, in order
    QTest::addColumn<QList<float>>("results");  // AttemptResult1 to 3
    QTest::addColumn<float>("mark");
    QTest::addColumn<bool>("settled");          // after the last attempt
    QTest::newRow("right at once: ○") << QList<bool>{true} << QList<float>{1, 0, 0} << MarkRightFirst << true;
    QTest::newRow("wrong, then right: △") << QList<bool>{false, true} << QList<float>{3, 1, 0} << MarkRightLater << true;
    QTest::newRow("right at the third: △") << QList<bool>{false, false, true} << QList<float>{3, 3, 1} << MarkRightLater
                                           << true;
    QTest::newRow("wrong once: not settled") << QList<bool>{false} << QList<float>{3, 0, 0} << MarkUndecided << false;
    QTest::newRow("wrong twice: not settled") << QList<bool>{false, false} << QList<float>{3, 3, 0} << MarkUndecided
                                              << false;
    QTest::newRow("wrong three times: ×") << QList<bool>{false, false, false} << QList<float>{3, 3, 3} << MarkWrong
                                          << true;
}

void TestPage::attemptsSettleAProblem()
{
    QFETCH(QList<bool>, attempts);
    QFETCH(QList<float>, results);
    QFETCH(float, mark);
    QFETCH(bool, settled);
    DrillState state;
    const int row = 2;
    state.countNewProblem(row);
    state.countNewProblem(row);  // attempts go to the row's current problem, 2
    bool lastSettled = false;
    for (int i = 0; i < attempts.size(); ++i) {
        lastSettled = state.recordAttempt(row, attempts[i]);
        if (i + 1 < attempts.size())
            QVERIFY(!lastSettled);
    }
    QCOMPARE(lastSettled, settled);
    QCOMPARE(state.record(row, 2, AttemptCount), float(attempts.size()));
    QCOMPARE(QList<float>({state.record(row, 2, AttemptResult1), state.record(row, 2, AttemptResult2),
                           state.record(row, 2, AttemptResult3)}),
             results);
    QCOMPARE(state.record(row, 2, Mark), mark);
    // Problem 1 and the other rows are untouched.
    QCOMPARE(state.record(row, 1, AttemptCount), 0.0f);
    QCOMPARE(state.record(row, 1, Mark), 0.0f);
    QCOMPARE(state.problemCount(1), 0);
}

QTEST_MAIN(TestPage)
#include "test_page.moc"
