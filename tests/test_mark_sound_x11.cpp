// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The beep of the marks reaches the desktop's sound server. A PulseAudio
// server of the test's own, with a null sink and no hardware, plays what it
// gets into the sink's monitor, which parec records; checks made in the
// real window on a virtual X display must put sound into that recording
// within 300 ms of their mark, and nothing before.

#include "support/own_platform_window.h"

#include "app/event_sound.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace pomuru;
using pomuru::testing::OwnPlatformWindow;

namespace {

constexpr int Rate = 44100;  // the recording's samples per second, one channel
// 5 ms of samples: the stretch whose loudness is measured.
constexpr qsizetype Stretch = Rate / 200;
// The null sink's silence is exact zeros; the mark's sound peaks at half of
// full scale. Anything above 1 % of full scale is sound.
constexpr double SilenceRms = 330;

// A PulseAudio server as a user process in a directory of its own: a null
// sink "marks" and a socket that only this test knows. Runs as root too,
// where PulseAudio only warns that it was not meant to.
class SoundServer {
public:
    bool start()
    {
        socket_ = dir_.filePath(QStringLiteral("native"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME"})
            environment.insert(QString::fromLatin1(name), dir_.path());
        environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        server_.setProcessEnvironment(environment);
        server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("--daemonize=no"), QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
                       QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                       QStringLiteral("--log-level=error"),
                       QStringLiteral("--load=module-null-sink sink_name=marks rate=%1").arg(Rate),
                       QStringLiteral("--load=module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket_)});
        if (!server_.waitForStarted(10000))
            return false;
        // Ready once its socket is there.
        for (int tries = 0; tries < 200 && !QFileInfo::exists(socket_); ++tries) {
            if (server_.state() != QProcess::Running)
                return false;
            QTest::qWait(50);
        }
        return QFileInfo::exists(socket_);
    }

    ~SoundServer()
    {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
        server_.waitForFinished(5000);
    }

    QString address() const { return QStringLiteral("unix:") + socket_; }
    // Where the clients keep their cookie, rather than in the user's home.
    QString cookie() const { return dir_.filePath(QStringLiteral("cookie")); }

private:
    QTemporaryDir dir_;
    QProcess server_;
    QString socket_;
};

// The sink's monitor as 16-bit mono samples, read as they come.
class Recording {
public:
    bool start(const QString& server)
    {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("--server=") + server, QStringLiteral("--device=marks.monitor"),
                      QStringLiteral("--raw"), QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(Rate),
                      QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
        return parec_.waitForStarted(10000);
    }

    ~Recording()
    {
        parec_.kill();
        parec_.waitForFinished(5000);
    }

    // Every sample recorded up to now.
    qsizetype samples()
    {
        bytes_ += parec_.readAllStandardOutput();
        return bytes_.size() / 2;
    }

    // The root mean square of `count` samples from `first`.
    double rms(qsizetype first, qsizetype count) const
    {
        const auto* sample = reinterpret_cast<const qint16*>(bytes_.constData());
        double sum = 0;
        for (qsizetype i = first; i < first + count; ++i)
            sum += double(sample[i]) * sample[i];
        return std::sqrt(sum / double(count));
    }

    // The first stretch from `from` on that is louder than silence; -1 when
    // none is.
    qsizetype firstSound(qsizetype from)
    {
        const qsizetype end = samples();
        for (qsizetype at = from; at + Stretch <= end; at += Stretch) {
            if (rms(at, Stretch) > SilenceRms)
                return at;
        }
        return -1;
    }

    bool running() const { return parec_.state() == QProcess::Running; }

private:
    QProcess parec_;
    QByteArray bytes_;
};

} // namespace

class TestMarkSoundX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyMarkIsHeardWithin300Milliseconds();
};

void TestMarkSoundX11::everyMarkIsHeardWithin300Milliseconds()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
        QFAIL("needs pulseaudio and parec (Debian: pulseaudio, pulseaudio-utils)");
    SoundServer server;
    QVERIFY2(server.start(), "the sound server did not start");
    qputenv("PULSE_SERVER", server.address().toUtf8());
    qputenv("PULSE_COOKIE", server.cookie().toUtf8());
    Recording recording;
    QVERIFY(recording.start(server.address()));
    QTRY_VERIFY_WITH_TIMEOUT(recording.samples() > Rate / 2, 10000);  // the monitor flows

    OwnPlatformWindow own;
    own.window.move(0, 0);
    own.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&own.window));
    QTRY_COMPARE_WITH_TIMEOUT(own.platform.sound().state(), EventSound::State::Ready, 10000);

    own.startLevel1Row1();
    const DrillState& state = own.window.drill().state;
    QCOMPARE(state.problemCount(1), 1);

    // A right answer, then a wrong one: the first play streams the sound to
    // the server, the second finds it in the server's cache.
    const QString answers[] = {QString::number(state.record(1, 1, Value1)), QStringLiteral("99")};
    const float marks[] = {AttemptRight, AttemptWrong};
    for (int check = 0; check < 2; ++check) {
        QTest::keyClicks(own.answerBox1(), answers[check]);
        const qsizetype before = recording.samples();
        QVERIFY2(recording.rms(before - Rate / 5, Rate / 5) <= SilenceRms, "the sink is silent before the mark");

        // Returns after the feedback pause, one to two seconds later.
        QTest::mouseClick(own.checkButton1(), Qt::LeftButton);
        QCOMPARE(state.record(1, check + 1, AttemptResult1), marks[check]);
        QTRY_VERIFY_WITH_TIMEOUT(recording.samples() > before + Rate / 2, 5000);
        QVERIFY(recording.running());

        // Samples still on their way when the button was pressed are
        // counted after `before`, so the delay measured is if anything
        // longer than the true one.
        const qsizetype heard = recording.firstSound(before);
        QVERIFY2(heard >= 0, qPrintable(QStringLiteral("check %1: no sound reached the server").arg(check + 1)));
        const double delayMs = double(heard - before) * 1000 / Rate;
        qInfo("check %d: sound %.0f ms after the press", check + 1, delayMs);
        QVERIFY2(delayMs <= 300, qPrintable(QStringLiteral("check %1: heard %2 ms after the mark").arg(check + 1).arg(delayMs)));
    }
    QCOMPARE(own.platform.sound().soundsPlayed(), 2);
    QCOMPARE(own.platform.sound().bellsRung(), 0);
}

QTEST_MAIN(TestMarkSoundX11)
#include "test_mark_sound_x11.moc"
