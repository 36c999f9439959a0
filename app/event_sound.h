// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

#include <QPointer>
#include <QString>

#include <memory>

class QObject;
class QWidget;

namespace pomuru {

// The beep of the marks, heard on every desktop: a short sound of our own,
// played by file name through the desktop's sound server with libcanberra
// (PulseAudio, PipeWire, ALSA), loaded only when there is somewhere to play.
// The server keeps the sound in its cache under the event id after the
// first play.
//
// Talking to the server never happens on the window's thread: connecting
// may wait for a slow or hung server, and so may a play, while the window
// and the feedback pause must go on. The sound has a thread of its own that
// connects once and then plays what the window asks for; the window only
// hands it a request. Until the server is known to answer, and whenever it
// does not, the beep is the display's bell, as before.
class EventSound {
public:
    enum class State {
        Idle,         // not connected yet
        Connecting,   // the sound's thread is connecting to the server
        Ready,        // plays go to the server
        Unavailable,  // nowhere to play, no server answered, it could not play, or the sound file is missing
    };

    // The sound file; empty for the one that comes with the program.
    explicit EventSound(QString file = {});
    ~EventSound();
    EventSound(const EventSound&) = delete;
    EventSound& operator=(const EventSound&) = delete;

    // Connects once the window has shown its first frame, so that start-up
    // never waits for the sound server.
    void connectAfterFirstFrame(QWidget* window);
    // Starts connecting now and returns at once; does nothing after the first call.
    void connect();
    // One beep: the sound when the server is ready, otherwise the bell. The
    // first beep also starts connecting when nothing else has.
    void play();

    State state() const;
    // Plays the server has accepted, and bells rung instead of the sound,
    // since the start.
    int soundsPlayed() const;
    int bellsRung() const;

    // The sound that comes with the program, found relative to the
    // program's own directory: <prefix>/share/pomuru/sounds/mark.wav beside
    // <prefix>/bin, and the same layout in the build tree. Empty when it is
    // not there.
    static QString installedFile();

    // Where a beep can be heard, judged before any sound library is loaded:
    // a PulseAudio socket (PipeWire's pulse server has the same) in the
    // user's runtime directory or in <runDirectory>/pulse, or a server or
    // driver named in the environment; else an ALSA playback device in
    // `deviceDirectory`; else nowhere, and every beep is the bell. Loading
    // libcanberra and a driver would cost more memory than all the drill
    // does, for nothing on a machine without sound.
    enum class Route { Nowhere, Server, Alsa };
    static Route routeToSound(const QString& runDirectory = QStringLiteral("/run"),
                              const QString& deviceDirectory = QStringLiteral("/dev/snd"));

    static constexpr const char* EventId = "pomuru-mark";

private:
    struct Worker;
    void ringBell();

    QString file_;
    std::shared_ptr<Worker> worker_;
    QPointer<QObject> firstFrameWatch_;
};

} // namespace pomuru
