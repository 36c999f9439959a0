#include "qt_platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QTimer>

namespace pomuru {

namespace {

// A message box as the program shows it: modal for the whole application,
// titled with the application's name, with Japanese buttons.
class Message : public QMessageBox {
public:
    Message(QWidget* window, const QString& text)
        : QMessageBox(window)
    {
        setWindowModality(Qt::ApplicationModal);
        setWindowTitle(ApplicationTitle);
        setText(text);
        setIcon(QMessageBox::NoIcon);
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

QtPlatform::QtPlatform(int screenWidthPixels)
    : screenWidthPixels_(screenWidthPixels)
{
}

void QtPlatform::showMessage(const QString& text)
{
    Message box(window_, text);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

bool QtPlatform::askYesNo(const QString& text)
{
    Message box(window_, text);
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
    // Sleeps in an event loop that still paints the window but holds the
    // pupil's input back until the pause is over; it wakes just after each
    // turn of the second. Closing the window quits every event loop, and a
    // closed window ends the pause at once.
    QEventLoop loop;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto windowClosed = [this] { return window_ == nullptr || !window_->isVisible(); };
    while (!ending_ && !windowClosed() && timeOfDay() == shown) {
        wake.start(1000 - QTime::currentTime().msec() + 2);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
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
