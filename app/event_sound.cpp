// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#include "event_sound.h"

#include "first_frame.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <canberra.h>
#include <dlfcn.h>
#include <link.h>

#include <atomic>
#include <chrono>
#include <cstring>
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

// A mark belongs to the moment it is drawn: a sound the server has not
// taken by then is the bell instead. A server that answers takes a play in
// a few milliseconds, a hung one never; the pupil hears a beep that comes
// this late as belonging to the mark still.
constexpr auto SoundStartWait = std::chrono::milliseconds(300);

// The bell, always on the window's thread, where Qt wants it.
void ringBellOnWindowThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app != nullptr)
        QMetaObject::invokeMethod(app, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

// libcanberra, loaded by the sound's thread when there is somewhere to
// play. Linked to the program it would cost every start its loading and
// relocations, whether or not the machine has any sound. Once loaded it
// stays until the program ends: its drivers keep their own state in it,
// and a driver's thread must never find its code gone.
class Canberra {
public:
    Canberra()
        : library_(dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE))
    {
        if (library_ == nullptr)
            return;
        const bool found = find(contextCreate, "ca_context_create") && find(contextSetDriver, "ca_context_set_driver")
            && find(contextChangeProps, "ca_context_change_props") && find(contextOpen, "ca_context_open")
            && find(contextDestroy, "ca_context_destroy") && find(contextPlayFull, "ca_context_play_full")
            && find(proplistCreate, "ca_proplist_create") && find(proplistSets, "ca_proplist_sets")
            && find(proplistDestroy, "ca_proplist_destroy");
        if (!found)
            library_ = nullptr;
    }

    bool loaded() const { return library_ != nullptr; }

    decltype(&ca_context_create) contextCreate = nullptr;
    decltype(&ca_context_set_driver) contextSetDriver = nullptr;
    decltype(&ca_context_change_props) contextChangeProps = nullptr;
    decltype(&ca_context_open) contextOpen = nullptr;
    decltype(&ca_context_destroy) contextDestroy = nullptr;
    decltype(&ca_context_play_full) contextPlayFull = nullptr;
    decltype(&ca_proplist_create) proplistCreate = nullptr;
    decltype(&ca_proplist_sets) proplistSets = nullptr;
    decltype(&ca_proplist_destroy) proplistDestroy = nullptr;

private:
    template <typename Function>
    bool find(Function& function, const char* name)
    {
        function = reinterpret_cast<Function>(dlsym(library_, name));
        return function != nullptr;
    }

    void* library_;
};

// Keeps the drivers that libcanberra has loaded (libcanberra-pulse.so and
// the like) loaded until the program ends, as libcanberra itself: closing a
// context unloads its driver, and with it what the driver had set up.
void keepDriversLoaded()
{
    dl_iterate_phdr(
        [](dl_phdr_info* module, std::size_t, void*) {
            const char* path = module->dlpi_name;
            const char* name = path != nullptr ? std::strrchr(path, '/') : nullptr;
            if (name != nullptr && std::strncmp(name, "/libcanberra-", 13) == 0)
                dlopen(path, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

ca_context* openContext(const Canberra& canberra, EventSound::Route route)
{
    ca_context* context = nullptr;
    if (canberra.contextCreate(&context) != CA_SUCCESS)
        return nullptr;
    // Without a server only ALSA can play: spare loading the server's driver.
    if (route == EventSound::Route::Alsa)
        canberra.contextSetDriver(context, "alsa");
    // Shown by the desktop's sound settings beside the volume of our sounds.
    canberra.contextChangeProps(context, CA_PROP_APPLICATION_NAME, "ポムル", CA_PROP_APPLICATION_ID,
                                "org.pomuru.Pomuru", CA_PROP_APPLICATION_ICON_NAME, "org.pomuru.Pomuru", nullptr);
    const bool opened = canberra.contextOpen(context) == CA_SUCCESS;
    keepDriversLoaded();
    if (!opened) {
        canberra.contextDestroy(context);
        return nullptr;
    }
    return context;
}

// Starts connecting once the window has painted for the first time.

} // namespace

// What the window's thread and the sound's thread share. The sound's thread
// holds it too, so it outlives an EventSound whose thread was left behind.
struct EventSound::Worker {
    std::mutex mutex;
    std::condition_variable wake;   // a play was asked for, or the end
    std::condition_variable ended;  // the thread has finished
    // Beeps are numbered as they are asked for. The sound's thread takes the
    // newest one asked for, and says when the server has taken it; a beep
    // not taken within SoundStartWait is the bell, and the thread no longer
    // starts it.
    std::uint64_t asked = 0;
    std::uint64_t taken = 0;    // the newest beep the thread has taken
    std::uint64_t started = 0;  // the newest beep the server has taken
    std::uint64_t belled = 0;   // the newest beep rung as the bell instead
    int failedInARow = 0;       // plays the driver refused since the last one it took
    bool stopping = false;
    bool finished = false;

    std::atomic<State> state{State::Idle};
    std::atomic<int> played{0};
    std::atomic<int> bells{0};
    QByteArray file;
    Route route = Route::Nowhere;
    std::thread thread;

    void run();
    // On the window's thread, SoundStartWait after the beep was asked for.
    void ringBellUnlessStarted(std::uint64_t beep);
    static void playFinished(ca_context* context, std::uint32_t id, int error, void* worker);
};

void EventSound::Worker::run()
{
    const Canberra canberra;
    ca_context* context = canberra.loaded() ? openContext(canberra, route) : nullptr;
    ca_proplist* sound = nullptr;
    if (context != nullptr && canberra.proplistCreate(&sound) == CA_SUCCESS) {
        canberra.proplistSets(sound, CA_PROP_EVENT_ID, EventSound::EventId);
        canberra.proplistSets(sound, CA_PROP_EVENT_DESCRIPTION, "丸つけ");
        canberra.proplistSets(sound, CA_PROP_MEDIA_FILENAME, file.constData());
        canberra.proplistSets(sound, CA_PROP_MEDIA_ROLE, "event");
        // The server keeps the sound after the first play, and may drop it
        // when it needs the room.
        canberra.proplistSets(sound, CA_PROP_CANBERRA_CACHE_CONTROL, "volatile");
    }
    state = sound != nullptr ? State::Ready : State::Unavailable;

    while (sound != nullptr) {
        std::uint64_t beep = 0;
        {
            std::unique_lock lock(mutex);
            wake.wait(lock, [this] { return asked > taken || stopping; });
            if (stopping)
                break;
            // Beeps asked for while the last play was starting are one beep:
            // they would sound as one anyway.
            beep = taken = asked;
            // Rung as the bell while a hung server held the last play: too
            // late for the sound, which would be a second beep.
            if (belled >= beep)
                continue;
        }
        const bool accepted = canberra.contextPlayFull(context, PlayId, sound, &Worker::playFinished, this) == CA_SUCCESS;
        std::unique_lock lock(mutex);
        if (accepted) {
            started = beep;
            ++played;
            failedInARow = 0;
            continue;
        }
        // This beep is the bell, with those asked for meanwhile, unless
        // their bell has rung already.
        if (belled < asked) {
            belled = asked;
            ++bells;
            ringBellOnWindowThread();
        }
        // A server that went away, or hung until the driver gave up on it,
        // may answer a new connection: the next beep tries one. A play that
        // fails on a fresh connection too is a sound device that is not
        // there: the bell from now on, without asking the driver (and its
        // error messages) at every beep again.
        if (++failedInARow < 2) {
            lock.unlock();
            canberra.contextDestroy(context);
            context = openContext(canberra, route);
            if (context != nullptr)
                continue;
            lock.lock();
        }
        state = State::Unavailable;
        break;
    }

    if (sound != nullptr)
        canberra.proplistDestroy(sound);
    if (context != nullptr)
        canberra.contextDestroy(context);  // ends the plays still running; their callbacks come first
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
    // After the first frame: it is drawn and shown before the sound's thread
    // takes the other core.
    if (window != nullptr && firstFrameWatch_ == nullptr && state() == State::Idle)
        firstFrameWatch_ = afterFirstFrame(window, [this] { connect(); });
}

void EventSound::connect()
{
    State idle = State::Idle;
    if (!worker_->state.compare_exchange_strong(idle, State::Connecting))
        return;
    const QString file = file_.isEmpty() ? installedFile() : file_;
    const Route route = routeToSound();
    if (file.isEmpty() || !QFileInfo(file).isFile() || route == Route::Nowhere) {
        worker_->state = State::Unavailable;
        return;
    }
    worker_->file = QFile::encodeName(file);
    worker_->route = route;
    worker_->thread = std::thread([worker = worker_] { worker->run(); });
}

void EventSound::play()
{
    {
        // Under the lock: the sound's thread gives up under it too, so a
        // play is either taken by it or rung here, never lost.
        std::lock_guard lock(worker_->mutex);
        if (worker_->state == State::Ready) {
            const std::uint64_t beep = ++worker_->asked;
            worker_->wake.notify_one();
            // A hung server holds the sound's thread in its last play, and
            // would silence this mark and every one after it. Each mark
            // tries the server anew, and is the bell when it does not start.
            QTimer::singleShot(SoundStartWait, QCoreApplication::instance(),
                               [worker = std::weak_ptr<Worker>(worker_), beep] {
                                   if (const std::shared_ptr<Worker> shared = worker.lock())
                                       shared->ringBellUnlessStarted(beep);
                               });
            return;
        }
    }
    if (state() == State::Idle)
        connect();
    ringBell();
}

void EventSound::Worker::ringBellUnlessStarted(std::uint64_t beep)
{
    {
        std::lock_guard lock(mutex);
        // Started, or rung already by the thread's giving up, or followed by
        // a later beep whose own wait decides for both.
        if (started >= beep || belled >= beep || asked > beep)
            return;
        belled = beep;
    }
    ++bells;
    QApplication::beep();
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

EventSound::Route EventSound::routeToSound(const QString& runDirectory, const QString& deviceDirectory)
{
    // Whoever names a driver or a server knows better than any guess.
    if (!qEnvironmentVariableIsEmpty("CANBERRA_DRIVER") || !qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return Route::Server;
    // Where PulseAudio, and PipeWire's pulse server, put their socket: the
    // user's runtime directory, or a server for the whole system.
    QStringList sockets{runDirectory + QStringLiteral("/pulse/native")};
    if (const QString directory = qEnvironmentVariable("XDG_RUNTIME_DIR"); !directory.isEmpty())
        sockets << directory + QStringLiteral("/pulse/native");
    if (const QString directory = qEnvironmentVariable("PULSE_RUNTIME_PATH"); !directory.isEmpty())
        sockets << directory + QStringLiteral("/native");
    for (const QString& socket : sockets) {
        if (QFileInfo::exists(socket))
            return Route::Server;
    }
    // Playback devices of ALSA: pcmC<card>D<device>p.
    const QStringList playback =
        QDir(deviceDirectory).entryList({QStringLiteral("pcmC*D*p")}, QDir::System | QDir::Files);
    return playback.isEmpty() ? Route::Nowhere : Route::Alsa;
}

QString EventSound::installedFile()
{
    const QString file = QDir(QCoreApplication::applicationDirPath())
                             .absoluteFilePath(QStringLiteral("../share/pomuru/sounds/mark.wav"));
    return QFileInfo(file).isFile() ? QDir::cleanPath(file) : QString();
}

} // namespace pomuru
