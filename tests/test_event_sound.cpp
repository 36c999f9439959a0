// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The beep of the marks without a sound server: the display's bell rings,
// at once and every time, and nothing waits for a server that is not
// there. Also the sound file the build makes: short, soft and free of
// clicks. (tests/test_mark_sound_x11.cpp hears it through a real server.)

#include "app/event_sound.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>

using namespace pomuru;

namespace {

// Makes the sound server or device unreachable for the libcanberra driver
// named, whatever the machine has: a PulseAudio socket that does not exist,
// or an ALSA configuration without any device.
class NoSoundServer {
public:
    NoSoundServer(const QString& driver)
    {
        qputenv("CANBERRA_DRIVER", driver.toUtf8());
        qputenv("PULSE_SERVER", dir_.filePath(QStringLiteral("no-server")).toUtf8());
        const QString alsa = dir_.filePath(QStringLiteral("alsa.conf"));
        QFile config(alsa);
        if (config.open(QIODevice::WriteOnly))
            config.write("# no devices\n");
        qputenv("ALSA_CONFIG_PATH", alsa.toUtf8());
    }
    ~NoSoundServer()
    {
        qunsetenv("CANBERRA_DRIVER");
        qunsetenv("PULSE_SERVER");
        qunsetenv("ALSA_CONFIG_PATH");
    }

private:
    QTemporaryDir dir_;
};

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
    QtPlatform platform(1280);
    MainWindow window(platform);
    platform.setWindow(&window);
    Form_Load(window);
    platform.sound().connectAfterFirstFrame(&window);
    QCoreApplication::processEvents();
    QCOMPARE(platform.sound().state(), EventSound::State::Idle);  // nothing before the window shows

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(platform.sound().state() != EventSound::State::Idle);
    QTRY_COMPARE(platform.sound().state(), EventSound::State::Unavailable);
}

void TestEventSound::aCheckWithoutAServerRingsTheBellAndGoesOn()
{
    // The whole road of a mark on the program's own platform: the right
    // answer is marked, the bell rings once, the pause ends and the next
    // problem is drawn.
    NoSoundServer none(QStringLiteral("pulse"));
    QtPlatform platform(1280);
    MainWindow window(platform);
    platform.setWindow(&window);
    Form_Load(window);
    platform.sound().connectAfterFirstFrame(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(platform.sound().state(), EventSound::State::Unavailable);

    QTest::mouseClick(window.Option2[0], Qt::LeftButton);
    QTest::mouseClick(window.Command10[0], Qt::LeftButton);
    QTest::mousePress(window.Picture1[0], Qt::LeftButton, {}, QPoint(400, 175));
    const DrillState& state = window.drill().state;
    QCOMPARE(state.problemCount(1), 1);
    QTest::keyClicks(window.Text1[0], QString::number(state.record(1, 1, Value1)));
    QTest::mouseClick(window.Command5[0], Qt::LeftButton);

    QCOMPARE(platform.sound().bellsRung(), 1);
    QCOMPARE(platform.sound().soundsPlayed(), 0);
    QCOMPARE(state.record(1, 1, Mark), MarkRightFirst);
    QCOMPARE(state.problemCount(1), 2);
}

QTEST_MAIN(TestEventSound)
#include "test_event_sound.moc"
