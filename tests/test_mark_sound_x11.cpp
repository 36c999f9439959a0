// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The beep of the marks reaches the desktop's sound server. A PulseAudio
// server of the test's own, with a null sink and no hardware, plays what it
// gets into the sink's monitor, which parec records; checks made in the
// real window on a virtual X display must put sound into that recording
// within 300 ms of their mark, and nothing before. A server that hangs
// (stopped, not gone) must not silence the marks: they are the bell until
// it answers again, and then the sound once more.

#include "support/own_platform_window.h"

#include "app/event_sound.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <signal.h>

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
        resume();
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
        server_.waitForFinished(5000);
    }

    // A hung server: its socket stays open and nothing answers.
    void hang() { ::kill(pid_t(server_.processId()), SIGSTOP); }
    void resume() { ::kill(pid_t(server_.processId()), SIGCONT); }

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

    ~Recording() { stop(); }

    void stop()
    {
        parec_.kill();
        parec_.waitForFinished(5000);
    }

    bool restart(const QString& server)
    {
        stop();
        bytes_.clear();
        return start(server);
    }

    // Whether the last half second of the wall clock brought half a second
    // of samples, give or take a tenth, and the last fifth of a second is
    // silent.
    bool keepsTime()
    {
        const qsizetype from = samples();
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(500);
        const double seconds = double(samples() - from) / Rate;
        const double elapsed = double(clock.elapsed()) / 1000;
        return samples() > Rate / 5 && std::abs(seconds - elapsed) < 0.1
            && rms(samples() - Rate / 5, Rate / 5) <= SilenceRms;
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

// A window on the program's own platform whose sound reaches the server
// of the test, with level 1's first row started.
struct HeardWindow {
    bool start()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty()) {
            qWarning("needs pulseaudio and parec (Debian: pulseaudio, pulseaudio-utils)");
            return false;
        }
        if (!server.start())
            return false;
        qputenv("PULSE_SERVER", server.address().toUtf8());
        qputenv("PULSE_COOKIE", server.cookie().toUtf8());
        return recording.start(server.address());
    }

    // Answers and checks in row 1; returns after the feedback pause.
    void check(const QString& answer)
    {
        QTest::keyClicks(own->answerBox1(), answer);
        QTest::mouseClick(own->checkButton1(), Qt::LeftButton);
    }
    QString rightAnswer() const { return QString::number(own->window.drill().state.record(1, 1, Value1)); }

    // How long after the check its sound reached the server's sink; -1 when
    // none did.
    double soundDelayMs(const QString& answer)
    {
        const qsizetype before = recording.samples();
        if (recording.rms(before - Rate / 5, Rate / 5) > SilenceRms)
            qWarning("the sink is not silent before the mark");
        check(answer);
        if (!QTest::qWaitFor([&] { return recording.samples() > before + Rate / 2; }, 5000))
            return -1;
        // Samples still on their way when the button was pressed are
        // counted after `before`, so the delay measured is if anything
        // longer than the true one.
        const qsizetype heard = recording.firstSound(before);
        return heard < 0 ? -1 : double(heard - before) * 1000 / Rate;
    }

    SoundServer server;
    Recording recording;
    std::unique_ptr<OwnPlatformWindow> own;
};

} // namespace

class TestMarkSoundX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void everyMarkIsHeardWithin300Milliseconds();
    void aHungServerGivesTheBellAndALaterMarkTriesItAgain();

private:
    std::unique_ptr<HeardWindow> heard_;
};

void TestMarkSoundX11::init()
{
    heard_ = std::make_unique<HeardWindow>();
    QVERIFY2(heard_->start(), "the sound server or its recording did not start");
    QTRY_VERIFY_WITH_TIMEOUT(heard_->recording.samples() > Rate / 2, 10000);  // the monitor flows

    heard_->own = std::make_unique<OwnPlatformWindow>();
    OwnPlatformWindow& own = *heard_->own;
    own.window.move(0, 0);
    own.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&own.window));
    QTRY_COMPARE_WITH_TIMEOUT(own.platform.sound().state(), EventSound::State::Ready, 10000);
    own.startLevel1Row1();
    QCOMPARE(own.window.drill().state.problemCount(1), 1);
}

void TestMarkSoundX11::cleanup()
{
    heard_.reset();
}

void TestMarkSoundX11::everyMarkIsHeardWithin300Milliseconds()
{
    HeardWindow& heard = *heard_;
    const DrillState& state = heard.own->window.drill().state;
    // A right answer, then a wrong one: the first play streams the sound to
    // the server, the second finds it in the server's cache.
    const QString answers[] = {heard.rightAnswer(), QStringLiteral("99")};
    const float marks[] = {AttemptRight, AttemptWrong};
    for (int check = 0; check < 2; ++check) {
        const double delayMs = heard.soundDelayMs(answers[check]);
        QCOMPARE(state.record(1, check + 1, AttemptResult1), marks[check]);
        QVERIFY(heard.recording.running());
        QVERIFY2(delayMs >= 0, qPrintable(QStringLiteral("check %1: no sound reached the server").arg(check + 1)));
        qInfo("check %d: sound %.0f ms after the press", check + 1, delayMs);
        QVERIFY2(delayMs <= 300, qPrintable(QStringLiteral("check %1: heard %2 ms after the mark").arg(check + 1).arg(delayMs)));
    }
    QCOMPARE(heard.own->platform.sound().soundsPlayed(), 2);
    QCOMPARE(heard.own->platform.sound().bellsRung(), 0);
}

void TestMarkSoundX11::aHungServerGivesTheBellAndALaterMarkTriesItAgain()
{
    HeardWindow& heard = *heard_;
    const EventSound& sound = heard.own->platform.sound();
    QVERIFY(heard.soundDelayMs(heard.rightAnswer()) >= 0);
    QCOMPARE(sound.soundsPlayed(), 1);

    heard.server.hang();
    // Every check returns after its feedback pause of at least a second;
    // the mark's bell has rung within it.
    for (int check = 1; check <= 4; ++check) {
        heard.check(QStringLiteral("99"));
        QCOMPARE(sound.bellsRung(), check);
    }
    QCOMPARE(sound.soundsPlayed(), 1);
    QCOMPARE(sound.state(), EventSound::State::Ready);

    // Answering again, the server finishes the play it was holding: a late
    // sound, once. The beeps asked for meanwhile have rung as the bell.
    heard.server.resume();
    QTRY_VERIFY_WITH_TIMEOUT(sound.soundsPlayed() == 2 || sound.state() != EventSound::State::Ready, 10000);
    QCOMPARE(sound.state(), EventSound::State::Ready);
    QCOMPARE(sound.soundsPlayed(), 2);
    // The sink makes up for the time it stood still, faster than real
    // time: the delays are measured on a new recording once it keeps time.
    heard.recording.restart(heard.server.address());
    QTRY_VERIFY_WITH_TIMEOUT(heard.recording.keepsTime(), 10000);
    const double delayMs = heard.soundDelayMs(QStringLiteral("99"));
    qInfo("after the hang: sound %.0f ms after the press", delayMs);
    QVERIFY2(delayMs >= 0 && delayMs <= 300, "the mark after the hang is not heard within 300 ms");
    QCOMPARE(sound.soundsPlayed(), 3);
    QCOMPARE(sound.bellsRung(), 4);
}

QTEST_MAIN(TestMarkSoundX11)
#include "test_mark_sound_x11.moc"
