// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "engine/drill.h"

namespace pomuru {

// The row (1 to 3) whose press area holds a press, or 0 for none; row 3
// counts only on a three-row page.
int rowAt(double x, double y, bool threeRows);

// A press of any button on the canvas: starts a row that is not started yet,
// goes to the level's way of answering in a started row (a tape cell painted
// or cleared, a symbol chosen), and beeps outside every row.
void Picture1_MouseDown(Drill& drill, int index, int button, int shift, float x, float y);

} // namespace pomuru
