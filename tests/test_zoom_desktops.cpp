// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The zoomed window on real desktops. On an X display with a window manager
// (openbox): the window manager's maximise, F11 and --fullscreen on
// 1920 × 1080 give the content the largest factor that fits, centred, and
// back at the usual size the start-up factor; on 1366 × 768 with a panel of
// 32 pixels, three whole rows stand inside the work area. Clicks come from
// xdotool, the maximise from wmctrl, as they would from a teacher. Under a
// Wayland compositor (weston), which tells no panel, a window that may not
// fit opens maximised and takes its factor from the compositor's size.

#include "support/controls.h"

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/program.h"
#include "engine/page.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

using namespace pomuru;
using pomuru::testing::control;

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

QString windowId(const QWidget& window)
{
    return QString::number(window.winId());
}

bool clickOn(const QWidget* widget, QPoint point)
{
    const QPoint global = widget->mapToGlobal(point);
    return run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(global.x()),
                                          QString::number(global.y()), QStringLiteral("click"), QStringLiteral("1")});
}

bool maximise(const QWidget& window, bool on)
{
    return run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-r"), windowId(window),
                                         QStringLiteral("-b"),
                                         (on ? QStringLiteral("add") : QStringLiteral("remove"))
                                             + QStringLiteral(",maximized_vert,maximized_horz")});
}

// The factor that the content takes in a window of this size.
double fitting(const MainWindow& window)
{
    return fittingFactor(window.logicalClientSize(), window.size());
}

// The level options are where they show: a click at an option's middle, in
// the window's own pixels, chooses it.
void checkClickAtTheScaledPlace(MainWindow& window, int option)
{
    auto* button = control<QRadioButton>(window, "Option2", option);
    QVERIFY(clickOn(button, button->rect().center()));
    QTRY_VERIFY(button->isChecked());
}

} // namespace

class TestZoomDesktops : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void maximiseAndF11FillTheScreen();
    void fullScreenFromTheCommandLine();
    void threeWholeRowsInsideTheWorkAreaUnderAPanel();
    void onWaylandTheCompositorsSizeGivesTheFactor();
};

void TestZoomDesktops::maximiseAndF11FillTheScreen()
{
    QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1920, 1080));
    Program program;
    MainWindow& window = program.window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1018, 743));
    QCOMPARE(window.zoom().factor(), 1.0);

    QVERIFY(maximise(window, true));
    QTRY_VERIFY(window.isMaximized() && window.width() == 1920);
    // The work area less openbox's title bar.
    QVERIFY2(window.height() > 1000, QByteArray::number(window.height()));
    QCOMPARE(window.zoom().factor(), fitting(window));
    QVERIFY(window.zoom().factor() > 1.35);
    const QSize content = Zoom::scaled(window.logicalClientSize(), window.zoom().factor());
    QCOMPARE(window.zoom().origin(), QPoint((window.width() - content.width()) / 2, 0));
    checkClickAtTheScaledPlace(window, 6);
    qInfo("maximised: %d × %d, z = %.4f", window.width(), window.height(), window.zoom().factor());

    QVERIFY(maximise(window, false));
    QTRY_COMPARE(window.size(), QSize(1018, 743));
    QCOMPARE(window.zoom().factor(), 1.0);
    QCOMPARE(window.zoom().origin(), QPoint(0, 0));

    window.activateWindow();
    QTRY_VERIFY(window.isActiveWindow());
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F11")}));
    QTRY_VERIFY(window.isFullScreen() && window.size() == QSize(1920, 1080));
    QCOMPARE(window.zoom().factor(), 1080.0 / 743);
    QCOMPARE(window.zoom().origin(), QPoint(220, 0));
    checkClickAtTheScaledPlace(window, 2);
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F11")}));
    QTRY_VERIFY(!window.isFullScreen() && window.size() == QSize(1018, 743));
    QCOMPARE(window.zoom().factor(), 1.0);
}

void TestZoomDesktops::fullScreenFromTheCommandLine()
{
    const CommandLine line = readCommandLine({QStringLiteral("pomuru"), QStringLiteral("--fullscreen")});
    QCOMPARE(line.action, CommandLine::Action::OpenWindow);
    Program program(makeQtPlatform, line.fullScreen);
    MainWindow& window = program.window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.isFullScreen() && window.size() == QSize(1920, 1080));
    QCOMPARE(window.zoom().factor(), 1080.0 / 743);
    QCOMPARE(window.zoom().origin(), QPoint(220, 0));
    // Back to the window of start-up.
    window.activateWindow();
    QTRY_VERIFY(window.isActiveWindow());
    QVERIFY(run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("F11")}));
    QTRY_VERIFY(!window.isFullScreen() && window.size() == QSize(1018, 743));
    QCOMPARE(window.zoom().factor(), 1.0);
}

void TestZoomDesktops::threeWholeRowsInsideTheWorkAreaUnderAPanel()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->size(), QSize(1366, 768));
    // A panel of 32 pixels at the top: a window that reserves them for
    // itself, as a desktop's panel does.
    QWidget panel(nullptr, Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    panel.setGeometry(0, 0, 1366, 32);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(run(QStringLiteral("xprop"), {QStringLiteral("-id"), windowId(panel), QStringLiteral("-f"),
                                         QStringLiteral("_NET_WM_STRUT"), QStringLiteral("32c"), QStringLiteral("-set"),
                                         QStringLiteral("_NET_WM_STRUT"), QStringLiteral("0,0,32,0")}));
    QTRY_COMPARE(screen->availableGeometry(), QRect(0, 32, 1366, 736));

    Program program;
    MainWindow& window = program.window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(rowsOnPage(window.drill().state.ScreenWidthPixels), 3);
    QVERIFY(window.zoom().factor() < 1.0 && window.zoom().factor() >= MainWindow::SmallestFactor);
    qInfo("work area %d × %d: window %d × %d, frame %d × %d, z = %.4f", screen->availableGeometry().width(),
          screen->availableGeometry().height(), window.width(), window.height(), window.frameGeometry().width(),
          window.frameGeometry().height(), window.zoom().factor());
    // Where openbox placed it, frame and all.
    QTRY_VERIFY2(screen->availableGeometry().contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("frame %1,%2 %3 × %4")
                                .arg(window.frameGeometry().x())
                                .arg(window.frameGeometry().y())
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())));

    // A page of level 1: each row's whole frame on the screen's free area.
    checkClickAtTheScaledPlace(window, 0);
    auto* decide = control<QPushButton>(window, "Command10", 0);
    QVERIFY(clickOn(decide, decide->rect().center()));
    auto* canvas = control<CanvasWidget>(window, "Picture1", 0);
    QTRY_VERIFY(canvas->isVisible());
    for (int row = FirstRow; row <= LastRow; ++row) {
        const QRect frame = Zoom::scaled(QRect(20, rowTop(row) + 70, 750, 210), canvas->zoom());
        QVERIFY(screen->availableGeometry().contains(QRect(canvas->mapToGlobal(frame.topLeft()), frame.size())));
        QVERIFY(clickOn(canvas, frame.center()));
        QTRY_COMPARE(window.drill().state.problemCount(row), 1);
    }
}

void TestZoomDesktops::onWaylandTheCompositorsSizeGivesTheFactor()
{
    QVERIFY(QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
    QScreen* screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->availableGeometry(), screen->geometry());  // no panel told
    Program program;
    MainWindow& window = program.window();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(window.isMaximized());
    QTRY_VERIFY(window.size() != Zoom::scaled(window.logicalClientSize(), window.startFactor()));
    QTRY_COMPARE(window.zoom().factor(), fitting(window));
    qInfo("screen %d × %d: maximised to %d × %d (frame %d × %d), z = %.4f, start-up z = %.4f", screen->size().width(),
          screen->size().height(), window.width(), window.height(), window.frameGeometry().width(),
          window.frameGeometry().height(), window.zoom().factor(), window.startFactor());
    QCOMPARE(rowsOnPage(window.drill().state.ScreenWidthPixels), 3);
    QVERIFY(window.zoom().factor() < window.startFactor());
    // A compositor tells no window's position; its size, frame and all, is
    // the screen's at most (less the panel, once weston's shell shows one).
    QVERIFY(window.frameGeometry().width() <= screen->size().width());
    QVERIFY(window.frameGeometry().height() <= screen->size().height());
}

QTEST_MAIN(TestZoomDesktops)
#include "test_zoom_desktops.moc"
