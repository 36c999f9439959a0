// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The program's own start-up (pomuru::Program, as the program starts), with
// the benchmark's platform, for the benchmark runner: it prints the moment of
// the first frame and then, as asked, exits (start-up), drives N problems
// through the rows of every level and prints the resident memory as it goes
// (--problems N), measures the processor time of real feedback pauses
// (--pauses N), or times the run's first "けってい" of a level, from the press
// to its page on screen (--decide LEVEL).

#include "bench_platform.h"
#include "first_frame.h"

#include "support/pupil.h"

#include "answer/marking.h"
#include "app/main_window.h"
#include "app/program.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <optional>

using namespace pomuru;
using namespace pomuru::bench;
using pomuru::testing::control;
using pomuru::testing::Pupil;

namespace {

void driveProblems(MainWindow& window, BenchPlatform& platform, long problems)
{
    platform.instantPause = true;
    platform.answerYes = true;
    platform.quietMessages = true;
    std::mt19937_64 random(1);
    Pupil pupil(window, random, testing::directHands(window));
    constexpr long PerVisit = 500;  // then "終わる" and the next level
    long done = 0;
    std::printf("rss problems=0 rss_kib=%ld\n", residentKiB());
    for (int level = 1; done < problems; level = level % 10 + 1) {
        pupil.openLevel(level);
        pupil.startRows();
        for (long inVisit = 0; inVisit < PerVisit && done < problems; ++inVisit) {
            pupil.settle(int(1 + inVisit % pupil.rows()));
            ++done;
            QCoreApplication::processEvents();
            if (done % 1000 == 0)
                std::printf("rss problems=%ld rss_kib=%ld\n", done, residentKiB());
        }
    }
    std::fflush(stdout);
}

// The feedback pause as the marking takes it, on the real clock: the
// processor time the process spends over its wall time.
void measurePauses(MainWindow& window, BenchPlatform& platform, int pauses)
{
    platform.answerYes = true;
    std::mt19937_64 random(1);
    Pupil pupil(window, random, testing::directHands(window));
    pupil.openLevel(1);
    pupil.startRows();
    for (int i = 0; i < pauses; ++i) {
        const std::int64_t wall0 = monotonicNs();
        const std::int64_t cpu0 = cpuNs();
        FlashMark(window.drill(), 1);
        std::printf("pause wall_ns=%lld cpu_ns=%lld\n", static_cast<long long>(monotonicNs() - wall0),
                    static_cast<long long>(cpuNs() - cpu0));
    }
    std::fflush(stdout);
}

// The first "けってい" of the run, made at once after the first frame: from
// the press to the page painted and flushed, wall and processor time.
void measureDecide(MainWindow& window, int level)
{
    CanvasWidget* page = control<CanvasWidget>(window, "Picture1", answerCanvas(findLevel(level)->answering));
    QEventLoop painted;
    struct PaintWatch : QObject {
        QEventLoop* loop = nullptr;
        bool eventFilter(QObject* /*watched*/, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, loop, &QEventLoop::quit);  // once this paint is flushed
            return false;
        }
    } watch;
    watch.loop = &painted;
    QAbstractButton* option = control<QAbstractButton>(window, "Option2", level - 1);
    QAbstractButton* decide = control<QAbstractButton>(window, "Command10", 0);
    page->installEventFilter(&watch);
    const std::int64_t wall0 = monotonicNs();
    const std::int64_t cpu0 = cpuNs();
    option->click();
    decide->click();
    painted.exec();
    std::printf("decide level=%d wall_ns=%lld cpu_ns=%lld\n", level, static_cast<long long>(monotonicNs() - wall0),
                static_cast<long long>(cpuNs() - cpu0));
    std::fflush(stdout);
    page->removeEventFilter(&watch);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    long problems = 0;
    int pauses = 0;
    int decideLevel = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--problems") == 0)
            problems = std::atol(argv[i + 1]);
        else if (std::strcmp(argv[i], "--decide") == 0)
            decideLevel = std::clamp(std::atoi(argv[i + 1]), 1, LevelCount);
        else if (std::strcmp(argv[i], "--pauses") == 0)
            pauses = std::atoi(argv[i + 1]);
    }

    std::optional<Program> program;
    BenchPlatform* platform = nullptr;
    FirstFrame firstFrame([&] {
        printFirstFrame();
        if (decideLevel > 0)
            measureDecide(program->window(), decideLevel);
        if (problems > 0)
            driveProblems(program->window(), *platform, problems);
        if (pauses > 0)
            measurePauses(program->window(), *platform, pauses);
        QCoreApplication::quit();
    });
    program.emplace([&platform](int screenWidthPixels, QRect availableArea) {
        auto made = std::make_unique<BenchPlatform>(screenWidthPixels, availableArea);
        platform = made.get();
        return std::unique_ptr<QtPlatform>(std::move(made));
    });
    return QApplication::exec();
}
