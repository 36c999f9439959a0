// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 1: how many litres of water? Full one-litre vessels stand left of a
// partly filled one with a scale in tenths.

#include "draws.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int FullVesselsAtMost = 3;
constexpr int RecentWindow = 19;  // of 36 possible answers
constexpr int VesselSize = 120;
constexpr int PartVesselLeft = 450;
constexpr int TenthHeight = 12;

// The tenths first, then the full vessels, both again while the litres
// repeat a recent answer.
Problem drawWater(RandomWholes& random, const RecentAnswers& recent)
{
    Problem problem;
    do {
        problem.first = drawOneTo(random, 9);
        problem.second = random.draw(FullVesselsAtMost + 1);
        problem.value1 = float(problem.first / 10.0 + problem.second);
    } while (recent.contains(problem.value1));
    return problem;
}

void paintWater(Canvas& canvas, const Problem& problem, int T)
{
    canvas.setFillStyle(FillStyle::Transparent);  // the outlines must not paint over the water
    for (int k = 1; k <= problem.second; ++k) {
        const int left = PartVesselLeft - 125 * k;  // 5-pixel gaps, lined up leftwards
        canvas.filledBox(left, T + 110, VesselSize, VesselSize, colors::cyan);
        canvas.box(left, T + 110, VesselSize, VesselSize, colors::black);
    }
    canvas.filledBox(PartVesselLeft, T + 230, VesselSize, -TenthHeight * problem.first, colors::cyan);
    for (int k = 1; k <= 10; ++k)
        canvas.line(PartVesselLeft, T + 110 + TenthHeight * k, 10, 0, colors::black);
    canvas.box(PartVesselLeft, T + 110, VesselSize, VesselSize, colors::black);
    // The unit stands just right of the answer box.
    canvas.printAt(700, T + 150, QStringLiteral("ﾘｯﾄﾙ"));
}
// The full vessels, and the mark of ten the water reaches in the last one:
// the picture as counted, not the litres it makes.
QString describeWater(const Problem& problem)
{
    const QString full = problem.second == 0
        ? QStringLiteral("水が いっぱいの 1ﾘｯﾄﾙの いれものは ありません。")
        : QStringLiteral("水が いっぱいの 1ﾘｯﾄﾙの いれものが %1こ あります。").arg(problem.second);
    return full + QStringLiteral("1ﾘｯﾄﾙの いれものに、10に 分けた 目もりの %1まで 水が 入っています。").arg(problem.first);
}
} // namespace

const Level WaterLevel{
    1, u"L01 水のかさは、何ﾘｯﾄﾙですか？", AnswerWay::Typed, QStringView(), RecentWindow, drawWater, paintWater, answerAt<600, 143>, describeWater};

} // namespace pomuru
