// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "drill.h"

#include <QString>

namespace pomuru {

// Chooses the canvas of the level and draws the empty row frames on it.
void PageSetup(Drill& drill);

// Draws the next problem of a row: blanks the row, counts the problem,
// prints the status line, lets the level draw the problem, records it,
// paints it and places the answer box, and readies that box (pink and empty).
void DrawProblem(Drill& drill, int row);

// Two rows on a screen below 1000 pixels, three from 1000 on.
int rowsOnPage(int screenWidthPixels);

// The decimal text of x with its leading blank for a non-negative value, cut
// to the last two characters: " 7", "10", and "23" for 123.
QString twoCharacterField(int x);
// "レベル" F(level) " (" F(n) ")  せいせき：" and the marks of problems
// max(1, n - 9) to n, oldest first.
QString statusLine(const DrillState& state, int row, int n);

// What every row of a new page says until it is started.
inline const QString StartRowPrompt = QStringLiteral("ここをクリックしてください。");

} // namespace pomuru
