// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 1: how many litres of water? Full one-litre vessels stand left of a
// partly filled one with a scale in tenths.

#include "generation.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int RecentWindow = 19;  // of 36 possible answers
constexpr int VesselSize = 120;
constexpr int PartVesselLeft = 450;
constexpr int TenthHeight = 12;
} // namespace

void drawWaterProblem(Drill& drill, const ProblemPlace& place)
{
    DrillState& state = drill.state;
    Platform& platform = drill.platform;
    const int T = place.top;

    int tenths = 0;
    int fullVessels = 0;
    float litres = 0;
    do {
        tenths = drawOneToNine(platform);
        fullVessels = drawWhole(platform, 4);
        litres = float(tenths / 10.0 + fullVessels);
    } while (state.isRecentAnswer(place.row, place.n, RecentWindow, litres));

    Canvas& canvas = drill.canvas();
    canvas.setFillStyle(FillStyle::Transparent);  // the outlines must not paint over the water
    for (int k = 1; k <= fullVessels; ++k) {
        const int left = PartVesselLeft - 125 * k;  // 5-pixel gaps, lined up leftwards
        canvas.filledBox(left, T + 110, VesselSize, VesselSize, colors::cyan);
        canvas.box(left, T + 110, VesselSize, VesselSize, colors::black);
    }
    canvas.filledBox(PartVesselLeft, T + 230, VesselSize, -TenthHeight * tenths, colors::cyan);
    for (int k = 1; k <= 10; ++k)
        canvas.line(PartVesselLeft, T + 110 + TenthHeight * k, 10, 0, colors::black);
    canvas.box(PartVesselLeft, T + 110, VesselSize, VesselSize, colors::black);

    writeRecord(state, place, litres);
    canvas.printAt(700, T + 150, QStringLiteral("ﾘｯﾄﾙ"));
    drill.controls.answerBox(place.row - 1).moveTo(600, T + 143);
}

} // namespace pomuru
