// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// A way of answering holds everything that differs between a typed number,
// a painted tape and a chosen symbol: what a press inside a started row
// does, whether the row can be checked, how its answer is judged, what of a
// wrong answer goes, and the moves that give a right or a wrong answer (what
// a simulated pupil does). The presses and the check call these and know no
// level; each way lives in a file of its own.

#include "engine/drill.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace pomuru {

// What a pupil does to leave an answer in a row: presses at canvas pixels of
// the canvas in use, in order, and a text typed into the row's answer box.
struct AnswerMoves {
    QList<QPoint> presses;
    std::optional<QString> typed;
};

// A key pressed while the keyboard focus is on a started row: Qt's key code
// and the text the key types ("<", or "＜" committed by an input method).
struct RowKeyPress {
    int key;
    QString text;
};

// What a key does in a started row. A press is made at a canvas pixel, so
// that a key does exactly what a press there does.
struct KeyAction {
    enum Kind { NotMine, CursorMoved, PressAt, Check };
    Kind kind = NotMine;
    QPoint at{};
};

// What the check knows of the row it marks.
struct RowToCheck {
    int row;
    int top;
    // Value1 and Value2 of the row's current problem.
    float value1;
    float value2;
};

struct Answering {
    AnswerWay way;
    // A press at (x, y) inside the area of a row already started, whose top
    // is `top`. The canvas comes with the pen and fill white and the fill
    // transparent.
    void (*press)(Canvas& canvas, int top, float x, float y);
    // Whether the row can be checked as it stands; where it cannot, the
    // pupil is told why.
    bool (*readyToCheck)(Drill& drill, int row);
    bool (*judge)(Drill& drill, const RowToCheck& check);
    // After a wrong check: a typed answer goes, while painted cells and a
    // chosen symbol stay for the pupil to correct.
    void (*afterWrong)(Drill& drill, int row);
    // The places in a row whose top is `top` that a press answers in, left
    // to right: the tape's cells, the symbols' boxes; none for a typed answer.
    QList<QRect> (*targets)(int top);
    // The moves that leave a right answer in the row, or a wrong one, on the
    // canvas as it is now; `random` chooses among the possible ones.
    AnswerMoves (*moves)(const Canvas& canvas, const RowToCheck& row, bool right, RandomWholes& random);
    // A key in a started row whose top is `top`. `cursor` is the row's cell
    // cursor (0 at the left), which the key may move; a way without cells
    // leaves it alone.
    KeyAction (*key)(const RowKeyPress& key, int top, int& cursor);
    // The answer as the row shows it, in words for a screen reader, without
    // telling the right one: the cell under the cursor and whether it is
    // painted, the symbol chosen; empty for a typed answer, which the answer
    // box says itself.
    QString (*answerInWords)(const Canvas& canvas, int top, int cursor);
};

// What a check of an empty answer box says.
inline const QString EmptyAnswerMessage = QStringLiteral("こたえをタイプしてください。");

// For the ways whose answer is on the canvas: always ready, and a wrong
// answer stays as it is.
inline bool alwaysReady(Drill&, int) { return true; }
inline void keepAnswer(Drill&, int) {}

// The keys every way takes: Return and Enter check the row.
inline bool isCheckKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

extern const Answering TypedAnswering;
extern const Answering TapeAnswering;
extern const Answering SymbolAnswering;

const Answering& answeringOf(AnswerWay way);
// The way of answering of the chosen level; typed while none is chosen, as
// the canvas then is canvas 0.
const Answering& answeringOf(const DrillState& state);

// The painted tape: right when the red cells form one unbroken run of
// 10 × value1 cells.
bool judgeCells(const Canvas& canvas, int top, float value1);
// The symbols: right when the box of the symbol that stands between value1
// and value2 (＞, ＝ or ＜) is red.
bool judgeSymbol(const Canvas& canvas, int top, float value1, float value2);

} // namespace pomuru
