// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The program's command line, run as a teacher would run it: --help and
// --version answer and exit 0 without any display; every other argument
// gets one line of error and exit status 2, and no window. What stands in
// the way of the window is told in Japanese first.

#include "app/before_window.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitStatus = -1;
    QString out;
    QString err;
};

// Runs pomuru with no display of any kind in its environment but those in
// `display`; its output goes to `outputFile` when one is given. A program
// that aborts has exit status -2.
Run runPomuru(const QStringList& arguments, const QString& outputFile = {}, const QStringList& display = {},
              const QString& executable = QStringLiteral(POMURU_EXECUTABLE))
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& setting : display)
        environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(executable, arguments);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitStatus = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
    void refusesEveryOtherArgument_data();
    void refusesEveryOtherArgument();
    void withoutArgumentsItLooksForADisplay_data();
    void withoutArgumentsItLooksForADisplay();
    void aWindowThatCannotOpenIsToldInJapanese_data();
    void aWindowThatCannotOpenIsToldInJapanese();
    void platformPluginsAreLookedForBeforeQtStarts_data();
    void platformPluginsAreLookedForBeforeQtStarts();
    void aHelpThatCannotBeWrittenIsNoSuccess();
};

void TestCommandLine::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("firstLine");
    const QString usage = QStringLiteral("使い方: pomuru [オプション]");
    const QString version = QStringLiteral("pomuru " POMURU_VERSION);
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << usage;
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << usage;
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << version;
    QTest::newRow("-v") << QStringList{QStringLiteral("-v")} << version;
    QTest::newRow("both: the help wins") << QStringList{QStringLiteral("--version"), QStringLiteral("--help")} << usage;
}

void TestCommandLine::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, firstLine);
    const Run run = runPomuru(arguments);
    QCOMPARE(run.exitStatus, 0);
    QCOMPARE(run.out.section(u'\n', 0, 0), firstLine);
    QVERIFY(run.out.endsWith(u'\n'));
    QCOMPARE(run.err, QString());
    if (firstLine.startsWith(QStringLiteral("使い方"))) {
        QVERIFY(run.out.contains(QStringLiteral("--help")));
        QVERIFY(run.out.contains(QStringLiteral("--version")));
        QVERIFY(run.out.contains(QStringLiteral("--fullscreen")));
    }
}

void TestCommandLine::refusesEveryOtherArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");  // the argument the error names
    QTest::newRow("unknown long option") << QStringList{QStringLiteral("--maximised")} << QStringLiteral("--maximised");
    QTest::newRow("a value after --fullscreen") << QStringList{QStringLiteral("--fullscreen=yes")}
                                                << QStringLiteral("--fullscreen=yes");
    QTest::newRow("unknown short option") << QStringList{QStringLiteral("-x")} << QStringLiteral("-x");
    QTest::newRow("a file name") << QStringList{QStringLiteral("drill.txt")} << QStringLiteral("drill.txt");
    QTest::newRow("a value after --help") << QStringList{QStringLiteral("--help=all")} << QStringLiteral("--help=all");
    QTest::newRow("--help with a file name") << QStringList{QStringLiteral("--help"), QStringLiteral("more")}
                                             << QStringLiteral("more");
    QTest::newRow("a lone --") << QStringList{QStringLiteral("--")} << QStringLiteral("--");
    QTest::newRow("Qt's own option") << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")}
                                     << QStringLiteral("-platform");
}

void TestCommandLine::refusesEveryOtherArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    const Run run = runPomuru(arguments);
    QCOMPARE(run.exitStatus, 2);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err.count(u'\n'), 1);
    QVERIFY(run.err.endsWith(u'\n'));
    QVERIFY2(run.err.startsWith(QStringLiteral("pomuru: 「%1」").arg(named)), qPrintable(run.err));
    QVERIFY(run.err.contains(QStringLiteral("pomuru --help")));
}

void TestCommandLine::withoutArgumentsItLooksForADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no arguments") << QStringList{};
    QTest::newRow("--fullscreen") << QStringList{QStringLiteral("--fullscreen")};
}

void TestCommandLine::withoutArgumentsItLooksForADisplay()
{
    // Not taken for a command-line error: it goes on to open the window,
    // and without a display says so, in Japanese and then in English.
    QFETCH(QStringList, arguments);
    const Run run = runPomuru(arguments);
    QCOMPARE(run.exitStatus, 2);
    QVERIFY2(run.err.startsWith(QStringLiteral("pomuru: ウィンドウを開く画面（ディスプレイ）がありません。")), qPrintable(run.err));
    QVERIFY2(run.err.contains(QStringLiteral("\npomuru: there is no display")), qPrintable(run.err));
}

void TestCommandLine::aWindowThatCannotOpenIsToldInJapanese_data()
{
    QTest::addColumn<QStringList>("display");
    QTest::addColumn<bool>("withoutPlugins");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<QString>("qtSays");
    const QString platformFailed = QStringLiteral("pomuru: ウィンドウを開けませんでした。");
    QTest::newRow("a display that does not answer") << QStringList{QStringLiteral("DISPLAY=:97")} << false
                                                    << platformFailed << QStringLiteral("could not connect to display");
    // Qt finds no plugin once it has read the qt.conf beside the program,
    // which the program cannot read before Qt starts.
    QTest::newRow("Qt's plugins not where Qt looks") << QStringList{QStringLiteral("DISPLAY=:97")} << true
                                                     << platformFailed << QStringLiteral("platform plugin");
}

void TestCommandLine::aWindowThatCannotOpenIsToldInJapanese()
{
    QFETCH(QStringList, display);
    QFETCH(bool, withoutPlugins);
    QFETCH(QString, firstLine);
    QFETCH(QString, qtSays);
    QTemporaryDir copy;
    QString executable = QStringLiteral(POMURU_EXECUTABLE);
    if (withoutPlugins) {
        executable = copy.filePath(QStringLiteral("pomuru"));
        QVERIFY(QFile::copy(QStringLiteral(POMURU_EXECUTABLE), executable));
        QFile conf(copy.filePath(QStringLiteral("qt.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[Paths]\nPlugins = /nonexistent\n");
    }
    const Run run = runPomuru({}, {}, display, executable);
    QVERIFY2(run.exitStatus != 0, qPrintable(run.err));
    QVERIFY2(run.err.startsWith(firstLine) || run.err.contains(u'\n' + firstLine), qPrintable(run.err));
    QVERIFY2(run.err.indexOf(firstLine) < run.err.indexOf(qtSays), qPrintable(run.err));
}

void TestCommandLine::platformPluginsAreLookedForBeforeQtStarts_data()
{
    QTest::addColumn<QStringList>("platforms");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("found");
    const QStringList xcbWayland{QStringLiteral("wayland"), QStringLiteral("xcb")};
    QTest::newRow("X11's plugin") << QStringList{QStringLiteral("xcb")} << QStringList{QStringLiteral("libqxcb.so")}
                                  << QStringLiteral("xcb");
    QTest::newRow("no plugin at all") << QStringList{QStringLiteral("xcb")} << QStringList() << QString();
    QTest::newRow("only plugins of other platforms") << xcbWayland
                                                     << QStringList{QStringLiteral("libqoffscreen.so"), QStringLiteral("libqvnc.so")}
                                                     << QString();
    QTest::newRow("a Wayland session without Wayland's plugin goes to X11")
        << xcbWayland << QStringList{QStringLiteral("libqxcb.so")} << QStringLiteral("xcb");
    QTest::newRow("Wayland's plugin by its own name") << QStringList{QStringLiteral("wayland-egl")}
                                                      << QStringList{QStringLiteral("libqwayland-egl.so")}
                                                      << QStringLiteral("wayland-egl");
    QTest::newRow("a platform of its own is left to Qt") << QStringList{QStringLiteral("offscreen")} << QStringList()
                                                         << QStringLiteral("offscreen");
}

void TestCommandLine::platformPluginsAreLookedForBeforeQtStarts()
{
    QFETCH(QStringList, platforms);
    QFETCH(QStringList, files);
    QFETCH(QString, found);
    QTemporaryDir empty;
    QTemporaryDir plugins;
    for (const QString& file : files) {
        QFile plugin(plugins.filePath(file));
        QVERIFY(plugin.open(QIODevice::WriteOnly));
    }
    QCOMPARE(pomuru::installedPlatform(platforms, {empty.path(), plugins.path()}), found);
}

void TestCommandLine::aHelpThatCannotBeWrittenIsNoSuccess()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("needs /dev/full");
    QCOMPARE(runPomuru({QStringLiteral("--help")}, QStringLiteral("/dev/full")).exitStatus, 1);
    QCOMPARE(runPomuru({QStringLiteral("--version")}, QStringLiteral("/dev/full")).exitStatus, 1);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
