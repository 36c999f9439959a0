// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The drill by keys alone on a real X display with a window manager: xdotool
// presses the keys, so they arrive through the X server as a pupil's do, to
// whatever the window manager and the window gave the focus. A typed level,
// the painted tape and the chosen symbol, from the menu to a ○ and back; and
// a pupil who only uses the mouse sees no outline on the screen.

#include "support/controls.h"
#include "support/rows.h"

#include "answer/answering.h"
#include "answer/marking.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include "engine/colors.h"

#include <QProcess>
#include <QScreen>
#include <QTest>

#include <cmath>

using namespace pomuru;
using pomuru::testing::control;

namespace {

constexpr QRgb Navy = qRgb(0, 0, 128);

bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000))
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool keys(const QStringList& names)
{
    return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} + names);
}

bool clickOn(const QWidget* widget, QPoint point)
{
    const QPoint global = widget->mapToGlobal(point);
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                    QStringLiteral("click"), QStringLiteral("1")});
}

// The real platform, except that a question is answered はい and a message
// recorded, without a box.
class AnsweringPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    bool askYesNo(const QString& text) override
    {
        questions << text;
        return true;
    }
    void showMessage(const QString& text) override { messages << text; }
    QStringList questions;
    QStringList messages;
};

struct RealWindow {
    RealWindow()
    {
        window.reset(new MainWindow(platform));
        platform.setWindow(window.get());
        Form_Load(*window);
        window->move(0, 0);
        window->show();
        window->activateWindow();
    }

    DrillState& state() { return window->drill().state; }
    CanvasWidget* canvas() { return control<CanvasWidget>(*window, "Picture1", state().CanvasIndex); }
    // A pixel of the canvas as the X server shows it.
    QRgb onScreen(QPoint at)
    {
        const QPoint global = canvas()->mapToGlobal(at);
        return window->screen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage().pixel(0, 0);
    }

    AnsweringPlatform platform{1280};
    std::unique_ptr<MainWindow> window;
};

// The keys that leave the right answer of row 1: typed, painted from the
// left with the cell cursor, or the symbol's key.
QStringList rightAnswerKeys(RealWindow& fx)
{
    const RowToCheck problem = rowToCheck(fx.state(), 1);
    QStringList names;
    switch (findLevel(fx.state().LevelNo)->answering) {
    case AnswerWay::Typed:
        for (const QChar c : QString::number(double(problem.value1)))
            names << (c == u'.' ? QStringLiteral("period") : QString(c));
        break;
    case AnswerWay::PaintedTape:
        names << QStringLiteral("Home");
        for (int cell = 0; cell < int(std::lround(problem.value1 * 10)); ++cell)
            names << QStringLiteral("space") << QStringLiteral("Right");
        break;
    case AnswerWay::ChosenSymbol:
        names << (problem.value1 > problem.value2    ? QStringLiteral("greater")
                  : problem.value1 == problem.value2 ? QStringLiteral("equal")
                                                     : QStringLiteral("less"));
        break;
    }
    return names;
}

} // namespace

class TestKeyboardX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aLevelByKeys_data();
    void aLevelByKeys();
    void aMouseOnlyPupilSeesNoOutline();
};

void TestKeyboardX11::aLevelByKeys_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("typed answer, level 8") << 8;
    QTest::newRow("painted tape, level 3") << 3;
    QTest::newRow("chosen symbol, level 7") << 7;
}

void TestKeyboardX11::aLevelByKeys()
{
    QFETCH(int, level);
    RealWindow fx;
    MainWindow& window = *fx.window;
    QVERIFY(QTest::qWaitForWindowActive(&window));

    QStringList menu{QStringLiteral("space")};
    for (int i = 1; i < level; ++i)
        menu << QStringLiteral("Down");
    QVERIFY(keys(menu << QStringLiteral("Return")));
    QTRY_VERIFY(fx.canvas()->isVisible());
    QCOMPARE(fx.state().LevelNo, level);
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Row 1 started by Return, answered and checked by keys: ○.
    QVERIFY(keys({QStringLiteral("Return")}));
    QTRY_COMPARE(fx.state().problemCount(1), 1);
    QVERIFY(keys(rightAnswerKeys(fx) << QStringLiteral("Return")));
    QTRY_COMPARE_WITH_TIMEOUT(fx.state().problemCount(1), 2, 5000);
    QCOMPARE(fx.state().record(1, 1, Mark), MarkRightFirst);
    QCOMPARE(fx.platform.messages, QStringList());

    // The outline shows on the screen around the focused row, which Tab moves.
    const QPoint rowEdge(16, 150);
    QTRY_COMPARE(fx.onScreen(rowEdge), Navy);
    QVERIFY(keys({QStringLiteral("Tab")}));
    QTRY_COMPARE(window.focusedRow(), 2);
    QTRY_COMPARE(fx.onScreen(rowEdge + QPoint(0, testing::RowsApart)), Navy);

    // Escape is "終わる"; はい brings the menu back with the level's option.
    QVERIFY(keys({QStringLiteral("Escape")}));
    QTRY_VERIFY(control<QWidget>(window, "Picture7", 0)->isVisible());
    QCOMPARE(window.focusWidget(), control<QWidget>(window, "Option2", level - 1));
}

void TestKeyboardX11::aMouseOnlyPupilSeesNoOutline()
{
    RealWindow fx;
    MainWindow& window = *fx.window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(clickOn(control<QWidget>(window, "Option2", 2), QPoint(100, 15)));
    QVERIFY(clickOn(control<QWidget>(window, "Command10", 0), QPoint(40, 20)));
    QTRY_VERIFY(fx.canvas()->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(clickOn(fx.canvas(), QPoint(400, 100)));
    QTRY_COMPARE(fx.state().problemCount(1), 1);
    QVERIFY(clickOn(fx.canvas(), testing::cellMiddle(1, 0)));
    QTRY_COMPARE(fx.canvas()->canvas().pixel(testing::insideCell(1, 0).x(), testing::insideCell(1, 0).y()),
                 colors::red);

    // Where the keyboard's outlines would stand, the screen shows the canvas.
    QTRY_COMPARE(fx.onScreen(testing::cellMiddle(1, 0) + QPoint(-21, -2)), colors::red);
    QCOMPARE(fx.onScreen(QPoint(16, 150)), colors::lightYellow);
    QVERIFY(!window.outlinesShown());
}

QTEST_MAIN(TestKeyboardX11)
#include "test_keyboard_x11.moc"
