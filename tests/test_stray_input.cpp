// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// Input a pupil makes without meaning anything by it: arrow keys after the
// menu has gone, double clicks, presses on the headings, pictures and keypad
// margins that lie on a canvas. None of it may change the level, mark an
// attempt or start a row. Events go in through the window, as the platform
// delivers them, so Qt picks the widget under the point and the widget with
// the focus.

#include "support/rows.h"
#include "support/window_fixture.h"

#include "engine/colors.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <QPaintEvent>
#include <QTest>

#include <cmath>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// No control that the pupil cannot see may hold the keyboard focus.
bool focusIsOnScreen(const MainWindow& window)
{
    const QWidget* focus = window.focusWidget();
    return focus == nullptr || focus->isVisible();
}

// A point of a widget in the coordinates of its window.
QPoint inWindow(const QWidget* widget, QPoint point)
{
    return widget->mapTo(widget->window(), point);
}

void pressAt(WindowFixture& fx, const QWidget* widget, QPoint point)
{
    QTest::mousePress(fx.window->windowHandle(), Qt::LeftButton, {}, inWindow(widget, point));
    QTest::mouseRelease(fx.window->windowHandle(), Qt::LeftButton, {}, inWindow(widget, point));
}

void doubleClickAt(WindowFixture& fx, const QWidget* widget, QPoint point)
{
    QTest::mouseDClick(fx.window->windowHandle(), Qt::LeftButton, {}, inWindow(widget, point));
}

CanvasWidget* canvasInUse(WindowFixture& fx)
{
    return fx.control<CanvasWidget>("Picture1", fx.state().CanvasIndex);
}

// Gives the right answer to row 1's problem the way the pupil gives it:
// painted cells, a chosen symbol, or keys typed into whatever has the focus.
void answerRow1Right(WindowFixture& fx)
{
    FirstChoice first;
    const AnswerMoves moves = answeringOf(fx.state()).moves(fx.canvas(), rowToCheck(fx.state(), 1), true, first);
    for (const QPoint& at : moves.presses)
        pressAt(fx, canvasInUse(fx), at);
    for (const char c : moves.typed.value_or(QString()).toLatin1())
        QTest::keyClick(fx.window->windowHandle(), c);
}

} // namespace

class TestStrayInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysAfterDecideKeepTheLevel_data();
    void keysAfterDecideKeepTheLevel();
    void backToTheMenuTheArrowKeysChooseAgain();
    void doubleClickOnATapeCellPaintsItOnce();
    void singlePressesInQuickSuccessionEachCount();
    void doubleClickOnDecideDoesNotStartARow();
    void pressesOnHeadingsAndPicturesStayThere_data();
    void pressesOnHeadingsAndPicturesStayThere();
    void keypadMarginIsTheStripsOwn();
    void theMarkIsOnScreenWhenTheBeepSounds();
};

void TestStrayInput::keysAfterDecideKeepTheLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::newRow("level 3, Right") << 3 << QList<Qt::Key>{Qt::Key_Right};
    QTest::newRow("level 8, Down Up Up") << 8 << QList<Qt::Key>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Up};
    QTest::newRow("level 7, Tab Space Return Left")
        << 7 << QList<Qt::Key>{Qt::Key_Tab, Qt::Key_Space, Qt::Key_Return, Qt::Key_Left};
    QTest::newRow("level 1, Tab Up Backtab Down")
        << 1 << QList<Qt::Key>{Qt::Key_Tab, Qt::Key_Up, Qt::Key_Backtab, Qt::Key_Down};
}

void TestStrayInput::keysAfterDecideKeepTheLevel()
{
    QFETCH(int, level);
    QFETCH(QList<Qt::Key>, keys);
    WindowFixture fx;
    MainWindow& window = *fx.window;
    // A press on the option, as a pupil chooses it, gives it the focus.
    pressAt(fx, fx.control<QRadioButton>("Option2", level - 1), QPoint(20, 18));
    pressAt(fx, fx.control<ColourButton>("Command10", 0), QPoint(40, 20));
    QVERIFY(canvasInUse(fx)->isVisible());
    QVERIFY(focusIsOnScreen(window));

    pressAt(fx, canvasInUse(fx), QPoint(300, rowTop(1) + 100));  // starts row 1
    QCOMPARE(fx.state().problemCount(1), 1);
    QVERIFY(focusIsOnScreen(window));
    for (const Qt::Key each : keys) {
        QTest::keyClick(window.windowHandle(), each);
        QVERIFY(focusIsOnScreen(window));
    }
    QCOMPARE(int(fx.state().LevelNo), level);
    QVERIFY(fx.control<QRadioButton>("Option2", level - 1)->isChecked());

    // The page goes on at its level: the right answer is marked right, and
    // the next problem is one of the same level on the same canvas.
    const int canvasIndex = fx.state().CanvasIndex;
    if (answeringOf(fx.state()).way == AnswerWay::Typed)
        fx.control<AnswerBoxWidget>("Text1", 0)->clear();  // Space may have typed a blank
    answerRow1Right(fx);
    pressAt(fx, fx.checkButton(1), QPoint(20, 20));
    QCOMPARE(fx.state().record(1, 1, Mark), float(MarkRightFirst));
    QCOMPARE(fx.state().problemCount(1), 2);
    QCOMPARE(int(fx.state().LevelNo), level);
    QCOMPARE(int(fx.state().CanvasIndex), canvasIndex);
}

void TestStrayInput::backToTheMenuTheArrowKeysChooseAgain()
{
    WindowFixture fx;
    MainWindow& window = *fx.window;
    pressAt(fx, fx.control<QRadioButton>("Option2", 4), QPoint(20, 18));
    pressAt(fx, fx.control<ColourButton>("Command10", 0), QPoint(40, 20));
    fx.platform.answers = {true};
    pressAt(fx, fx.control<ColourButton>("Command8", 0), QPoint(40, 20));
    QVERIFY(fx.control<QWidget>("Picture7", 0)->isVisible());
    QVERIFY(focusIsOnScreen(window));

    // The menu has the keyboard again, at the level it showed.
    QTest::keyClick(window.windowHandle(), Qt::Key_Down);
    QCOMPARE(int(fx.state().LevelNo), 6);
    QVERIFY(fx.control<QRadioButton>("Option2", 5)->isChecked());
}

void TestStrayInput::doubleClickOnATapeCellPaintsItOnce()
{
    WindowFixture fx;
    fx.openLevel(3);
    pressAt(fx, canvasInUse(fx), QPoint(400, rowTop(1) + 100));
    const QPoint cell = tape::probe(4, rowTop(1));
    QCOMPARE(fx.pixel(cell.x(), cell.y()), colors::white);

    doubleClickAt(fx, canvasInUse(fx), cell + QPoint(10, 2));
    QCOMPARE(fx.pixel(cell.x(), cell.y()), colors::red);
}

void TestStrayInput::singlePressesInQuickSuccessionEachCount()
{
    // Two presses on one cell that are not a double click: painted, then
    // wiped again.
    WindowFixture fx;
    fx.openLevel(3);
    pressAt(fx, canvasInUse(fx), QPoint(400, rowTop(1) + 100));
    const QPoint cell = tape::probe(2, rowTop(1));
    pressAt(fx, canvasInUse(fx), cell);
    QCOMPARE(fx.pixel(cell.x(), cell.y()), colors::red);
    pressAt(fx, canvasInUse(fx), cell + QPoint(20, 0));
    QCOMPARE(fx.pixel(cell.x(), cell.y()), colors::white);
}

void TestStrayInput::doubleClickOnDecideDoesNotStartARow()
{
    // In the small layout the page opens with row 1's frame under the
    // pointer that pressed "けってい".
    WindowFixture fx(999);
    MainWindow& window = *fx.window;
    pressAt(fx, fx.control<QRadioButton>("Option2", 0), QPoint(20, 18));
    const QPoint decide = inWindow(fx.control<ColourButton>("Command10", 0), fx.control<ColourButton>("Command10", 0)->rect().center());
    QVERIFY(fx.control<CanvasWidget>("Picture1", 0)->geometry().contains(decide));

    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, decide);
    QVERIFY(fx.control<CanvasWidget>("Picture1", 0)->isVisible());
    QCOMPARE(fx.state().rowStarted(1), false);
    QCOMPARE(fx.state().problemCount(1), 0);
}

void TestStrayInput::pressesOnHeadingsAndPicturesStayThere_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("point");

    for (const int level : {1, 3}) {
        const QString canvas = level == 1 ? QStringLiteral("canvas 0") : QStringLiteral("canvas 1");
        QTest::newRow(qPrintable(canvas + QStringLiteral(": heading"))) << level << QStringLiteral("Label1") << QPoint(100, 20);
        QTest::newRow(qPrintable(canvas + QStringLiteral(": girl"))) << level << QStringLiteral("Picture2") << QPoint(80, 80);
        QTest::newRow(qPrintable(canvas + QStringLiteral(": boy"))) << level << QStringLiteral("Picture3") << QPoint(100, 100);
        QTest::newRow(qPrintable(canvas + QStringLiteral(": children"))) << level << QStringLiteral("Picture4") << QPoint(100, 100);
    }
    // The boy's two leftmost columns on canvas 0 lie over row 1's frame.
    QTest::newRow("canvas 0: boy's leftmost column") << 1 << QStringLiteral("Picture3") << QPoint(0, 60);
    QTest::newRow("canvas 0: boy's second column") << 1 << QStringLiteral("Picture3") << QPoint(1, 120);
}

void TestStrayInput::pressesOnHeadingsAndPicturesStayThere()
{
    QFETCH(int, level);
    QFETCH(QString, control);
    QFETCH(QPoint, point);
    WindowFixture fx;
    fx.openLevel(level);
    const QWidget* pressed = fx.control<QLabel>(qPrintable(control), fx.state().CanvasIndex);
    QVERIFY(pressed->isVisible());
    QVERIFY(pressed->rect().contains(point));

    pressAt(fx, pressed, point);
    QCOMPARE(fx.platform.beeps, 0);
    for (int row = FirstRow; row <= LastRow; ++row)
        QCOMPARE(fx.state().rowStarted(row), false);
}

void TestStrayInput::keypadMarginIsTheStripsOwn()
{
    WindowFixture fx;
    fx.openLevel(1);
    pressAt(fx, fx.control<CanvasWidget>("Picture1", 0), QPoint(300, rowTop(1) + 100));
    pressAt(fx, fx.control<CanvasWidget>("Picture1", 0), QPoint(300, rowTop(2) + 100));
    QCOMPARE(int(fx.state().ProblemRow), 2);

    // The keys leave four pixels at the right and the bottom of the strip:
    // a press there is not a press on row 1 of the canvas under it.
    QWidget* strip = fx.control<QWidget>("Picture6", 0);
    for (const QPoint margin : {QPoint(463, 20), QPoint(200, 39)}) {
        pressAt(fx, strip, margin);
        QCOMPARE(int(fx.state().ProblemRow), 2);
        QCOMPARE(strip->grab().toImage().pixel(margin), colors::defaultFace);
    }
}

void TestStrayInput::theMarkIsOnScreenWhenTheBeepSounds()
{
    // Every paint of the canvas from the check on, and whether one of them
    // had painted the mark's place by the time of the beep.
    struct PaintWatch : QObject {
        QRegion painted;
        bool eventFilter(QObject* /*watched*/, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    };
    WindowFixture fx;
    fx.openLevel(1);
    MainWindow& window = *fx.window;
    pressAt(fx, fx.control<CanvasWidget>("Picture1", 0), QPoint(300, rowTop(1) + 100));
    answerRow1Right(fx);
    window.repaint();  // whatever starting the row and typing left to paint

    PaintWatch watch;
    fx.control<CanvasWidget>("Picture1", 0)->installEventFilter(&watch);
    QRegion paintedAtBeep;
    fx.platform.duringBeep = [&] { paintedAtBeep = watch.painted; };
    pressAt(fx, fx.checkButton(1), QPoint(20, 20));
    QCOMPARE(fx.platform.beeps, 1);
    // (QRegion::contains tells only whether a rectangle overlaps it.)
    const auto covers = [](const QRegion& region, QRect area) { return (QRegion(area) - region).isEmpty(); };
    QVERIFY(covers(paintedAtBeep, QRect(markSquare(1).topLeft(), QSize(24, 24))));
    // Only the mark's place, not the whole canvas with its keypads.
    QVERIFY(!covers(paintedAtBeep, QRect(QPoint(0, 0), fx.control<CanvasWidget>("Picture1", 0)->size())));
}

QTEST_MAIN(TestStrayInput)
#include "test_stray_input.moc"
