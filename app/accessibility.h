// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

#include <QString>

namespace pomuru {

struct DrillState;

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
