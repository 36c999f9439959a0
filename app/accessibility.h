// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

#include <QString>
#include <QWidget>

namespace pomuru {

struct Drill;
struct DrillState;

// Speaks a text through the screen reader, whatever holds the focus: an
// invisible widget whose role is a notification, which a screen reader
// reads out each time it comes into view. A changed name or description of
// the focused control is not read out by the screen readers of today, so
// the problems and marks go through here.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    // The text stays the announcer's name until the next one.
    void say(const QString& text);
};

// A row's problem in words, one sentence after another: its status line and
// the texts of its problem as drawn, what its picture shows, and the answer
// as it stands where the answer is on the canvas (the cell under the
// `cursor`, the chosen symbol). Before the row is started, its prompt.
QString rowInWords(Drill& drill, int row, int cursor);

// Texts joined into sentences: a full stop after each that has no stop of
// its own.
QString sentences(const QStringList& parts);

// The window gives its controls Japanese names and descriptions for screen
// readers as it is built (MainWindow::describeForScreenReaders, in
// accessibility.cpp): each answer box, check button and keypad names its
// row, each picture says what it shows, and each canvas describes the
// problem in words (see canvasDescription) and tells the screen reader when
// that changes.

// What the canvas in use says about the drill: the current row's status
// line and problem texts as drawn, one per line, and the mark of the row's
// last check. Before a row is started, its prompt.
QString canvasDescription(const DrillState& state);

// "1ばんめの もんだいの こたえ": the answer box of row 1 to 3.
QString answerBoxName(int row);

} // namespace pomuru
