// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The feedback pause against real input on a real X display: what the pupil
// clicks or types while the mark shows is dropped, never handled once the
// pause is over, and the window manager's close request ends the pause at
// once. Runs under a virtual X server with a window manager; xdotool makes
// the clicks and keys, so they arrive through the X server's queue as a
// pupil's would.

#include "support/controls.h"
#include "support/rows.h"

#include "answer/answering.h"
#include "answer/marking.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include "engine/colors.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <QProcess>
#include <QTest>
#include <QTimer>

using namespace pomuru;
using pomuru::testing::control;

namespace {

bool xdotool(const QStringList& arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

// Moves the pointer to a widget's point and clicks `count` times, the way a
// mouse would.
bool clickAt(const QWidget* widget, QPoint point, int count = 1)
{
    const QPoint global = widget->mapToGlobal(point);
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()),
                    QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(count),
                    QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("1")});
}

bool clickOn(const QWidget* widget, int count = 1)
{
    return clickAt(widget, widget->rect().center(), count);
}

bool typeKeys(const QString& text)
{
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

// The real platform, except that a message is recorded instead of waiting
// for a press on a modal box that no one would make.
class RecordingPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    void showMessage(const QString& text) override { messages << text; }
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
    QPushButton* checkButton(int row)
    {
        return control<ColourButton>(*window, "Command5", state().CanvasIndex == 0 ? row - 1 : 6 - row);
    }

    RecordingPlatform platform{1280};
    std::unique_ptr<MainWindow> window;
};

} // namespace

class TestFeedbackPauseX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clicksAndKeysDuringThePauseAreDropped_data();
    void clicksAndKeysDuringThePauseAreDropped();
    void closingTheWindowEndsThePauseAtOnce();
};

void TestFeedbackPauseX11::clicksAndKeysDuringThePauseAreDropped_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("typed answer, level 8") << 8;
    QTest::newRow("painted tape, level 3") << 3;
    QTest::newRow("chosen symbol, level 7") << 7;
}

void TestFeedbackPauseX11::clicksAndKeysDuringThePauseAreDropped()
{
    QFETCH(int, level);
    RealWindow fx;
    MainWindow& window = *fx.window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QVERIFY(clickOn(control<QRadioButton>(window, "Option2", level - 1)));
    QVERIFY(clickOn(control<ColourButton>(window, "Command10", 0)));
    const Answering& answering = answeringOf(findLevel(level)->answering);
    CanvasWidget* canvas = control<CanvasWidget>(window, "Picture1", answerCanvas(answering.way));
    QTRY_VERIFY(canvas->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(clickAt(canvas, QPoint(300, 100)));  // starts row 1
    QTRY_COMPARE(fx.state().problemCount(1), 1);

    // The right answer, given the way the pupil gives it.
    testing::FirstChoice first;
    const AnswerMoves moves = answering.moves(canvas->canvas(), rowToCheck(fx.state(), 1), true, first);
    for (const QPoint& at : moves.presses)
        QVERIFY(clickAt(canvas, at));
    if (moves.typed) {
        QVERIFY(typeKeys(*moves.typed));
        QTRY_VERIFY(!control<AnswerBoxWidget>(window, "Text1", 0)->text().isEmpty());
    }

    // A double click on the check button: the first click marks the answer
    // right and pauses; the second arrives during the pause, and so do keys.
    QVERIFY(clickOn(fx.checkButton(1), 2));
    QVERIFY(typeKeys(QStringLiteral("5")));
    QTRY_COMPARE_WITH_TIMEOUT(fx.state().problemCount(1), 2, 5000);
    QCOMPARE(fx.state().record(1, 1, Mark), float(MarkRightFirst));

    // Input made now arrives behind everything that came before it: once it
    // shows, anything the pause held back would have been handled.
    const QList<QRect> targets = answering.targets(rowTop(1));
    if (!targets.isEmpty()) {
        // The second place, a tape cell or a symbol box, just inside its corner.
        const QPoint inside = targets[1].topLeft() + QPoint(2, 2);
        QVERIFY(clickAt(canvas, inside + QPoint(10, 10)));
        QTRY_COMPARE(canvas->canvas().pixel(inside.x(), inside.y()), colors::red);
    } else {
        QVERIFY(typeKeys(QStringLiteral("7")));
        QTRY_COMPARE(control<AnswerBoxWidget>(window, "Text1", 0)->text(), QStringLiteral("7"));
    }

    // The second click checked nothing, and the keys of the pause are gone.
    QCOMPARE(fx.state().record(1, 2, AttemptCount), 0.0f);
    QCOMPARE(fx.state().problemCount(1), 2);
    QCOMPARE(fx.platform.messages, QStringList());
}

void TestFeedbackPauseX11::closingTheWindowEndsThePauseAtOnce()
{
    RealWindow fx;
    MainWindow& window = *fx.window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The window manager frames the window once it manages it.
    if (!QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }, 10000))
        QSKIP("no window manager frames the window, so none can ask it to close");
    QVERIFY(clickOn(control<ColourButton>(window, "Command1", 0)));  // gives the window the focus

    bool asked = false;
    QTimer::singleShot(200, &window, [&] { asked = xdotool({QStringLiteral("key"), QStringLiteral("alt+F4")}); });
    // The pause of a mark: until the time of day has turned twice.
    fx.platform.waitWhileTimeOfDayIs(fx.platform.timeOfDay());
    fx.platform.waitWhileTimeOfDayIs(fx.platform.timeOfDay());
    QVERIFY(asked);
    // Had the request waited behind the pause, the window would still be open.
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestFeedbackPauseX11)
#include "test_feedback_pause_x11.moc"
