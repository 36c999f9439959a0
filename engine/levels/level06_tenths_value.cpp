// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 6: which decimal do some tenths make? The converse of level 5: a count
// of 1 to 90 tenths, answered with a decimal from 0.1 to 9.

#include "draws.h"

namespace pomuru {

namespace {
constexpr int PossibleAnswers = 90;  // 0.1 to 9
constexpr int RecentWindow = 19;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");

Problem drawTenthsValue(RandomWholes& random, const RecentAnswers& recent)
{
    return drawFreshCount(random, recent, PossibleAnswers, tenthsValue);
}

void paintTenthsValue(Canvas& canvas, const Problem& problem, int T)
{
    canvas.printAt(60, T + 120, QStringLiteral("0.1が ") + QString::number(problem.first)
                                    + QStringLiteral("こあつまった数は？"));
}
} // namespace

const Level TenthsValueLevel{
    6, u"L06 0.1が□このあたいはいくつでしょう。", AnswerWay::Typed, QStringView(), RecentWindow, drawTenthsValue, paintTenthsValue, answerAt<120, 166>};

} // namespace pomuru
