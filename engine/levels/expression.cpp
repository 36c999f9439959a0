// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "expression.h"

#include "generation.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int InstructionLeft = 80;
constexpr int InstructionTop = 120;  // below the row top T
constexpr int ExpressionLeft = 150;
constexpr int ExpressionTop = 160;
constexpr int AnswerGap = 10;        // between the end of the expression and the answer box
constexpr int AnswerTop = 155;       // the box is taller than the text and centres on it
} // namespace

QString Expression::text() const
{
    return TenthsText(a) + (subtraction ? QStringLiteral(" - ") : QStringLiteral(" + ")) + TenthsText(b)
        + QStringLiteral(" =");
}

void drawCalculationProblem(Drill& drill, const ProblemPlace& place, Expression (*drawNumbers)(Platform&),
                            int window)
{
    DrillState& state = drill.state;
    Expression expression;
    do {
        expression = drawNumbers(drill.platform);
        writeRecord(state, place, expression.answer());
    } while (state.isRecentAnswer(place.row, place.n, window, expression.answer()));

    state.Instruction = CalculationInstruction;
    layOutExpression(drill, place, expression);
}

QString layOutExpression(Drill& drill, const ProblemPlace& place, const Expression& expression)
{
    Canvas& canvas = drill.canvas();
    const int T = place.top;
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.setPenColor(colors::black);
    canvas.printAt(InstructionLeft, T + InstructionTop, drill.state.Instruction);

    const QString text = expression.text();
    canvas.printAt(ExpressionLeft, T + ExpressionTop, text);
    // Decimals make the line longer than whole numbers do; the box follows.
    const int width = canvas.textWidth(text);
    drill.controls.answerBox(place.row - 1).moveTo(ExpressionLeft + width + AnswerGap, T + AnswerTop);
    return text;
}

} // namespace pomuru
