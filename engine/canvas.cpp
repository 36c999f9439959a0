#include "canvas.h"

#include "fonts.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>
#include <vector>

namespace pomuru {

namespace {

constexpr QRgb opaqueBlack = 0xFF000000u;

// A painter with the settings every drawing of ours needs: aliased, so that
// no blended colour appears on the image.
class AliasedPainter : public QPainter {
public:
    explicit AliasedPainter(QImage* image)
        : QPainter(image)
    {
        setRenderHint(QPainter::Antialiasing, false);
        setRenderHint(QPainter::TextAntialiasing, false);
    }
    void usePen(QRgb color)
    {
        QPen pen{QColor::fromRgb(color)};
        pen.setWidth(1);
        pen.setCapStyle(Qt::SquareCap);  // the last pixel of a line is drawn
        pen.setJoinStyle(Qt::MiterJoin);
        setPen(pen);
    }
};

QRect normalised(int x, int y, int dx, int dy)
{
    // The rectangle between two corners, both corners included.
    const int left = std::min(x, x + dx);
    const int top = std::min(y, y + dy);
    return QRect(left, top, std::abs(dx) + 1, std::abs(dy) + 1);
}

} // namespace

int roundPixel(double coordinate)
{
    return int(std::nearbyint(coordinate));  // the default rounding mode: ties to even
}

Canvas::Canvas(QSize size, QRgb background, const QFont& font)
    : image_(size, QImage::Format_RGB32)
    , background_(background)
    , font_(font)
{
    image_.fill(background_);
    fontPoints_ = font.pixelSize() * 72.0 / 96.0;
}

void Canvas::resize(QSize size)
{
    if (size == image_.size())
        return;
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(background_);
    QPainter painter(&grown);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = std::move(grown);
    notifyChanged();
}

void Canvas::setFontPoints(double points)
{
    fontPoints_ = points;
    font_.setPixelSize(fonts::pixelsForPoints(points));
}

void Canvas::line(double x, double y, double dx, double dy, QRgb color)
{
    AliasedPainter painter(&image_);
    painter.usePen(color);
    const QPoint from(roundPixel(x), roundPixel(y));
    const QPoint to(roundPixel(x + dx), roundPixel(y + dy));
    if (from == to)
        painter.drawPoint(from);
    else
        painter.drawLine(from, to);
    painter.end();
    notifyChanged();
}

void Canvas::box(int x, int y, int dx, int dy, QRgb color)
{
    const QRect area = normalised(x, y, dx, dy);
    AliasedPainter painter(&image_);
    if (fillStyle_ == FillStyle::Solid)
        painter.fillRect(area, QColor::fromRgb(fillColor_));
    painter.usePen(color);
    painter.setBrush(Qt::NoBrush);
    // With a one-pixel pen drawRect covers width + 1 pixels: shrink by one so
    // that the outline runs exactly along the two corners.
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.end();
    notifyChanged();
}

void Canvas::filledBox(int x, int y, int dx, int dy, QRgb color)
{
    AliasedPainter painter(&image_);
    painter.fillRect(normalised(x, y, dx, dy), QColor::fromRgb(color));
    painter.end();
    notifyChanged();
}

void Canvas::print(const QString& text)
{
    AliasedPainter painter(&image_);
    painter.setFont(font_);
    painter.usePen(penColor_);
    const QFontMetrics metrics(font_);
    painter.drawText(QPoint(textPosition_.x(), textPosition_.y() + metrics.ascent()), text);
    painter.end();
    if (transcript_)
        transcript_->append(text);
    notifyChanged();
}

QStringList Canvas::closeTranscript()
{
    QStringList texts = transcript_.value_or(QStringList());
    transcript_.reset();
    return texts;
}

void Canvas::printAt(int x, int y, const QString& text)
{
    setTextPosition(x, y);
    print(text);
}

int Canvas::textWidth(const QString& text) const
{
    return QFontMetrics(font_).horizontalAdvance(text);
}

int Canvas::textHeight() const
{
    return QFontMetrics(font_).height();
}

void Canvas::roundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight)
{
    AliasedPainter painter(&image_);
    painter.usePen(penColor_);
    if (fillStyle_ == FillStyle::Solid)
        painter.setBrush(QColor::fromRgb(fillColor_));
    else
        painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1),
                            ellipseWidth / 2.0, ellipseHeight / 2.0, Qt::AbsoluteSize);
    painter.end();
    notifyChanged();
}

void Canvas::floodFill(double seedX, double seedY)
{
    const int width = image_.width();
    const int height = image_.height();
    const int x0 = roundPixel(seedX);
    const int y0 = roundPixel(seedY);
    if (x0 < 0 || y0 < 0 || x0 >= width || y0 >= height)
        return;

    auto row = [this](int y) { return reinterpret_cast<QRgb*>(image_.scanLine(y)); };
    if (row(y0)[x0] == opaqueBlack)
        return;

    // A scanline fill: each popped seed grows into the whole span of
    // unvisited, non-black pixels on its line; the lines above and below are
    // then searched for the starts of new spans. The visited mask, not the
    // colour, tells what is done, so filling with the colour a region already
    // has still ends.
    const QRgb fill = 0xFF000000u | fillColor_;
    std::vector<bool> visited(std::size_t(width) * std::size_t(height), false);
    auto open = [&](int x, int y) {
        return !visited[std::size_t(y) * std::size_t(width) + std::size_t(x)] && row(y)[x] != opaqueBlack;
    };
    std::vector<QPoint> seeds{QPoint(x0, y0)};
    while (!seeds.empty()) {
        const QPoint seed = seeds.back();
        seeds.pop_back();
        const int y = seed.y();
        if (!open(seed.x(), y))
            continue;
        int left = seed.x();
        int right = seed.x();
        while (left > 0 && open(left - 1, y))
            --left;
        while (right < width - 1 && open(right + 1, y))
            ++right;
        QRgb* line = row(y);
        for (int x = left; x <= right; ++x) {
            line[x] = fill;
            visited[std::size_t(y) * std::size_t(width) + std::size_t(x)] = true;
        }
        for (const int next : {y - 1, y + 1}) {
            if (next < 0 || next >= height)
                continue;
            bool inSpan = false;
            for (int x = left; x <= right; ++x) {
                const bool isOpen = open(x, next);
                if (isOpen && !inSpan)
                    seeds.emplace_back(x, next);
                inSpan = isOpen;
            }
        }
    }
    notifyChanged();
}

std::optional<QRgb> Canvas::pixel(int x, int y) const
{
    if (!image_.rect().contains(x, y))
        return std::nullopt;
    return image_.pixel(x, y);  // RGB32: always opaque
}

void Canvas::refresh()
{
    if (refreshed)
        refreshed();
}

void Canvas::notifyChanged()
{
    if (changed)
        changed();
}

} // namespace pomuru
