// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>
#include <cstdio>

namespace pomuru {

namespace {

const QString ProgramName = QStringLiteral("pomuru");

// The program speaks Japanese only; its help too. Qt's own help text would
// be English whatever the translations.
QString helpText()
{
    return QStringLiteral(
               "使い方: %1 [オプション]\n"
               "\n"
               "ポムル Ver%2 — 小学3年生の小数のれんしゅう。\n"
               "引数なしで起動すると、ウィンドウを開きます。\n"
               "\n"
               "オプション:\n"
               "  --fullscreen   ウィンドウを画面いっぱいに開きます（F11 でもどせます）。\n"
               "  -h, --help     この説明を表示して終了します。\n"
               "  -v, --version  バージョンを表示して終了します。\n")
        .arg(ProgramName, QStringLiteral(POMURU_VERSION));
}

QString versionText()
{
    return ProgramName + u' ' + QStringLiteral(POMURU_VERSION) + u'\n';
}

// The argument to name in the error: the first one that is none of the
// spellings of the options, as the user typed it.
QString offendingArgument(const QStringList& arguments)
{
    static const QStringList known{QStringLiteral("-h"), QStringLiteral("--help"), QStringLiteral("-v"),
                                   QStringLiteral("--version"), QStringLiteral("--fullscreen")};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!known.contains(arguments[i]))
            return arguments[i];
    }
    return arguments.value(1);
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments)
{
    if (arguments.size() <= 1)
        return {};

    // Parsing a list needs no application object: nothing of Qt's GUI, and
    // no display, is touched before the answer is known.
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption fullScreen(QStringLiteral("fullscreen"), QString());
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(fullScreen);
    const bool parsed = parser.parse(arguments);

    if (parsed && parser.positionalArguments().isEmpty()) {
        if (parser.isSet(help))
            return {CommandLine::Action::ShowHelp, helpText(), 0};
        if (parser.isSet(version))
            return {CommandLine::Action::ShowVersion, versionText(), 0};
        // Nothing but --fullscreen, once or more: a lone "--" is no option.
        const bool onlyFullScreen = std::all_of(arguments.begin() + 1, arguments.end(), [](const QString& argument) {
            return argument == QLatin1String("--fullscreen");
        });
        if (onlyFullScreen) {
            CommandLine open;
            open.fullScreen = true;
            return open;
        }
    }
    // Everything else: an unknown option, a value after an option, a file
    // name, a lone "--". The window does not open; one line says why.
    const QString error = QStringLiteral("%1: 「%2」という引数はありません。使い方は %1 --help で表示されます。\n")
                              .arg(ProgramName, offendingArgument(arguments));
    return {CommandLine::Action::Refuse, error, 2};
}

QStringList argumentList(int argc, char* argv[])
{
    QStringList arguments;
    arguments.reserve(argc);
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (arguments.isEmpty())
        arguments << ProgramName;
    return arguments;
}

int answerCommandLine(const CommandLine& line)
{
    std::FILE* stream = line.action == CommandLine::Action::Refuse ? stderr : stdout;
    const QByteArray text = line.output.toLocal8Bit();
    const bool written = std::fwrite(text.constData(), 1, std::size_t(text.size()), stream) == std::size_t(text.size())
        && std::fflush(stream) == 0;
    // A help that went nowhere (a full disk, a closed pipe) is no success.
    if (!written && line.exitStatus == 0)
        return 1;
    return line.exitStatus;
}

} // namespace pomuru
