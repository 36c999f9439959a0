// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// The window looks the same, pixel for pixel, whatever colour scheme and
// style the desktop's platform theme hands to the program: a dark scheme
// given before start-up, one switched to while the program runs, palettes
// given to classes of widgets, another style.

#include "support/window_fixture.h"

#include "app/look.h"
#include "engine/page.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>
#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

// A dark scheme as desktops ship it: light text on dark grounds.
QPalette darkScheme()
{
    QPalette dark;
    const QColor ground(42, 46, 50);
    const QColor text(252, 252, 252);
    dark.setColor(QPalette::Window, ground);
    dark.setColor(QPalette::WindowText, text);
    dark.setColor(QPalette::Base, QColor(27, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(35, 38, 41));
    dark.setColor(QPalette::Text, text);
    dark.setColor(QPalette::Button, QColor(49, 54, 59));
    dark.setColor(QPalette::ButtonText, text);
    dark.setColor(QPalette::BrightText, QColor(255, 128, 128));
    dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
    dark.setColor(QPalette::HighlightedText, text);
    dark.setColor(QPalette::Light, QColor(64, 70, 76));
    dark.setColor(QPalette::Midlight, QColor(56, 62, 68));
    dark.setColor(QPalette::Mid, QColor(36, 40, 44));
    dark.setColor(QPalette::Dark, QColor(20, 22, 24));
    dark.setColor(QPalette::Shadow, QColor(0, 0, 0));
    dark.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    return dark;
}

// What the platform theme does, the way it does it: the application's
// palette, and palettes for the classes of widgets that it styles apart.
void applyScheme(const QPalette& scheme, bool forClasses)
{
    QApplication::setPalette(scheme);
    if (forClasses) {
        for (const char* widgetClass : {"QLineEdit", "QRadioButton", "QAbstractButton", "QLabel", "QPushButton"})
            QApplication::setPalette(scheme, widgetClass);
    }
}

// Three views of the window: the menu, a page of a typed level with an
// answer typed into row 1, and a page of level 3 with a painted cell.
QList<QImage> views(const std::function<void(WindowFixture&)>& whileRunning = {})
{
    QList<QImage> shots;
    {
        WindowFixture fx;
        if (whileRunning)
            whileRunning(fx);
        shots << fx.window->grab().toImage();
        fx.openLevel(8);
        fx.pressCanvas(300, rowTop(1) + 100);
        QTest::keyClicks(fx.control<AnswerBoxWidget>("Text1", 0), QStringLiteral("1.5"));
        shots << fx.window->grab().toImage();
    }
    {
        WindowFixture fx;
        if (whileRunning)
            whileRunning(fx);
        fx.openLevel(3);
        fx.pressCanvas(300, rowTop(1) + 100);
        fx.pressCanvas(130, rowTop(1) + 242);
        shots << fx.window->grab().toImage();
    }
    return shots;
}

} // namespace

class TestLook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void desktopSchemeChangesNoPixel_data();
    void desktopSchemeChangesNoPixel();
    void messageBoxesAreReadable();
    void ownPaletteIsLightWhateverTheDesktopPrefers();

private:
    QPalette initialPalette_;
    QString initialStyle_;
    QList<QImage> reference_;
};

void TestLook::initTestCase()
{
    // A text cursor that does not blink, so that two shots of a box with the
    // focus can be compared.
    QApplication::setCursorFlashTime(0);
    initialPalette_ = QApplication::palette();
    initialStyle_ = QApplication::style()->name();
    reference_ = views();
    QCOMPARE(reference_.size(), 3);
}

void TestLook::init()
{
    applyScheme(initialPalette_, true);
    QApplication::setStyle(initialStyle_);
}

void TestLook::desktopSchemeChangesNoPixel_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("forClasses");
    QTest::addColumn<bool>("whileRunning");
    QTest::newRow("dark scheme before start-up") << QString() << false << false;
    QTest::newRow("dark scheme for classes of widgets") << QString() << true << false;
    QTest::newRow("dark scheme switched to while running") << QString() << true << true;
    QTest::newRow("another style, dark scheme") << QStringLiteral("Windows") << true << false;
}

void TestLook::desktopSchemeChangesNoPixel()
{
    QFETCH(QString, style);
    QFETCH(bool, forClasses);
    QFETCH(bool, whileRunning);
    if (!style.isEmpty())
        QApplication::setStyle(style);
    const auto scheme = [forClasses](WindowFixture&) { applyScheme(darkScheme(), forClasses); };
    if (!whileRunning)
        applyScheme(darkScheme(), forClasses);
    const QList<QImage> shots = whileRunning ? views(scheme) : views();
    QCOMPARE(shots.size(), reference_.size());
    for (qsizetype i = 0; i < shots.size(); ++i)
        QVERIFY2(shots[i] == reference_[i], qPrintable(QStringLiteral("view %1 differs").arg(i)));
}

void TestLook::messageBoxesAreReadable()
{
    // A box shown while the desktop is dark: its text stands out from its
    // ground either way.
    WindowFixture fx;
    applyScheme(darkScheme(), true);
    QMessageBox box(fx.window.get());
    box.setText(QStringLiteral("こたえをタイプしてください。"));
    const QPalette colours = box.palette();
    const auto lightness = [](QColor c) { return c.lightness(); };
    QVERIFY(std::abs(lightness(colours.color(QPalette::WindowText)) - lightness(colours.color(QPalette::Window))) > 100);
    QVERIFY(std::abs(lightness(colours.color(QPalette::ButtonText)) - lightness(colours.color(QPalette::Button))) > 100);
}

void TestLook::ownPaletteIsLightWhateverTheDesktopPrefers()
{
    // The palette is written out, not asked of a style: Fusion's standard
    // palette turns dark on a desktop that prefers dark, and the captions
    // on the program's pale back colours would turn near-white with it.
    applyScheme(darkScheme(), true);
    const QPalette own = ownPalette();
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        QCOMPARE(own.color(group, QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(own.color(group, QPalette::Text), QColor(Qt::black));
        QCOMPARE(own.color(group, QPalette::ButtonText), QColor(Qt::black));
        QCOMPARE(own.color(group, QPalette::Base), QColor(Qt::white));
        QVERIFY(own.color(group, QPalette::Window).lightness() > 200);
    }
}

QTEST_MAIN(TestLook)
#include "test_look.moc"
