// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The floor for start-up and memory: a plain Qt Widgets window of the
// program's size with one Japanese label, nothing else. It prints the
// moment of its first frame and exits.

#include "first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.setFixedSize(1018, 743);
    QLabel label(QStringLiteral("つぎの問だいをしましょう。"), &window);
    label.move(16, 8);
    pomuru::bench::FirstFrame firstFrame([] {
        pomuru::bench::printFirstFrame();
        QCoreApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
