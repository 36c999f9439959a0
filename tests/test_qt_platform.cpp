// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The platform of the running program: its clock, its random source and
// the feedback pause, which must hold the pupil's input back without
// stopping the window.

#include "app/main_window.h"
#include "app/qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace pomuru;

class TestQtPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowCaptionGetsNothingAppended();
    void timeOfDayIsEightCharacters();
    void randomValuesStayBelowOneAndRepeatForASeed();
    void messagesAreModalTitledAndInJapanese_data();
    void messagesAreModalTitledAndInJapanese();
    void pauseEndsWhenTheClockTurnsAndKeepsTimersRunning();
    void pauseEndsAtOnceWhenTheWindowCloses();
};

void TestQtPlatform::windowCaptionGetsNothingAppended()
{
    // Desktops append an application display name to every window title;
    // the caption must read "ポムル Ver1.0.1" alone.
    nameApplication();
    QCOMPARE(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.pomuru.Pomuru"));
}

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

void TestQtPlatform::messagesAreModalTitledAndInJapanese_data()
{
    QTest::addColumn<bool>("question");
    QTest::addColumn<QString>("press");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<double>("zoom");  // the window's, which the text follows
    QTest::newRow("message") << false << QStringLiteral("OK") << QStringList{QStringLiteral("OK")} << false << 1.0;
    QTest::newRow("question answered yes")
        << true << QStringLiteral("はい") << QStringList{QStringLiteral("はい"), QStringLiteral("いいえ")} << true << 1.0;
    QTest::newRow("question answered no")
        << true << QStringLiteral("いいえ") << QStringList{QStringLiteral("はい"), QStringLiteral("いいえ")} << false << 1.0;
    QTest::newRow("message in a window zoomed by 2")
        << false << QStringLiteral("OK") << QStringList{QStringLiteral("OK")} << false << 2.0;
    QTest::newRow("question in a window zoomed by 0.8")
        << true << QStringLiteral("はい") << QStringList{QStringLiteral("はい"), QStringLiteral("いいえ")} << true << 0.8;
}

void TestQtPlatform::messagesAreModalTitledAndInJapanese()
{
    QFETCH(bool, question);
    QFETCH(QString, press);
    QFETCH(QStringList, buttons);
    QFETCH(bool, yes);
    QFETCH(double, zoom);
    QtPlatform platform(1024);
    MainWindow window(platform);
    platform.setWindow(&window);
    platform.setZoom([zoom] { return zoom; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString title;
    QString text;
    QStringList shownButtons;
    Qt::WindowModality modality = Qt::NonModal;
    double textScale = 0;
    QTimer::singleShot(0, &window, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        textScale = box->font().pointSizeF() / QMessageBox().font().pointSizeF();
        title = box->windowTitle();
        text = box->text();
        modality = box->windowModality();
        QAbstractButton* pressed = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            shownButtons << button->text();
            if (button->text() == press)
                pressed = button;
        }
        QVERIFY(pressed != nullptr);
        pressed->click();
    });
    const QString asked = QStringLiteral("みなさん　おわりましたか？");
    const bool answer = question ? platform.askYesNo(asked) : (platform.showMessage(asked), false);
    QCOMPARE(answer, yes);
    QCOMPARE(title, QStringLiteral("ポムル"));
    QCOMPARE(text, asked);
    QCOMPARE(modality, Qt::ApplicationModal);
    QVERIFY2(qFuzzyCompare(textScale, zoom), QByteArray::number(textScale));
    shownButtons.sort();
    buttons.sort();
    QCOMPARE(shownButtons, buttons);
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
