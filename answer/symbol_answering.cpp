// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// One of the symbols ＞, ＝ and ＜ chosen by a press on its box: the box
// turns red, the others white, and the symbol stands between the two
// numbers; the check reads the colour of the expected box.

#include "answering.h"

#include "engine/colors.h"
#include "engine/levels/answer_areas.h"

namespace pomuru {

namespace {

void chooseSymbol(Canvas& canvas, int top, float x, float y)
{
    const int chosen = symbols::boxAt(x, y, top);
    if (chosen < 0) {
        canvas.refresh();
        return;
    }
    canvas.setFillStyle(FillStyle::Solid);
    const QPoint square = symbols::answerSquare(top);
    canvas.filledBox(square.x(), square.y(), symbols::Size, symbols::Size, colors::white);
    canvas.setPenColor(colors::black);
    canvas.printAt(square.x(), square.y() + 2, symbols::boxes[std::size_t(chosen)].symbol);

    canvas.setFillColor(colors::red);
    const QPoint seed = symbols::seed(chosen, top);
    canvas.floodFill(seed.x(), seed.y());
    canvas.setFillColor(colors::white);
    for (int other = 0; other < int(symbols::boxes.size()); ++other) {
        if (other == chosen)
            continue;
        const QPoint otherSeed = symbols::seed(other, top);
        canvas.floodFill(otherSeed.x(), otherSeed.y());
    }
    canvas.refresh();
}

bool judgeChosen(Drill& drill, const RowToCheck& check)
{
    return judgeSymbol(drill.canvas(), check.top, check.value1, check.value2);
}

QList<QRect> symbolBoxes(int top)
{
    QList<QRect> all;
    for (const auto& box : symbols::boxes)
        all << QRect(box.left, top + symbols::Top, symbols::Size, symbols::Size);
    return all;
}

// A press just inside the box of the right symbol, or of one of the two others.
AnswerMoves pressSymbol(const Canvas&, const RowToCheck& row, bool right, RandomWholes& random)
{
    const int expected = symbols::between(row.value1, row.value2);
    const int box = right ? expected : (expected + 1 + random.draw(2)) % 3;
    return {{symbols::seed(box, row.top) + QPoint(3, 3)}, std::nullopt};
}

// The symbol keys, typed or committed by an input method, press the middle
// of their box.
KeyAction symbolKey(const RowKeyPress& key, int top, int&)
{
    if (isCheckKey(key.key))
        return {KeyAction::Check};
    static const QString typed[] = {QStringLiteral(">"), QStringLiteral("="), QStringLiteral("<")};
    for (int box = 0; box < int(symbols::boxes.size()); ++box) {
        if (key.text == typed[box] || key.text == symbols::boxes[std::size_t(box)].symbol)
            return {KeyAction::PressAt, symbolBoxes(top).at(box).center()};
    }
    return {};
}

QString chosenInWords(const Canvas& canvas, int top, int)
{
    for (int box = 0; box < int(symbols::boxes.size()); ++box) {
        const QPoint seed = symbols::seed(box, top);
        if (canvas.pixel(seed.x(), seed.y()) == colors::red)
            return QStringLiteral("えらんだ しるしは %1").arg(symbols::boxes[std::size_t(box)].symbol);
    }
    return QStringLiteral("しるしは まだ えらんでいません");
}

} // namespace

bool judgeSymbol(const Canvas& canvas, int top, float value1, float value2)
{
    const int expected = symbols::between(value1, value2);
    return canvas.pixel(symbols::seed(expected, top).x(), symbols::seed(expected, top).y()) == colors::red;
}

const Answering SymbolAnswering{AnswerWay::ChosenSymbol, chooseSymbol, alwaysReady, judgeChosen, keepAnswer,
                                      symbolBoxes, pressSymbol, symbolKey, chosenInWords};

} // namespace pomuru
