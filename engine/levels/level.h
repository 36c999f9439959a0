// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// A level is three plain steps and a few facts. It draws a problem at random
// (numbers only, no canvas), paints that problem into a row of the canvas, and
// says where the row's answer box goes; its entry in the table of levels adds
// its caption in the level menu, its way of being answered, its instruction
// line and how many recent answers of a row a new problem must not repeat.

#include "../canvas.h"

#include <array>

#include <QPoint>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <initializer_list>

namespace pomuru {

class Platform;

// One problem as drawn. What the numbers mean depends on the level:
//  1      first: tenths of a litre in the partly filled vessel, second: full vessels
//  2 to 6 first: the count of tenths asked about
//  7      first and second: the left and the right number, in tenths
//  8 to 10 first and second: the two numbers in tenths, and the operation
struct Problem {
    int first = 0;
    int second = 0;
    bool subtraction = false;
    // What the problem's record keeps: Value1 is the answer (level 7: the
    // left number), Value2 is level 7's right number and 0 elsewhere.
    float value1 = 0;
    float value2 = 0;

    friend bool operator==(const Problem&, const Problem&) = default;
};

// The randomness of a level: whole numbers, each drawn from a fresh uniform
// r as Int(count × r + first), so from `first` to `first + count - 1`.
class RandomWholes {
public:
    virtual ~RandomWholes() = default;
    virtual int draw(int count, int first = 0) = 0;
};

// The whole numbers of the program's random generator.
class PlatformWholes : public RandomWholes {
public:
    explicit PlatformWholes(Platform& platform)
        : platform_(platform)
    {
    }
    int draw(int count, int first = 0) override;

private:
    Platform& platform_;
};

// The answers (Value1) of the row's last few problems, which a new problem
// must not repeat.
class RecentAnswers {
public:
    RecentAnswers() = default;
    RecentAnswers(std::initializer_list<float> answers)
        : answers_(answers)
    {
    }
    void add(float answer) { answers_.append(answer); }
    bool contains(float answer) const { return answers_.contains(answer); }
    qsizetype size() const { return answers_.size(); }

private:
    // No level looks further back than 27 problems.
    QVarLengthArray<float, 27> answers_;
};

// The ways a pupil answers a problem: a number typed into the row's answer
// box, cells painted on a tape, or one of three symbols chosen. What a way
// does with presses, how it judges and how a right answer is given is the
// answering code's (answer/answering.h); the engine needs only its canvas.
enum class AnswerWay { Typed, PaintedTape, ChosenSymbol };

// The canvas a way of answering is done on: typed answers on canvas 0, which
// has the answer boxes and keypads; presses on canvas 1, which has neither.
constexpr int answerCanvas(AnswerWay way) { return way == AnswerWay::Typed ? 0 : 1; }

// An entry of the table of levels; each level file defines its own, in the
// order of the fields below.
struct Level {
    int number;
    // The level's option in the level menu.
    QStringView caption;
    AnswerWay answering;
    // The instruction line the level prints, empty where it prints none.
    QStringView instruction;
    // How many of the row's recent answers a new problem must not repeat;
    // always fewer than the level's possible answers, so a fresh one exists.
    int window;

    Problem (*draw)(RandomWholes& random, const RecentAnswers& recent);
    // Paints the problem into the row whose top is `top`. The canvas comes
    // with the pen black, the fill white and solid, and the font at 24 pt.
    void (*paint)(Canvas& canvas, const Problem& problem, int top);
    // Where the row's answer box goes, in canvas pixels; null where the level
    // leaves the box alone.
    QPoint (*answerPlace)(const Canvas& canvas, const Problem& problem, int top);
    // What the problem's picture shows, in words for a pupil who cannot see
    // it, without the answer's decimal; null where the printed texts say
    // all there is.
    QString (*picture)(const Problem& problem) = nullptr;
};

// An answer place at a fixed spot of the row: (Left, T + Top).
template <int Left, int Top>
QPoint answerAt(const Canvas&, const Problem&, int top)
{
    return QPoint(Left, top + Top);
}

// The levels, defined with their own files.
extern const Level WaterLevel;          // 1: water in litre vessels
extern const Level ColouredTapeLevel;   // 2: a coloured 1 m tape
extern const Level PaintTapeLevel;      // 3: painting a length
extern const Level NumberLineLevel;     // 4: a number line
extern const Level CountTenthsLevel;    // 5: tenths in a decimal
extern const Level TenthsValueLevel;    // 6: the decimal of some tenths
extern const Level ComparisonLevel;     // 7: comparing
extern const Level AdditionLevel;       // 8: adding
extern const Level SubtractionLevel;    // 9: subtracting
extern const Level MixedLevel;          // 10: adding and subtracting

// The table of levels in the order of their numbers, which start at 1.
inline constexpr auto Levels = std::to_array<const Level*>({
    &WaterLevel, &ColouredTapeLevel, &PaintTapeLevel, &NumberLineLevel, &CountTenthsLevel,
    &TenthsValueLevel, &ComparisonLevel, &AdditionLevel, &SubtractionLevel, &MixedLevel,
});
inline constexpr int LevelCount = int(Levels.size());

// The level of a LevelNo, or null for 0 and anything outside the table.
const Level* findLevel(int number);

// The text of a count of tenths (0 to 98) as a decimal without blank, sign or
// trailing zero: 0, 0.3, 1.5, 2.
QString TenthsText(int tenths);

} // namespace pomuru
