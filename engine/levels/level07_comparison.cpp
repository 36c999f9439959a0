// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 7: which of two decimals is bigger? The pupil answers by pressing
// one of the boxes of "＞", "＝" and "＜"; the press paints it red and the
// marking reads that colour back.

#include "answer_areas.h"
#include "generation.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int Numbers = 98;  // 0 to 9.7
// Only the second number is held against the row's recent first numbers.
constexpr int RecentWindow = 7;
const QString ComparisonInstruction = QStringLiteral("どちらが、大きいですか？");
const QString SymbolsText = QStringLiteral("＞　＝　＜");
constexpr int FirstLeft = 150;
constexpr int SecondLeft = 320;  // the gap between holds the chosen symbol
constexpr int NumbersTop = 205;  // below the row top T
constexpr int SymbolsLeft = 500;
constexpr int SymbolsTop = 160;
} // namespace

void drawComparisonProblem(Drill& drill, const ProblemPlace& place)
{
    DrillState& state = drill.state;
    Platform& platform = drill.platform;
    const int T = place.top;

    int first = 0;
    int second = 0;
    do {
        first = drawWhole(platform, Numbers);
        second = drawWhole(platform, Numbers);
        writeRecord(state, place, tenthsValue(first), tenthsValue(second));
    } while (state.isRecentAnswer(place.row, place.n, cappedWindow(RecentWindow, Numbers), tenthsValue(second)));

    Canvas& canvas = drill.canvas();
    // Outlines only: the boxes stay white inside until a press fills one.
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.setPenColor(colors::black);
    state.Instruction = ComparisonInstruction;
    canvas.printAt(80, T + 120, state.Instruction);
    canvas.printAt(FirstLeft, T + NumbersTop, TenthsText(first));
    canvas.printAt(SecondLeft, T + NumbersTop, TenthsText(second));
    canvas.printAt(SymbolsLeft, T + SymbolsTop, SymbolsText);
    // Each box must be closed in black all round: the press's flood fill
    // stops only there.
    for (const auto& symbolBox : symbols::boxes)
        canvas.box(symbolBox.left, T + symbols::Top, symbols::Size, symbols::Size, colors::black);
}

} // namespace pomuru
