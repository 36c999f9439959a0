// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#include "event_sound.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QWidget>

#include <canberra.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace pomuru {

namespace {

// One id for every play: a new play of the mark may overlap the last one.
constexpr std::uint32_t PlayId = 1;

// How long the end of the program waits for the sound's thread. A thread
// still waiting for a hung server is left behind rather than holding the
// program open.
constexpr auto ThreadEndWait = std::chrono::milliseconds(500);

// The bell, always on the window's thread, where Qt wants it.
void ringBellOnWindowThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr)
        QMetaObject::invokeMethod(app, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

ca_context* openContext()
{
    ca_context* context = nullptr;
    if (ca_context_create(&context) != CA_SUCCESS)
        return nullptr;
    // Shown by the desktop's sound settings beside the volume of our sounds.
    ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "ポムル", CA_PROP_APPLICATION_ID, "org.pomuru.Pomuru",
                            CA_PROP_APPLICATION_ICON_NAME, "org.pomuru.Pomuru", nullptr);
    if (ca_context_open(context) != CA_SUCCESS) {
        ca_context_destroy(context);
        return nullptr;
    }
    return context;
}

// Starts connecting once the window has painted for the first time.
class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWidget* window, EventSound& sound)
        : QObject(window)
        , sound_(sound)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After this paint event: the first frame is drawn and shown
            // before the sound's thread takes the other core.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    sound_.connect();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    EventSound& sound_;
};

} // namespace

// What the window's thread and the sound's thread share. The sound's thread
// holds it too, so it outlives an EventSound whose thread was left behind.
struct EventSound::Worker {
    std::mutex mutex;
    std::condition_variable wake;   // a play was asked for, or the end
    std::condition_variable ended;  // the thread has finished
    int pendingPlays = 0;
    bool stopping = false;
    bool finished = false;

    std::atomic<State> state{State::Idle};
    std::atomic<int> played{0};
    std::atomic<int> bells{0};
    QByteArray file;
    std::thread thread;

    void run();
    static void playFinished(ca_context* context, std::uint32_t id, int error, void* worker);
};

void EventSound::Worker::run()
{
    ca_context* context = openContext();
    ca_proplist* sound = nullptr;
    if (context != nullptr && ca_proplist_create(&sound) == CA_SUCCESS) {
        ca_proplist_sets(sound, CA_PROP_EVENT_ID, EventSound::EventId);
        ca_proplist_sets(sound, CA_PROP_EVENT_DESCRIPTION, "丸つけ");
        ca_proplist_sets(sound, CA_PROP_MEDIA_FILENAME, file.constData());
        ca_proplist_sets(sound, CA_PROP_MEDIA_ROLE, "event");
        // The server keeps the sound after the first play, and may drop it
        // when it needs the room.
        ca_proplist_sets(sound, CA_PROP_CANBERRA_CACHE_CONTROL, "volatile");
    }
    state = sound != nullptr ? State::Ready : State::Unavailable;

    while (sound != nullptr) {
        {
            std::unique_lock lock(mutex);
            wake.wait(lock, [this] { return pendingPlays > 0 || stopping; });
            if (stopping)
                break;
            // Beeps asked for while the last play was starting are one beep:
            // they would sound as one anyway.
            pendingPlays = 0;
        }
        if (ca_context_play_full(context, PlayId, sound, &Worker::playFinished, this) == CA_SUCCESS) {
            ++played;
            continue;
        }
        // The driver opened but cannot play: a sound device that is not
        // there, a server that went away. The bell from now on, without
        // asking the driver (and its error messages) at every beep again.
        {
            // Beeps asked for meanwhile are this one bell.
            std::lock_guard lock(mutex);
            state = State::Unavailable;
            pendingPlays = 0;
        }
        ++bells;
        ringBellOnWindowThread();
        break;
    }

    if (sound != nullptr)
        ca_proplist_destroy(sound);
    if (context != nullptr)
        ca_context_destroy(context);  // ends the plays still running; their callbacks come first
    std::lock_guard lock(mutex);
    finished = true;
    ended.notify_all();
}

void EventSound::Worker::playFinished(ca_context* /*context*/, std::uint32_t /*id*/, int error, void* worker)
{
    // A play the server took but could not finish: the bell, late by what
    // the server took to say so. Canceled plays are the end of the program.
    if (error == CA_SUCCESS || error == CA_ERROR_CANCELED || error == CA_ERROR_DESTROYED)
        return;
    ++static_cast<Worker*>(worker)->bells;
    ringBellOnWindowThread();
}

EventSound::EventSound(QString file)
    : file_(std::move(file))
    , worker_(std::make_shared<Worker>())
{
}

EventSound::~EventSound()
{
    delete firstFrameWatch_.data();
    std::unique_lock lock(worker_->mutex);
    worker_->stopping = true;
    worker_->wake.notify_all();
    if (!worker_->thread.joinable())
        return;
    const bool finished = worker_->ended.wait_for(lock, ThreadEndWait, [this] { return worker_->finished; });
    lock.unlock();
    if (finished)
        worker_->thread.join();
    else
        worker_->thread.detach();  // it ends by itself once the server answers
}

void EventSound::connectAfterFirstFrame(QWidget* window)
{
    if (window != nullptr && firstFrameWatch_ == nullptr && state() == State::Idle)
        firstFrameWatch_ = new FirstFrameWatch(window, *this);
}

void EventSound::connect()
{
    State idle = State::Idle;
    if (!worker_->state.compare_exchange_strong(idle, State::Connecting))
        return;
    const QString file = file_.isEmpty() ? installedFile() : file_;
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        worker_->state = State::Unavailable;
        return;
    }
    worker_->file = QFile::encodeName(file);
    worker_->thread = std::thread([worker = worker_] { worker->run(); });
}

void EventSound::play()
{
    {
        // Under the lock: the sound's thread gives up under it too, so a
        // play is either taken by it or rung here, never lost.
        std::lock_guard lock(worker_->mutex);
        if (worker_->state == State::Ready) {
            ++worker_->pendingPlays;
            worker_->wake.notify_one();
            return;
        }
    }
    if (state() == State::Idle)
        connect();
    ringBell();
}

void EventSound::ringBell()
{
    ++worker_->bells;
    QApplication::beep();
}

EventSound::State EventSound::state() const
{
    return worker_->state;
}

int EventSound::soundsPlayed() const
{
    return worker_->played;
}

int EventSound::bellsRung() const
{
    return worker_->bells;
}

QString EventSound::installedFile()
{
    const QString file = QDir(QCoreApplication::applicationDirPath())
                             .absoluteFilePath(QStringLiteral("../share/pomuru/sounds/mark.wav"));
    return QFileInfo(file).isFile() ? QDir::cleanPath(file) : QString();
}

} // namespace pomuru
