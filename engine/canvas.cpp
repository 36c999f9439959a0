// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "canvas.h"

#include "fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pomuru {

namespace {

constexpr QRgb opaqueBlack = 0xFF000000u;

// How far, in logical pixels, the drawn part reaches right of the area an
// operation draws in: what a painter puts a pixel past the area it was
// given is kept.
constexpr int DrawnMargin = 8;

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

// A ratio the canvas can draw at: below 1 a logical pixel would own no whole
// device pixel, so such a screen gets the drawing at 1 and scales it down.
double drawableRatio(double ratio)
{
    return std::isfinite(ratio) && ratio > 1.0 ? ratio : 1.0;
}

// The first device pixel of logical coordinate x: the device pixel whose
// centre lies at or just after x × ratio. Text and slanted lines, which the
// painter scales, sample the same centres, so they line up with the blocks.
int edgeAt(int x, double ratio)
{
    return ratio == 1.0 ? x : int(std::ceil(x * ratio - 0.5));
}

QSize deviceSize(QSize logical, double ratio)
{
    return QSize(edgeAt(logical.width(), ratio), edgeAt(logical.height(), ratio));
}

QImage blankImage(QSize logical, double ratio, QRgb background)
{
    QImage image(deviceSize(logical, ratio), QImage::Format_RGB32);
    image.fill(background);
    image.setDevicePixelRatio(ratio);
    return image;
}

// For each device pixel along one axis of an image at the new ratio, the
// device pixel of the image at the old ratio that takes its place: the same
// logical pixel, at the same relative place inside its block.
std::vector<int> resampling(int logicalLength, double oldRatio, double newRatio)
{
    std::vector<int> from;
    from.reserve(std::size_t(edgeAt(logicalLength, newRatio)));
    for (int x = 0; x < logicalLength; ++x) {
        const int newStart = edgeAt(x, newRatio);
        const int newWidth = edgeAt(x + 1, newRatio) - newStart;
        const int oldStart = edgeAt(x, oldRatio);
        const int oldWidth = edgeAt(x + 1, oldRatio) - oldStart;
        for (int i = 0; i < newWidth; ++i)
            from.push_back(oldStart + i * oldWidth / newWidth);
    }
    return from;
}

// The rectangle with these two pixels at opposite corners, both inside it
// (QRect::normalized() would leave them out when they come in reverse).
QRect spanned(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

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

Canvas::Canvas(QSize size, QRgb background, const QFont& font, double ratio)
    : size_(size)
    , ratio_(drawableRatio(ratio))
    , background_(background)
    , font_(font)
{
    fontPoints_ = font.pixelSize() * 72.0 / 96.0;
}

namespace {

// Copies the pixels of an area that both images have.
void copyPixels(const QImage& from, QImage& to, QRect area)
{
    area &= from.rect() & to.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(from.constScanLine(y)) + area.left();
        std::copy(line, line + area.width(), reinterpret_cast<QRgb*>(to.scanLine(y)) + area.left());
    }
}

} // namespace

QImage& Canvas::drawingOver(QRect area) const
{
    // The part is as high as the canvas and grows only in width: a page's
    // first row frame sets its width, and no later row makes it anew.
    QSize needed = keptWhole_ ? size_ : QSize(extent_.width(), size_.height());
    if (!keptWhole_ && !area.isEmpty())
        needed = needed.expandedTo(QSize(area.right() + 1 + DrawnMargin, 1));
    needed = needed.expandedTo(QSize(1, 1)).boundedTo(size_);
    if (image_.isNull() || needed != extent_) {
        QImage grown = blankImage(needed, ratio_, background_);
        copyPixels(image_, grown, image_.rect());
        image_ = std::move(grown);
        extent_ = needed;
    }
    if (!whole_.isNull() && !area.isEmpty()) {
        const QRect reach = area.adjusted(-DrawnMargin, -DrawnMargin, DrawnMargin, DrawnMargin);
        drawnSinceWhole_ |= toDevice(reach & QRect(QPoint(0, 0), extent_));
    }
    return image_;
}

const QImage& Canvas::image() const
{
    if (keptWhole_)
        return drawingOver(QRect());
    if (whole_.isNull())
        makeWhole();
    else
        updateWhole();
    return whole_;
}

void Canvas::makeWhole() const
{
    whole_ = blankImage(size_, ratio_, background_);
    copyPixels(image_, whole_, image_.rect());
    drawnSinceWhole_ = QRect();
}

void Canvas::updateWhole() const
{
    if (whole_.isNull() || drawnSinceWhole_.isEmpty())
        return;
    copyPixels(image_, whole_, drawnSinceWhole_);
    drawnSinceWhole_ = QRect();
}

void Canvas::remakeWhole()
{
    // Made anew at the new size or ratio, if it was asked for before.
    if (!whole_.isNull())
        makeWhole();
}

void Canvas::setKeptWhole(bool whole)
{
    if (whole == keptWhole_)
        return;
    keptWhole_ = whole;
    if (!whole)
        return;  // what is held stays until the page is discarded
    // A copy that image() gave before stays, and up to date, for those
    // that still hold it.
    if (!image_.isNull())
        drawingOver(QRect());  // grown to the whole canvas
}

void Canvas::discard()
{
    image_ = QImage();
    extent_ = QSize();
    whole_ = QImage();
    drawnSinceWhole_ = QRect();
    notifyChanged(QRect(QPoint(0, 0), size_));
}

void Canvas::resize(QSize size)
{
    if (size == size_)
        return;
    size_ = size;
    if (!image_.isNull()) {
        // The drawing so far is kept where it still fits.
        const QSize kept = keptWhole_ ? size : extent_.boundedTo(size);
        QImage resized = blankImage(kept, ratio_, background_);
        copyPixels(image_, resized, image_.rect());
        image_ = std::move(resized);
        extent_ = kept;
    }
    remakeWhole();
    notifyChanged(QRect(QPoint(0, 0), size_));
}

void Canvas::setRatio(double ratio)
{
    ratio = drawableRatio(ratio);
    if (ratio == ratio_)
        return;
    if (image_.isNull()) {
        ratio_ = ratio;  // still blank: nothing to resample
        remakeWhole();
        notifyChanged(QRect(QPoint(0, 0), size_));
        return;
    }
    const std::vector<int> columns = resampling(extent_.width(), ratio_, ratio);
    const std::vector<int> rows = resampling(extent_.height(), ratio_, ratio);
    QImage resampled = blankImage(extent_, ratio, background_);
    // A window's change of zoom resamples the whole drawing within its
    // frame: rows taken from the same old row are copied whole.
    const int width = resampled.width();
    const int height = resampled.height();
    const int* column = columns.data();
    const QRgb* previousFrom = nullptr;
    const QRgb* previousTo = nullptr;
    for (int y = 0; y < height; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image_.constScanLine(rows[std::size_t(y)]));
        auto* to = reinterpret_cast<QRgb*>(resampled.scanLine(y));
        if (from == previousFrom) {
            std::copy(previousTo, previousTo + width, to);
        } else {
            for (int x = 0; x < width; ++x)
                to[x] = from[column[x]];
        }
        previousFrom = from;
        previousTo = to;
    }
    image_ = std::move(resampled);
    ratio_ = ratio;
    remakeWhole();
    notifyChanged(QRect(QPoint(0, 0), size_));
}

int Canvas::deviceEdge(int x) const
{
    return edgeAt(x, ratio_);
}

int Canvas::logicalOf(int device) const
{
    if (ratio_ == 1.0)
        return device;
    int x = int(std::floor((device + 0.5) / ratio_));
    while (deviceEdge(x) > device)
        --x;
    while (deviceEdge(x + 1) <= device)
        ++x;
    return x;
}

QRect Canvas::toDevice(QRect logical) const
{
    if (logical.isEmpty())
        return {};
    return QRect(QPoint(deviceEdge(logical.left()), deviceEdge(logical.top())),
                 QPoint(deviceEdge(logical.right() + 1) - 1, deviceEdge(logical.bottom() + 1) - 1));
}

QRect Canvas::toLogical(QRect device) const
{
    if (device.isEmpty())
        return {};
    return QRect(QPoint(logicalOf(device.left()), logicalOf(device.top())),
                 QPoint(logicalOf(device.right()), logicalOf(device.bottom())));
}

QPoint Canvas::pixelAt(QPointF point) const
{
    // The device pixel under the point first: a point on a block's edge
    // belongs to the block right of or below it, as at ratio 1. The small
    // allowance keeps a device pixel's own position, divided by the ratio
    // and multiplied back, inside that pixel.
    constexpr double allowance = 1e-3;
    return QPoint(logicalOf(int(std::floor(point.x() * ratio_ + allowance))),
                  logicalOf(int(std::floor(point.y() * ratio_ + allowance))));
}

void Canvas::fillArea(QRect area, QRgb color)
{
    if (area.isEmpty())
        return;
    QImage& image = drawingOver(area);
    const QRect device = toDevice(area) & image.rect();
    if (device.isEmpty())
        return;
    const QRgb opaque = 0xFF000000u | color;
    for (int y = device.top(); y <= device.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + device.left(), line + device.right() + 1, opaque);
    }
}

void Canvas::setFontPoints(double points)
{
    fontPoints_ = points;
    font_.setPixelSize(fonts::pixelsForPoints(points));
}

void Canvas::line(double x, double y, double dx, double dy, QRgb color)
{
    const QPoint from(roundPixel(x), roundPixel(y));
    const QPoint to(roundPixel(x + dx), roundPixel(y + dy));
    const QRect area = spanned(from, to);
    if (from.x() == to.x() || from.y() == to.y()) {
        // Level and upright lines bound the cells that are filled later:
        // they cover the whole blocks of their pixels.
        fillArea(area, color);
        notifyChanged(area);
        return;
    }
    AliasedPainter painter(&drawingOver(area));
    painter.usePen(color);
    if (ratio_ == 1.0) {
        painter.drawLine(from, to);
    } else {
        // Through the centres of the end pixels' blocks, one logical pixel
        // wide; the square caps reach the blocks' outer edges.
        const QPointF centre(0.5, 0.5);
        painter.drawLine(QPointF(from) + centre, QPointF(to) + centre);
    }
    painter.end();
    notifyChanged(area);
}

void Canvas::box(int x, int y, int dx, int dy, QRgb color)
{
    const QRect area = normalised(x, y, dx, dy);
    if (fillStyle_ == FillStyle::Solid)
        fillArea(area, fillColor_);
    // The outline runs through both corners: four one-pixel strips.
    fillArea(QRect(area.left(), area.top(), area.width(), 1), color);
    fillArea(QRect(area.left(), area.bottom(), area.width(), 1), color);
    fillArea(QRect(area.left(), area.top(), 1, area.height()), color);
    fillArea(QRect(area.right(), area.top(), 1, area.height()), color);
    notifyChanged(area);
}

void Canvas::filledBox(int x, int y, int dx, int dy, QRgb color)
{
    const QRect area = normalised(x, y, dx, dy);
    fillArea(area, color);
    notifyChanged(area);
}

void Canvas::print(const QString& text)
{
    const QFontMetrics metrics(font_);
    const QPoint baseline(textPosition_.x(), textPosition_.y() + metrics.ascent());
    // A glyph may reach beyond its advance; the bounding rectangle says how far.
    const QRect cell(textPosition_, QSize(metrics.horizontalAdvance(text), metrics.height()));
    QRect area = cell.united(metrics.boundingRect(text).translated(baseline));
    // Glyphs drawn at a finer ratio may reach a fraction of a pixel further.
    if (ratio_ != 1.0)
        area.adjust(-1, -1, 1, 1);
    AliasedPainter painter(&drawingOver(area));
    painter.setFont(font_);
    painter.usePen(penColor_);
    painter.drawText(baseline, text);
    painter.end();
    if (transcript_)
        transcript_->append(text);
    notifyChanged(area);
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
    // At ratio 1 the painter's own rounded rectangle, whose pixels the row
    // frames have always had; above it one drawn in whole blocks.
    if (ratio_ != 1.0) {
        roundRectAtRatio(x1, y1, x2, y2, ellipseWidth, ellipseHeight);
        return;
    }
    const QRect area = spanned(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    AliasedPainter painter(&drawingOver(area));
    painter.usePen(penColor_);
    if (fillStyle_ == FillStyle::Solid)
        painter.setBrush(QColor::fromRgb(fillColor_));
    else
        painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1),
                            ellipseWidth / 2.0, ellipseHeight / 2.0, Qt::AbsoluteSize);
    painter.end();
    notifyChanged(area);
}

void Canvas::roundRectAtRatio(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight)
{
    // The outline is one logical pixel wide and covers the blocks of the
    // straight edges exactly, as a box's does; only the corners are curved
    // at the device's detail. Drawn as filled areas in device pixels so that
    // no edge straddles a block.
    const QRect area = spanned(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    const QRectF outer(toDevice(area));
    const QRectF inner(toDevice(area.adjusted(1, 1, -1, -1)));
    // At ratio 1 the outline's outer edge runs half a pixel outside the
    // corner ellipse and its inner edge half a pixel inside.
    const double radiusX = ellipseWidth / 2.0;
    const double radiusY = ellipseHeight / 2.0;
    QPainterPath outerPath;
    outerPath.addRoundedRect(outer, (radiusX + 0.5) * ratio_, (radiusY + 0.5) * ratio_);
    QPainterPath innerPath;
    innerPath.addRoundedRect(inner, std::max(0.0, radiusX - 0.5) * ratio_, std::max(0.0, radiusY - 0.5) * ratio_);

    // A painter on the same pixels without the ratio's scaling.
    QImage& image = drawingOver(area);
    QImage device(image.bits(), image.width(), image.height(), image.bytesPerLine(), image.format());
    AliasedPainter painter(&device);
    if (fillStyle_ == FillStyle::Solid) {
        // Outline colour over the whole area, then the inside: no pixel on
        // the boundary between the two is left out.
        painter.fillPath(outerPath, QColor::fromRgb(penColor_));
        // The row frames are white on white: one pass over the row will do.
        if (fillColor_ != penColor_)
            painter.fillPath(innerPath, QColor::fromRgb(fillColor_));
    } else {
        QPainterPath ring = outerPath;
        ring.addPath(innerPath);
        ring.setFillRule(Qt::OddEvenFill);
        painter.fillPath(ring, QColor::fromRgb(penColor_));
    }
    painter.end();
    notifyChanged(area);
}

void Canvas::floodFill(double seedX, double seedY)
{
    const QPoint seedPixel(roundPixel(seedX), roundPixel(seedY));
    if (!QRect(QPoint(0, 0), size_).contains(seedPixel))
        return;
    const QSize device = deviceSize(size_, ratio_);
    const int width = device.width();
    const int height = device.height();

    // Beyond the drawn part every pixel is the background.
    const bool backgroundIsBlack = (0xFF000000u | background_) == opaqueBlack;
    auto black = [&](int x, int y) {
        if (x < image_.width() && y < image_.height())
            return reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x] == opaqueBlack;
        return backgroundIsBlack;
    };
    // The seed's block, less its black pixels: at a ratio above 1 a slanted
    // line or a glyph may cover part of it.
    std::vector<QPoint> seeds;
    const QRect block = toDevice(QRect(seedPixel, QSize(1, 1)));
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x)
            if (!black(x, y))
                seeds.emplace_back(x, y);
    if (seeds.empty())
        return;

    // A scanline fill: each popped seed grows into the whole span of
    // unvisited, non-black pixels on its line; the lines above and below are
    // then searched for the starts of new spans. The visited mask, not the
    // colour, tells what is done, so filling with the colour a region already
    // has still ends. The spans are found first and filled after, once the
    // drawn part holds them all.
    std::vector<bool> visited(std::size_t(width) * std::size_t(height), false);
    auto open = [&](int x, int y) {
        return !visited[std::size_t(y) * std::size_t(width) + std::size_t(x)] && !black(x, y);
    };
    struct Span {
        int y, left, right;
    };
    std::vector<Span> spans;
    QRect filled;
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
        filled |= QRect(left, y, right - left + 1, 1);
        spans.push_back({y, left, right});
        for (int x = left; x <= right; ++x)
            visited[std::size_t(y) * std::size_t(width) + std::size_t(x)] = true;
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
    const QRect area = toLogical(filled);
    QImage& image = drawingOver(area);
    const QRgb fill = 0xFF000000u | fillColor_;
    for (const Span& span : spans) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(span.y));
        std::fill(line + span.left, line + span.right + 1, fill);
    }
    notifyChanged(area);
}

std::optional<QRgb> Canvas::pixel(int x, int y) const
{
    if (!QRect(QPoint(0, 0), size_).contains(x, y))
        return std::nullopt;
    const QPoint device(deviceEdge(x), deviceEdge(y));
    if (!image_.rect().contains(device))
        return background_;  // nothing drawn there
    return image_.pixel(device);  // RGB32: always opaque
}

void Canvas::refresh()
{
    if (refreshed)
        refreshed();
}

void Canvas::refreshNow(QRect area)
{
    if (refreshedNow)
        refreshedNow(area);
}

void Canvas::notifyChanged(QRect area)
{
    updateWhole();
    if (changed)
        changed(area);
}

} // namespace pomuru
