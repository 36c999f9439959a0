// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The program's own start-up, as app/main.cpp does it, for the benchmark
// runner: it prints the moment of the first frame and then, as asked,
// exits (start-up), drives N problems through the rows of every level and
// prints the resident memory as it goes (--problems N), measures the
// processor time of real feedback pauses (--pauses N), or times the run's
// first "けってい" of a level, from the press to its page on screen
// (--decide LEVEL).

#include "bench_platform.h"
#include "drill_driver.h"
#include "first_frame.h"

#include "answer/marking.h"
#include "app/main_window.h"
#include "app/start_up.h"
#include "app/translations.h"

#include <QApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstring>

using namespace pomuru;
using namespace pomuru::bench;

namespace {

void driveProblems(MainWindow& window, BenchPlatform& platform, long problems)
{
    platform.instantPause = true;
    platform.answerYes = true;
    platform.quietMessages = true;
    DrillDriver driver(window, platform);
    constexpr long PerVisit = 500;  // then "終わる" and the next level
    long done = 0;
    std::printf("rss problems=0 rss_kib=%ld\n", residentKiB());
    for (int level = 1; done < problems; level = level % 10 + 1) {
        driver.openLevel(level);
        driver.startRows();
        for (long inVisit = 0; inVisit < PerVisit && done < problems; ++inVisit) {
            driver.settle(int(1 + inVisit % driver.rows()));
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
    DrillDriver driver(window, platform);
    driver.openLevel(1);
    driver.startRows();
    for (int i = 0; i < pauses; ++i) {
        const std::int64_t wall0 = monotonicNs();
        const std::int64_t cpu0 = cpuNs();
        FlashMark(window.drill(), rowTop(1));
        std::printf("pause wall_ns=%lld cpu_ns=%lld\n", static_cast<long long>(monotonicNs() - wall0),
                    static_cast<long long>(cpuNs() - cpu0));
    }
    std::fflush(stdout);
}

// The first "けってい" of the run, made at once after the first frame: from
// the press to the page painted and flushed, wall and processor time.
void measureDecide(MainWindow& window, int level)
{
    CanvasWidget* page = window.Picture1[std::size_t(level == 3 || level == 7 ? 1 : 0)];
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
    page->installEventFilter(&watch);
    const std::int64_t wall0 = monotonicNs();
    const std::int64_t cpu0 = cpuNs();
    window.Option2[std::size_t(level - 1)]->click();
    window.Command10[0]->click();
    painted.exec();
    std::printf("decide level=%d wall_ns=%lld cpu_ns=%lld\n", level, static_cast<long long>(monotonicNs() - wall0),
                static_cast<long long>(cpuNs() - cpu0));
    std::fflush(stdout);
    page->removeEventFilter(&watch);
}

} // namespace

int main(int argc, char* argv[])
{
    // As app/main.cpp, from here to window.show().
    QApplication app(argc, argv);
    nameApplication();
    installQtJapanese();

    const QScreen* screen = QGuiApplication::primaryScreen();
    BenchPlatform platform(screen != nullptr ? screen->geometry().width() : 1024,
                           screen != nullptr ? screen->availableGeometry() : QRect());
    MainWindow window(platform);
    platform.setWindow(&window);
    platform.sound().connectAfterFirstFrame(&window);
    Form_Load(window);

    long problems = 0;
    int pauses = 0;
    int decideLevel = 0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--problems") == 0)
            problems = std::atol(argv[i + 1]);
        else if (std::strcmp(argv[i], "--decide") == 0)
            decideLevel = std::clamp(std::atoi(argv[i + 1]), 1, 10);
        else if (std::strcmp(argv[i], "--pauses") == 0)
            pauses = std::atoi(argv[i + 1]);
    }
    FirstFrame firstFrame([&] {
        printFirstFrame();
        if (decideLevel > 0)
            measureDecide(window, decideLevel);
        if (problems > 0)
            driveProblems(window, platform, problems);
        if (pauses > 0)
            measurePauses(window, platform, pauses);
        QCoreApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
