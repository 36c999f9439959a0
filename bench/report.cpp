// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The benchmark runner: starts the floor window and the program's own
// start-up in turn, runs the handler benchmarks, the feedback-pause probe and
// the 10,000-problem memory run, then prints one table and writes the
// figures as JSON.
//
//   pomuru_bench [--out FILE] [--runs N]
//
// It runs on whatever display the environment names (bench/run.sh starts a
// virtual X display when there is none).

#include "probe.h"

#include "engine/levels/level.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSysInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pomuru::bench;

namespace {

QString sibling(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

[[noreturn]] void fail(const QString& what)
{
    std::fprintf(stderr, "pomuru_bench: %s\n", qPrintable(what));
    std::exit(1);
}

struct Run {
    std::int64_t startedNs = 0;
    QString output;
};

// Starts a program and reads everything it prints; the start time is taken
// just before the process is created, so exec, loading and static
// initialisation are all inside the measured start-up.
Run runProgram(const QString& program, const QStringList& arguments, int timeoutMs)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Run run;
    run.startedNs = monotonicNs();
    process.start();
    if (!process.waitForStarted(10000))
        fail(QStringLiteral("cannot start %1").arg(program));
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        fail(QStringLiteral("%1 %2 did not finish cleanly").arg(program, arguments.join(u' ')));
    run.output = QString::fromUtf8(process.readAllStandardOutput());
    return run;
}

// key=value pairs of the first line that starts with `tag`.
QMap<QString, double> fields(const QString& output, const QString& tag, qsizetype skip = 0)
{
    QMap<QString, double> values;
    const QStringList lines = output.split(u'\n');
    for (const QString& line : lines) {
        if (!line.startsWith(tag + u' '))
            continue;
        if (skip-- > 0)
            continue;
        static const QRegularExpression pair(QStringLiteral("(\\w+)=(-?[0-9.]+)"));
        for (auto match = pair.globalMatch(line); match.hasNext();) {
            const auto m = match.next();
            values.insert(m.captured(1), m.captured(2).toDouble());
        }
        return values;
    }
    return values;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct StartUp {
    double wallMs = 0;
    double cpuMs = 0;
    double rssMiB = 0;
    QJsonArray wallRuns;
};

struct Goal {
    QString what;
    double value;
    QString goal;
    bool met;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("JSON file to write."), QStringLiteral("file"),
                                       QStringLiteral("bench/results.json"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Start-ups measured per program."),
                                        QStringLiteral("n"), QStringLiteral("21"));
    parser.addOptions({outOption, runsOption});
    parser.process(app);
    const int runs = std::max(1, parser.value(runsOption).toInt());

    const QString floorProgram = sibling(QStringLiteral("pomuru_floor_window"));
    const QString appProgram = sibling(QStringLiteral("pomuru_app_window"));
    const QString handlersProgram = sibling(QStringLiteral("pomuru_bench_handlers"));
    const QString platformName = qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("xcb"));

    // Start-up: the two programs in turn, after one unmeasured start of each
    // to fill the page cache, so that both meet the same machine.
    // The load of the machine beside the figures: what else ran with them.
    double loadAtStart[3] = {-1, -1, -1};
    if (getloadavg(loadAtStart, 3) < 0)
        loadAtStart[0] = -1;
    std::fprintf(stderr, "start-up: %d runs of each program...\n", runs);
    std::vector<double> wall[2], cpu[2], rss[2];
    QJsonArray wallRuns[2];
    const QString programs[2] = {floorProgram, appProgram};
    for (int round = -1; round < runs; ++round) {
        for (int which = 0; which < 2; ++which) {
            const Run run = runProgram(programs[which], {}, 30000);
            const auto frame = fields(run.output, QStringLiteral("first-frame"));
            if (!frame.contains(QStringLiteral("monotonic_ns")))
                fail(QStringLiteral("%1 printed no first frame").arg(programs[which]));
            if (round < 0)
                continue;
            const double ms = (frame.value(QStringLiteral("monotonic_ns")) - double(run.startedNs)) / 1e6;
            wall[which].push_back(ms);
            wallRuns[which].append(ms);
            cpu[which].push_back(frame.value(QStringLiteral("cpu_ns")) / 1e6);
            rss[which].push_back(frame.value(QStringLiteral("rss_kib")) / 1024);
        }
    }
    StartUp startUp[2];
    for (int which = 0; which < 2; ++which)
        startUp[which] = {median(wall[which]), median(cpu[which]), median(rss[which]), wallRuns[which]};

    // The first "けってい" of a run, for every level: a fresh program each
    // time, so that nothing of a page has been made before.
    std::fprintf(stderr, "first けってい of each level...\n");
    constexpr int DecideRounds = 3;
    QJsonArray decides;
    double slowestDecideMs = 0;
    int slowestDecideLevel = 0;
    for (int level = 1; level <= pomuru::LevelCount; ++level) {
        std::vector<double> ms;
        for (int round = 0; round < DecideRounds; ++round) {
            const Run run = runProgram(appProgram, {QStringLiteral("--decide"), QString::number(level)}, 30000);
            const auto decide = fields(run.output, QStringLiteral("decide"));
            if (!decide.contains(QStringLiteral("wall_ns")))
                fail(QStringLiteral("the first けってい of level %1 printed nothing").arg(level));
            ms.push_back(decide.value(QStringLiteral("wall_ns")) / 1e6);
        }
        const double levelMedian = median(ms);
        decides.append(QJsonObject{{QStringLiteral("level"), level}, {QStringLiteral("wall_ms_median"), levelMedian}});
        if (levelMedian > slowestDecideMs) {
            slowestDecideMs = levelMedian;
            slowestDecideLevel = level;
        }
    }

    // The handlers.
    std::fprintf(stderr, "handlers...\n");
    const Run handlers = runProgram(handlersProgram, {QStringLiteral("--benchmark_format=json")}, 1800000);
    const QJsonDocument handlersJson = QJsonDocument::fromJson(handlers.output.toUtf8());
    if (!handlersJson.isObject())
        fail(QStringLiteral("the handler benchmarks printed no JSON"));

    // The feedback pause on the real clock.
    std::fprintf(stderr, "feedback pauses...\n");
    const Run pauseRun = runProgram(appProgram, {QStringLiteral("--pauses"), QStringLiteral("6")}, 60000);
    double pauseWall = 0;
    double pauseCpu = 0;
    QJsonArray pauses;
    for (qsizetype i = 0;; ++i) {
        const auto pause = fields(pauseRun.output, QStringLiteral("pause"), i);
        if (pause.isEmpty())
            break;
        pauseWall += pause.value(QStringLiteral("wall_ns"));
        pauseCpu += pause.value(QStringLiteral("cpu_ns"));
        pauses.append(QJsonObject{{QStringLiteral("wall_ms"), pause.value(QStringLiteral("wall_ns")) / 1e6},
                                  {QStringLiteral("cpu_ms"), pause.value(QStringLiteral("cpu_ns")) / 1e6}});
    }
    if (pauseWall <= 0)
        fail(QStringLiteral("no feedback pause was measured"));
    const double pausePercent = 100 * pauseCpu / pauseWall;

    // Memory over 10,000 problems.
    std::fprintf(stderr, "10,000 problems...\n");
    constexpr int Problems = 10000;
    const Run memoryRun = runProgram(appProgram, {QStringLiteral("--problems"), QString::number(Problems)}, 1800000);
    QJsonArray rssSamples;
    // A page's image and pictures are made when a level first needs them,
    // and the run visits every level by problem 5,000 (500 a visit): from
    // there on the memory must stay flat.
    constexpr int EveryPageUsed = 5000;
    double rssAtBase = 0;
    double rssAtEnd = 0;
    double rssPeak = 0;
    for (qsizetype i = 0;; ++i) {
        const auto sample = fields(memoryRun.output, QStringLiteral("rss"), i);
        if (sample.isEmpty())
            break;
        const double problems = sample.value(QStringLiteral("problems"));
        const double mib = sample.value(QStringLiteral("rss_kib")) / 1024;
        rssSamples.append(QJsonObject{{QStringLiteral("problems"), problems}, {QStringLiteral("rss_mib"), mib}});
        if (problems == EveryPageUsed)
            rssAtBase = mib;
        if (problems == Problems)
            rssAtEnd = mib;
        if (problems >= EveryPageUsed)
            rssPeak = std::max(rssPeak, mib);
    }
    if (rssAtEnd <= 0 || rssAtBase <= 0)
        fail(QStringLiteral("the memory run did not reach %1 problems").arg(Problems));
    const double growthPercent = 100 * (rssPeak - rssAtBase) / rssAtBase;

    // The table.
    std::vector<Goal> goals;
    const double startUpRatio = startUp[1].wallMs / startUp[0].wallMs;
    const double startUpCpuRatio = startUp[1].cpuMs / startUp[0].cpuMs;
    goals.push_back({QStringLiteral("start-up, wall time to first frame (× floor)"), startUpRatio, QStringLiteral("<= 1.08"), startUpRatio <= 1.08});
    goals.push_back({QStringLiteral("start-up, CPU time to first frame (× floor)"), startUpCpuRatio, QStringLiteral("<= 1.10"), startUpCpuRatio <= 1.10});
    goals.push_back({QStringLiteral("first けってい to its page, slowest level (ms)"), slowestDecideMs, QStringLiteral("<= 30"), slowestDecideMs <= 30});
    QJsonArray handlerRows;
    QString paintLines;
    const QJsonArray benchmarks = handlersJson.object().value(QStringLiteral("benchmarks")).toArray();
    for (const auto& value : benchmarks) {
        const QJsonObject b = value.toObject();
        static const QRegularExpression settings(QStringLiteral("/(iterations:\\d+|manual_time)"));
        const QString name = b.value(QStringLiteral("name")).toString().remove(settings);
        const double med = b.value(QStringLiteral("median_us")).toDouble();
        const double p99 = b.value(QStringLiteral("p99_us")).toDouble();
        const double max = b.value(QStringLiteral("max_us")).toDouble();
        const double paintMedian = b.value(QStringLiteral("paint_median_us")).toDouble();
        const double paintP99 = b.value(QStringLiteral("paint_p99_us")).toDouble();
        paintLines += QStringLiteral("  %1 %2 %3\n").arg(name, -44).arg(paintMedian / 1000, 10, 'f', 3).arg(paintP99 / 1000, 10, 'f', 3);
        handlerRows.append(QJsonObject{{QStringLiteral("name"), name},
                                       {QStringLiteral("calls"), b.value(QStringLiteral("iterations")).toDouble()},
                                       {QStringLiteral("median_ms"), med / 1000},
                                       {QStringLiteral("p99_ms"), p99 / 1000},
                                       {QStringLiteral("max_ms"), max / 1000},
                                       {QStringLiteral("paint_after_median_ms"), paintMedian / 1000},
                                       {QStringLiteral("paint_after_p99_ms"), paintP99 / 1000}});
        // A change of z is timed to its paint, which must come within a frame.
        if (name.startsWith(QLatin1String("ZoomChange"))) {
            goals.push_back({name + QStringLiteral(" to the paint, median (ms)"), med / 1000, QStringLiteral("<= 16"), med <= 16000});
            goals.push_back({name + QStringLiteral(" to the paint, 99th percentile (ms)"), p99 / 1000, QStringLiteral("<= 16"), p99 <= 16000});
            continue;
        }
        goals.push_back({name + QStringLiteral(" median (ms)"), med / 1000, QStringLiteral("< 1"), med < 1000});
        goals.push_back({name + QStringLiteral(" 99th percentile (ms)"), p99 / 1000, QStringLiteral("< 4"), p99 < 4000});
    }
    goals.push_back({QStringLiteral("feedback pause, CPU of one core (%)"), pausePercent, QStringLiteral("< 2"), pausePercent < 2});
    const double rssStartRatio = startUp[1].rssMiB / startUp[0].rssMiB;
    const double rssEndRatio = rssAtEnd / startUp[0].rssMiB;
    goals.push_back({QStringLiteral("resident memory after start-up (× floor)"), rssStartRatio, QStringLiteral("<= 1.05"), rssStartRatio <= 1.05});
    goals.push_back({QStringLiteral("resident memory after 10,000 problems (× floor)"), rssEndRatio, QStringLiteral("<= 1.15"), rssEndRatio <= 1.15});
    goals.push_back({QStringLiteral("memory growth, problem 5,000 to 10,000 (%)"), growthPercent, QStringLiteral("< 2"), growthPercent < 2});

    std::printf("\nPlatform %s, %d start-ups per program (medians):\n", qPrintable(platformName), runs);
    std::printf("  %-44s %10s %10s %10s\n", "", "wall ms", "CPU ms", "RSS MiB");
    std::printf("  %-44s %10.1f %10.1f %10.1f\n", "floor: plain window with a Japanese label", startUp[0].wallMs, startUp[0].cpuMs, startUp[0].rssMiB);
    std::printf("  %-44s %10.1f %10.1f %10.1f\n", "pomuru", startUp[1].wallMs, startUp[1].cpuMs, startUp[1].rssMiB);
    std::printf("Resident memory over %d problems: %.1f MiB at %d, %.1f MiB peak after that, %.1f MiB at the end.\n",
                Problems, rssAtBase, EveryPageUsed, rssPeak, rssAtEnd);
    std::printf("First けってい of a run, from the press to the page on screen (median of %d): slowest level %d, %.1f ms.\n",
                DecideRounds, slowestDecideLevel, slowestDecideMs);
    std::printf("Feedback pauses: %lld, %.1f s in all, %.1f ms of CPU.\n\n", static_cast<long long>(pauses.size()), pauseWall / 1e9, pauseCpu / 1e6);
    std::printf("The event loop's turn after each handler (painting what it drew; no goal), ms:\n");
    std::printf("  %-44s %10s %10s\n", "", "median", "99 %");
    std::printf("%s\n", qPrintable(paintLines));
    std::printf("  %-52s %10s %8s  %s\n", "measure", "value", "goal", "met");
    bool allMet = true;
    QJsonArray goalRows;
    for (const Goal& goal : goals) {
        std::printf("  %-52s %10.3f %8s  %s\n", qPrintable(goal.what), goal.value, qPrintable(goal.goal), goal.met ? "yes" : "NO");
        allMet = allMet && goal.met;
        goalRows.append(QJsonObject{{QStringLiteral("measure"), goal.what}, {QStringLiteral("value"), goal.value},
                                    {QStringLiteral("goal"), goal.goal}, {QStringLiteral("met"), goal.met}});
    }

    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) < 0)
        load[0] = -1;
    std::printf("Load average (1 minute): %.2f at the start of the run, %.2f at its end, on %d processors.\n",
                loadAtStart[0], load[0], int(sysconf(_SC_NPROCESSORS_ONLN)));
    const QJsonObject result{
        {QStringLiteral("command"), QStringLiteral("bash bench/run.sh")},
        {QStringLiteral("platform"), platformName},
        {QStringLiteral("machine"), QJsonObject{{QStringLiteral("kernel"), QSysInfo::kernelVersion()},
                                                {QStringLiteral("cpus"), int(sysconf(_SC_NPROCESSORS_ONLN))},
                                                {QStringLiteral("load_average_at_start"), loadAtStart[0]},
                                                {QStringLiteral("load_average_at_end"), load[0]}}},
        {QStringLiteral("startup"),
         QJsonObject{{QStringLiteral("runs"), runs},
                     {QStringLiteral("floor"), QJsonObject{{QStringLiteral("wall_ms_median"), startUp[0].wallMs},
                                                           {QStringLiteral("cpu_ms_median"), startUp[0].cpuMs},
                                                           {QStringLiteral("rss_mib_median"), startUp[0].rssMiB},
                                                           {QStringLiteral("wall_ms_runs"), startUp[0].wallRuns}}},
                     {QStringLiteral("pomuru"), QJsonObject{{QStringLiteral("wall_ms_median"), startUp[1].wallMs},
                                                            {QStringLiteral("cpu_ms_median"), startUp[1].cpuMs},
                                                            {QStringLiteral("rss_mib_median"), startUp[1].rssMiB},
                                                            {QStringLiteral("wall_ms_runs"), startUp[1].wallRuns}}}}},
        {QStringLiteral("first_decide"), decides},
        {QStringLiteral("handlers"), handlerRows},
        {QStringLiteral("feedback_pause"), QJsonObject{{QStringLiteral("cpu_percent_of_one_core"), pausePercent},
                                                       {QStringLiteral("pauses"), pauses}}},
        {QStringLiteral("memory"), QJsonObject{{QStringLiteral("problems"), Problems}, {QStringLiteral("samples"), rssSamples}}},
        {QStringLiteral("goals"), goalRows},
        {QStringLiteral("all_goals_met"), allMet},
    };
    QFile out(parser.value(outOption));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write %1").arg(out.fileName()));
    out.write(QJsonDocument(result).toJson());
    std::printf("\nAll goals met: %s. Figures written to %s.\n", allMet ? "yes" : "no", qPrintable(out.fileName()));
    return 0;
}
