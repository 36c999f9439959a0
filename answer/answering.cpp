// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "answering.h"

namespace pomuru {

const Answering& answeringOf(AnswerWay way)
{
    switch (way) {
    case AnswerWay::PaintedTape:
        return TapeAnswering;
    case AnswerWay::ChosenSymbol:
        return SymbolAnswering;
    case AnswerWay::Typed:
        break;
    }
    return TypedAnswering;
}

const Answering& answeringOf(const DrillState& state)
{
    const Level* level = findLevel(state.LevelNo);
    return answeringOf(level != nullptr ? level->answering : AnswerWay::Typed);
}

} // namespace pomuru
