// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
//
// What a screen reader finds in the window, through Qt's accessibility
// interface: Japanese names and descriptions on the controls, and on the
// canvas in use the current row in words, with the mark of its last check.

#include "support/scripted_wholes.h"
#include "support/window_fixture.h"

#include "answer/marking.h"
#include "app/accessibility.h"

#include <QAccessible>
#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text kind)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(kind) : QStringLiteral("(no interface)");
}

QString canvasDescription(WindowFixture& fx, int canvas)
{
    return accessibleText(fx.control<CanvasWidget>("Picture1", canvas), QAccessible::Description);
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlsHaveJapaneseNames_data();
    void controlsHaveJapaneseNames();
    void canvasDescribesTheCurrentRow_data();
    void canvasDescribesTheCurrentRow();
    void markOfTheLastCheckIsSaidDuringThePause();
    void picturesAreSaidWithoutTheAnswer_data();
    void picturesAreSaidWithoutTheAnswer();
};

void TestAccessibility::controlsHaveJapaneseNames_data()
{
    QTest::addColumn<int>("which");  // the control's place in the list of the test below
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("descriptionHas");  // words the description holds; empty: any

    QTest::newRow("answer box of row 1") << 0 << QStringLiteral("1ばんめの もんだいの こたえ") << QString();
    QTest::newRow("answer box of row 2") << 1 << QStringLiteral("2ばんめの もんだいの こたえ") << QString();
    QTest::newRow("answer box of row 3") << 2 << QStringLiteral("3ばんめの もんだいの こたえ") << QString();
    QTest::newRow("check button of row 1, canvas 0") << 3 << QStringLiteral("ﾁｪｯｸ") << QStringLiteral("1ばんめ");
    QTest::newRow("check button of row 1, canvas 1") << 4 << QStringLiteral("ﾁｪｯｸ") << QStringLiteral("1ばんめ");
    QTest::newRow("check button of row 3, canvas 1") << 5 << QStringLiteral("ﾁｪｯｸ") << QStringLiteral("3ばんめ");
    QTest::newRow("point key of row 2") << 6 << QStringLiteral("てん") << QStringLiteral("小数点");
    QTest::newRow("erase key keeps its caption") << 7 << QStringLiteral("けす") << QStringLiteral("けします");
    QTest::newRow("digit key keeps its caption") << 8 << QStringLiteral("7") << QString();
    QTest::newRow("girl") << 9 << QStringLiteral("女の子の 絵") << QStringLiteral("おさげ");
    QTest::newRow("puzzled boy on canvas 1") << 10 << QStringLiteral("男の子の 絵") << QStringLiteral("こまって");
    QTest::newRow("children") << 11 << QStringLiteral("子どもたちの 絵") << QStringLiteral("6人");
    QTest::newRow("canvas 0") << 12 << QStringLiteral("もんだい") << QString();
}

void TestAccessibility::controlsHaveJapaneseNames()
{
    QFETCH(int, which);
    QFETCH(QString, name);
    QFETCH(QString, descriptionHas);
    WindowFixture fx;
    const std::pair<const char*, int> controls[] = {
        {"Text1", 0},    {"Text1", 1},    {"Text1", 2},    {"Command5", 0}, {"Command5", 5}, {"Command5", 3}, {"Command11", 1},
        {"Command7", 0}, {"Command6", 7}, {"Picture2", 0}, {"Picture3", 1}, {"Picture4", 0}, {"Picture1", 0},
    };
    const auto [array, index] = controls[std::size_t(which)];
    QWidget* control = fx.control<QWidget>(array, index);
    QCOMPARE(accessibleText(control, QAccessible::Name), name);
    if (!descriptionHas.isEmpty())
        QVERIFY2(accessibleText(control, QAccessible::Description).contains(descriptionHas),
                 qPrintable(accessibleText(control, QAccessible::Description)));
}

void TestAccessibility::canvasDescribesTheCurrentRow_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("draws");  // whole numbers of the problem, in the level's order
    QTest::addColumn<QString>("description");

    QTest::newRow("level 1: a picture and its unit") << 1 << QList<int>{3, 2}
                                                  << QStringLiteral("レベル 1 ( 1)  せいせき：\nﾘｯﾄﾙ");
    QTest::newRow("level 7 on canvas 1") << 7 << QList<int>{3, 8}
                                         << QStringLiteral("レベル 7 ( 1)  せいせき：\nどちらが、大きいですか？\n0.3\n0.8\n＞　＝　＜");
    QTest::newRow("level 8: instruction and expression")
        << 8 << QList<int>{3, 15}
        << QStringLiteral("レベル 8 ( 1)  せいせき：\n次の計算をしましょう。\n0.3 + 1.5 =");
}

void TestAccessibility::canvasDescribesTheCurrentRow()
{
    QFETCH(int, level);
    QFETCH(QList<int>, draws);
    QFETCH(QString, description);
    WindowFixture fx;
    QCOMPARE(canvasDescription(fx, 0), QString());  // the menu: no drill to describe

    fx.openLevel(level);
    const int used = fx.state().CanvasIndex;
    QCOMPARE(canvasDescription(fx, used), QStringLiteral("ここをクリックしてください。"));
    QCOMPARE(canvasDescription(fx, 1 - used), QString());  // the hidden canvas says nothing

    scriptWholes(fx, 1, draws);
    fx.pressCanvas(400, 175);
    QCOMPARE(canvasDescription(fx, used), description);

    // Another row started becomes the current row; back on the menu the
    // rows are cleared and the description with them.
    fx.pressCanvas(400, 400);
    QVERIFY(canvasDescription(fx, used).startsWith(QStringLiteral("レベル%1 ( 1)").arg(level, 2)));
    fx.platform.answers.push_back(true);
    fx.click(fx.control<ColourButton>("Command8", used));
    fx.click(fx.control<ColourButton>("Command10", 0));
    QCOMPARE(canvasDescription(fx, used), QStringLiteral("ここをクリックしてください。"));
}

void TestAccessibility::markOfTheLastCheckIsSaidDuringThePause()
{
    WindowFixture fx;
    fx.openLevel(8);
    scriptWholes(fx, 1, {3, 15});  // 0.3 + 1.5 = 1.8
    fx.pressCanvas(400, 175);

    QStringList duringPauses;
    fx.platform.duringPause = [&] {
        if (fx.platform.waits % 2 == 1)  // the first of the pause's two waits
            duringPauses << canvasDescription(fx, 0);
    };
    QTest::keyClicks(fx.control<AnswerBoxWidget>("Text1", 0), QStringLiteral("2"));
    fx.click(fx.control<ColourButton>("Command5", 0));
    QCOMPARE(duringPauses.last(), QStringLiteral("レベル 8 ( 1)  せいせき：\n次の計算をしましょう。\n0.3 + 1.5 =\nまちがい"));
    QCOMPARE(canvasDescription(fx, 0), duringPauses.last());  // the same problem stays

    scriptWholes(fx, 1, {10, 2});  // the next problem: 1 + 0.2
    QTest::keyClicks(fx.control<AnswerBoxWidget>("Text1", 0), QStringLiteral("1.8"));
    fx.click(fx.control<ColourButton>("Command5", 0));
    QCOMPARE(duringPauses.last(), QStringLiteral("レベル 8 ( 1)  せいせき：\n次の計算をしましょう。\n0.3 + 1.5 =\nせいかい"));
    QCOMPARE(canvasDescription(fx, 0),
             QStringLiteral("レベル 8 ( 2)  せいせき：△\n次の計算をしましょう。\n1 + 0.2 =\nせいかい"));
}

void TestAccessibility::picturesAreSaidWithoutTheAnswer_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QString>("answer");  // the decimal the words must not give away

    QTest::newRow("level 1: two full vessels, the third to mark 3")
        << 1 << QList<int>{3, 2}
        << QStringList{QStringLiteral("いれものが 2こ あります"), QStringLiteral("目もりの 3まで")} << QStringLiteral("2.3");
    QTest::newRow("level 1: no full vessel")
        << 1 << QList<int>{7, 0} << QStringList{QStringLiteral("いれものは ありません"), QStringLiteral("目もりの 7まで")}
        << QStringLiteral("0.7");
    QTest::newRow("level 2: six cells of ten coloured")
        << 2 << QList<int>{6} << QStringList{QStringLiteral("10の ますに"), QStringLiteral("6この ますに 色が")}
        << QStringLiteral("0.6");
    QTest::newRow("level 4: the arrow at mark 23 from 0")
        << 4 << QList<int>{23}
        << QStringList{QStringLiteral("0、10、20、30、40ばんめの 目もりに 0、1、2、3、4"), QStringLiteral("0から 数えて 23ばんめの 目もり")}
        << QStringLiteral("2.3");
}

void TestAccessibility::picturesAreSaidWithoutTheAnswer()
{
    QFETCH(int, level);
    QFETCH(QList<int>, draws);
    QFETCH(QStringList, says);
    QFETCH(QString, answer);
    WindowFixture fx;
    fx.openLevel(level);
    scriptWholes(fx, 1, draws);
    fx.pressCanvas(400, 175);
    const QString words = rowInWords(fx.drill(), 1, 0);
    for (const QString& part : says)
        QVERIFY2(words.contains(part), qPrintable(words));
    QVERIFY2(!words.contains(answer), qPrintable(words));
    // Where-am-I in the answer box reads the same problem.
    QVERIFY(accessibleText(fx.control<AnswerBoxWidget>("Text1", 0), QAccessible::Description).startsWith(words));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
