// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "expression.h"

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

float calculationAnswer(const Problem& problem)
{
    const int tenths = problem.subtraction ? problem.first - problem.second : problem.first + problem.second;
    return float(tenths / 10.0);
}

QString calculationText(const Problem& problem)
{
    return TenthsText(problem.first) + (problem.subtraction ? QStringLiteral(" - ") : QStringLiteral(" + "))
        + TenthsText(problem.second) + QStringLiteral(" =");
}

Problem drawCalculation(RandomWholes& random, const RecentAnswers& recent, void (*drawNumbers)(RandomWholes&, Problem&))
{
    Problem problem;
    do {
        drawNumbers(random, problem);
        problem.value1 = calculationAnswer(problem);
    } while (recent.contains(problem.value1));
    return problem;
}

void paintCalculation(Canvas& canvas, const Problem& problem, int T)
{
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.setPenColor(colors::black);
    canvas.printAt(InstructionLeft, T + InstructionTop, CalculationInstruction.toString());
    canvas.printAt(ExpressionLeft, T + ExpressionTop, calculationText(problem));
}

QPoint calculationAnswerPlace(const Canvas& canvas, const Problem& problem, int T)
{
    // Decimals make the line longer than whole numbers do; the box follows.
    const int width = canvas.textWidth(calculationText(problem));
    return QPoint(ExpressionLeft + width + AnswerGap, T + AnswerTop);
}

} // namespace pomuru
