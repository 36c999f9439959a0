// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "page.h"

#include "colors.h"
#include "levels/level.h"

namespace pomuru {

namespace {

void drawFrame(Canvas& canvas, int top)
{
    canvas.roundRect(FrameLeft, top + FrameTop, FrameRight, top + FrameBottom, FrameCorner, FrameCorner);
}

// The level's own part of a problem: its numbers, its record, its picture
// and where the row's answer box goes.
void drawLevelProblem(Drill& drill, const Level& level, int row, int n)
{
    DrillState& state = drill.state;
    PlatformWholes random(drill.platform);
    const Problem problem = level.draw(random, state.recentAnswers(row, n, level.window));
    state.recordProblem(row, n, problem.value1, problem.value2);
    state.Instruction = level.instruction.toString();
    state.RowPictures[row] = level.picture != nullptr ? level.picture(problem) : QString();

    Canvas& canvas = drill.canvas();
    const int top = rowTop(row);
    level.paint(canvas, problem, top);
    if (level.answerPlace != nullptr) {
        const QPoint place = level.answerPlace(canvas, problem, top);
        drill.controls.answerBox(row - 1).moveTo(place.x(), place.y());
    }
}

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

int rowsOnPage(int screenWidthPixels)
{
    return screenWidthPixels < 1000 ? 2 : 3;
}

void PageSetup(Drill& drill)
{
    DrillState& state = drill.state;
    const Level* level = findLevel(state.LevelNo);
    state.CanvasIndex = std::int16_t(level != nullptr ? answerCanvas(level->answering) : 0);
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

void DrawProblem(Drill& drill, int row)
{
    Q_ASSERT(row >= FirstRow && row <= LastRow);
    DrillState& state = drill.state;
    const int top = rowTop(row);
    Canvas& canvas = drill.canvas();

    canvas.setPenColor(colors::white);
    canvas.setFillColor(colors::white);
    canvas.setFillStyle(FillStyle::Solid);
    drawFrame(canvas, top);
    canvas.refresh();

    const int n = state.countNewProblem(row);

    canvas.openTranscript();
    const QPoint status = statusLineOrigin(row);
    canvas.setTextPosition(status.x(), status.y());
    canvas.setPenColor(colors::black);
    canvas.print(statusLine(state, row, n));

    if (const Level* level = findLevel(state.LevelNo))
        drawLevelProblem(drill, *level, row, n);
    state.RowTexts[row] = canvas.closeTranscript();

    AnswerBox& box = drill.controls.answerBox(row - 1);
    box.setBackColor(colors::pink);
    box.setText(QString());
}

} // namespace pomuru
