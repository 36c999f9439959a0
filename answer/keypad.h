// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "engine/drill.h"

namespace pomuru {

// The on-screen keypads: each key only edits the text of its row's answer
// box, always at the end, whatever the caret and selection.

// The digit and the row (1 to 3) of digit key Command6(index), 0 to 29. The
// strips of rows 2 and 3 number their keys downwards from left to right.
struct DigitKey {
    int digit;
    int row;
};
DigitKey digitKey(int index);

void Command6_Click(Drill& drill, int index);   // digit key: appends its digit
void Command11_Click(Drill& drill, int index);  // point key: appends "."
void Command7_Click(Drill& drill, int index);   // erase key: empties the box
void Text1_Click(Drill& drill, int index);      // a click on a box: pink again

} // namespace pomuru
