// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Drives the real window through its handlers, as presses and clicks would:
// opens a level, starts its rows, and gives right or wrong answers the way a
// pupil gives them (typed, painted on the tape or chosen among the symbols).

#include "bench_platform.h"

#include "answer/canvas_press.h"
#include "answer/keypad.h"
#include "answer/marking.h"
#include "app/main_window.h"
#include "engine/colors.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <cmath>
#include <random>

namespace pomuru::bench {

class DrillDriver {
public:
    DrillDriver(MainWindow& window, BenchPlatform& platform, std::uint64_t seed = 1)
        : window_(window)
        , platform_(platform)
        , random_(seed)
    {
    }

    Drill& drill() { return window_.drill(); }
    DrillState& state() { return window_.drill().state; }
    int rows() { return rowsOnPage(state().ScreenWidthPixels); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // "終わる" (answered Yes) when a page is open, then the level and "けってい".
    void openLevel(int level)
    {
        const bool yes = platform_.answerYes;
        platform_.answerYes = true;
        if (window_.Picture7[0]->isHidden())
            window_.Command8[std::size_t(state().CanvasIndex)]->click();
        platform_.answerYes = yes;
        window_.Option2[std::size_t(level - 1)]->click();
        window_.Command10[0]->click();
    }

    // A press on each row's frame draws its first problem.
    void startRows()
    {
        for (int row = FirstRow; row <= rows(); ++row)
            Picture1_MouseDown(drill(), state().CanvasIndex, 1, 0, 100, float(rowTop(row) + 100));
    }

    // Leaves the right answer of the row's problem on the page, or a wrong one.
    void prepareAnswer(int row, bool right)
    {
        DrillState& s = state();
        const int k = s.problemCount(row);
        const float value1 = s.record(row, k, Value1);
        const int top = rowTop(row);
        if (s.LevelNo == 3) {
            const int cells = right ? int(std::lround(value1 * 10)) : pick(tape::Cells + 1);
            const int first = pick(tape::Cells - cells + 1);
            for (int cell = 0; cell < tape::Cells; ++cell) {
                const QPoint probe = tape::probe(cell, top);
                const bool red = drill().canvas().pixel(probe.x(), probe.y()) == colors::red;
                if (red != (cell >= first && cell < first + cells))
                    Picture1_MouseDown(drill(), 1, 1, 0, float(probe.x() + 10), float(probe.y() + 5));
            }
        } else if (s.LevelNo == 7) {
            const float value2 = s.record(row, k, Value2);
            const int expected = symbols::between(value1, value2);
            const int box = right ? expected : (expected + 1 + pick(2)) % 3;
            const QPoint seed = symbols::seed(box, top);
            Picture1_MouseDown(drill(), 1, 1, 0, float(seed.x() + 5), float(seed.y() + 5));
        } else {
            window_.Text1[std::size_t(row - 1)]->setText(right ? QString::number(double(value1)) : QStringLiteral("99.9"));
        }
    }

    int checkButton(int row) { return checkButtonOfRow(row, state().CanvasIndex); }

    // Answers the row's problem until it is settled: right at once, or after
    // one or two wrong attempts, or wrong three times.
    void settle(int row)
    {
        const int n = state().problemCount(row);
        const int wrongFirst = pick(4);
        for (int attempt = 0; state().problemCount(row) == n; ++attempt) {
            prepareAnswer(row, attempt >= wrongFirst);
            Command5_Click(drill(), checkButton(row));
        }
    }

private:
    MainWindow& window_;
    BenchPlatform& platform_;
    std::mt19937_64 random_;
};

} // namespace pomuru::bench
