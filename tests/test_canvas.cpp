// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The canvas must keep colours exact: the marking reads red pixels back and
// a flood fill stops only at exact black.

#include "support/printed_text.h"

#include "engine/canvas.h"
#include "engine/colors.h"
#include "engine/fonts.h"

#include <QFontInfo>
#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

Canvas blankCanvas(QSize size = QSize(60, 40))
{
    Canvas canvas(size, colors::white, fonts::canvasFont());
    return canvas;
}

struct Pixel {
    int x;
    int y;
    QRgb colour;
};

// Whether each pixel has its colour; the first that has not is reported.
bool showsPixels(const Canvas& canvas, std::initializer_list<Pixel> pixels)
{
    for (const Pixel& pixel : pixels) {
        if (canvas.pixel(pixel.x, pixel.y) != pixel.colour) {
            qWarning("pixel (%d, %d) is %08x, not %08x", pixel.x, pixel.y, canvas.pixel(pixel.x, pixel.y).value_or(0),
                     pixel.colour);
            return false;
        }
    }
    return true;
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fontsResolveToTheJapaneseFaces_data();
    void fontsResolveToTheJapaneseFaces();
    void boxOutlineRunsThroughBothCorners();
    void boxWithNegativeHeightGrowsUpwards();
    void solidFillStyleFillsTheInsideOfABox();
    void lineIncludesBothEndsAndRoundsHalfPixelsToEven();
    void roundRectExcludesRightAndBottomEdges();
    void floodFill_data();
    void floodFill();
    void floodFillNeverLeaksOutOfAClosedCell();
    void floodFillWithTheColourItFindsStillEnds();
    void textStandsWithItsTopLeftAtThePosition();
    void resizeKeepsTheDrawing();
    void transcriptKeepsTheTextsPrintedWhileOpen();
};

void TestCanvas::fontsResolveToTheJapaneseFaces_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("fixed-pitch gothic of the canvas") << fonts::gothic;
    QTest::newRow("proportional gothic of the pictures") << fonts::proportionalGothic;
    QTest::newRow("proportional mincho of the buttons") << fonts::proportionalMincho;
}

void TestCanvas::fontsResolveToTheJapaneseFaces()
{
    // Qt falls back silently to another face; the layouts need these.
    QFETCH(QString, family);
    QCOMPARE(QFontInfo(fonts::make(family, 24, false)).family(), family);
}

void TestCanvas::boxOutlineRunsThroughBothCorners()
{
    Canvas canvas = blankCanvas();
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.box(10, 5, 20, 10, colors::black);
    QVERIFY(showsPixels(canvas, {{10, 5, colors::black},
                                 {30, 15, colors::black},
                                 {30, 5, colors::black},
                                 {31, 15, colors::white},
                                 {30, 16, colors::white},
                                 {20, 10, colors::white}}));  // transparent inside
    QCOMPARE(countPixels(canvas, colors::black), 2 * 21 + 2 * 9);
}

void TestCanvas::boxWithNegativeHeightGrowsUpwards()
{
    Canvas canvas = blankCanvas();
    canvas.filledBox(5, 30, 10, -12, colors::cyan);
    QVERIFY(showsPixels(canvas,
                        {{5, 30, colors::cyan}, {15, 18, colors::cyan}, {15, 17, colors::white}, {5, 31, colors::white}}));
    QCOMPARE(countPixels(canvas, colors::cyan), 11 * 13);
}

void TestCanvas::solidFillStyleFillsTheInsideOfABox()
{
    Canvas canvas = blankCanvas();
    canvas.setFillStyle(FillStyle::Solid);
    canvas.setFillColor(colors::red);
    canvas.box(2, 2, 10, 10, colors::black);
    QCOMPARE(canvas.pixel(7, 7), colors::red);
    QCOMPARE(canvas.pixel(2, 7), colors::black);
}

void TestCanvas::lineIncludesBothEndsAndRoundsHalfPixelsToEven()
{
    Canvas canvas = blankCanvas();
    canvas.line(12.5, 2, 0, 10, colors::black);  // 12.5 rounds to 12
    QCOMPARE(canvas.pixel(12, 2), colors::black);
    QCOMPARE(canvas.pixel(12, 12), colors::black);
    QCOMPARE(canvas.pixel(13, 7), colors::white);
    canvas.line(13.5, 20, 0, 5, colors::red);  // 13.5 rounds to 14
    QCOMPARE(canvas.pixel(14, 20), colors::red);
    QCOMPARE(canvas.pixel(13, 20), colors::white);
    QCOMPARE(countPixels(canvas, colors::black), 11);
}

void TestCanvas::roundRectExcludesRightAndBottomEdges()
{
    Canvas canvas(QSize(120, 100), colors::lightYellow, fonts::canvasFont());
    canvas.setPenColor(colors::black);
    canvas.setFillColor(colors::white);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.roundRect(10, 20, 110, 90, 30, 30);
    // Straight edges: left x 10, top y 20, right x 109, bottom y 89.
    QCOMPARE(canvas.pixel(10, 55), colors::black);
    QCOMPARE(canvas.pixel(60, 20), colors::black);
    QCOMPARE(canvas.pixel(109, 55), colors::black);
    QCOMPARE(canvas.pixel(60, 89), colors::black);
    QCOMPARE(canvas.pixel(110, 55), colors::lightYellow);
    QCOMPARE(canvas.pixel(60, 90), colors::lightYellow);
    QCOMPARE(canvas.pixel(60, 55), colors::white);
    // The corners are rounded: the corner pixel itself stays outside.
    QCOMPARE(canvas.pixel(10, 20), colors::lightYellow);
    QCOMPARE(canvas.pixel(109, 89), colors::lightYellow);
}

void TestCanvas::floodFill_data()
{
    QTest::addColumn<QPoint>("seed");
    QTest::addColumn<int>("filled");
    // A 10 × 10 black outline at (5, 5): 8 × 8 inside it.
    QTest::newRow("seed inside fills the inside") << QPoint(9, 9) << 64;
    QTest::newRow("seed on the black outline fills nothing") << QPoint(5, 9) << 0;
    QTest::newRow("seed outside fills all but the cell") << QPoint(1, 1) << 60 * 40 - 100;
    QTest::newRow("seed off the image fills nothing") << QPoint(-1, 3) << 0;
}

void TestCanvas::floodFill()
{
    QFETCH(QPoint, seed);
    QFETCH(int, filled);
    Canvas canvas = blankCanvas();
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.box(5, 5, 9, 9, colors::black);
    canvas.setFillColor(colors::red);
    canvas.floodFill(seed.x(), seed.y());
    QCOMPARE(countPixels(canvas, colors::red), filled);
    QCOMPARE(countPixels(canvas, colors::black), 36);
}

void TestCanvas::floodFillNeverLeaksOutOfAClosedCell()
{
    // Two cells share an edge; a diagonal black step must hold a 4-connected
    // fill too.
    Canvas canvas = blankCanvas();
    canvas.setFillStyle(FillStyle::Transparent);
    canvas.box(0, 0, 40, 20, colors::black);
    canvas.line(20, 0, 0, 20, colors::black);
    canvas.line(41, 21, 10, 10, colors::black);  // a diagonal that touches nothing
    canvas.setFillColor(colors::red);
    canvas.floodFill(10, 10);
    QVERIFY(showsPixels(canvas, {{19, 10, colors::red}, {21, 10, colors::white}, {45, 30, colors::white}}));
    QCOMPARE(countPixels(canvas, colors::red), 19 * 19);
}

void TestCanvas::floodFillWithTheColourItFindsStillEnds()
{
    Canvas canvas = blankCanvas();
    canvas.setFillColor(colors::white);
    canvas.floodFill(3, 3);
    QCOMPARE(countPixels(canvas, colors::white), 60 * 40);
}

void TestCanvas::textStandsWithItsTopLeftAtThePosition()
{
    Canvas canvas(QSize(200, 80), colors::white, fonts::canvasFont());
    canvas.setPenColor(colors::red);
    canvas.printAt(40, 20, QStringLiteral("○"));
    QRect painted;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 200; ++x)
            if (canvas.pixel(x, y) == colors::red)
                painted |= QRect(x, y, 1, 1);
    QVERIFY(!painted.isEmpty());
    QVERIFY(painted.left() >= 40 && painted.top() >= 20);
    QVERIFY(painted.right() < 40 + canvas.textWidth(QStringLiteral("○")));
    QVERIFY(painted.bottom() < 20 + canvas.textHeight());
    // Aliased: no blended colour anywhere.
    QCOMPARE(countPixels(canvas, colors::red) + countPixels(canvas, colors::white), 200 * 80);
}

void TestCanvas::resizeKeepsTheDrawing()
{
    Canvas canvas = blankCanvas();
    canvas.filledBox(1, 1, 3, 3, colors::red);
    canvas.resize(QSize(30, 30));
    QCOMPARE(canvas.pixel(2, 2), colors::red);
    QCOMPARE(canvas.size(), QSize(30, 30));
    QVERIFY(!canvas.pixel(30, 2).has_value());
}

void TestCanvas::transcriptKeepsTheTextsPrintedWhileOpen()
{
    // A screen reader hears what a problem printed, in order, and nothing
    // printed before or after it.
    Canvas canvas = blankCanvas();
    canvas.printAt(0, 0, QStringLiteral("before"));
    canvas.openTranscript();
    canvas.printAt(0, 0, QStringLiteral("レベル"));
    canvas.setTextPosition(5, 5);
    canvas.print(QStringLiteral("0.3 + 1.5 ="));
    canvas.filledBox(1, 1, 3, 3, colors::red);  // drawings are no words
    QCOMPARE(canvas.closeTranscript(), (QStringList{QStringLiteral("レベル"), QStringLiteral("0.3 + 1.5 =")}));
    canvas.printAt(0, 0, QStringLiteral("after"));
    QCOMPARE(canvas.closeTranscript(), QStringList());

    // Opening again starts afresh.
    canvas.openTranscript();
    canvas.openTranscript();
    canvas.printAt(0, 0, QStringLiteral("○"));
    QCOMPARE(canvas.closeTranscript(), QStringList{QStringLiteral("○")});
}

QTEST_MAIN(TestCanvas)
#include "test_canvas.moc"
