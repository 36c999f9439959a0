// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 7: which of two decimals is bigger? The pupil answers by pressing
// one of the boxes of "＞", "＝" and "＜"; the press paints it red and the
// marking reads that colour back.

#include "answer_areas.h"
#include "draws.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int Numbers = 98;  // 0 to 9.7
// Only the second number is held against the row's recent first numbers.
constexpr int RecentWindow = cappedWindow(7, Numbers);
constexpr QStringView Instruction = u"どちらが、大きいですか？";
const QString SymbolsText = QStringLiteral("＞　＝　＜");
constexpr int FirstLeft = 150;
constexpr int SecondLeft = 320;  // the gap between holds the chosen symbol
constexpr int NumbersTop = 205;  // below the row top T
constexpr int SymbolsLeft = 500;
constexpr int SymbolsTop = 160;

Problem drawComparison(RandomWholes& random, const RecentAnswers& recent)
{
    Problem problem;
    do {
        problem.first = random.draw(Numbers);
        problem.second = random.draw(Numbers);
    } while (recent.contains(tenthsValue(problem.second)));
    problem.value1 = tenthsValue(problem.first);
    problem.value2 = tenthsValue(problem.second);
    return problem;
}

void paintComparison(Canvas& canvas, const Problem& problem, int T)
{
    // Outlines only: the boxes stay white inside until a press fills one.
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.setPenColor(colors::black);
    canvas.printAt(80, T + 120, Instruction.toString());
    canvas.printAt(FirstLeft, T + NumbersTop, TenthsText(problem.first));
    canvas.printAt(SecondLeft, T + NumbersTop, TenthsText(problem.second));
    canvas.printAt(SymbolsLeft, T + SymbolsTop, SymbolsText);
    // Each box must be closed in black all round: the press's flood fill
    // stops only there.
    for (const auto& symbolBox : symbols::boxes)
        canvas.box(symbolBox.left, T + symbols::Top, symbols::Size, symbols::Size, colors::black);
}
} // namespace

// Answered by the symbol boxes: the answer box is not this canvas's and stays where it is.
const Level ComparisonLevel{
    7, u"L07 どちらが　大きい？", AnswerWay::ChosenSymbol, Instruction, RecentWindow, drawComparison, paintComparison, nullptr};

} // namespace pomuru
