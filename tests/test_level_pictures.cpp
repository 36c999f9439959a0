// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// What each level paints for a problem made by hand, on a blank row: the
// texts it prints, in their order and at their places, where the answer box
// goes, its shapes (areas of one colour, as rows), and the water of level 1.

#include "support/printed_text.h"

#include "engine/colors.h"
#include "engine/fonts.h"
#include "engine/levels/expression.h"
#include "engine/levels/level.h"
#include "engine/page.h"

#include <QTest>

#include <optional>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// A text a level prints: where (y below the row top), at what size, and
// where drawing below it begins (0: nothing close below), which cuts the
// compared box.
struct Printed {
    int x;
    int y;
    QString text;
    double points = 24;
    int drawingBelow = 0;
};
using PrintedTexts = QList<Printed>;

// An area of a row (y below the row top) and how many of its pixels are of a
// colour.
struct Shape {
    QRect area;
    QRgb colour;
    int count;
};
using Shapes = QList<Shape>;

// The whole canvas, on which only the problem is painted.
constexpr QRect WholeCanvas;
// The inside of a tape cell, without its black edges.
constexpr int CellInside = 49 * 24;
QRect cellInside(int cell, int tapeTop) { return QRect(81 + 50 * cell, tapeTop + 1, 49, 24); }

// A tape of ten cells at tapeTop below the row top, its first `red` cells
// red: every cell's inside one colour, every edge black over it.
Shapes tapeShapes(int tapeTop, int red)
{
    Shapes shapes{{WholeCanvas, colors::red, red * CellInside},
                  {QRect(80, tapeTop, 501, 1), colors::black, 501},
                  {QRect(80, tapeTop + 25, 501, 1), colors::black, 501}};
    for (int cell = 0; cell < 10; ++cell)
        shapes << Shape{cellInside(cell, tapeTop), cell < red ? colors::red : colors::white, CellInside};
    for (int edge = 0; edge <= 10; ++edge)
        shapes << Shape{QRect(80 + 50 * edge, tapeTop, 1, 26), colors::black, 26};
    // The span marks rise from both ends of the tape towards the label.
    shapes << Shape{QRect(280, tapeTop - 15, 1, 1), colors::black, 1} << Shape{QRect(380, tapeTop - 15, 1, 1), colors::black, 1};
    return shapes;
}

// The arrow under the tenth at x: 11 pixels down from the base line and two
// 4-pixel barbs, and no other red.
Shapes arrowShapes(int x)
{
    return {{WholeCanvas, colors::red, 11 + 4 + 4},
            {QRect(x, 215, 1, 11), colors::red, 11},
            {QRect(x + 4, 219, 1, 1), colors::red, 1},
            {QRect(x - 4, 219, 1, 1), colors::red, 1}};
}

// The canvas of a level with a blank white row, as the page hands it to the
// level: pen black, fill white and solid, 24 pt.
Canvas blankPage(const Level& level)
{
    Canvas canvas(answerCanvas(level.answering) == 0 ? QSize(1009, 741) : QSize(1009, 737), colors::white, fonts::canvasFont());
    canvas.setPenColor(colors::black);
    canvas.setFillColor(colors::white);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.setFontPoints(24);
    return canvas;
}

Canvas painted(int level, const Problem& problem, int row)
{
    const Level& drawing = *findLevel(level);
    Canvas canvas = blankPage(drawing);
    drawing.paint(canvas, problem, rowTop(row));
    return canvas;
}

} // namespace

Q_DECLARE_METATYPE(pomuru::Problem)
Q_DECLARE_METATYPE(PrintedTexts)
Q_DECLARE_METATYPE(std::optional<QPoint>)
Q_DECLARE_METATYPE(Shapes)

class TestLevelPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textsOfEachLevel_data();
    void textsOfEachLevel();
    void answerPlaceOfEachLevel_data();
    void answerPlaceOfEachLevel();
    void shapesOfEachLevel_data();
    void shapesOfEachLevel();
    void waterShowsTheFullVesselsAndTheTenths_data();
    void waterShowsTheFullVesselsAndTheTenths();
};

void TestLevelPictures::textsOfEachLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("row");
    QTest::addColumn<PrintedTexts>("texts");

    QTest::newRow("1: the unit after the box")
        << 1 << Problem{3, 2, false, 2.3f, 0} << 2 << PrintedTexts{{700, 150, QStringLiteral("ﾘｯﾄﾙ")}};
    QTest::newRow("2: the metre's label, the instruction, the unit")
        << 2 << Problem{3, 0, false, 0.3f, 0} << 1
        << PrintedTexts{{300, 160, QStringLiteral("１ｍ"), 24, 190},
                        {80, 120, QStringLiteral("色をぬった長さは、何ｍですか。")},
                        {696, 174, QStringLiteral("ｍ")}};
    QTest::newRow("3: label, instruction, the small hint, the length to paint")
        << 3 << Problem{9, 0, false, 0.9f, 0} << 3
        << PrintedTexts{{300, 200, QStringLiteral("１ｍ"), 24, 230},
                        {80, 120, QStringLiteral("色をぬりましょう。")},
                        {80, 170, QStringLiteral("ていせい=まちがえたところをクリック"), 14},
                        {442, 155, QStringLiteral("0.9ｍ")}};
    QTest::newRow("4: the unit labels, then the instruction")
        << 4 << Problem{25, 0, false, 2.5f, 0} << 1
        << PrintedTexts{{73, 170, QStringLiteral("0"), 24, 200},  {197, 170, QStringLiteral("1"), 24, 200},
                        {322, 170, QStringLiteral("2"), 24, 200}, {447, 170, QStringLiteral("3"), 24, 200},
                        {572, 170, QStringLiteral("4"), 24, 200}, {80, 125, QStringLiteral("小数で読みましょう。")}};
    QTest::newRow("5: a blank where a sign would go")
        << 5 << Problem{15, 0, false, 15.0f, 0} << 2
        << PrintedTexts{{60, 120, QStringLiteral(" 1.5は、0.1がいくつあつまった数ですか。")}};
    QTest::newRow("5: a whole number")
        << 5 << Problem{40, 0, false, 40.0f, 0} << 1
        << PrintedTexts{{60, 120, QStringLiteral(" 4は、0.1がいくつあつまった数ですか。")}};
    QTest::newRow("6: the count of tenths")
        << 6 << Problem{90, 0, false, 9.0f, 0} << 3 << PrintedTexts{{60, 120, QStringLiteral("0.1が 90こあつまった数は？")}};
    QTest::newRow("7: instruction, both numbers, the symbols")
        << 7 << Problem{12, 0, false, 1.2f, 0.0f} << 2
        << PrintedTexts{{80, 120, QStringLiteral("どちらが、大きいですか？")},
                        {150, 205, QStringLiteral("1.2")},
                        {320, 205, QStringLiteral("0")},
                        {500, 160, QStringLiteral("＞　＝　＜"), 24, 157}};
    QTest::newRow("8: instruction, then the sum")
        << 8 << Problem{3, 15, false, 1.8f, 0} << 1
        << PrintedTexts{{80, 120, QStringLiteral("次の計算をしましょう。")}, {150, 160, QStringLiteral("0.3 + 1.5 =")}};
    QTest::newRow("9: whole numbers without a point")
        << 9 << Problem{10, 0, true, 1.0f, 0} << 3
        << PrintedTexts{{80, 120, QStringLiteral("次の計算をしましょう。")}, {150, 160, QStringLiteral("1 - 0 =")}};
    QTest::newRow("10: a subtraction")
        << 10 << Problem{18, 9, true, 0.9f, 0} << 2
        << PrintedTexts{{80, 120, QStringLiteral("次の計算をしましょう。")}, {150, 160, QStringLiteral("1.8 - 0.9 =")}};
}

void TestLevelPictures::textsOfEachLevel()
{
    QFETCH(int, level);
    QFETCH(Problem, problem);
    QFETCH(int, row);
    QFETCH(PrintedTexts, texts);
    const Level& drawing = *findLevel(level);
    const int top = rowTop(row);
    Canvas canvas = blankPage(drawing);
    canvas.openTranscript();
    drawing.paint(canvas, problem, top);

    QStringList inOrder;
    for (const Printed& printed : texts)
        inOrder << printed.text;
    QCOMPARE(canvas.closeTranscript(), inOrder);
    for (const Printed& printed : texts) {
        const QRect above = printed.drawingBelow != 0 ? QRect(0, 0, canvas.size().width(), top + printed.drawingBelow)
                                                      : QRect();
        const Margin margin = printed.drawingBelow != 0 ? Margin::None : Margin::OneCharacter;
        QVERIFY2(textMismatches(canvas, printed.x, top + printed.y, printed.text, printed.points, margin, above) == 0,
                 qPrintable(printed.text));
    }
    // The next status line is printed at 24 pt, whatever the level printed last.
    QCOMPARE(canvas.fontPoints(), 24.0);
}

void TestLevelPictures::answerPlaceOfEachLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("row");
    QTest::addColumn<std::optional<QPoint>>("place");
    QTest::addColumn<QString>("before");

    const std::optional<QPoint> none;
    QTest::newRow("1") << 1 << Problem{3, 2, false, 2.3f, 0} << 2 << std::optional(QPoint(600, 220 + 143)) << QString();
    QTest::newRow("2") << 2 << Problem{3, 0, false, 0.3f, 0} << 1 << std::optional(QPoint(600, 170)) << QString();
    QTest::newRow("3: moved though never read") << 3 << Problem{3, 0, false, 0.3f, 0} << 3
                                                << std::optional(QPoint(600, 440 + 143)) << QString();
    QTest::newRow("4") << 4 << Problem{25, 0, false, 2.5f, 0} << 1 << std::optional(QPoint(620, 170)) << QString();
    QTest::newRow("5") << 5 << Problem{15, 0, false, 15.0f, 0} << 2 << std::optional(QPoint(120, 220 + 166)) << QString();
    QTest::newRow("6") << 6 << Problem{90, 0, false, 9.0f, 0} << 1 << std::optional(QPoint(120, 166)) << QString();
    QTest::newRow("7: left alone") << 7 << Problem{12, 3, false, 1.2f, 0.3f} << 1 << none << QString();
    // The calculation levels put the box 10 pixels after the expression.
    QTest::newRow("8") << 8 << Problem{3, 15, false, 1.8f, 0} << 1 << std::optional(QPoint(160, 155))
                       << QStringLiteral("0.3 + 1.5 =");
    QTest::newRow("9") << 9 << Problem{10, 0, true, 1.0f, 0} << 3 << std::optional(QPoint(160, 440 + 155))
                       << QStringLiteral("1 - 0 =");
    QTest::newRow("10") << 10 << Problem{18, 9, true, 0.9f, 0} << 2 << std::optional(QPoint(160, 220 + 155))
                        << QStringLiteral("1.8 - 0.9 =");
}

void TestLevelPictures::answerPlaceOfEachLevel()
{
    QFETCH(int, level);
    QFETCH(Problem, problem);
    QFETCH(int, row);
    QFETCH(std::optional<QPoint>, place);
    QFETCH(QString, before);
    const Level& drawing = *findLevel(level);
    const Canvas canvas = blankPage(drawing);
    if (!place) {
        QVERIFY(drawing.answerPlace == nullptr);
        return;
    }
    QVERIFY(drawing.answerPlace != nullptr);
    const QPoint expected = *place + QPoint(canvas.textWidth(before), 0);
    QCOMPARE(drawing.answerPlace(canvas, problem, rowTop(row)), expected);
}

void TestLevelPictures::shapesOfEachLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("row");
    QTest::addColumn<Shapes>("shapes");

    QTest::newRow("2: t=1 colours only the first cell") << 2 << Problem{1, 0, false, 0.1f, 0} << 1 << tapeShapes(190, 1);
    QTest::newRow("2: t=5 in row 2") << 2 << Problem{5, 0, false, 0.5f, 0} << 2 << tapeShapes(190, 5);
    QTest::newRow("2: t=9 leaves the last cell white, row 3") << 2 << Problem{9, 0, false, 0.9f, 0} << 3 << tapeShapes(190, 9);
    QTest::newRow("3: the tape starts white") << 3 << Problem{9, 0, false, 0.9f, 0} << 2 << tapeShapes(230, 0);

    // The arrow stands at 80 + 12.5 t, half a pixel to the even side.
    QTest::newRow("4: t=1, 92.5 to 92") << 4 << Problem{1, 0, false, 0.1f, 0} << 1 << arrowShapes(92);
    QTest::newRow("4: t=3, 117.5 to 118") << 4 << Problem{3, 0, false, 0.3f, 0} << 1 << arrowShapes(118);
    QTest::newRow("4: t=10 under the 1") << 4 << Problem{10, 0, false, 1.0f, 0} << 2 << arrowShapes(205);
    QTest::newRow("4: t=20 under the 2") << 4 << Problem{20, 0, false, 2.0f, 0} << 1 << arrowShapes(330);
    QTest::newRow("4: t=30 under the 3, row 3") << 4 << Problem{30, 0, false, 3.0f, 0} << 3 << arrowShapes(455);
    QTest::newRow("4: t=39, 567.5 to 568") << 4 << Problem{39, 0, false, 3.9f, 0} << 1 << arrowShapes(568);
    QTest::newRow("4: the line, its ticks and end marks") << 4 << Problem{1, 0, false, 0.1f, 0} << 2 << Shapes{
        // The base line, except where the arrow touches it.
        {QRect(80, 215, 501, 1), colors::black, 500},
        // The box's top edge is gone: only half ticks 1 to 7 between the end marks.
        {QRect(81, 200, 499, 1), colors::black, 7},
        // The end marks stand 15 pixels above the base line; the tick at k = 40
        // and the half tick at k = 8 meet the right one.
        {QRect(80, 200, 1, 16), colors::black, 15},
        {QRect(80, 200, 1, 1), colors::white, 1},
        {QRect(580, 200, 1, 16), colors::black, 16},
        {QRect(581, 200, 10, 26), colors::black, 0},
        // A tenth tick is 10 pixels high, a half tick 15; 142.5 rounds to 142.
        {QRect(105, 200, 1, 16), colors::black, 11},
        {QRect(142, 200, 1, 16), colors::black, 16},
        {QRect(143, 200, 1, 16), colors::black, 1},
        // Forty tenth ticks and the left end mark cross the row above the base line.
        {QRect(80, 210, 501, 1), colors::black, 41},
    };

    Shapes boxes{{WholeCanvas, colors::red, 0}};
    for (const int left : {494, 560, 626}) {
        // Closed in black all round, white inside until a press fills one.
        boxes << Shape{QRect(left, 157, 41, 1), colors::black, 41} << Shape{QRect(left, 197, 41, 1), colors::black, 41}
              << Shape{QRect(left, 157, 1, 41), colors::black, 41} << Shape{QRect(left + 40, 157, 1, 41), colors::black, 41}
              << Shape{QRect(left + 2, 159, 1, 1), colors::white, 1};
    }
    QTest::newRow("7: the symbol boxes") << 7 << Problem{12, 3, false, 1.2f, 0.3f} << 3 << boxes;
}

void TestLevelPictures::shapesOfEachLevel()
{
    QFETCH(int, level);
    QFETCH(Problem, problem);
    QFETCH(int, row);
    QFETCH(Shapes, shapes);
    const Canvas canvas = painted(level, problem, row);
    for (const Shape& shape : shapes) {
        const QRect area = shape.area.isNull() ? QRect(QPoint(0, 0), canvas.size()) : shape.area.translated(0, rowTop(row));
        QVERIFY2(countPixels(canvas, area, shape.colour) == shape.count,
                 qPrintable(QStringLiteral("%1 pixels of %2 in (%3, T+%4) %5 × %6, not %7")
                                .arg(countPixels(canvas, area, shape.colour))
                                .arg(shape.colour, 0, 16)
                                .arg(shape.area.x())
                                .arg(shape.area.y())
                                .arg(shape.area.width())
                                .arg(shape.area.height())
                                .arg(shape.count)));
    }
}

void TestLevelPictures::waterShowsTheFullVesselsAndTheTenths_data()
{
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("fullVessels");
    QTest::addColumn<int>("row");
    QTest::newRow("0.1 litres, no full vessel") << 1 << 0 << 1;
    QTest::newRow("1.5 litres in row 2") << 5 << 1 << 2;
    QTest::newRow("3.9 litres in row 3") << 9 << 3 << 3;
}

void TestLevelPictures::waterShowsTheFullVesselsAndTheTenths()
{
    QFETCH(int, tenths);
    QFETCH(int, fullVessels);
    QFETCH(int, row);
    const int T = rowTop(row);
    const Canvas canvas = painted(1, Problem{tenths, fullVessels, false, 0, 0}, row);

    // The full vessels stand left of the partly filled one, 125 pixels apart,
    // each filled to the brim inside its black outline.
    for (int k = 1; k <= 3; ++k) {
        const int left = 450 - 125 * k;
        const QRect inside(left + 1, T + 111, 119, 119);
        QCOMPARE(countPixels(canvas, inside, colors::cyan), k <= fullVessels ? inside.width() * inside.height() : 0);
        QCOMPARE(countPixels(canvas, QRect(left, T + 110, 121, 1), colors::black), k <= fullVessels ? 121 : 0);
        // The gap of five pixels to the next vessel stays white.
        QCOMPARE(countPixels(canvas, QRect(left + 121, T + 110, 4, 121), colors::white), 4 * 121);
    }
    // The partly filled vessel holds 12 pixels of water per tenth, from its
    // bottom up, under a scale of ten marks at its left wall.
    QCOMPARE(countPixels(canvas, QRect(500, T + 111, 1, 119), colors::cyan), 12 * tenths);
    QCOMPARE(canvas.pixel(500, T + 229), colors::cyan);
    QCOMPARE(canvas.pixel(500, T + 229 - 12 * tenths), colors::white);
    for (int mark = 1; mark <= 10; ++mark)
        QCOMPARE(countPixels(canvas, QRect(450, T + 110 + 12 * mark, 11, 1), colors::black), 11);
    QCOMPARE(countPixels(canvas, QRect(450, T + 110, 121, 121), colors::black),
             4 * 120 + 9 * 10);  // the outline and nine marks inside it; the tenth is its bottom edge
}

QTEST_MAIN(TestLevelPictures)
#include "test_level_pictures.moc"
