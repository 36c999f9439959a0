// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// The widgets of the window that do more than Qt's own: the canvas that shows
// a persistent drawing, the answer box, and the command buttons that show
// their back colour.

#include "engine/canvas.h"
#include "engine/drill.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace pomuru {

class Zoom;

// A picture box: shows its Canvas and reports mouse presses in canvas pixels.
// The canvas draws at the widget's device pixel ratio: the one of the screen
// it will open on from the start, and that of a new screen when the window
// moves to one. In a window zoomed by z the widget is z times the canvas's
// size, and the canvas draws at z times the screen's ratio.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    CanvasWidget(QRgb background, const QFont& font, QWidget* parent);

    Canvas& canvas() { return canvas_; }
    const Canvas& canvas() const { return canvas_; }

    // Resizes the widget and its drawing at once. Qt tells a hidden widget
    // of its new size only when it is shown, and the drill draws on hidden
    // canvases.
    void resizeCanvas(QSize size);

    // The window's zoom: the widget's pixels per canvas pixel. The widget's
    // size is the zoom's to set.
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    // The keyboard's outlines over the drawing: around the focused row and
    // on the tape cell under the cursor; an empty rectangle shows none.
    // They are painted on the screen only, never into the canvas, whose
    // pixels the probes, the fills and the marking read.
    void setOutlines(QRect row, QRect cell);

Q_SIGNALS:
    // (x, y) is the canvas pixel under the pointer, whole numbers at every
    // device pixel ratio.
    void pressed(int button, int shift, float x, float y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is not a press of its own.
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    double drawingRatio() const { return zoom_ * devicePixelRatio(); }
    // The widget's pixels that show a logical area of the canvas.
    QRect shownArea(QRect logical) const;

    Canvas canvas_;
    double zoom_ = 1.0;
    QRect rowOutline_;
    QRect cellOutline_;
};

// A row of the page as the keyboard and a screen reader know it: an
// invisible widget over the row's press area that takes the focus by Tab
// and carries the row's name and problem. Presses go through it to the
// canvas, and it paints nothing: the canvas draws its outline. An input
// method's committed text comes out as `committed`, for the symbol keys.
class RowFocus : public QWidget {
    Q_OBJECT
public:
    RowFocus(int row, QWidget* canvas);

    int row() const { return row_; }

Q_SIGNALS:
    void committed(const QString& text);

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    // An input method only where the window asks for one (the symbols): one
    // left on elsewhere would take Space, the tape's paint key, for itself.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    int row_;
};

// A row's answer box: free single-line text; reports clicks.
//
// It takes no input method. A Japanese input method left in hiragana mode
// would hold the digits as uncommitted pre-edit until Enter, which the check
// button, never taking the focus, does not give; and on a touch desktop the
// input method brings up a screen keyboard over the rows below. The digits
// arrive as typed instead, and the drill has a keypad of its own. An input
// method that composes in the box all the same is judged by what it shows:
// the text with its pre-edit.
class AnswerBoxWidget : public QLineEdit, public AnswerBox {
    Q_OBJECT
public:
    explicit AnswerBoxWidget(QWidget* parent);

    // What the box shows, the pre-edit included.
    QString text() const override;
    void setText(const QString& text) override;
    // The drill moves the box in logical pixels, through the window's zoom.
    void moveTo(int left, int top) override;
    void placeThrough(Zoom* zoom) { zoom_ = zoom; }
    void setBackColor(QRgb color) override;
    // A box that appears on screen takes the keyboard focus, so that what the
    // pupil types next goes into the row just started.
    void show() override;
    QRgb backColor() const;

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    QString preedit_;
    Zoom* zoom_ = nullptr;
};

// A picture box that shows a picture from the resources. The picture is
// decoded when the box is first shown, or earlier by load(), not when the
// box is built: the window's first frame shows none of them.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    PictureBox(QString resource, QWidget* parent);

    void load();
    // Fills the box at every size while the window is zoomed.
    void setZoomed(bool zoomed);
    // The picture a box of this resource shows; empty when it cannot be read.
    static QPixmap picture(const QString& resource);
    const QString& resource() const { return resource_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The picture again, held as the box now shows it.
    void reload();

    QString resource_;
};

// A level option: the whole button, not only its circle and caption, takes
// a press, as the wide rows of the level menu invite.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    OptionButton(const QString& caption, QWidget* parent)
        : QRadioButton(caption, parent)
    {
    }

    // The outline of the focused option, once the keyboard has been used:
    // the style's own focus ring is too faint against the panel.
    void setOutlineShown(bool shown);

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void paintEvent(QPaintEvent* event) override;

private:
    bool outlineShown_ = false;
};

// The colour of the keyboard's outlines: navy, at least 3:1 against the
// canvas, the panel, white, red and cyan.
inline constexpr QRgb OutlineColour = qRgb(0, 0, 128);

// A command button in the graphical style: its back colour fills it inside
// a raised bevel that sinks while it is held down, and its caption stands
// centred. Painted by itself rather than through a style sheet, which would
// cost every one of the window's forty-odd buttons a style of its own.
class ColourButton : public QPushButton {
    Q_OBJECT
public:
    ColourButton(const QString& caption, QRgb backColor, QWidget* parent);

    QRgb backColor() const { return backColor_; }
    void setBackColor(QRgb color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRgb backColor_;
};
// Gives any widget a solid back colour.
void setBackColor(QWidget* widget, QRgb color);

} // namespace pomuru
