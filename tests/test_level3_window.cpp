// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 3 in the real window: the pupil paints tape cells by presses on
// canvas 1, corrects a cell by pressing it again, and "ﾁｪｯｸ" judges the
// colours the presses left. Nothing but the canvas holds the answer.

#include "support/rows.h"
#include "support/printed_text.h"
#include "support/window_fixture.h"

#include "engine/colors.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <QList>
#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// Opens level 3 and starts a row whose target is t tenths.
void startRow(WindowFixture& fx, int row, int tenths)
{
    fx.openLevel(3);
    QCOMPARE(int(fx.state().CanvasIndex), 1);
    testing::startRow(fx, row, {tenths});
}

} // namespace

class TestLevel3Window : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paintedRunIsJudged_data();
    void paintedRunIsJudged();
    void wrongPaintStaysForCorrection();
    void theFirstPressOnlyStartsTheRow();
};

void TestLevel3Window::paintedRunIsJudged_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<QList<int>>("presses");  // cells, in order; a second press clears
    QTest::addColumn<QList<int>>("painted");
    QTest::addColumn<bool>("right");

    QTest::newRow("0.4: a run from the left edge") << 1 << 4 << QList<int>{0, 1, 2, 3} << QList<int>{0, 1, 2, 3} << true;
    QTest::newRow("0.4: a run to the right edge, painted backwards")
        << 1 << 4 << QList<int>{9, 8, 7, 6} << QList<int>{6, 7, 8, 9} << true;
    QTest::newRow("0.4: one cell too many, corrected")
        << 1 << 4 << QList<int>{2, 3, 4, 5, 6, 6} << QList<int>{2, 3, 4, 5} << true;
    QTest::newRow("0.4: a gap in the run") << 1 << 4 << QList<int>{0, 1, 3, 4} << QList<int>{0, 1, 3, 4} << false;
    QTest::newRow("0.4: a cell short") << 1 << 4 << QList<int>{0, 1, 2} << QList<int>{0, 1, 2} << false;
    QTest::newRow("0.4: a cell too many") << 1 << 4 << QList<int>{0, 1, 2, 3, 4} << QList<int>{0, 1, 2, 3, 4} << false;
    QTest::newRow("0.4: nothing painted") << 1 << 4 << QList<int>{} << QList<int>{} << false;
    QTest::newRow("0.9, row 2: the run of nine") << 2 << 9 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}
                                                 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << true;
    QTest::newRow("0.1, row 3: a single cell") << 3 << 1 << QList<int>{5} << QList<int>{5} << true;
    QTest::newRow("0.1, row 3: a cell painted and cleared") << 3 << 1 << QList<int>{5, 5} << QList<int>{} << false;
}

void TestLevel3Window::paintedRunIsJudged()
{
    QFETCH(int, row);
    QFETCH(int, tenths);
    QFETCH(QList<int>, presses);
    QFETCH(QList<int>, painted);
    QFETCH(bool, right);
    WindowFixture fx;
    startRow(fx, row, tenths);
    QVERIFY(fx.checkButton(row)->isVisible());

    for (const int cell : presses)
        paintCell(fx, row, cell);
    QCOMPARE(redCells(fx, row), painted);

    // The mark flashes in red while the pause lasts.
    QString flashed;
    fx.platform.duringPause = [&] {
        for (const QString& mark : {QStringLiteral("○"), QStringLiteral("×")}) {
            if (textMismatches(fx.canvas(), markSquare(row).x(), markSquare(row).y(), mark, 24, Margin::None, QRect(), colors::red) == 0)
                flashed = mark;
        }
    };
    fx.click(fx.checkButton(row));
    QCOMPARE(flashed, right ? QStringLiteral("○") : QStringLiteral("×"));
    QCOMPARE(fx.platform.beeps, 1);
    QCOMPARE(fx.state().record(row, 1, AttemptResult1), right ? AttemptRight : AttemptWrong);
    QCOMPARE(fx.state().problemCount(row), right ? 2 : 1);
    if (right)
        QCOMPARE(fx.state().record(row, 1, Mark), MarkRightFirst);
}

void TestLevel3Window::wrongPaintStaysForCorrection()
{
    WindowFixture fx;
    startRow(fx, 1, 3);
    for (const int cell : {0, 1, 3})
        paintCell(fx, 1, cell);
    fx.click(fx.checkButton(1));
    QCOMPARE(fx.state().record(1, 1, AttemptResult1), AttemptWrong);
    // The paint stays on the tape for the pupil to correct.
    QCOMPARE(redCells(fx, 1), (QList<int>{0, 1, 3}));

    paintCell(fx, 1, 2);
    paintCell(fx, 1, 3);
    QCOMPARE(redCells(fx, 1), (QList<int>{0, 1, 2}));
    scriptWholes(fx, 1, {7});
    fx.click(fx.checkButton(1));
    QCOMPARE(fx.state().record(1, 1, AttemptResult2), AttemptRight);
    QCOMPARE(fx.state().record(1, 1, Mark), MarkRightLater);

    // The next problem comes on a white tape, with the △ in its status line.
    QCOMPARE(fx.state().problemCount(1), 2);
    QCOMPARE(fx.state().record(1, 2, Value1), 0.7f);
    QCOMPARE(redCells(fx, 1), QList<int>{});
    QVERIFY(statusLine(fx.state(), 1, 2).endsWith(QStringLiteral("△")));
}

void TestLevel3Window::theFirstPressOnlyStartsTheRow()
{
    WindowFixture fx;
    fx.openLevel(3);
    scriptWholes(fx, 1, {5});
    paintCell(fx, 1, 4);  // on the tape's place, before the row shows a tape
    QCOMPARE(fx.state().problemCount(1), 1);
    QCOMPARE(redCells(fx, 1), QList<int>{});
    paintCell(fx, 1, 4);
    QCOMPARE(redCells(fx, 1), QList<int>{4});
}

QTEST_MAIN(TestLevel3Window)
#include "test_level3_window.moc"
