// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The window on a screen with a scale factor, offscreen: CTest runs this
// test at QT_SCALE_FACTOR 1, 1.5 and 2. The canvases draw at the screen's
// ratio, show their image one to one, and take presses on the pixel the
// pupil sees under the pointer.

#include "support/scripted_wholes.h"
#include "support/window_fixture.h"

#include "engine/colors.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <QMouseEvent>
#include <QTest>

#include <optional>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// The ratio this run was started with.
double screenRatio()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    return ok ? factor : 1.0;
}

// What the canvas widget alone paints of `area` (its children left out),
// on an image the size of the canvas's own, magenta where nothing is painted.
QImage painted(CanvasWidget* widget, QRect area)
{
    const QImage& image = widget->canvas().image();
    QImage shown(image.size(), QImage::Format_RGB32);
    shown.setDevicePixelRatio(image.devicePixelRatio());
    shown.fill(Qt::magenta);
    widget->render(&shown, area.topLeft(), QRegion(area), QWidget::RenderFlags());
    return shown;
}

std::optional<QPoint> firstDifference(const QImage& a, const QImage& b, QRect device)
{
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QPoint(x, y);
    return std::nullopt;
}

QByteArray describe(const std::optional<QPoint>& at)
{
    return at ? QByteArray("device pixel ") + QByteArray::number(at->x()) + ',' + QByteArray::number(at->y())
              : QByteArray();
}

// A press as the toolkit reports it on a screen with a ratio above 1: at a
// position between logical pixels.
void pressAt(QWidget* widget, QPointF at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

} // namespace

class TestScaleFactorWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void canvasesDrawAtTheScreensRatio();
    void theCanvasIsShownOneToOne();
    void aScreenChangeBringsTheCanvasToTheScreensRatio();
    void tapeIsPaintedAndMarkedAsAtRatioOne();
    void picturesShowThePixelsOfTheirFiles();
};

void TestScaleFactorWindow::canvasesDrawAtTheScreensRatio()
{
    WindowFixture fx;
    for (CanvasWidget* canvas : fx.controls<CanvasWidget>("Picture1")) {
        QCOMPARE(canvas->devicePixelRatio(), screenRatio());
        QCOMPARE(canvas->canvas().ratio(), screenRatio());
        QCOMPARE(canvas->canvas().size(), canvas->size());
    }
}

void TestScaleFactorWindow::theCanvasIsShownOneToOne()
{
    // Scaling the image on its way to the screen would blur it or shift it
    // by a device pixel; a repaint of a small area must show exactly that
    // area's device pixels.
    WindowFixture fx;
    fx.openLevel(3);
    const int T = rowTop(1);
    fx.pressCanvas(100, T + 100);
    fx.pressCanvas(tape::Left + 25, T + 242);
    CanvasWidget* widget = fx.control<CanvasWidget>("Picture1", 1);
    const Canvas& canvas = widget->canvas();

    const QRect whole(QPoint(0, 0), canvas.size());
    // At 1.5 the last device column and row hold only half a logical pixel.
    const QRect wholeDevice = canvas.toDevice(whole.adjusted(0, 0, -1, -1));
    const auto differs = firstDifference(painted(widget, whole), canvas.image(), wholeDevice);
    QVERIFY2(!differs, describe(differs));

    // An area at odd logical coordinates, half-way between device pixels
    // at 1.5: the status line, the tape and its first painted cell.
    const QRect area(31, T + 75, 127, 181);
    const QImage shown = painted(widget, area);
    const auto inside = firstDifference(shown, canvas.image(), canvas.toDevice(area.adjusted(1, 1, -1, -1)));
    QVERIFY2(!inside, describe(inside));
    const QRect reach = canvas.toDevice(area.adjusted(-1, -1, 1, 1));
    std::optional<QPoint> beyond;
    for (int y = 0; y < shown.height() && !beyond; ++y)
        for (int x = 0; x < shown.width() && !beyond; ++x)
            if (!reach.contains(x, y) && shown.pixel(x, y) != QColor(Qt::magenta).rgb())
                beyond = QPoint(x, y);
    QVERIFY2(!beyond, describe(beyond));
}

void TestScaleFactorWindow::aScreenChangeBringsTheCanvasToTheScreensRatio()
{
    WindowFixture fx;
    fx.openLevel(1);
    CanvasWidget* widget = fx.control<CanvasWidget>("Picture1", 0);
    const QRgb frame = widget->canvas().pixel(400, 100).value_or(0);
    widget->canvas().setRatio(screenRatio() == 1.0 ? 2.0 : 1.0);
    QEvent change(QEvent::ScreenChangeInternal);
    QApplication::sendEvent(widget, &change);
    QCOMPARE(widget->canvas().ratio(), screenRatio());
    QCOMPARE(widget->canvas().pixel(400, 100), frame);
}

void TestScaleFactorWindow::tapeIsPaintedAndMarkedAsAtRatioOne()
{
    WindowFixture fx;
    fx.openLevel(3);
    const int row = 1;
    const int T = rowTop(row);
    scriptWholes(fx, row, {3});  // 0.3 m
    fx.pressCanvas(100, T + 100);
    QCOMPARE(fx.state().record(row, 1, Value1), 0.3f);
    CanvasWidget* widget = fx.control<CanvasWidget>("Picture1", 1);

    // The black line between cells 1 and 2 is logical column 130; pressed
    // on either of its device pixels it fills nothing.
    const QImage before = fx.canvas().image();
    pressAt(widget, QPointF(130, T + 242));
    pressAt(widget, QPointF(130 + 0.5, T + 242));
    QCOMPARE(fx.canvas().image(), before);
    // The frame's left edge is column 20: a press there beeps, whatever
    // part of the pixel it hits.
    const int beeps = fx.platform.beeps;
    pressAt(widget, QPointF(20.5, T + 150));
    QCOMPARE(fx.platform.beeps, beeps + 1);

    // Three cells, the middle one pressed between device pixels.
    fx.pressCanvas(tape::Left + 25, T + 242);
    pressAt(widget, QPointF(tape::Left + 75.5, T + 242.5));
    fx.pressCanvas(tape::Left + 125, T + 242);
    for (int cell = 0; cell < tape::Cells; ++cell) {
        const QPoint probe = tape::probe(cell, T);
        QCOMPARE(fx.pixel(probe.x(), probe.y()), cell < 3 ? colors::red : colors::white);
    }
    // Each painted cell is red to its lines and not beyond, at every device
    // pixel of its blocks.
    const Canvas& canvas = fx.canvas();
    for (int cell = 0; cell < 4; ++cell) {
        const QRect inside = canvas.toDevice(
            QRect(QPoint(tape::Left + tape::CellWidth * cell + 1, T + tape::Top + 1),
                  QPoint(tape::Left + tape::CellWidth * (cell + 1) - 1, T + tape::Bottom - 1)));
        const QRgb expected = cell < 3 ? colors::red : colors::white;
        std::optional<QPoint> other;
        for (int y = inside.top(); y <= inside.bottom() && !other; ++y)
            for (int x = inside.left(); x <= inside.right() && !other; ++x)
                if (canvas.image().pixel(x, y) != expected)
                    other = QPoint(x, y);
        QVERIFY2(!other, describe(other));
    }

    fx.click(fx.checkButton(row));
    QCOMPARE(fx.state().record(row, 1, Mark), MarkRightFirst);
    QCOMPARE(fx.state().problemCount(row), 2);
}

// The pictures are held as compactly as the screen allows; on the screen of
// every ratio, each page's pictures show what the pictures as Qt decodes them
// show, on the canvas's colour.
void TestScaleFactorWindow::picturesShowThePixelsOfTheirFiles()
{
    WindowFixture fx;
    for (int c = 0; c < 2; ++c) {
        CanvasWidget* canvas = fx.control<CanvasWidget>("Picture1", c);
        canvas->show();
        for (PictureBox* picture : {fx.control<PictureBox>("Picture2", c), fx.control<PictureBox>("Picture4", c)}) {
            QVERIFY(!picture->pixmap().isNull());
            QLabel decoded(canvas);
            decoded.setPalette(picture->palette());
            decoded.setAutoFillBackground(picture->autoFillBackground());
            decoded.setPixmap(QPixmap(picture->resource()));
            decoded.setGeometry(picture->geometry());
            QCOMPARE(picture->grab().toImage(), decoded.grab().toImage());
        }
    }
}

QTEST_MAIN(TestScaleFactorWindow)
#include "test_scale_factor_window.moc"
