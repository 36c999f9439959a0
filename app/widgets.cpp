// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "widgets.h"

#include "zoom.h"

#include <QHash>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPixmapCache>
#include <QRegion>

#include <cmath>
#include <optional>

namespace pomuru {

CanvasWidget::CanvasWidget(QRgb background, const QFont& font, QWidget* parent)
    : QWidget(parent)
    // Not yet shown, the widget tells the ratio of the screen it will open on.
    , canvas_(QSize(1, 1), background, font, devicePixelRatio())
{
    setFont(font);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.changed = [this](QRect area) { update(shownArea(area)); };
    // A refresh is asked for where the drawing must show before anything
    // else happens: a painted cell, the blanked row, the mark before the
    // feedback pause. A scheduled paint does that, for the event loop runs
    // as soon as the handler returns, and the pause's own event loop paints
    // the mark before it waits. A synchronous repaint of the whole canvas
    // with its keypads and buttons would cost milliseconds per press.
    canvas_.refreshed = [this] { update(); };
    canvas_.refreshedNow = [this](QRect area) { repaint(shownArea(area)); };
}

namespace {

// Whether the event may bring the widget a new device pixel ratio.
bool changesRatio(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::ScreenChangeInternal:  // the window has moved to another screen
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
        return true;
    default:
        return false;
    }
}

} // namespace

bool CanvasWidget::event(QEvent* event)
{
    // What is drawn so far is resampled; what is drawn from now on has the
    // new screen's detail.
    if (event->type() == QEvent::Show || changesRatio(event))
        canvas_.setRatio(drawingRatio());
    return QWidget::event(event);
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    // A ratio that changed without telling (a screen's scale set anew) is
    // taken up here at the latest.
    canvas_.setRatio(drawingRatio());
    // Image pixels per widget pixel: the screen's ratio, or more where a
    // zoom below 1 leaves the canvas drawing at ratio 1.
    const double ratio = canvas_.ratio() / zoom_;
    const bool pixelForPixel = std::abs(ratio - 1.0) < 1e-9;
    // Scaled, the painter samples the drawing on both sides of an edge, so
    // it is given the whole image; pixel for pixel, the part drawn on and
    // the background beyond it are the same pixels.
    canvas_.setKeptWhole(!pixelForPixel);
    QPainter painter(this);
    if (pixelForPixel) {
        const QImage& drawn = canvas_.drawnPart();
        const QRect inside = event->rect() & drawn.rect();
        if (!inside.isEmpty())
            painter.drawImage(inside, drawn, inside);
        for (const QRect& blank : QRegion(event->rect()).subtracted(QRegion(inside)))
            painter.fillRect(blank, QColor::fromRgb(canvas_.background()));
    } else {
        const QImage& image = canvas_.image();
        // The painted area in device pixels may take in a fraction of a
        // logical pixel more than event->rect(): draw a pixel's margin too,
        // which the painter clips. Source and target then cover the same
        // device pixels, one to one when the screen's ratio is the canvas's.
        const QRect area = event->rect().adjusted(-1, -1, 1, 1) & rect();
        const QRectF source(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio);
        if (ratio > devicePixelRatio())
            painter.setRenderHint(QPainter::SmoothPixmapTransform);  // shrunk, text stays legible
        painter.drawImage(QRectF(area), image, source);
    }
    if (rowOutline_.isEmpty() && cellOutline_.isEmpty())
        return;
    // The outlines stand in canvas pixels, as the drawing does, and grow
    // with the window's zoom.
    painter.scale(zoom_, zoom_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    if (!rowOutline_.isEmpty()) {
        painter.setPen(QPen(QColor::fromRgb(OutlineColour), 3));
        painter.drawRoundedRect(rowOutline_, FrameCorner / 2.0, FrameCorner / 2.0);
    }
    if (!cellOutline_.isEmpty()) {
        painter.setPen(QPen(QColor::fromRgb(OutlineColour), 2));
        painter.drawRect(cellOutline_);
    }
}

void CanvasWidget::setOutlines(QRect row, QRect cell)
{
    if (row == rowOutline_ && cell == cellOutline_)
        return;
    // The pen's width reaches a pixel or two past each rectangle.
    for (const QRect& area : {rowOutline_, cellOutline_, row, cell}) {
        if (!area.isEmpty())
            update(shownArea(area.adjusted(-3, -3, 3, 3)));
    }
    rowOutline_ = row;
    cellOutline_ = cell;
}

RowFocus::RowFocus(int row, QWidget* canvas)
    : QWidget(canvas)
    , row_(row)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setGeometry(pressArea(row, false));
}

QVariant RowFocus::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled)
        return testAttribute(Qt::WA_InputMethodEnabled);
    return QWidget::inputMethodQuery(query);
}

void RowFocus::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty())
        Q_EMIT committed(event->commitString());
    event->accept();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event)
{
    // Above ratio 1 a press falls between logical pixels; it counts for the
    // pixel the pupil sees under the pointer, so every hit test and fill
    // seed is the same as on a screen at ratio 1.
    const QPoint at = canvas_.pixelAt(event->position() / zoom_);
    Q_EMIT pressed(int(event->button()), int(event->modifiers()), float(at.x()), float(at.y()));
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt's default would hand the second press on to mousePressEvent, and a
    // double click on a tape cell would paint it and wipe it again.
    event->accept();
}

void CanvasWidget::resizeCanvas(QSize size)
{
    resize(size);
    canvas_.resize(size);
}

QRect CanvasWidget::shownArea(QRect logical) const
{
    if (zoom_ == 1.0 || logical.isEmpty())
        return logical;
    // Every widget pixel that shows part of the area.
    const int left = int(std::floor(logical.x() * zoom_));
    const int top = int(std::floor(logical.y() * zoom_));
    const int right = int(std::ceil((logical.x() + logical.width()) * zoom_));
    const int bottom = int(std::ceil((logical.y() + logical.height()) * zoom_));
    return QRect(left, top, right - left, bottom - top);
}

void CanvasWidget::setZoom(double zoom)
{
    zoom_ = zoom;
    canvas_.setRatio(drawingRatio());
    // The rows the keyboard and a screen reader know cover their rows as
    // shown: a screen reader points at them there.
    for (RowFocus* row : findChildren<RowFocus*>(Qt::FindDirectChildrenOnly))
        row->setGeometry(shownArea(pressArea(row->row(), false)));
}

void CanvasWidget::resizeEvent(QResizeEvent* event)
{
    // Zoomed, the widget's size is the canvas's scaled, and the canvas keeps
    // its own.
    if (zoom_ == 1.0)
        canvas_.resize(size());
    QWidget::resizeEvent(event);
}

AnswerBoxWidget::AnswerBoxWidget(QWidget* parent)
    : QLineEdit(parent)
{
    setTextMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void AnswerBoxWidget::moveTo(int left, int top)
{
    if (zoom_ != nullptr)
        zoom_->move(this, QPoint(left, top));
    else
        move(left, top);
}

QString AnswerBoxWidget::text() const
{
    QString shown = QLineEdit::text();
    if (!preedit_.isEmpty())
        shown.insert(cursorPosition(), preedit_);
    return shown;
}

void AnswerBoxWidget::setText(const QString& text)
{
    // The box's text is set anew, so is what it shows: a pre-edit left over
    // would come back with the next problem.
    if (!preedit_.isEmpty()) {
        QInputMethodEvent endComposing;
        QLineEdit::inputMethodEvent(&endComposing);
        preedit_.clear();
    }
    QLineEdit::setText(text);
}

QVariant AnswerBoxWidget::inputMethodQuery(Qt::InputMethodQuery query) const
{
    // A line edit answers that it takes an input method whatever its
    // attribute says; the platform's input method asks this.
    if (query == Qt::ImEnabled)
        return false;
    return QLineEdit::inputMethodQuery(query);
}

void AnswerBoxWidget::inputMethodEvent(QInputMethodEvent* event)
{
    QLineEdit::inputMethodEvent(event);
    if (!isReadOnly())
        preedit_ = event->preeditString();
}

void AnswerBoxWidget::setBackColor(QRgb color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor::fromRgb(color));
    setPalette(colours);
}

void AnswerBoxWidget::show()
{
    QLineEdit::show();
    // The answer boxes lie on the first canvas; on the second canvas's page
    // they are shown but not on screen, and must not hold the focus there.
    if (isVisible())
        setFocus(Qt::OtherFocusReason);
}

QRgb AnswerBoxWidget::backColor() const
{
    return palette().color(QPalette::Base).rgb();
}

void AnswerBoxWidget::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    Q_EMIT clicked();
}

void OptionButton::setOutlineShown(bool shown)
{
    if (shown == outlineShown_)
        return;
    outlineShown_ = shown;
    update();
}

void OptionButton::paintEvent(QPaintEvent* event)
{
    QRadioButton::paintEvent(event);
    if (!outlineShown_ || !hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor::fromRgb(OutlineColour), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

PictureBox::PictureBox(QString resource, QWidget* parent)
    : QLabel(parent)
    , resource_(std::move(resource))
{
}

namespace {

// A picture of at most 256 colours, one of them transparent, as the
// pictures are, held at one byte a pixel with its colours in a table: a
// quarter of the memory of the 32-bit pixels Qt would make of it, for the
// same pixels on the screen. Nothing for a picture of more colours.
std::optional<QImage> withColourTable(const QImage& picture)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    QList<QRgb> colours;
    QHash<QRgb, int> indexOf;
    QImage indexed(pixels.size(), QImage::Format_Indexed8);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < pixels.width(); ++x) {
            auto found = indexOf.constFind(from[x]);
            if (found == indexOf.constEnd()) {
                if (colours.size() == 256)
                    return std::nullopt;
                found = indexOf.insert(from[x], int(colours.size()));
                colours.append(from[x]);
            }
            to[x] = uchar(*found);
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

} // namespace

QPixmap PictureBox::picture(const QString& resource)
{
    // Both canvases show the same pictures: one copy of each serves them.
    const QString key = QStringLiteral("pomuru.picture:") + resource;
    QPixmap shared;
    if (QPixmapCache::find(key, &shared))
        return shared;
    // A format named and not guessed: guessing asks every image plugin
    // installed whether it reads the file, and loads each of them.
    QImageReader reader(resource, "gif");
    reader.setAutoDetectImageFormat(false);
    const QImage decoded = reader.read();
    if (decoded.isNull())
        return {};
    // Kept as it is, not converted to the screen's format: the painter
    // takes the colours from the table as it draws.
    const std::optional<QImage> compact = withColourTable(decoded);
    shared = compact ? QPixmap::fromImage(*compact, Qt::NoFormatConversion) : QPixmap::fromImage(decoded);
    QPixmapCache::insert(key, shared);
    return shared;
}

void PictureBox::load()
{
    if (!pixmap().isNull())
        return;
    const QPixmap held = picture(resource_);
    // The painter draws the picture as it is held only pixel for pixel.
    // Scaled, by the window's zoom or a screen's ratio above 1, it samples
    // the picture from pixels of the screen's format, as it always has: the
    // box keeps such a copy while it is scaled.
    const bool pixelForPixel = !hasScaledContents() && devicePixelRatio() == 1.0;
    setPixmap(pixelForPixel ? held : QPixmap::fromImage(held.toImage()));
}

void PictureBox::reload()
{
    if (!pixmap().isNull()) {
        setPixmap(QPixmap());
        load();
    }
}

void PictureBox::setZoomed(bool zoomed)
{
    if (zoomed == hasScaledContents())
        return;
    setScaledContents(zoomed);
    reload();
}

bool PictureBox::event(QEvent* event)
{
    if (changesRatio(event))
        reload();
    return QLabel::event(event);
}

void PictureBox::showEvent(QShowEvent* event)
{
    load();
    QLabel::showEvent(event);
}

ColourButton::ColourButton(const QString& caption, QRgb backColor, QWidget* parent)
    : QPushButton(caption, parent)
    , backColor_(backColor)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourButton::setBackColor(QRgb color)
{
    backColor_ = color;
    update();
}

void ColourButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, QColor::fromRgb(backColor_));

    // Two-pixel bevel: light above and left, dark below and right; the
    // other way round while the button is held down.
    const bool down = isDown();
    const QColor outerLight = down ? QColor(64, 64, 64) : QColor(Qt::white);
    const QColor outerDark = down ? QColor(Qt::white) : QColor(64, 64, 64);
    const QColor innerLight = down ? QColor(128, 128, 128) : QColor::fromRgb(backColor_).lighter(115);
    const QColor innerDark = down ? QColor::fromRgb(backColor_).lighter(115) : QColor(128, 128, 128);
    const int right = area.right();
    const int bottom = area.bottom();
    painter.setPen(outerLight);
    painter.drawLine(0, 0, right - 1, 0);
    painter.drawLine(0, 0, 0, bottom - 1);
    painter.setPen(outerDark);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 0, right, bottom);
    painter.setPen(innerLight);
    painter.drawLine(1, 1, right - 2, 1);
    painter.drawLine(1, 1, 1, bottom - 2);
    painter.setPen(innerDark);
    painter.drawLine(1, bottom - 1, right - 1, bottom - 1);
    painter.drawLine(right - 1, 1, right - 1, bottom - 1);

    painter.setPen(isEnabled() ? QColor(Qt::black) : QColor(128, 128, 128));
    painter.setFont(font());
    const int shift = down ? 1 : 0;
    painter.drawText(area.translated(shift, shift), Qt::AlignCenter, text());
}

void setBackColor(QWidget* widget, QRgb color)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, QColor::fromRgb(color));
    colours.setColor(QPalette::Button, QColor::fromRgb(color));
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

} // namespace pomuru
