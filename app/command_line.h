// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

#include <QString>
#include <QStringList>

namespace pomuru {

// What the command line asks for. The program takes the two options that
// every desktop program answers, --help and --version, both answered before
// anything of the window is started, so that they work without a display;
// and --fullscreen, which opens the window filling the screen (the
// classroom's large display).
struct CommandLine {
    enum class Action { OpenWindow, ShowHelp, ShowVersion, Refuse };
    Action action = Action::OpenWindow;
    // What to print: the help or the version on stdout, or the one-line
    // error on stderr; empty when the window opens.
    QString output;
    // The exit status when the window does not open: 0, or 2 for an
    // argument the program does not take.
    int exitStatus = 0;
    // The window opens full screen.
    bool fullScreen = false;
};

// Reads the arguments, the program's name first as in argv.
CommandLine readCommandLine(const QStringList& arguments);

// The arguments of main() as Qt strings.
QStringList argumentList(int argc, char* argv[]);

// Prints the answer of a command line that does not open the window and
// returns the exit status: 1 when the answer could not be written.
int answerCommandLine(const CommandLine& line);

} // namespace pomuru
