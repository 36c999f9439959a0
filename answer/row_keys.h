// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// The keys of a row with the keyboard focus: they do what a press or a
// click does, through the same handlers, so a pupil without a mouse gets
// the same fills, beeps, marks and problems.

#include "answering.h"

#include "engine/drill.h"

namespace pomuru {

enum class RowKeyResult { NotMine, Started, CursorMoved, Pressed, Checked };

// A key in a row of the page (1 to 3) whose cell cursor is `cursor`. A row
// not yet started is started by Return, Enter or Space, as by a press on its
// frame; a started row hands the key to its way of answering.
RowKeyResult rowKeyDown(Drill& drill, int row, int& cursor, const RowKeyPress& key);

} // namespace pomuru
