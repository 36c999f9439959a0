// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 4: read the number line. A line from 0 to 4 with a tick every tenth
// and a longer one every half; a red arrow points up at one tenth.

#include "draws.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int PossibleAnswers = 39;  // 0.1 to 3.9
constexpr int RecentWindow = 7;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");
constexpr QStringView Instruction = u"小数で読みましょう。";

constexpr int LineLeft = 80;  // value 0; value 4 stands at 580
constexpr int LineLength = 500;
constexpr double TenthWidth = 12.5;
constexpr double HalfWidth = 62.5;
constexpr int EndMarkTop = 200;  // below the row top; the base line is at 215
constexpr int BaseLine = 215;

// Tenths 1 to 39 as Int(40 r + 1), drawn again when that comes out as 40.
Problem drawNumberLine(RandomWholes& random, const RecentAnswers& recent)
{
    return drawFreshTenths(random, recent, PossibleAnswers);
}

void paintLine(Canvas& canvas, int T)
{
    // Drawn with the solid white fill the row comes with: the box's inside
    // does not show on the white row. Its top edge is then wiped, which leaves
    // the base line with an end mark standing up at each end.
    canvas.box(LineLeft, T + EndMarkTop, LineLength, BaseLine - EndMarkTop, colors::black);
    canvas.line(LineLeft, T + EndMarkTop, LineLength, 0, colors::white);
    for (int k = 1; k <= 40; ++k)
        canvas.line(LineLeft + TenthWidth * k, T + 205, 0, 10, colors::black);
    for (int k = 1; k <= 8; ++k)
        canvas.line(LineLeft + HalfWidth * k, T + EndMarkTop, 0, 15, colors::black);
}

void paintNumberLine(Canvas& canvas, const Problem& problem, int T)
{
    paintLine(canvas, T);
    const char* const labels[] = {"0", "1", "2", "3", "4"};
    const int labelLeft[] = {73, 197, 322, 447, 572};  // 7 or 8 pixels left of the unit marks
    for (int unit = 0; unit <= 4; ++unit) {
        canvas.setPenColor(colors::black);
        canvas.printAt(labelLeft[unit], T + 170, QString::fromLatin1(labels[unit]));
    }

    const double arrowX = LineLeft + TenthWidth * problem.first;
    canvas.line(arrowX, T + BaseLine, 0, 10, colors::red);
    canvas.line(arrowX, T + BaseLine, 4, 4, colors::red);
    canvas.line(arrowX, T + BaseLine, -4, 4, colors::red);

    canvas.setPenColor(colors::black);
    canvas.printAt(80, T + 125, Instruction.toString());
}
// The arrow's mark counted from the labelled 0, and the labelled marks.
QString describeNumberLine(const Problem& problem)
{
    return QStringLiteral("数直線の 小さい目もりは、0から 4まで 40あります。0、10、20、30、40ばんめの 目もりに 0、1、2、3、4と 書いてあります。"
                          "やじるしは 0から 数えて %1ばんめの 目もりを さしています。")
        .arg(problem.first);
}
} // namespace

const Level NumberLineLevel{
    4, u"L04 数直線のあたいを読みましょう。", AnswerWay::Typed, Instruction, RecentWindow, drawNumberLine, paintNumberLine, answerAt<620, 170>, describeNumberLine};

} // namespace pomuru
