// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace pomuru {

enum class FillStyle { Solid, Transparent };

// A drawing surface with a persistent image: what is drawn stays until it is
// drawn over, whether or not a window shows it. Shapes and text are drawn
// aliased, so every colour on the image is exact: the marking reads pixels
// back, and a flood fill stops only at exact black.
//
// Every coordinate is in logical pixels, the canvas widget's own. The image
// holds ratio() device pixels per logical pixel along each axis (the screen's
// device pixel ratio), so that text and slanted lines are drawn at the
// screen's full detail. Each logical pixel owns a whole block of device
// pixels (1 × 1 at ratio 1, 2 × 2 at ratio 2, 1 or 2 wide at 1.5), and
// everything that must keep its meaning in logical pixels sticks to those
// blocks: boxes, filled boxes and straight lines cover exactly the blocks of
// their logical pixels, a flood fill starts from the blocks of its seed, and
// pixel() reads a block. So a fill stays inside its cell and a wipe leaves
// no sliver at every ratio, and at ratio 1 the image is one pixel per
// logical pixel.
//
// Like a pen on paper the canvas keeps its settings between operations:
// pen colour (lines, outlines, text), fill colour and fill style (inside of
// boxes and rounded rectangles, flood fills), font size and the position of
// the next text.
class Canvas {
public:
    // A ratio below 1 (or not a number) draws at ratio 1.
    Canvas(QSize size, QRgb background, const QFont& font, double ratio = 1.0);

    // The whole drawing in device pixels; its devicePixelRatio() is ratio().
    // Unless the canvas is kept whole, this is a copy made when first asked
    // for and kept up to date from then on: for those that read the drawing
    // as one image.
    const QImage& image() const;
    // The part of the drawing from its left edge, as high as the canvas, that
    // holds everything drawn so far; right of it the canvas is its
    // background. Null while nothing is drawn.
    const QImage& drawnPart() const { return image_; }
    QRgb background() const { return background_; }
    // Kept whole, the canvas holds its whole image, which image() then is:
    // for a widget that scales the drawing as it shows it and so samples
    // pixels on both sides of any edge.
    void setKeptWhole(bool whole);
    // The size in logical pixels.
    QSize size() const { return size_; }
    // Changes the size; the drawing so far is kept where it still fits.
    void resize(QSize size);

    double ratio() const { return ratio_; }
    // Draws at another device pixel ratio from now on. The drawing so far is
    // kept, resampled block by block: every logical pixel keeps its colours,
    // and slanted lines and text keep the detail that the lower of the two
    // ratios gives them until they are drawn again.
    void setRatio(double ratio);
    // The device pixels of a logical area: the blocks of its logical pixels.
    QRect toDevice(QRect logical) const;
    // The smallest logical area whose blocks hold these device pixels.
    QRect toLogical(QRect device) const;
    // The logical pixel that holds a point given in logical coordinates, such
    // as a press at a fractional position on a screen with a ratio above 1.
    QPoint pixelAt(QPointF point) const;

    QRgb penColor() const { return penColor_; }
    void setPenColor(QRgb color) { penColor_ = color; }
    QRgb fillColor() const { return fillColor_; }
    void setFillColor(QRgb color) { fillColor_ = color; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    const QFont& font() const { return font_; }
    double fontPoints() const { return fontPoints_; }
    void setFontPoints(double points);
    QPoint textPosition() const { return textPosition_; }
    void setTextPosition(int x, int y) { textPosition_ = QPoint(x, y); }

    // A straight line from (x, y) to (x + dx, y + dy), both ends included.
    // Half-pixel coordinates round half to even.
    void line(double x, double y, double dx, double dy, QRgb color);
    // The outline with opposite corners (x, y) and (x + dx, y + dy), both
    // inside it; the inside takes the fill colour while the fill style is solid.
    void box(int x, int y, int dx, int dy, QRgb color);
    // The same rectangle filled and outlined in one colour, whatever the fill style.
    void filledBox(int x, int y, int dx, int dy, QRgb color);
    // Text with its top-left corner at the text position, in the pen colour,
    // without background.
    void print(const QString& text);
    void printAt(int x, int y, const QString& text);
    int textWidth(const QString& text) const;
    // The height of a line of text in the current font.
    int textHeight() const;

    // A rounded rectangle with corners (x1, y1) and (x2, y2), the right and
    // bottom edges excluded: the outline runs from x1 to x2 - 1 and from y1 to
    // y2 - 1. Outline in the pen colour; inside in the fill colour while the
    // fill style is solid.
    void roundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
    // Every pixel 4-connected to the seed that is not exactly black takes the
    // fill colour. A seed on black, or outside the image, fills nothing. The
    // fill runs over device pixels from every device pixel of the seed's
    // block that is not black.
    void floodFill(double x, double y);

    // The colour of logical pixel (x, y), read from the top-left device
    // pixel of its block; nothing outside the canvas.
    std::optional<QRgb> pixel(int x, int y) const;

    // Forgets the drawing and gives its memory back: the canvas is blank, in
    // its background colour, until it is next drawn on. Pen, fill and text
    // settings stay.
    void discard();

    // Shows the drawing as soon as the handler gives way (the window's canvas
    // schedules a repaint).
    void refresh();
    // Shows this area of the drawing before anything else happens (the
    // window's canvas repaints it at once): for what must be on screen before
    // a sound or a pause.
    void refreshNow(QRect area);

    // While a transcript is open, every text printed is also kept, in the
    // order printed: what a problem says in words, for those who cannot see
    // the drawing. Opening starts an empty one; closing returns it.
    void openTranscript() { transcript_.emplace(); }
    QStringList closeTranscript();

    // Set by the widget that shows this canvas: changed() is told the area of
    // every drawing operation (schedule a repaint of it), refreshed() when the
    // drawing must show at once, refreshedNow() when an area must be painted
    // before the call returns.
    std::function<void(QRect)> changed;
    std::function<void()> refreshed;
    std::function<void(QRect)> refreshedNow;

private:
    void notifyChanged(QRect area);
    // The drawing, grown as need be to hold this logical area and a margin
    // beyond it (the whole canvas while it is kept whole).
    QImage& drawingOver(QRect area) const;
    // Makes the copy that image() gives from what is held.
    void makeWhole() const;
    // Brings that copy up to date with what was drawn.
    void updateWhole() const;
    // Makes that copy anew, at a new size or ratio, if it was made before.
    void remakeWhole();
    // The first device pixel of logical coordinate x, along either axis.
    int deviceEdge(int x) const;
    // The logical pixel whose block holds device pixel d, along either axis.
    int logicalOf(int device) const;
    // The blocks of a logical area in one colour.
    void fillArea(QRect area, QRgb color);
    void roundRectAtRatio(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);

    QSize size_;
    double ratio_ = 1.0;
    // The drawn part: made when first drawn on, as far as drawn. A blank
    // canvas is only its size and background and costs no memory until a
    // page uses it, and the page's rows leave its pictures' side blank.
    mutable QImage image_;
    // The logical size that image_ holds.
    mutable QSize extent_;
    bool keptWhole_ = false;
    // What image() gave while the canvas is not kept whole, and the device
    // area drawn since it was last brought up to date.
    mutable QImage whole_;
    mutable QRect drawnSinceWhole_;
    QRgb background_;
    QFont font_;
    double fontPoints_ = 0;
    QRgb penColor_ = qRgb(0, 0, 0);
    QRgb fillColor_ = qRgb(0, 0, 0);
    FillStyle fillStyle_ = FillStyle::Transparent;
    QPoint textPosition_;
    std::optional<QStringList> transcript_;
};

// Rounds a pixel coordinate to the nearest whole pixel, ties to even.
int roundPixel(double coordinate);

} // namespace pomuru
