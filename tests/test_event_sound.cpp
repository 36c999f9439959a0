// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The beep of the marks without a sound server: the display's bell rings,
// at once and every time, and nothing waits for a server that is not
// there. Also the sound file the build makes: short, soft and free of
// clicks. (tests/test_mark_sound_x11.cpp hears it through a real server.)

#include "support/own_platform_window.h"

#include "app/event_sound.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>

using namespace pomuru;
using pomuru::testing::OwnPlatformWindow;

namespace {

// Sets environment variables for the life of the object, and puts back
// what was there before.
class Environment {
public:
    void set(const char* name, const QString& value)
    {
        if (!saved_.contains(name))
            saved_.insert(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }
    ~Environment()
    {
        for (auto at = saved_.cbegin(); at != saved_.cend(); ++at) {
            if (at.value())
                qputenv(at.key(), *at.value());
            else
                qunsetenv(at.key());
        }
    }

private:
    QMap<QByteArray, std::optional<QByteArray>> saved_;
};

// Makes the sound server or device unreachable for the libcanberra driver
// named, whatever the machine has: a PulseAudio socket that does not exist,
// or an ALSA configuration without any device.
class NoSoundServer {
public:
    explicit NoSoundServer(const QString& driver)
    {
        const QString alsa = dir_.filePath(QStringLiteral("alsa.conf"));
        QFile config(alsa);
        if (config.open(QIODevice::WriteOnly))
            config.write("# no devices\n");
        environment_.set("CANBERRA_DRIVER", driver);
        environment_.set("PULSE_SERVER", dir_.filePath(QStringLiteral("no-server")));
        environment_.set("ALSA_CONFIG_PATH", alsa);
    }

private:
    QTemporaryDir dir_;
    Environment environment_;
};

void touch(const QString& file)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile(file).open(QIODevice::WriteOnly);
}

bool settled(const EventSound& sound)
{
    return sound.state() == EventSound::State::Ready || sound.state() == EventSound::State::Unavailable;
}

struct Wav {
    int channels = 0;
    int sampleRate = 0;
    int bits = 0;
    QList<qint16> samples;
};

// Reads a canonical PCM WAV file: RIFF header, "fmt " chunk, "data" chunk.
Wav readWav(const QByteArray& bytes)
{
    Wav wav;
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WAVEfmt ")
        return wav;
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    if (qFromLittleEndian<quint16>(data + 20) != 1)  // PCM
        return wav;
    wav.channels = qFromLittleEndian<quint16>(data + 22);
    wav.sampleRate = int(qFromLittleEndian<quint32>(data + 24));
    wav.bits = qFromLittleEndian<quint16>(data + 34);
    const auto dataBytes = qsizetype(qFromLittleEndian<quint32>(data + 40));
    if (bytes.mid(36, 4) != "data" || dataBytes > bytes.size() - 44)
        return wav;
    for (qsizetype i = 0; i + 1 < dataBytes; i += 2)
        wav.samples << qFromLittleEndian<qint16>(data + 44 + i);
    return wav;
}

} // namespace

class TestEventSound : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theSoundIsShortSoftAndClickFree();
    void routeToSound_data();
    void routeToSound();
    void withoutAServerEveryBeepIsTheBell_data();
    void withoutAServerEveryBeepIsTheBell();
    void connectingWaitsForTheFirstFrame();
    void aCheckWithoutAServerRingsTheBellAndGoesOn();
};

void TestEventSound::theSoundIsShortSoftAndClickFree()
{
    const QString file = EventSound::installedFile();
    QVERIFY2(!file.isEmpty(), "the build puts the sound at share/pomuru/sounds/mark.wav");
    QFile sound(file);
    QVERIFY(sound.open(QIODevice::ReadOnly));
    const Wav wav = readWav(sound.readAll());
    QCOMPARE(wav.channels, 1);
    QCOMPARE(wav.bits, 16);
    QCOMPARE(wav.sampleRate, 44100);
    const double seconds = double(wav.samples.size()) / wav.sampleRate;
    QVERIFY2(seconds > 0.1 && seconds < 0.5, qPrintable(QString::number(seconds)));

    // Soft: well below full scale. Heard: not nearly silent.
    int peak = 0;
    for (const qint16 sample : wav.samples)
        peak = std::max(peak, std::abs(int(sample)));
    QVERIFY2(peak > 8000 && peak < 24000, qPrintable(QString::number(peak)));
    // No click: it starts and ends at silence, and no step between two
    // neighbouring samples is larger than the tone itself makes.
    QCOMPARE(wav.samples.first(), qint16(0));
    QCOMPARE(wav.samples.last(), qint16(0));
    int largestStep = 0;
    for (qsizetype i = 1; i < wav.samples.size(); ++i)
        largestStep = std::max(largestStep, std::abs(wav.samples[i] - wav.samples[i - 1]));
    QVERIFY2(largestStep < peak / 2, qPrintable(QString::number(largestStep)));
}

void TestEventSound::routeToSound_data()
{
    QTest::addColumn<QStringList>("files");  // under a fresh directory: run/, dev/, user/ (the runtime directory)
    QTest::addColumn<QString>("pulseServer");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<EventSound::Route>("route");
    const QStringList devices{QStringLiteral("dev/controlC0"), QStringLiteral("dev/pcmC0D0c")};
    QTest::newRow("no socket, a capture device only") << devices << QString() << QString() << EventSound::Route::Nowhere;
    QTest::newRow("a playback device, no server")
        << devices + QStringList{QStringLiteral("dev/pcmC1D3p")} << QString() << QString() << EventSound::Route::Alsa;
    QTest::newRow("the user's server") << QStringList{QStringLiteral("user/pulse/native")} << QString() << QString()
                                       << EventSound::Route::Server;
    QTest::newRow("the system's server beside a device")
        << devices + QStringList{QStringLiteral("run/pulse/native"), QStringLiteral("dev/pcmC0D0p")} << QString()
        << QString() << EventSound::Route::Server;
    QTest::newRow("a server named in PULSE_SERVER") << QStringList() << QStringLiteral("tcp:classroom-server")
                                                   << QString() << EventSound::Route::Server;
    QTest::newRow("a driver named in CANBERRA_DRIVER") << QStringList() << QString() << QStringLiteral("alsa")
                                                      << EventSound::Route::Server;
}

void TestEventSound::routeToSound()
{
    QFETCH(QStringList, files);
    QFETCH(QString, pulseServer);
    QFETCH(QString, driver);
    QFETCH(EventSound::Route, route);
    QTemporaryDir root;
    for (const QString& file : files)
        touch(root.filePath(file));
    Environment environment;
    environment.set("XDG_RUNTIME_DIR", root.filePath(QStringLiteral("user")));
    environment.set("PULSE_RUNTIME_PATH", QString());
    environment.set("PULSE_SERVER", pulseServer);
    environment.set("CANBERRA_DRIVER", driver);
    QCOMPARE(EventSound::routeToSound(root.filePath(QStringLiteral("run")), root.filePath(QStringLiteral("dev"))), route);
}

void TestEventSound::withoutAServerEveryBeepIsTheBell_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("file");  // empty: the program's own sound
    QTest::newRow("PulseAudio or PipeWire, no server") << QStringLiteral("pulse") << QString();
    QTest::newRow("ALSA, no device") << QStringLiteral("alsa") << QString();
    QTest::newRow("the sound file is missing") << QStringLiteral("pulse") << QStringLiteral("/nonexistent/mark.wav");
}

void TestEventSound::withoutAServerEveryBeepIsTheBell()
{
    QFETCH(QString, driver);
    QFETCH(QString, file);
    NoSoundServer none(driver);
    EventSound sound(file);
    QCOMPARE(sound.state(), EventSound::State::Idle);

    // The first beep comes before any connection: the bell at once, and it
    // starts connecting.
    sound.play();
    QCOMPARE(sound.bellsRung(), 1);
    QVERIFY(sound.state() != EventSound::State::Idle);

    QTRY_VERIFY(settled(sound));
    for (int beep = 2; beep <= 3; ++beep) {
        sound.play();
        QTRY_COMPARE(sound.bellsRung(), beep);
    }
    QCOMPARE(sound.soundsPlayed(), 0);
}

void TestEventSound::connectingWaitsForTheFirstFrame()
{
    NoSoundServer none(QStringLiteral("pulse"));
    OwnPlatformWindow own;
    QCoreApplication::processEvents();
    QCOMPARE(own.platform.sound().state(), EventSound::State::Idle);  // nothing before the window shows

    own.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&own.window));
    QTRY_VERIFY(own.platform.sound().state() != EventSound::State::Idle);
    QTRY_COMPARE(own.platform.sound().state(), EventSound::State::Unavailable);
}

void TestEventSound::aCheckWithoutAServerRingsTheBellAndGoesOn()
{
    // The whole road of a mark on the program's own platform: the right
    // answer is marked, the bell rings once, the pause ends and the next
    // problem is drawn.
    NoSoundServer none(QStringLiteral("pulse"));
    OwnPlatformWindow own;
    own.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&own.window));
    QTRY_COMPARE(own.platform.sound().state(), EventSound::State::Unavailable);

    own.startLevel1Row1();
    const DrillState& state = own.window.drill().state;
    QCOMPARE(state.problemCount(1), 1);
    QTest::keyClicks(own.answerBox1(), QString::number(state.record(1, 1, Value1)));
    QTest::mouseClick(own.checkButton1(), Qt::LeftButton);

    QCOMPARE(own.platform.sound().bellsRung(), 1);
    QCOMPARE(own.platform.sound().soundsPlayed(), 0);
    QCOMPARE(state.record(1, 1, Mark), MarkRightFirst);
    QCOMPARE(state.problemCount(1), 2);
}

QTEST_MAIN(TestEventSound)
#include "test_event_sound.moc"
