// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "keypad.h"

#include "engine/colors.h"

namespace pomuru {

namespace {
void append(AnswerBox& box, const QString& text)
{
    box.setText(box.text() + text);
}
} // namespace

DigitKey digitKey(int index)
{
    if (index < 10)
        return {index, 1};
    if (index < 20)
        return {19 - index, 2};
    return {29 - index, 3};
}

void Command6_Click(Drill& drill, int index)
{
    const DigitKey key = digitKey(index);
    append(drill.controls.answerBox(key.row - 1), QString::number(key.digit));
}

void Command11_Click(Drill& drill, int index)
{
    append(drill.controls.answerBox(index), QStringLiteral("."));
}

void Command7_Click(Drill& drill, int index)
{
    drill.controls.answerBox(index).setText(QString());
}

void Text1_Click(Drill& drill, int index)
{
    drill.controls.answerBox(index).setBackColor(colors::pink);
}

} // namespace pomuru
