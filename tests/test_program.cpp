// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The program's start-up as main() and the start-up benchmark run it: the
// platform made for the primary screen, the window built, started up and
// shown, the application named.

#include "support/controls.h"

#include "app/main_window.h"
#include "app/program.h"
#include "app/start_up.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

using namespace pomuru;
using pomuru::testing::control;

namespace {

// A platform of the program's own kind that counts the questions it is
// asked, as the benchmark's platform is a kind of its own.
class CountingPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    bool askYesNo(const QString& /*text*/) override
    {
        ++questions;
        return false;
    }
    int questions = 0;
};

} // namespace

class TestProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void makesThePlatformForThePrimaryScreen();
    void startsUpAndShowsTheWindow();
    void theWindowTalksToThePlatformMade();
};

void TestProgram::initTestCase()
{
    // The sound connects after the first frame: to no server, and without
    // starting one.
    qputenv("CANBERRA_DRIVER", "pulse");
    qputenv("PULSE_SERVER", "/nonexistent/pomuru-test-sound-server");
}

void TestProgram::makesThePlatformForThePrimaryScreen()
{
    int made = 0;
    int widthGiven = -1;
    QRect areaGiven;
    const Program program([&](int width, QRect area) {
        ++made;
        widthGiven = width;
        areaGiven = area;
        return makeQtPlatform(width, area);
    });
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen != nullptr);
    QCOMPARE(made, 1);
    QCOMPARE(widthGiven, screen->geometry().width());
    QCOMPARE(areaGiven, screen->availableGeometry());
}

void TestProgram::startsUpAndShowsTheWindow()
{
    Program program;
    MainWindow& window = program.window();
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowTitle(), MainWindow::Caption);
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("pomuru"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.pomuru.Pomuru"));

    // Form_Load has measured the screen, chosen the layout and shown the
    // level menu.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const bool large = screen->geometry().width() >= LargeLayoutWidth
        && fitsWithFrame(MainWindow::ClientSize, screen->availableGeometry());
    QCOMPARE(window.size(), large ? MainWindow::ClientSize : QSize(798, 574));
    QVERIFY(control<QWidget>(window, "Picture7", 0)->isVisible());
    QVERIFY(control<QWidget>(window, "Command1", 0)->isVisible());
}

void TestProgram::theWindowTalksToThePlatformMade()
{
    CountingPlatform* counting = nullptr;
    Program program([&](int width, QRect area) {
        auto made = std::make_unique<CountingPlatform>(width, area);
        counting = made.get();
        return std::unique_ptr<QtPlatform>(std::move(made));
    });
    QCOMPARE(&program.platform(), counting);
    QCOMPARE(&program.window().platform(), static_cast<Platform*>(counting));
    QVERIFY(QTest::qWaitForWindowExposed(&program.window()));

    // "おわり" asks the platform made, which answers No: the program goes on.
    QTest::mouseClick(control<QPushButton>(program.window(), "Command2", 0), Qt::LeftButton);
    QCOMPARE(counting->questions, 1);
    QVERIFY(program.window().isVisible());
}

QTEST_MAIN(TestProgram)
#include "test_program.moc"
