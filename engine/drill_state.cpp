// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "drill_state.h"

#include <algorithm>

namespace pomuru {

int DrillState::recordOf(int row, int problem) const
{
    const int dropped = std::max(0, problemCount(row) - RecordsPerRow);
    return problem - dropped;
}

float& DrillState::record(int row, int problem, RecordSlot slot)
{
    return RowValues[row][10 * recordOf(row, problem) + slot];
}

float DrillState::record(int row, int problem, RecordSlot slot) const
{
    return RowValues[row][10 * recordOf(row, problem) + slot];
}

int DrillState::countNewProblem(int row)
{
    auto& values = RowValues[row];
    const int n = problemCount(row) + 1;
    if (n > RecordsPerRow) {
        // Records 2 to 99 become records 1 to 98; record 99 is emptied for problem n.
        std::copy(values.begin() + 21, values.end(), values.begin() + 11);
        std::fill(values.end() - 10, values.end(), 0.0f);
    }
    values[ProblemCount] = float(n);
    return n;
}

RecentAnswers DrillState::recentAnswers(int row, int n, int window) const
{
    RecentAnswers recent;
    for (int k = std::max(1, n - window); k <= n - 1; ++k)
        recent.add(record(row, k, Value1));
    return recent;
}

void DrillState::recordProblem(int row, int n, float value1, float value2)
{
    record(row, n, Value1) = value1;
    record(row, n, Value2) = value2;
    record(row, n, Value3) = 0;
    record(row, n, Value4) = 0;
}

bool DrillState::recordAttempt(int row, bool right)
{
    constexpr int MostAttempts = 3;
    const int k = problemCount(row);
    const int attempt = int(++record(row, k, AttemptCount));
    const auto result = RecordSlot(AttemptResult1 + std::min(attempt, MostAttempts) - 1);
    record(row, k, result) = right ? AttemptRight : AttemptWrong;
    if (right)
        record(row, k, Mark) = attempt == 1 ? MarkRightFirst : MarkRightLater;
    else if (attempt >= MostAttempts)
        record(row, k, Mark) = MarkWrong;
    return right || attempt >= MostAttempts;
}

void DrillState::clearRow(int row)
{
    RowValues[row].fill(0.0f);
    RowTexts[row].clear();
    LastCheck[row].clear();
    RowPictures[row].clear();
}

} // namespace pomuru
