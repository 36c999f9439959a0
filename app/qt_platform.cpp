// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "qt_platform.h"

#include "input_drop.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QTimer>

#include <cmath>

namespace pomuru {

namespace {

// A message box as the program shows it: modal for the whole application,
// titled with the application's name, with Japanese buttons.
class Message : public QMessageBox {
public:
    Message(QWidget* window, const QString& text, double zoom)
        : QMessageBox(window)
    {
        setWindowModality(Qt::ApplicationModal);
        setWindowTitle(ApplicationTitle);
        setText(text);
        setIcon(QMessageBox::NoIcon);
        // Read from as far as the window is, on a classroom display.
        if (zoom != 1.0) {
            QFont larger = font();
            if (larger.pixelSize() > 0)
                larger.setPixelSize(int(std::lround(larger.pixelSize() * zoom)));
            else
                larger.setPointSizeF(larger.pointSizeF() * zoom);
            setFont(larger);
        }
    }
};

} // namespace

void nameApplication()
{
    // No display name: Qt would append it to the window's own caption.
    QApplication::setApplicationName(QStringLiteral("pomuru"));
    QApplication::setApplicationVersion(QStringLiteral(POMURU_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.pomuru.Pomuru"));
}

QtPlatform::QtPlatform(int screenWidthPixels, QRect availableArea)
    : screenWidthPixels_(screenWidthPixels)
    , availableArea_(availableArea)
{
}

QRect QtPlatform::availableScreenArea()
{
    if (availableArea_.isEmpty())
        return QRect(0, 0, screenWidthPixels_, QWIDGETSIZE_MAX);
    return availableArea_;
}

void QtPlatform::showMessage(const QString& text)
{
    Message box(window_, text, zoom_ ? zoom_() : 1.0);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtPlatform::askYesNo(const QString& text)
{
    Message box(window_, text, zoom_ ? zoom_() : 1.0);
    QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtPlatform::beep()
{
    sound_.play();
}

QString QtPlatform::timeOfDay()
{
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss"));
}

void QtPlatform::waitWhileTimeOfDayIs(const QString& shown)
{
    // Sleeps in an event loop that still paints the window and drops the
    // pupil's input; it wakes just after each turn of the second. The window
    // manager's close request is not input: it ends the loop, and a closed
    // window ends the pause at once.
    QEventLoop loop;
    const InputDrop dropped(window_, [&loop] { loop.quit(); });
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto windowClosed = [this] { return window_ == nullptr || !window_->isVisible(); };
    while (!ending_ && !windowClosed() && timeOfDay() == shown) {
        wake.start(1000 - QTime::currentTime().msec() + 2);
        loop.exec();
    }
}

void QtPlatform::endProgram()
{
    ending_ = true;
    if (window_)
        window_->close();
    QApplication::quit();
}

} // namespace pomuru
