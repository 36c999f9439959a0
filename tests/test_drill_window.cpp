// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The drill in the real window, offscreen: the menu flow, the keypads on
// real answer boxes, and a whole level-1 problem from the menu to the mark.

#include "support/printed_text.h"
#include "support/scripted_wholes.h"
#include "support/window_fixture.h"

#include "answer/keypad.h"
#include "engine/colors.h"
#include "engine/fonts.h"
#include "engine/page.h"

#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

class TestDrillWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decideWithoutALevelAsksForOneAndStaysOnTheMenu();
    void choosingALevelClearsTheChoiceBefore();
    void decideOpensThePageWithItsPrompts_data();
    void decideOpensThePageWithItsPrompts();
    void endAnsweredNoChangesNothing();
    void endAnsweredYesClearsTheRowsAndKeepsTheLevel();
    void gradeButtonShowsTheMenu();
    void quitEndsTheProgramOnlyWhenAnsweredYes();
    void keypad_data();
    void keypad();
    void keysAppendAtTheEndAndNeverTakeTheFocus();
    void eraseTouchesOnlyItsRow();
    void clickingABoxMakesItPinkAndKeepsItsText();
    void aWholeLevel1Problem();
};

void TestDrillWindow::decideWithoutALevelAsksForOneAndStaysOnTheMenu()
{
    WindowFixture fx;
    const QImage canvas = fx.control<CanvasWidget>("Picture1", 0)->canvas().image();
    fx.click(fx.control<ColourButton>("Command10", 0));
    QCOMPARE(fx.platform.messages, QStringList{QStringLiteral("レベルをきめてから、けっていボタンをおしてください。")});
    QVERIFY(fx.control<QWidget>("Picture7", 0)->isVisible());
    QVERIFY(fx.control<ColourButton>("Command1", 0)->isVisible());
    QVERIFY(!fx.control<CanvasWidget>("Picture1", 0)->isVisible());
    QCOMPARE(fx.control<CanvasWidget>("Picture1", 0)->canvas().image(), canvas);  // no page was set up
}

void TestDrillWindow::choosingALevelClearsTheChoiceBefore()
{
    WindowFixture fx;
    fx.click(fx.control<QRadioButton>("Option2", 4));
    QCOMPARE(fx.state().LevelNo, std::int16_t(5));
    fx.click(fx.control<QRadioButton>("Option2", 9));
    QCOMPARE(fx.state().LevelNo, std::int16_t(10));
    QVERIFY(!fx.control<QRadioButton>("Option2", 4)->isChecked());
    QVERIFY(fx.control<QRadioButton>("Option2", 9)->isChecked());
    // The arrow keys move the choice; the level follows it.
    fx.control<QRadioButton>("Option2", 9)->setFocus();
    QTest::keyClick(fx.control<QRadioButton>("Option2", 9), Qt::Key_Up);
    QVERIFY(fx.control<QRadioButton>("Option2", 8)->isChecked());
    QCOMPARE(fx.state().LevelNo, std::int16_t(9));
}

void TestDrillWindow::decideOpensThePageWithItsPrompts_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("canvas");
    QTest::newRow("level 1, three rows") << 1 << 1024 << 0;
    QTest::newRow("level 7 on canvas 1, two rows") << 7 << 999 << 1;
}

void TestDrillWindow::decideOpensThePageWithItsPrompts()
{
    QFETCH(int, level);
    QFETCH(int, screenWidth);
    QFETCH(int, canvas);
    WindowFixture fx(screenWidth);
    fx.openLevel(level);
    const int index = fx.state().CanvasIndex;
    QCOMPARE(index, canvas);
    CanvasWidget* shown = fx.control<CanvasWidget>("Picture1", index);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->pos(), QPoint(8, 8));
    QVERIFY(!fx.control<CanvasWidget>("Picture1", 1 - index)->isVisible());
    QVERIFY(!fx.control<QWidget>("Picture7", 0)->isVisible());
    QVERIFY(!fx.control<ColourButton>("Command1", 0)->isVisible());
    for (QPushButton* check : fx.controls<QPushButton>("Command5"))
        QVERIFY(check->isHidden());
    const QString prompt = QStringLiteral("ここをクリックしてください。");
    const int rows = screenWidth >= 1000 ? 3 : 2;
    for (int row = 1; row <= rows; ++row) {
        const QPoint at(40, rowTop(row) + 155);
        const QRect area(at, QSize(450, 32));
        QCOMPARE(fx.canvas().image().copy(area), printedAlone(fx.canvas(), area, at.x(), at.y(), prompt).image());
    }
}

void TestDrillWindow::endAnsweredNoChangesNothing()
{
    WindowFixture fx;
    fx.openLevel(1);
    fx.pressCanvas(400, 175);
    fx.control<AnswerBoxWidget>("Text1", 0)->setText(QStringLiteral("1.5"));
    const auto records = fx.state().RowValues;
    const QImage canvas = fx.canvas().image();
    fx.platform.answers = {false};
    fx.click(fx.control<ColourButton>("Command8", 0));
    QCOMPARE(fx.platform.questions, QStringList{QStringLiteral("みなさん　おわりましたか？")});
    QVERIFY(fx.state().RowValues == records);
    QCOMPARE(fx.canvas().image(), canvas);
    QCOMPARE(fx.control<AnswerBoxWidget>("Text1", 0)->text(), QStringLiteral("1.5"));
    QVERIFY(fx.control<CanvasWidget>("Picture1", 0)->isVisible());
    QVERIFY(fx.control<AnswerBoxWidget>("Text1", 0)->isVisible());
    QVERIFY(!fx.control<QWidget>("Picture7", 0)->isVisible());
}

void TestDrillWindow::endAnsweredYesClearsTheRowsAndKeepsTheLevel()
{
    WindowFixture fx;
    fx.openLevel(1);
    fx.pressCanvas(400, 175);
    fx.pressCanvas(400, 600);
    fx.platform.answers = {true};
    fx.click(fx.control<ColourButton>("Command8", 0));
    QVERIFY(!fx.control<CanvasWidget>("Picture1", 0)->isVisible());
    QVERIFY(fx.control<QWidget>("Picture7", 0)->isVisible());
    QCOMPARE(fx.control<QWidget>("Picture7", 0)->pos(), QPoint(4, 54));
    QVERIFY(fx.control<ColourButton>("Command1", 0)->isVisible());
    for (int i = 0; i < 3; ++i) {
        QVERIFY(fx.control<AnswerBoxWidget>("Text1", i)->isHidden());
        QVERIFY(fx.control<ColourButton>("Command5", i)->isHidden());
        QVERIFY(fx.control<QWidget>("Picture6", i)->isHidden());
        QCOMPARE(fx.state().RowValues[std::size_t(i + 1)], (std::array<float, LastEntry + 1>{}));
    }
    QCOMPARE(fx.state().LevelNo, std::int16_t(1));
    QVERIFY(fx.control<QRadioButton>("Option2", 0)->isChecked());

    // けってい again restarts the same level on a fresh page.
    fx.click(fx.control<ColourButton>("Command10", 0));
    QVERIFY(fx.control<CanvasWidget>("Picture1", 0)->isVisible());
    fx.pressCanvas(400, 175);
    QCOMPARE(fx.state().problemCount(1), 1);
    QCOMPARE(fx.state().problemCount(3), 0);
    QVERIFY(fx.control<AnswerBoxWidget>("Text1", 0)->isVisible());
    QVERIFY(fx.control<AnswerBoxWidget>("Text1", 2)->isHidden());
}

void TestDrillWindow::gradeButtonShowsTheMenu()
{
    WindowFixture fx;
    fx.control<QWidget>("Picture7", 0)->hide();
    fx.control<QWidget>("Picture7", 0)->move(300, 300);
    fx.click(fx.control<ColourButton>("Command1", 0));
    QVERIFY(fx.control<QWidget>("Picture7", 0)->isVisible());
    QCOMPARE(fx.control<QWidget>("Picture7", 0)->pos(), QPoint(4, 54));
    QCOMPARE(fx.state().LevelNo, std::int16_t(0));
}

void TestDrillWindow::quitEndsTheProgramOnlyWhenAnsweredYes()
{
    WindowFixture fx;
    fx.platform.answers = {false, true};
    fx.click(fx.control<ColourButton>("Command2", 0));
    QVERIFY(!fx.platform.ended);
    QVERIFY(fx.control<QWidget>("Picture7", 0)->isVisible());
    fx.click(fx.control<ColourButton>("Command2", 0));
    QVERIFY(fx.platform.ended);
    QCOMPARE(fx.platform.questions,
             (QStringList{QStringLiteral("「ポムル」を　終わります。"), QStringLiteral("「ポムル」を　終わります。")}));
}

void TestDrillWindow::keypad_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("digitKeys");  // Command6 indices, then -1 for the point key
    QTest::addColumn<QString>("text");
    QTest::newRow("row 1: 2, point, 5") << 1 << QList<int>{2, -1, 5} << QStringLiteral("2.5");
    QTest::newRow("row 2: keys 19 and 10 are 0 and 9") << 2 << QList<int>{19, 10} << QStringLiteral("09");
    QTest::newRow("row 3: keys 29, 20 and 27 are 0, 9 and 2") << 3 << QList<int>{29, 20, 27} << QStringLiteral("092");
    QTest::newRow("two point keys") << 2 << QList<int>{-1, -1} << QStringLiteral("..");
}

void TestDrillWindow::keypad()
{
    QFETCH(int, row);
    QFETCH(QList<int>, digitKeys);
    QFETCH(QString, text);
    WindowFixture fx;
    fx.openLevel(1);
    fx.pressCanvas(400, rowTop(row) + 175);
    for (const int key : digitKeys)
        fx.click(key < 0 ? fx.control<ColourButton>("Command11", row - 1) : fx.control<ColourButton>("Command6", key));
    QCOMPARE(fx.control<AnswerBoxWidget>("Text1", row - 1)->text(), text);
    for (int other = 0; other < 3; ++other)
        if (other != row - 1)
            QCOMPARE(fx.control<AnswerBoxWidget>("Text1", other)->text(), QString());
}

void TestDrillWindow::keysAppendAtTheEndAndNeverTakeTheFocus()
{
    WindowFixture fx;
    fx.openLevel(1);
    fx.pressCanvas(400, 175);
    AnswerBoxWidget* box = fx.control<AnswerBoxWidget>("Text1", 0);
    QTest::keyClicks(box, QStringLiteral("12"));
    box->setCursorPosition(0);
    fx.click(fx.control<ColourButton>("Command6", 3));
    QCOMPARE(box->text(), QStringLiteral("123"));
    box->selectAll();
    fx.click(fx.control<ColourButton>("Command11", 0));
    QCOMPARE(box->text(), QStringLiteral("123."));
    fx.control<ColourButton>("Command8", 0)->setFocus();
    const QWidget* focused = QApplication::focusWidget();
    fx.click(fx.control<ColourButton>("Command6", 4));
    fx.click(fx.control<ColourButton>("Command7", 1));
    QCOMPARE(QApplication::focusWidget(), focused);
    for (QPushButton* key : fx.controls<QPushButton>("Command6"))
        QCOMPARE(key->focusPolicy(), Qt::NoFocus);
}

void TestDrillWindow::eraseTouchesOnlyItsRow()
{
    WindowFixture fx;
    fx.openLevel(1);
    for (int i = 0; i < 3; ++i)
        fx.control<AnswerBoxWidget>("Text1", i)->setText(QStringLiteral("7"));
    fx.click(fx.control<ColourButton>("Command7", 1));
    QCOMPARE(fx.control<AnswerBoxWidget>("Text1", 0)->text(), QStringLiteral("7"));
    QCOMPARE(fx.control<AnswerBoxWidget>("Text1", 1)->text(), QString());
    QCOMPARE(fx.control<AnswerBoxWidget>("Text1", 2)->text(), QStringLiteral("7"));
    fx.click(fx.control<ColourButton>("Command7", 1));  // on an empty box
    QCOMPARE(fx.control<AnswerBoxWidget>("Text1", 1)->text(), QString());
}

void TestDrillWindow::clickingABoxMakesItPinkAndKeepsItsText()
{
    WindowFixture fx;
    fx.openLevel(1);
    fx.pressCanvas(400, 175);
    AnswerBoxWidget* box = fx.control<AnswerBoxWidget>("Text1", 0);
    box->setText(QStringLiteral("3"));
    box->setBackColor(colors::white);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(box->backColor(), colors::pink);
    QCOMPARE(box->text(), QStringLiteral("3"));
}

void TestDrillWindow::aWholeLevel1Problem()
{
    // L01, けってい, a press on row 1, the answer on the keypad, ﾁｪｯｸ: a red ○
    // during the pause, then the ○ in the status line over the next problem.
    WindowFixture fx;
    fx.openLevel(1);
    scriptWholes(fx, 1, {3, 2});  // three tenths and two full vessels: 2.3 litres
    fx.pressCanvas(400, 175);
    AnswerBoxWidget* box = fx.control<AnswerBoxWidget>("Text1", 0);
    QVERIFY(box->isVisible());
    QCOMPARE(box->pos(), QPoint(600, 143));
    QCOMPARE(box->backColor(), colors::pink);
    QVERIFY(fx.control<ColourButton>("Command5", 0)->isVisible());
    QVERIFY(fx.control<QWidget>("Picture6", 0)->isVisible());

    fx.click(fx.control<ColourButton>("Command6", 2));
    fx.click(fx.control<ColourButton>("Command11", 0));
    fx.click(fx.control<ColourButton>("Command6", 3));
    QCOMPARE(box->text(), QStringLiteral("2.3"));

    QImage markDuringPause;
    fx.platform.duringPause = [&] {
        if (markDuringPause.isNull())
            markDuringPause = fx.control<CanvasWidget>("Picture1", 0)->grab().toImage().copy(40, 180, 33, 33);
    };
    fx.click(fx.control<ColourButton>("Command5", 0));
    QCOMPARE(markDuringPause.convertToFormat(QImage::Format_RGB32),
             printedAlone(fx.canvas(), QRect(40, 180, 33, 33), 40, 180, QStringLiteral("○"), 24, colors::red).image());

    QCOMPARE(fx.state().problemCount(1), 2);
    QCOMPARE(fx.state().record(1, 1, Mark), MarkRightFirst);
    QCOMPARE(box->text(), QString());
    const QPoint status(30, 75);
    QCOMPARE(fx.canvas().image().copy(QRect(status, QSize(470, 32))),
             printedAlone(fx.canvas(), QRect(status, QSize(470, 32)), status.x(), status.y(),
                          QStringLiteral("レベル 1 ( 2)  せいせき：○"))
                 .image());
}

QTEST_MAIN(TestDrillWindow)
#include "test_drill_window.moc"
