// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The feedback pause on a real X display: a click the pupil makes while the
// mark shows is held back and handled once the pause is over. Runs under a
// virtual X server; xdotool makes the clicks, so they arrive as real input.

#include "app/main_window.h"
#include "app/qt_platform.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace pomuru;

namespace {

// Clicks the grade button "３年生" of a window standing at the screen's
// top-left corner, the way a mouse would.
bool clickGradeButton(const MainWindow& window)
{
    const QPoint centre = window.Command1[0]->mapToGlobal(window.Command1[0]->rect().center());
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                              QStringLiteral("click"), QStringLiteral("1")})
        == 0;
}

} // namespace

class TestFeedbackPauseX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clicksDuringThePauseAreHandledAfterIt();
};

void TestFeedbackPauseX11::clicksDuringThePauseAreHandledAfterIt()
{
    QtPlatform platform(1280);
    MainWindow window(platform);
    platform.setWindow(&window);
    window.move(0, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(window.Command1[0], &QPushButton::clicked);

    // A click outside the pause is handled at once.
    QVERIFY(clickGradeButton(window));
    QTRY_COMPARE(clicks.count(), 1);

    bool clicked = false;
    QTimer::singleShot(50, &window, [&] { clicked = clickGradeButton(window); });
    // Wait for the next turn of the second, then a whole second more: the
    // click arrives well inside the pause.
    const QString shown = platform.timeOfDay();
    platform.waitWhileTimeOfDayIs(shown);
    platform.waitWhileTimeOfDayIs(platform.timeOfDay());
    QVERIFY(clicked);
    QCOMPARE(clicks.count(), 1);      // held back during the pause...
    QTRY_COMPARE(clicks.count(), 2);  // ...and handled after it
}

QTEST_MAIN(TestFeedbackPauseX11)
#include "test_feedback_pause_x11.moc"
