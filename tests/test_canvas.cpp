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

#include <random>

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
    void drawnPartShowsWhatTheWholeImageShows_data();
    void drawnPartShowsWhatTheWholeImageShows();
    void drawnPartHoldsOnlyWhatIsDrawn();
    void fillReachesBeyondTheDrawnPart_data();
    void fillReachesBeyondTheDrawnPart();
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

// A canvas holds only the part of its image that has been drawn on; every
// operation, at every ratio, must leave the same pixels as on a canvas that
// holds its whole image, or a glyph, a line's end or a fill beyond the part
// held so far would be lost. Random operations, everywhere on the canvas.
void TestCanvas::drawnPartShowsWhatTheWholeImageShows_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("seed");
    for (const double ratio : {1.0, 1.5, 2.0})
        for (int seed = 1; seed <= 6; ++seed)
            QTest::addRow("ratio %.1f, seed %d", ratio, seed) << ratio << seed;
}

void TestCanvas::drawnPartShowsWhatTheWholeImageShows()
{
    QFETCH(double, ratio);
    QFETCH(int, seed);
    const QSize size(300, 200);
    Canvas held(size, colors::lightYellow, fonts::canvasFont(), ratio);
    Canvas whole(size, colors::lightYellow, fonts::canvasFont(), ratio);
    whole.setKeptWhole(true);
    std::mt19937 random{std::uint32_t(seed)};
    auto any = [&](int below) { return int(random() % std::uint32_t(below)); };
    const QRgb palette[] = {colors::black, colors::red, colors::cyan, colors::pink, colors::white};
    const QStringList texts{QStringLiteral("0.3"), QStringLiteral("○"), QStringLiteral("×"),
                            QStringLiteral("なん㍑ですか"), QStringLiteral("＞")};
    for (int step = 0; step < 60; ++step) {
        const int x = any(size.width() + 20) - 10;
        const int y = any(size.height() + 20) - 10;
        const int dx = any(120) - 60;
        const int dy = any(80) - 40;
        const QRgb colour = palette[any(5)];
        const int operation = any(7);
        for (Canvas* canvas : {&held, &whole}) {
            canvas->setPenColor(colour);
            canvas->setFillColor(palette[(step + 1) % 5]);
            canvas->setFillStyle(step % 2 == 0 ? FillStyle::Solid : FillStyle::Transparent);
            canvas->setFontPoints(9 + step % 4 * 6);
            switch (operation) {
            case 0: canvas->line(x, y, dx, dy, colour); break;
            case 1: canvas->line(x, y, dx, 0, colour); break;
            case 2: canvas->box(x, y, dx, dy, colour); break;
            case 3: canvas->filledBox(x, y, dx / 4, dy / 4, colour); break;
            case 4: canvas->printAt(x, y, texts[step % texts.size()]); break;
            case 5: canvas->roundRect(x, y, x + std::abs(dx) + 31, y + std::abs(dy) + 31, 30, 30); break;
            default: canvas->floodFill(x, y); break;
            }
        }
        QCOMPARE(held.image(), whole.image());
    }
    // The widget paints the part held and the background beyond it: the
    // same pixels as the whole image, wherever the part ends.
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            QCOMPARE(held.pixel(x, y), whole.pixel(x, y));
}

void TestCanvas::drawnPartHoldsOnlyWhatIsDrawn()
{
    Canvas canvas(QSize(1009, 741), colors::lightYellow, fonts::canvasFont());
    QVERIFY(canvas.drawnPart().isNull());
    canvas.box(20, 70, 749, 649, colors::black);
    // The row frames' width and a margin, not the pictures' side.
    QVERIFY(canvas.drawnPart().width() < 800);
    QVERIFY(canvas.drawnPart().width() >= 770);
    QCOMPARE(canvas.pixel(900, 100), colors::lightYellow);
    QCOMPARE(canvas.image().size(), QSize(1009, 741));
    canvas.discard();
    QVERIFY(canvas.drawnPart().isNull());
    QCOMPARE(canvas.pixel(769, 719), colors::lightYellow);
}

// A fill that starts inside what is drawn and runs out past it reaches the
// canvas's edges, as on a canvas that holds its whole image; on black beyond
// it, it stays inside.
void TestCanvas::fillReachesBeyondTheDrawnPart_data()
{
    QTest::addColumn<QRgb>("background");
    QTest::addRow("on a light background") << colors::lightYellow;
    QTest::addRow("on a black background") << colors::black;
}

void TestCanvas::fillReachesBeyondTheDrawnPart()
{
    QFETCH(QRgb, background);
    Canvas canvas(QSize(300, 200), background, fonts::canvasFont());
    canvas.filledBox(10, 10, 40, 40, colors::white);  // the seed's side: not black
    canvas.setFillColor(colors::red);
    canvas.floodFill(20, 20);
    const bool spreads = background != colors::black;
    QCOMPARE(canvas.pixel(20, 20), colors::red);
    QCOMPARE(canvas.pixel(299, 199), spreads ? colors::red : background);
    QCOMPARE(canvas.image().pixel(299, 199), spreads ? colors::red : background);
}

QTEST_MAIN(TestCanvas)
#include "test_canvas.moc"
