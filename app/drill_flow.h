// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

namespace pomuru {

class MainWindow;

// The handlers that carry the pupil from the menu into a drill and back.
void Command1_Click(MainWindow& window, int index);   // "３年生": shows the level menu
void Option2_Click(MainWindow& window, int index);    // a level option: LevelNo = index + 1
void Command10_Click(MainWindow& window, int index);  // "けってい": opens the drill page
void Command8_Click(MainWindow& window, int index);   // "終わる": back to the menu
void Command2_Click(MainWindow& window, int index);   // "おわり": ends the program

} // namespace pomuru
