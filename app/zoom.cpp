// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "zoom.h"

#include "widgets.h"

#include <QApplication>
#include <QLabel>
#include <QProxyStyle>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace pomuru {

namespace {

// The controls are the named widgets; Qt's own helpers inside a control
// ("qt_" names) are placed by the control itself.
bool isControl(const QWidget* widget)
{
    const QString& name = widget->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

// The application's style with the indicators of radio buttons, and the
// room beside them, z times their size.
class ZoomedStyle : public QProxyStyle {
public:
    double factor = 1.0;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int metrics = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_RadioButtonLabelSpacing:
            return Zoom::scaledPixels(metrics, factor);
        default:
            return metrics;
        }
    }
};

} // namespace

Zoom::Zoom(QWidget* root)
    : root_(root)
{
}

Zoom::~Zoom() = default;

int Zoom::scaledPixels(int logical, double factor)
{
    return factor == 1.0 ? logical : int(std::lround(logical * factor));
}

QRect Zoom::scaled(QRect logical, double factor)
{
    if (factor == 1.0)
        return logical;
    const int left = scaledPixels(logical.x(), factor);
    const int top = scaledPixels(logical.y(), factor);
    const int right = scaledPixels(logical.x() + logical.width(), factor);
    const int bottom = scaledPixels(logical.y() + logical.height(), factor);
    return QRect(left, top, right - left, bottom - top);
}

QSize Zoom::scaled(QSize logical, double factor)
{
    return QSize(scaledPixels(logical.width(), factor), scaledPixels(logical.height(), factor));
}

Zoom::Logical Zoom::asItStands(const QWidget* control)
{
    Logical logical{control->geometry(), 0};
    if (control->testAttribute(Qt::WA_SetFont))
        logical.fontPixels = control->font().pixelSize();
    return logical;
}

void Zoom::takeAsTheyStand()
{
    rootFontPixels_ = root_->font().pixelSize();
    controls_.clear();
    for (QWidget* control : root_->findChildren<QWidget*>()) {
        if (isControl(control))
            controls_.insert(control, asItStands(control));
    }
}

void Zoom::takeIn(QWidget* parent)
{
    if (unscaled())
        return;
    for (QWidget* control : parent->findChildren<QWidget*>()) {
        if (isControl(control) && !controls_.contains(control))
            show(control, *controls_.insert(control, asItStands(control)));
    }
}

Zoom::Logical& Zoom::logicalOf(QWidget* control)
{
    auto found = controls_.find(control);
    if (found == controls_.end())
        found = controls_.insert(control, Logical{control->geometry(), 0});
    return *found;
}

void Zoom::apply(double factor, QPoint origin)
{
    if (factor == factor_ && origin == origin_)
        return;
    if (factor_ == 1.0 && origin_.isNull())
        takeAsTheyStand();
    factor_ = factor;
    origin_ = origin;
    if (factor_ != 1.0 && style_ == nullptr)
        style_ = std::make_unique<ZoomedStyle>();
    if (style_ != nullptr)
        static_cast<ZoomedStyle*>(style_.get())->factor = factor_;
    // Children without a font of their own follow the root's.
    if (rootFontPixels_ > 0) {
        QFont font = root_->font();
        font.setPixelSize(scaledPixels(rootFontPixels_, factor_));
        root_->setFont(font);
    }
    for (auto each = controls_.begin(); each != controls_.end(); ++each)
        show(each.key(), each.value());
}

void Zoom::show(QWidget* control, const Logical& logical)
{
    QRect geometry = logical.geometry;
    if (auto* canvas = qobject_cast<CanvasWidget*>(control)) {
        // The drawing keeps its logical size; the widget shows it larger.
        canvas->setZoom(factor_);
        geometry.setSize(canvas->canvas().size());
    }
    QRect shown = scaled(geometry, factor_);
    if (control->parentWidget() == root_)
        shown.translate(origin_);
    control->setGeometry(shown);
    if (logical.fontPixels > 0) {
        QFont font = control->font();
        font.setPixelSize(scaledPixels(logical.fontPixels, factor_));
        control->setFont(font);
    }
    // At z = 1 the options have the application's style, as they always had.
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
        QStyle* style = factor_ != 1.0 ? style_.get() : nullptr;
        if (option->style() != (style != nullptr ? style : QApplication::style()))
            option->setStyle(style);
    }
    // A picture fills its box at every size.
    if (auto* picture = qobject_cast<PictureBox*>(control))
        picture->setZoomed(factor_ != 1.0);
}

bool Zoom::unscaled() const
{
    return factor_ == 1.0 && origin_.isNull();
}

void Zoom::place(QWidget* control, QRect logical)
{
    if (unscaled()) {
        control->setGeometry(logical);
        return;
    }
    Logical& placed = logicalOf(control);
    placed.geometry = logical;
    show(control, placed);
}

void Zoom::move(QWidget* control, QPoint logical)
{
    if (unscaled()) {
        control->move(logical);
        return;
    }
    Logical& placed = logicalOf(control);
    placed.geometry.moveTo(logical);
    show(control, placed);
}

void Zoom::resize(QWidget* control, QSize logical)
{
    if (unscaled()) {
        control->resize(logical);
        return;
    }
    Logical& placed = logicalOf(control);
    placed.geometry.setSize(logical);
    show(control, placed);
}

void Zoom::setFont(QWidget* control, const QFont& logical)
{
    control->setFont(logical);
    if (unscaled())
        return;
    Logical& placed = logicalOf(control);
    placed.fontPixels = logical.pixelSize();
    show(control, placed);
}

QRect Zoom::logicalGeometry(QWidget* control) const
{
    if (unscaled())
        return control->geometry();
    const auto found = controls_.find(control);
    return found != controls_.end() ? found->geometry : control->geometry();
}

double fittingFactor(QSize logical, QSize area)
{
    if (logical.isEmpty() || area.isEmpty())
        return 1.0;
    return std::min(double(area.width()) / logical.width(), double(area.height()) / logical.height());
}

} // namespace pomuru
