// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "engine/drill.h"

namespace pomuru {

// The row (1 to 3) whose area holds a press, or 0 for none. Bounds are
// exclusive; row 3 counts only on a three-row page and reaches down to y 770.
int rowAt(double x, double y, bool threeRows);

// A press of any button on the canvas: starts a row that is not started yet,
// paints or clears a tape cell at level 3, chooses a symbol at level 7, and
// beeps outside every row.
void Picture1_MouseDown(Drill& drill, int index, int button, int shift, float x, float y);

} // namespace pomuru
