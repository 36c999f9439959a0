// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The drill by keys alone, through the real window offscreen: keys go to
// whatever holds the focus, as the platform delivers them. Every level from
// the menu to a ○, a △ and a × and back; Tab between the rows; Escape on the
// page and on the menu; and the outlines of the focus, which appear only
// once a key has been used and never go into the canvas's image.

#include "support/rows.h"
#include "support/window_fixture.h"

#include "app/accessibility.h"
#include "engine/levels/level.h"

#include <QApplication>
#include <QTest>

#include <cmath>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

const QString DrillDoneQuestion = QStringLiteral("みなさん　おわりましたか？");
const QString EndProgramQuestion = QStringLiteral("「ポムル」を　終わります。");
constexpr QRgb Navy = qRgb(0, 0, 128);

QWidget* focused(WindowFixture& fx)
{
    QWidget* focus = fx.window->focusWidget();
    return focus != nullptr ? focus : fx.window.get();
}

void key(WindowFixture& fx, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClick(focused(fx), key, modifiers);
}

void typeText(WindowFixture& fx, const QString& text)
{
    QTest::keyClicks(focused(fx), text);
}

QString spoken(WindowFixture& fx)
{
    return fx.window->findChild<Announcer*>()->accessibleName();
}

// Leaves the right answer of row 1's problem, or a wrong one, by keys, and
// checks it with Return: typed into the box; painted cell by cell with the
// cursor from the left; or the symbol's key.
void answerByKeys(WindowFixture& fx, bool right)
{
    const RowToCheck problem = rowToCheck(fx.state(), 1);
    switch (findLevel(fx.state().LevelNo)->answering) {
    case AnswerWay::Typed: {
        FirstChoice first;
        typeText(fx, *answeringOf(fx.state()).moves(fx.canvas(), problem, right, first).typed);
        break;
    }
    case AnswerWay::PaintedTape: {
        // A run from the left of the right length, or one cell longer.
        const int wanted = int(std::lround(problem.value1 * 10)) + (right ? 0 : 1);
        key(fx, Qt::Key_Home);
        for (int cell = 0; cell < 10; ++cell) {
            if (redCells(fx, 1).contains(cell) != (cell < wanted))
                key(fx, Qt::Key_Space);
            key(fx, Qt::Key_Right);
        }
        QCOMPARE(redCells(fx, 1).size(), wanted);
        break;
    }
    case AnswerWay::ChosenSymbol: {
        const float left = problem.value1;
        const float rightNumber = problem.value2;
        const int between = left > rightNumber ? Greater : left == rightNumber ? Equal : Less;
        const int chosen = right ? between : (between + 1) % 3;
        typeText(fx, QString(QStringLiteral(">=<").at(chosen)));
        QCOMPARE(redSymbols(fx, 1), QList<int>{chosen});
        break;
    }
    }
    key(fx, Qt::Key_Return);
}

bool onMenu(WindowFixture& fx)
{
    return fx.control<QWidget>("Picture7", 0)->isVisible();
}

// A point of the canvas on the screen (the widget as drawn, its outlines
// included) and in the canvas's own image.
QRgb shownPixel(WindowFixture& fx, QPoint at)
{
    return fx.control<CanvasWidget>("Picture1", fx.state().CanvasIndex)->grab().toImage().pixel(at);
}

// The left edge of row 1's outline, and the inside of tape cell 0 near its
// top-left corner, where the cell cursor stands.
constexpr QPoint RowOutlineEdge{16, 150};
constexpr QPoint CellCursorEdge{84, 240};

double luminance(QRgb colour)
{
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) + 0.0722 * channel(qBlue(colour));
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aWholeLevelByKeysAlone_data();
    void aWholeLevelByKeysAlone();
    void outlinesShowOnlyOnceAKeyIsUsed();
    void outlinesStandOutFromWhatIsNextToThem_data();
    void outlinesStandOutFromWhatIsNextToThem();
};

void TestKeyboard::aWholeLevelByKeysAlone_data()
{
    QTest::addColumn<int>("level");
    for (int level = 1; level <= LevelCount; ++level)
        QTest::addRow("level %d", level) << level;
}

void TestKeyboard::aWholeLevelByKeysAlone()
{
    QFETCH(int, level);
    WindowFixture fx;

    // The menu: the first option holds the focus; Space chooses it, the
    // arrows the next ones; Return is "けってい", which puts the keyboard on row 1.
    QCOMPARE(focused(fx), fx.control<QWidget>("Option2", 0));
    key(fx, Qt::Key_Space);
    for (int i = 1; i < level; ++i)
        key(fx, Qt::Key_Down);
    QCOMPARE(fx.state().LevelNo, level);
    key(fx, Qt::Key_Return);
    QVERIFY(!onMenu(fx));
    QCOMPARE(fx.window->focusedRow(), 1);

    // Return starts row 1, as a press on its frame does, and its problem is said.
    key(fx, Qt::Key_Return);
    QVERIFY(fx.state().rowStarted(1));
    QCOMPARE(fx.state().problemCount(1), 1);
    QVERIFY2(spoken(fx).startsWith(QStringLiteral("レベル%1 ( 1)").arg(level, 2)), qPrintable(spoken(fx)));

    // ○: right at once. △: wrong, then right. ×: wrong three times.
    answerByKeys(fx, true);
    QCOMPARE(fx.state().record(1, 1, Mark), MarkRightFirst);
    QVERIFY2(spoken(fx).startsWith(QStringLiteral("せいかい。レベル%1 ( 2)").arg(level, 2)), qPrintable(spoken(fx)));
    answerByKeys(fx, false);
    QVERIFY2(spoken(fx).startsWith(QStringLiteral("まちがい。レベル%1 ( 2)").arg(level, 2)), qPrintable(spoken(fx)));
    answerByKeys(fx, true);
    QCOMPARE(fx.state().record(1, 2, Mark), MarkRightLater);
    for (int attempt = 0; attempt < 3; ++attempt)
        answerByKeys(fx, false);
    QCOMPARE(fx.state().record(1, 3, Mark), MarkWrong);
    QCOMPARE(fx.state().problemCount(1), 4);
    QVERIFY2(spoken(fx).startsWith(QStringLiteral("まちがい。レベル%1 ( 4)  せいせき：○△×").arg(level, 2)),
             qPrintable(spoken(fx)));
    QCOMPARE(fx.platform.messages, QStringList());

    // Tab goes to row 2, which Space starts; Shift+Tab comes back to row 1.
    key(fx, Qt::Key_Tab);
    QCOMPARE(fx.window->focusedRow(), 2);
    key(fx, Qt::Key_Space);
    QVERIFY(fx.state().rowStarted(2));
    key(fx, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(fx.window->focusedRow(), 1);

    // Escape is "終わる": answered no the page stays, answered yes the menu
    // comes back with the focus on the chosen level.
    fx.platform.answers = {false, true};
    key(fx, Qt::Key_Escape);
    QCOMPARE(fx.platform.questions, QStringList{DrillDoneQuestion});
    QVERIFY(!onMenu(fx));
    key(fx, Qt::Key_Escape);
    QVERIFY(onMenu(fx));
    QCOMPARE(focused(fx), fx.control<QWidget>("Option2", level - 1));

    // Escape on the menu is "おわり".
    fx.platform.answers = {true};
    key(fx, Qt::Key_Escape);
    QCOMPARE(fx.platform.questions.last(), EndProgramQuestion);
    QVERIFY(fx.platform.ended);
}

void TestKeyboard::outlinesShowOnlyOnceAKeyIsUsed()
{
    WindowFixture fx;
    const auto optionShowsOutline = [&] {
        QWidget* option = focused(fx);
        return option->grab().toImage().pixel(1, option->height() / 2) == Navy;
    };

    // A pupil with the mouse: a level, a row, a painted cell; no outline.
    fx.openLevel(3);
    startRow(fx, 1, {5});
    paintCell(fx, 1, 0);
    QCOMPARE(shownPixel(fx, RowOutlineEdge), fx.pixel(RowOutlineEdge.x(), RowOutlineEdge.y()));
    QCOMPARE(shownPixel(fx, CellCursorEdge), colors::red);
    fx.platform.answers = {true};
    fx.click(fx.control<ColourButton>("Command8", 1));
    QVERIFY(!optionShowsOutline());

    // The first key that moves the focus shows the focused option's outline
    // and, on the page, the row's and the tape cursor's.
    QCOMPARE(focused(fx), fx.control<QWidget>("Option2", 2));
    key(fx, Qt::Key_Down);
    QVERIFY(optionShowsOutline());
    key(fx, Qt::Key_Up);
    QCOMPARE(fx.state().LevelNo, 3);
    key(fx, Qt::Key_Return);
    key(fx, Qt::Key_Return);
    QCOMPARE(shownPixel(fx, RowOutlineEdge), Navy);
    QCOMPARE(shownPixel(fx, CellCursorEdge), Navy);
    // Over the image, never in it: the probes and the fills read the image.
    QCOMPARE(fx.pixel(RowOutlineEdge.x(), RowOutlineEdge.y()), colors::lightYellow);
    QCOMPARE(fx.pixel(CellCursorEdge.x(), CellCursorEdge.y()), colors::white);

    // The cursor moves on, and the outline follows the focus to row 2.
    key(fx, Qt::Key_End);
    QCOMPARE(shownPixel(fx, CellCursorEdge), colors::white);
    QCOMPARE(shownPixel(fx, CellCursorEdge + QPoint(9 * 50, 0)), Navy);
    key(fx, Qt::Key_Tab);
    QCOMPARE(shownPixel(fx, RowOutlineEdge), colors::lightYellow);
    QCOMPARE(shownPixel(fx, RowOutlineEdge + QPoint(0, RowsApart)), Navy);
}

void TestKeyboard::outlinesStandOutFromWhatIsNextToThem_data()
{
    QTest::addColumn<QRgb>("neighbour");
    QTest::newRow("canvas") << colors::lightYellow;
    QTest::newRow("level panel") << colors::paleBlue;
    QTest::newRow("white cell") << colors::white;
    QTest::newRow("painted cell") << colors::red;
    QTest::newRow("water") << colors::cyan;
}

void TestKeyboard::outlinesStandOutFromWhatIsNextToThem()
{
    QFETCH(QRgb, neighbour);
    const double lighter = std::max(luminance(OutlineColour), luminance(neighbour));
    const double darker = std::min(luminance(OutlineColour), luminance(neighbour));
    QVERIFY((lighter + 0.05) / (darker + 0.05) >= 3.0);
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
