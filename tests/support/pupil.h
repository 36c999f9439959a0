// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// A simulated pupil at the real window: opens a level, starts its rows, and
// gives right or wrong answers the way a pupil gives them (typed, painted
// on the tape or chosen among the symbols). Its hands say how each press
// and each answer reaches the window: as input events through Qt (the
// monkey) or as direct calls of the handlers (the benchmarks).

#include "controls.h"

#include "answer/answering.h"
#include "answer/canvas_press.h"
#include "answer/marking.h"
#include "app/main_window.h"
#include "engine/page.h"

#include <functional>
#include <random>

namespace pomuru::testing {

struct PupilHands {
    std::function<void(QAbstractButton* button)> click;
    // A press at canvas pixel `at` of the canvas in use.
    std::function<void(QPoint at)> pressCanvas;
    // The answer given in the answer box of the row.
    std::function<void(int row, const QString& answer)> type;
};

// Hands that call the handlers directly: buttons clicked without input
// events, canvas presses as Picture1_MouseDown, answers set into the box.
inline PupilHands directHands(MainWindow& window)
{
    Drill& drill = window.drill();
    return {
        [](QAbstractButton* button) { button->click(); },
        [&drill](QPoint at) { Picture1_MouseDown(drill, drill.state.CanvasIndex, 1, 0, float(at.x()), float(at.y())); },
        [&window](int row, const QString& answer) { window.answerBox(row - 1).setText(answer); },
    };
}

class Pupil {
    // The pupil's own random choices, for the way of answering to choose from.
    class PupilWholes : public RandomWholes {
    public:
        explicit PupilWholes(Pupil& pupil)
            : pupil_(pupil)
        {
        }
        int draw(int count, int first) override { return first + pupil_.pick(count); }

    private:
        Pupil& pupil_;
    };

public:
    Pupil(MainWindow& window, std::mt19937_64& random, PupilHands hands)
        : window_(window)
        , random_(random)
        , hands_(std::move(hands))
    {
    }

    Drill& drill() { return window_.drill(); }
    DrillState& state() { return window_.drill().state; }
    int rows() { return rowsOnPage(state().ScreenWidthPixels); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    bool onPage() const { return control<QWidget>(window_, "Picture7", 0)->isHidden(); }
    QAbstractButton* checkButton(int row) { return control<QAbstractButton>(window_, "Command5", checkButtonOfRow(row, state().CanvasIndex)); }

    // "終わる" when a page is open (the platform answers its question), then
    // the level and "けってい".
    void openLevel(int level)
    {
        if (onPage())
            hands_.click(control<QAbstractButton>(window_, "Command8", state().CanvasIndex));
        hands_.click(control<QAbstractButton>(window_, "Option2", level - 1));
        hands_.click(control<QAbstractButton>(window_, "Command10", 0));
    }

    // A press on each row's frame draws its first problem.
    void startRows()
    {
        for (int row = FirstRow; row <= rows(); ++row)
            hands_.pressCanvas(QPoint(100, rowTop(row) + 100));
    }

    // Leaves the right answer of the row's problem on the page, or a wrong
    // one, as the level's way of answering gives it: presses on the canvas
    // (tape cells, a symbol box) or a number typed.
    void prepareAnswer(int row, bool right)
    {
        PupilWholes random(*this);
        const AnswerMoves moves = answeringOf(state()).moves(drill().canvas(), rowToCheck(state(), row), right, random);
        for (const QPoint& at : moves.presses)
            hands_.pressCanvas(at);
        if (moves.typed)
            hands_.type(row, *moves.typed);
    }

    // Answers the row's problem until it is settled: right at once, or after
    // one or two wrong attempts, or wrong three times.
    void settle(int row)
    {
        const int n = state().problemCount(row);
        const int wrongFirst = pick(4);
        for (int attempt = 0; state().problemCount(row) == n; ++attempt) {
            prepareAnswer(row, attempt >= wrongFirst);
            hands_.click(checkButton(row));
        }
    }

private:
    MainWindow& window_;
    std::mt19937_64& random_;
    PupilHands hands_;
};

} // namespace pomuru::testing
