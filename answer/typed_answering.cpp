// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// A number typed into the row's answer box, by the keyboard or the keypad.

#include "answering.h"
#include "reading.h"

namespace pomuru {

namespace {

// The pupil presses on the row to start it; after that the canvas has
// nothing to answer with.
void pressNothing(Canvas&, int, float, float) {}

bool somethingTyped(Drill& drill, int row)
{
    if (!drill.controls.answerBox(row - 1).text().isEmpty())
        return true;
    drill.platform.showMessage(EmptyAnswerMessage);
    return false;
}

bool judgeTyped(Drill& drill, const RowToCheck& check)
{
    return float(typedAnswer(drill.controls.answerBox(check.row - 1).text())) == check.value1;
}

void clearTyped(Drill& drill, int row)
{
    drill.controls.answerBox(row - 1).setText(QString());
}

QList<QRect> noTargets(int)
{
    return {};
}

AnswerMoves typeAnswer(const Canvas&, const RowToCheck& row, bool right, RandomWholes&)
{
    // No problem has 99.9 for its answer.
    return {{}, right ? QString::number(double(row.value1)) : QStringLiteral("99.9")};
}

// The digits go into the answer box, which holds the focus of a started
// row; only the check is the row's.
KeyAction checkKey(const RowKeyPress& key, int, int&)
{
    return isCheckKey(key.key) ? KeyAction{KeyAction::Check} : KeyAction{};
}

QString nothingInWords(const Canvas&, int, int)
{
    return {};
}

} // namespace

const Answering TypedAnswering{AnswerWay::Typed, pressNothing, somethingTyped, judgeTyped, clearTyped, noTargets,
                                     typeAnswer, checkKey, nothingInWords};

} // namespace pomuru
