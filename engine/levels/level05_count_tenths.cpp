// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 5: how many tenths make a decimal from 0.1 to 4? The answer is a
// whole number.

#include "draws.h"

namespace pomuru {

namespace {
constexpr int PossibleAnswers = 40;  // 1 to 40 tenths
constexpr int RecentWindow = 19;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");

Problem drawCountTenths(RandomWholes& random, const RecentAnswers& recent)
{
    return drawFreshCount(random, recent, PossibleAnswers, [](int tenths) { return float(tenths); });
}

void paintCountTenths(Canvas& canvas, const Problem& problem, int T)
{
    // The leading blank stands where a sign would go.
    canvas.printAt(60, T + 120, QStringLiteral(" ") + TenthsText(problem.first)
                                    + QStringLiteral("は、0.1がいくつあつまった数ですか。"));
}
} // namespace

const Level CountTenthsLevel{
    5, u"L05 0.1をいくつあつめた数", AnswerWay::Typed, QStringView(), RecentWindow, drawCountTenths, paintCountTenths, answerAt<120, 166>};

} // namespace pomuru
