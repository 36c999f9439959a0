// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Problems chosen by the whole numbers a level draws, in its order of draws,
// so that no test needs to know how a level turns a random value into a
// number.

#include "fake_platform.h"

#include "engine/levels/level.h"

#include <QList>

#include <stdexcept>

namespace pomuru::testing {

// Whole numbers given in advance, with what the level asked for each.
class ScriptedWholes : public RandomWholes {
public:
    struct Ask {
        int count;
        int first;
        friend bool operator==(const Ask&, const Ask&) = default;
    };

    explicit ScriptedWholes(QList<int> wholes)
        : wholes_(std::move(wholes))
    {
    }
    int draw(int count, int first) override
    {
        if (wholes_.isEmpty())
            throw std::runtime_error("the level draws more numbers than the script holds");
        asked << Ask{count, first};
        return wholes_.takeFirst();
    }
    qsizetype left() const { return wholes_.size(); }

    QList<Ask> asked;

private:
    QList<int> wholes_;
};

// Scripts the fixture's platform so that the next problem of a row draws
// these whole numbers: the random values are found by letting the level draw
// from the script against the row's recent answers and noting what it asks.
// Works with any fixture that has state() and a FakePlatform `platform`.
template <class Fixture>
void scriptWholes(Fixture& fx, int row, const QList<int>& wholes)
{
    const Level* level = findLevel(fx.state().LevelNo);
    ScriptedWholes script(wholes);
    level->draw(script, fx.state().recentAnswers(row, fx.state().problemCount(row) + 1, level->window));
    if (script.left() != 0)
        throw std::runtime_error("the level draws fewer numbers than the script holds");
    for (int i = 0; i < script.asked.size(); ++i) {
        const auto [count, first] = script.asked[i];
        fx.platform.scriptedDraws.push_back((float(wholes[i] - first) + 0.5f) / float(count));
    }
}

} // namespace pomuru::testing
