// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The program's command line, run as a teacher would run it: --help and
// --version answer and exit 0 without any display; every other argument
// gets one line of error and exit status 2, and no window.

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

struct Run {
    int exitStatus = -1;
    QString out;
    QString err;
};

// Runs pomuru with no display of any kind in its environment; its output
// goes to `outputFile` when one is given.
Run runPomuru(const QStringList& arguments, const QString& outputFile = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(POMURU_EXECUTABLE), arguments);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitStatus = process.exitCode();
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
    void withoutArgumentsItLooksForADisplay();
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
    }
}

void TestCommandLine::refusesEveryOtherArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");  // the argument the error names
    QTest::newRow("unknown long option") << QStringList{QStringLiteral("--fullscreen")} << QStringLiteral("--fullscreen");
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

void TestCommandLine::withoutArgumentsItLooksForADisplay()
{
    // Not taken for a command-line error: it goes on to open the window,
    // and without a display says so.
    const Run run = runPomuru({});
    QCOMPARE(run.exitStatus, 2);
    QVERIFY2(run.err.contains(QStringLiteral("no display")), qPrintable(run.err));
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
