// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QFont>
#include <QHash>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <memory>

class QStyle;
class QWidget;

namespace pomuru {

// The whole window at one scale z: every control at z times its logical
// geometry, every font at z times its logical pixel size, and the canvases
// drawing at z times the screen's ratio. Layouts and handlers speak in
// logical pixels only; this is the one place that turns them into the
// window's own pixels, so at z = 1 everything is where it always was.
//
// The controls are the root's named descendants. While z is 1 their geometry
// and font are their logical ones, whoever set them; a change of z away from
// 1 takes them as they stand. From then on a control is placed through
// place(), move() and resize().
class Zoom {
public:
    explicit Zoom(QWidget* root);
    ~Zoom();
    Zoom(const Zoom&) = delete;
    Zoom& operator=(const Zoom&) = delete;

    double factor() const { return factor_; }
    // Where the logical origin of the root's direct children lies: the
    // content's top-left corner, centred in a window larger than it.
    QPoint origin() const { return origin_; }

    // Scales every control to z and shifts the root's children by origin.
    void apply(double factor, QPoint origin = {});
    // Controls built under `parent` after z left 1: their geometry and font
    // as they stand are logical, and they take the present z.
    void takeIn(QWidget* parent);

    void place(QWidget* control, QRect logical);
    void move(QWidget* control, QPoint logical);
    void resize(QWidget* control, QSize logical);
    // A font whose pixel size is logical.
    void setFont(QWidget* control, const QFont& logical);
    QRect logicalGeometry(QWidget* control) const;

    // A logical rectangle in the window's pixels: its edges scaled and
    // rounded, so that controls that touch at z = 1 touch at every z.
    static QRect scaled(QRect logical, double factor);
    static QSize scaled(QSize logical, double factor);
    static int scaledPixels(int logical, double factor);

private:
    struct Logical {
        QRect geometry;
        int fontPixels = 0;  // 0: the control's font is its parent's
    };
    // The controls and their logical geometry and font, as they stand now
    // (only while z is 1).
    void takeAsTheyStand();
    static Logical asItStands(const QWidget* control);
    // z = 1 at the origin: every control stands where its logical geometry says.
    bool unscaled() const;
    void show(QWidget* control, const Logical& logical);
    Logical& logicalOf(QWidget* control);

    QWidget* root_;
    double factor_ = 1.0;
    QPoint origin_;
    int rootFontPixels_ = 0;
    QHash<QWidget*, Logical> controls_;
    // The style's own sizes that fonts and geometry do not scale: the level
    // options' round indicators. Made at the first factor other than 1.
    std::unique_ptr<QStyle> style_;
};

// The largest factor at which content of a logical size fits an area.
double fittingFactor(QSize logical, QSize area);

} // namespace pomuru
