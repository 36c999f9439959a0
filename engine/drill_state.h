// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "levels/level.h"
#include "row_geometry.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace pomuru {

// Entries of a row of RowValues.
inline constexpr int RowStarted = 0;    // 0 = not started, 1 = started
inline constexpr int ProblemCount = 1;  // problems drawn in the row so far

// Slots of a problem record: problem k occupies entries 10k + 1 to 10k + 10.
enum RecordSlot : int {
    Value1 = 1,
    Value2,
    Value3,
    Value4,
    Value5,
    Mark,
    AttemptResult1,
    AttemptResult2,
    AttemptResult3,
    AttemptCount,
};

// Mark codes of a settled problem, and the results of single attempts.
inline constexpr float MarkUndecided = 0;
inline constexpr float MarkRightFirst = 1;  // ○
inline constexpr float MarkRightLater = 2;  // △
inline constexpr float MarkWrong = 3;       // ×
inline constexpr float AttemptRight = 1;
inline constexpr float AttemptWrong = 3;

inline constexpr int FirstRow = 1;
inline constexpr int LastRow = 3;
inline constexpr int LastEntry = 1000;
// The records of problems 1 to 99 fit a row; entry 1000 ends record 99.
inline constexpr int RecordsPerRow = 99;

// The drill shared by every handler: the chosen level, the screen width, the
// canvas in use, the row being drawn or marked, and per row the counters and
// problem records. All of it lives in memory for one run.
struct DrillState {
    std::int16_t LevelNo = 0;            // 0 until a level is chosen, then a level's number
    std::int16_t ScreenWidthPixels = 0;  // measured once at start-up
    std::int16_t CanvasIndex = 0;        // the chosen level's answer canvas, 0 or 1
    std::int16_t ProblemRow = 0;         // 1 to 3
    QString Instruction;                 // the instruction line of the problem drawn last, if its level has one

    // Rows 0 to 3 (row 0 is never used) by entries 0 to 1000.
    std::array<std::array<float, LastEntry + 1>, LastRow + 1> RowValues{};

    // What each row says in words, for a screen reader: the texts its
    // current problem shows, in the order drawn (the status line, then the
    // problem's instruction, numbers and units), and the mark of its last
    // check, "せいかい" or "まちがい", from the moment the mark is drawn.
    std::array<QStringList, LastRow + 1> RowTexts{};
    std::array<QString, LastRow + 1> LastCheck{};
    // What the picture of each row's current problem shows, in words (the
    // level's own, empty where its texts say all).
    std::array<QString, LastRow + 1> RowPictures{};

    int problemCount(int row) const { return int(RowValues[row][ProblemCount]); }
    bool rowStarted(int row) const { return RowValues[row][RowStarted] != 0; }

    // A row goes on without end, but holds only the records of its latest 99
    // problems: once past problem 99, problem k lives in record slot
    // k - (n - 99), where n is the row's problem count.
    int recordOf(int row, int problem) const;
    float& record(int row, int problem, RecordSlot slot);
    float record(int row, int problem, RecordSlot slot) const;

    // Counts a new problem in the row and returns its number n. When the new
    // problem needs a record beyond slot 99, the records slide down by one and
    // the oldest is dropped, so nothing is ever written beyond entry 1000.
    int countNewProblem(int row);

    // Value1 of the up to `window` problems before problem n of the row.
    RecentAnswers recentAnswers(int row, int n, int window) const;

    // Writes Value1 and Value2 of problem n's record and zeroes Value3 and
    // Value4; Value5 is left as it was.
    void recordProblem(int row, int n, float value1, float value2);

    // Records an attempt at the row's current problem, right or wrong: counts
    // it, notes its result, and settles the problem when it is right (mark
    // ○ at the first attempt, △ later) or wrong for the third time (×).
    // Returns whether the problem is settled.
    bool recordAttempt(int row, bool right);

    // Sets entries 0 to 1000 of a row to 0 and forgets what it said.
    void clearRow(int row);
};

} // namespace pomuru
