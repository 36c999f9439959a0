// The platform of the running program: its clock, its random source and
// the feedback pause, which must hold the pupil's input back without
// stopping the window.

#include "app/main_window.h"
#include "app/qt_platform.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace pomuru;

class TestQtPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void timeOfDayIsEightCharacters();
    void randomValuesStayBelowOneAndRepeatForASeed();
    void pauseEndsWhenTheClockTurnsAndKeepsTimersRunning();
    void pauseEndsAtOnceWhenTheWindowCloses();
};

void TestQtPlatform::timeOfDayIsEightCharacters()
{
    QtPlatform platform(1024);
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(platform.timeOfDay()).hasMatch());
    QCOMPARE(platform.screenWidthTwips() / platform.twipsPerPixelX(), 1024.0);
}

void TestQtPlatform::randomValuesStayBelowOneAndRepeatForASeed()
{
    QtPlatform first(1024);
    QtPlatform second(1024);
    first.seedRandom(5959);
    second.seedRandom(5959);
    float smallest = 1;
    float largest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = first.nextRandom();
        QCOMPARE(r, second.nextRandom());
        QVERIFY(r >= 0.0f && r < 1.0f);
        smallest = std::min(smallest, r);
        largest = std::max(largest, r);
    }
    QVERIFY(smallest < 0.001f && largest > 0.999f);
    second.seedRandom(7);
    QVERIFY(first.nextRandom() != second.nextRandom());
}

void TestQtPlatform::pauseEndsWhenTheClockTurnsAndKeepsTimersRunning()
{
    QtPlatform platform(1024);
    MainWindow window(platform);
    platform.setWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Repaints and timers go on during the pause.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    const QString shown = platform.timeOfDay();
    platform.waitWhileTimeOfDayIs(shown);
    QVERIFY(platform.timeOfDay() != shown);
    QVERIFY(ticks > 0);
}

void TestQtPlatform::pauseEndsAtOnceWhenTheWindowCloses()
{
    // A clock that never turns: only the closing can end the pause.
    struct FrozenClock : QtPlatform {
        FrozenClock()
            : QtPlatform(1024)
        {
        }
        QString timeOfDay() override { return QStringLiteral("12:00:00"); }
    } platform;
    MainWindow window(platform);
    platform.setWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTimer::singleShot(0, &window, [&] { window.close(); });
    platform.waitWhileTimeOfDayIs(QStringLiteral("12:00:00"));
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestQtPlatform)
#include "test_qt_platform.moc"
