// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The handlers' own work, call by call, on the real window: DrawProblem at
// every level, a press on the tape, a press on a symbol box, a keypad key,
// and the check with its feedback pause returning at once. Each call is
// timed by itself (the untimed preparation and the repaints Qt does after a
// handler has returned are timed apart), and the median and the 99th
// percentile of the calls are reported as counters.

#include "bench_platform.h"

#include "support/pupil.h"

#include "answer/answering.h"
#include "answer/canvas_press.h"
#include "answer/keypad.h"
#include "answer/marking.h"
#include "app/main_window.h"
#include "app/start_up.h"

#include <QApplication>
#include <QScreen>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

using namespace pomuru;
using namespace pomuru::bench;
using pomuru::testing::Pupil;

namespace {

std::unique_ptr<BenchPlatform> platform;
std::unique_ptr<MainWindow> window;
std::mt19937_64 pupilRandom(1);
std::unique_ptr<Pupil> pupil;

constexpr int DrawsPerLevel = 2000;
constexpr int ChecksPerLevel = 1000;
constexpr int Presses = 3000;

double percentile(std::vector<double> sorted, double p)
{
    std::sort(sorted.begin(), sorted.end());
    const auto rank = std::size_t(std::ceil(p * double(sorted.size()))) - 1;
    return sorted[std::min(rank, sorted.size() - 1)];
}

// Times act() alone, once per iteration, after prepare() and after Qt has
// handled what the previous call left for the event loop.
void timeCalls(benchmark::State& state, const std::function<void()>& prepare, const std::function<void()>& act)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> micros;
    std::vector<double> paintMicros;
    micros.reserve(std::size_t(state.max_iterations));
    paintMicros.reserve(std::size_t(state.max_iterations));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        prepare();
        QCoreApplication::processEvents();
        const auto start = Clock::now();
        act();
        const auto end = Clock::now();
        // What the event loop does next, mostly painting what the handler
        // drew: not the handler's own work, but the pupil waits for it too.
        QCoreApplication::processEvents();
        const auto painted = Clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        micros.push_back(seconds * 1e6);
        paintMicros.push_back(std::chrono::duration<double>(painted - end).count() * 1e6);
    }
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p99_us"] = percentile(micros, 0.99);
    state.counters["max_us"] = *std::max_element(micros.begin(), micros.end());
    state.counters["paint_median_us"] = percentile(paintMicros, 0.5);
    state.counters["paint_p99_us"] = percentile(paintMicros, 0.99);
}

void openWithRows(int level)
{
    pupil->openLevel(level);
    pupil->startRows();
    QCoreApplication::processEvents();
}

void DrawProblemAtLevel(benchmark::State& state)
{
    const int level = int(state.range(0));
    openWithRows(level);
    int row = 0;
    timeCalls(
        state, [&] { row = row % pupil->rows() + 1; },
        [&] {
            pupil->state().ProblemRow = std::int16_t(row);
            DrawProblem(pupil->drill(), row);
        });
}

void CheckAtLevel(benchmark::State& state)
{
    const int level = int(state.range(0));
    openWithRows(level);
    int row = 0;
    int turn = 0;
    timeCalls(
        state,
        [&] {
            row = row % pupil->rows() + 1;
            pupil->prepareAnswer(row, ++turn % 2 == 0);
        },
        [&] { Command5_Click(pupil->drill(), checkButtonOfRow(row, pupil->state().CanvasIndex)); });
}

// The first level of the table answered in a way.
int levelAnswered(AnswerWay way)
{
    for (const Level* level : Levels) {
        if (level->answering == way)
            return level->number;
    }
    return 0;
}

// Presses on canvas 1 inside the places a press answers in (tape cells or
// symbol boxes), a pixel or more inside their edges, in a random row.
void timePresses(benchmark::State& state, AnswerWay way)
{
    openWithRows(levelAnswered(way));
    QPoint at;
    timeCalls(
        state,
        [&] {
            const QList<QRect> targets = answeringOf(way).targets(rowTop(1 + pupil->pick(pupil->rows())));
            const QRect target = targets[pupil->pick(int(targets.size()))];
            at = QPoint(target.left() + 1 + pupil->pick(target.width() - 2), target.top() + 1 + pupil->pick(target.height() - 2));
        },
        [&] { Picture1_MouseDown(pupil->drill(), 1, 1, 0, float(at.x()), float(at.y())); });
}

void TapePress(benchmark::State& state)
{
    timePresses(state, AnswerWay::PaintedTape);
}

void SymbolPress(benchmark::State& state)
{
    timePresses(state, AnswerWay::ChosenSymbol);
}

void KeypadPress(benchmark::State& state)
{
    openWithRows(1);
    int key = 0;
    timeCalls(
        state,
        [&] {
            for (int index = 0; index < 3; ++index) {
                AnswerBox& box = window->answerBox(index);
                if (box.text().size() > 6)
                    box.setText(QString());
            }
            key = pupil->pick(10 * pupil->rows() + 2);
        },
        [&] {
            // Digit keys of the rows shown, the point key and the erase key of row 1.
            if (key < 10 * pupil->rows())
                Command6_Click(pupil->drill(), key);
            else if (key == 10 * pupil->rows())
                Command11_Click(pupil->drill(), 0);
            else
                Command7_Click(pupil->drill(), 0);
        });
}

// Counts the window's paints: a resize has shown once the window is painted
// at its new size, its children with it in the same pass.
class PaintCount : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A change of z with a page in use: the window resized from its start-up
// size to the screen's, as maximising or full screen does, and back, timed
// from the resize to the end of the next paint at the new size.
void ZoomChange(benchmark::State& state)
{
    openWithRows(int(state.range(0)));
    const QSize startSize = window->size();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->size() : QSize(1920, 1080);
    PaintCount painted;
    window->installEventFilter(&painted);
    bool larger = false;
    QSize target;
    timeCalls(
        state,
        [&] {
            larger = !larger;
            target = larger ? screenSize : startSize;
        },
        [&] {
            const int before = painted.paints;
            window->resize(target);
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while ((painted.paints == before || window->size() != target) && std::chrono::steady_clock::now() < giveUp)
                QCoreApplication::processEvents();
        });
    window->removeEventFilter(&painted);
    window->resize(startSize);
    QCoreApplication::processEvents();
}

} // namespace

BENCHMARK(DrawProblemAtLevel)->DenseRange(1, LevelCount)->Iterations(DrawsPerLevel)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(TapePress)->Iterations(Presses)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(SymbolPress)->Iterations(Presses)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(KeypadPress)->Iterations(Presses)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(CheckAtLevel)->DenseRange(1, LevelCount)->Iterations(ChecksPerLevel)->UseManualTime()->Unit(benchmark::kMicrosecond);
// Level 3 on canvas 1, a painted tape; level 8 on canvas 0, with its answer boxes and keypads.
BENCHMARK(ZoomChange)->Arg(3)->Arg(8)->Iterations(200)->UseManualTime()->Unit(benchmark::kMicrosecond);

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QScreen* screen = QGuiApplication::primaryScreen();
    platform = std::make_unique<BenchPlatform>(screen != nullptr ? screen->geometry().width() : 1024);
    platform->instantPause = true;
    platform->answerYes = true;
    platform->quietMessages = true;
    window = std::make_unique<MainWindow>(*platform);
    platform->setWindow(window.get());
    Form_Load(*window);
    // --hidden leaves the window unshown: a canvas refresh then paints
    // nothing, which separates the drill's own work from the repaints it asks for.
    bool hidden = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hidden") == 0) {
            hidden = true;
            std::copy(argv + i + 1, argv + argc + 1, argv + i);
            --argc;
            break;
        }
    }
    if (!hidden)
        window->show();
    QCoreApplication::processEvents();
    pupil = std::make_unique<Pupil>(*window, pupilRandom, testing::directHands(*window));

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    pupil.reset();
    window.reset();
    platform.reset();
    return 0;
}
