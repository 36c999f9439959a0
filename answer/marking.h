// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "answering.h"

#include "engine/drill.h"

namespace pomuru {

// The row (1 to 3) that check button Command5(index) serves: buttons 0 to 2
// on canvas 0 serve rows 1 to 3, buttons 3 to 5 on canvas 1 rows 3 to 1.
int rowOfCheckButton(int index);
// The check button of a row on a canvas.
int checkButtonOfRow(int row, int canvasIndex);
// The canvas (0 or 1) that check button Command5(index) lies on.
int canvasOfCheckButton(int index);

// The check button: judges the answer of the row's current problem, flashes
// a red ○ or ×, records the attempt, and draws the next problem once the
// problem is settled (right, or wrong for the third time).
void Command5_Click(Drill& drill, int index);

// The feedback pause: shows the mark, beeps, waits for the clock to change
// twice (one to two seconds) and wipes the mark of the row.
void FlashMark(Drill& drill, int row);

// The row's current problem (its latest, 1 or more) as its check sees it.
RowToCheck rowToCheck(const DrillState& state, int row);

// The marks ○ and × as a screen reader says them.
inline const QString RightInWords = QStringLiteral("せいかい");
inline const QString WrongInWords = QStringLiteral("まちがい");

} // namespace pomuru
