#include "widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace pomuru {

CanvasWidget::CanvasWidget(QRgb background, const QFont& font, QWidget* parent)
    : QWidget(parent)
    , canvas_(QSize(1, 1), background, font)
{
    setFont(font);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.changed = [this] { update(); };
    // A refresh is asked for where the drawing must show before anything
    // else happens: a painted cell, the blanked row, the mark before the
    // feedback pause. A scheduled paint does that, for the event loop runs
    // as soon as the handler returns, and the pause's own event loop paints
    // the mark before it waits. A synchronous repaint of the whole canvas
    // with its keypads and buttons would cost milliseconds per press.
    canvas_.refreshed = [this] { update(); };
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), canvas_.image(), event->rect());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    Q_EMIT pressed(int(event->button()), int(event->modifiers()), float(at.x()), float(at.y()));
}

void CanvasWidget::resizeCanvas(QSize size)
{
    resize(size);
    canvas_.resize(size);
}

void CanvasWidget::resizeEvent(QResizeEvent* event)
{
    canvas_.resize(size());
    QWidget::resizeEvent(event);
}

AnswerBoxWidget::AnswerBoxWidget(QWidget* parent)
    : QLineEdit(parent)
{
    setTextMargins(0, 0, 0, 0);
    setAutoFillBackground(true);
}

void AnswerBoxWidget::setBackColor(QRgb color)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor::fromRgb(color));
    setPalette(colours);
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

void setButtonBackColor(QPushButton* button, QRgb color)
{
    const QColor back = QColor::fromRgb(color);
    const QString name = back.name();
    const QString light = back.lighter(130).name();
    const QString dark = back.darker(160).name();
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: %1; color: black; border: 2px solid; "
        "border-color: %2 %3 %3 %2; padding: 0px; }"
        "QPushButton:pressed { border-color: %3 %2 %2 %3; }")
                              .arg(name, light, dark));
    button->setProperty("backColor", name);
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
