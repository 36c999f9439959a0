// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "page.h"

#include "colors.h"
#include "levels/levels.h"

#include <array>

namespace pomuru {

namespace {

void drawFrame(Canvas& canvas, int top)
{
    canvas.roundRect(FrameLeft, top + FrameTop, FrameRight, top + FrameBottom, FrameCorner, FrameCorner);
}

using Generator = void (*)(Drill&, const ProblemPlace&);

// The generators by LevelNo - 1.
constexpr std::array<Generator, 10> generators{
    drawWaterProblem,      drawColouredTapeProblem, drawPaintTapeProblem,  drawNumberLineProblem,
    drawCountTenthsProblem, drawTenthsValueProblem, drawComparisonProblem, drawAdditionProblem,
    drawSubtractionProblem, drawMixedProblem,
};

QString markSymbol(float mark)
{
    if (mark == MarkRightFirst)
        return QStringLiteral("○");
    if (mark == MarkRightLater)
        return QStringLiteral("△");
    if (mark == MarkWrong)
        return QStringLiteral("×");
    return {};
}

} // namespace

int canvasForLevel(int level)
{
    return (level == 3 || level == 7) ? 1 : 0;
}

int rowsOnPage(int screenWidthPixels)
{
    return screenWidthPixels < 1000 ? 2 : 3;
}

void PageSetup(Drill& drill)
{
    DrillState& state = drill.state;
    state.CanvasIndex = std::int16_t(canvasForLevel(state.LevelNo));
    Canvas& canvas = drill.canvas();
    canvas.setPenColor(colors::white);
    canvas.setFillColor(colors::white);
    canvas.setFillStyle(FillStyle::Solid);
    for (int row = FirstRow; row <= rowsOnPage(state.ScreenWidthPixels); ++row)
        drawFrame(canvas, rowTop(row));
}

QString twoCharacterField(int x)
{
    const QString text = (x >= 0 ? QStringLiteral(" ") : QString()) + QString::number(x);
    return text.right(2);
}

QString statusLine(const DrillState& state, int row, int n)
{
    QString marks;
    if (n > 1) {
        const int first = n > 10 ? n - 9 : 1;
        for (int k = first; k <= n; ++k)
            marks += markSymbol(state.record(row, k, Mark));
    }
    return QStringLiteral("レベル") + twoCharacterField(state.LevelNo) + QStringLiteral(" (")
        + twoCharacterField(n) + QStringLiteral(")  せいせき：") + marks;
}

void DrawProblem(Drill& drill)
{
    DrillState& state = drill.state;
    const int row = state.ProblemRow;
    const int top = rowTop(row);
    Canvas& canvas = drill.canvas();

    canvas.setPenColor(colors::white);
    canvas.setFillColor(colors::white);
    canvas.setFillStyle(FillStyle::Solid);
    drawFrame(canvas, top);
    canvas.refresh();

    const int n = state.countNewProblem(row);

    canvas.openTranscript();
    canvas.setTextPosition(30, top + 75);
    canvas.setPenColor(colors::black);
    canvas.print(statusLine(state, row, n));

    if (state.LevelNo >= 1 && state.LevelNo <= int(generators.size()))
        generators[std::size_t(state.LevelNo - 1)](drill, ProblemPlace{row, top, n});
    state.RowTexts[row] = canvas.closeTranscript();

    AnswerBox& box = drill.controls.answerBox(row - 1);
    box.setBackColor(colors::pink);
    box.setText(QString());
}

} // namespace pomuru
