#pragma once

#include <QFont>
#include <QImage>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace pomuru {

enum class FillStyle { Solid, Transparent };

// A drawing surface with a persistent image: what is drawn stays until it is
// drawn over, whether or not a window shows it. One image pixel is one
// logical pixel of the canvas widget. Shapes and text are drawn aliased, so
// every colour on the image is exact: the marking reads pixels back, and a
// flood fill stops only at exact black.
//
// Like a pen on paper the canvas keeps its settings between operations:
// pen colour (lines, outlines, text), fill colour and fill style (inside of
// boxes and rounded rectangles, flood fills), font size and the position of
// the next text.
class Canvas {
public:
    Canvas(QSize size, QRgb background, const QFont& font);

    const QImage& image() const { return image_; }
    QSize size() const { return image_.size(); }
    // Changes the size; the drawing so far is kept where it still fits.
    void resize(QSize size);

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
    // fill colour. A seed on black, or outside the image, fills nothing.
    void floodFill(double x, double y);

    // The colour at (x, y); nothing outside the image.
    std::optional<QRgb> pixel(int x, int y) const;

    // Shows the drawing now (the window's canvas repaints at once).
    void refresh();

    // While a transcript is open, every text printed is also kept, in the
    // order printed: what a problem says in words, for those who cannot see
    // the drawing. Opening starts an empty one; closing returns it.
    void openTranscript() { transcript_.emplace(); }
    QStringList closeTranscript();

    // Set by the widget that shows this canvas: changed() is told after every
    // drawing operation (schedule a repaint), refreshed() when the drawing must
    // show at once.
    std::function<void()> changed;
    std::function<void()> refreshed;

private:
    void notifyChanged();

    QImage image_;
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
