// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// What the answer box shows is what is judged, with a Japanese input method
// on, in the real window offscreen. An input method composes only in an
// object that says it takes one (Qt::ImEnabled); in hiragana mode it holds
// the digits as full-width pre-edit until Enter, which a click on the check
// button does not give.

#include "support/scripted_wholes.h"
#include "support/window_fixture.h"

#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QTest>

using namespace pomuru;
using namespace pomuru::testing;

namespace {

QString fullWidth(const QString& ascii)
{
    QString wide;
    for (const QChar c : ascii)
        wide += c == u'.' ? QChar(u'．') : QChar(char16_t(c.unicode() - u'0' + u'０'));
    return wide;
}

void sendPreedit(QObject* box, const QString& preedit, const QString& commit = {})
{
    QInputMethodEvent event(preedit, {});
    event.setCommitString(commit);
    QCoreApplication::sendEvent(box, &event);
}

// Level 1 with row 1 started on 2.3 litres; the focus in its answer box.
struct Level1Row1 : WindowFixture {
    Level1Row1()
    {
        openLevel(1);
        scriptWholes(*this, 1, {3, 2});
        pressCanvas(400, 175);
    }
    AnswerBoxWidget* box() { return control<AnswerBoxWidget>("Text1", 0); }
    void check() { click(checkButton(1)); }
};

} // namespace

class TestInputMethod : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void digitsTypedWithTheInputMethodOnArriveAsTyped();
    void aPreeditShownIsJudged_data();
    void aPreeditShownIsJudged();
    void theNextProblemStartsWithAnEmptyBox();
};

void TestInputMethod::digitsTypedWithTheInputMethodOnArriveAsTyped()
{
    Level1Row1 fx;
    QObject* focus = QGuiApplication::focusObject();
    QCOMPARE(focus, static_cast<QObject*>(fx.box()));
    // What the platform's input method asks before it composes; a box that
    // takes one also brings up a touch desktop's screen keyboard.
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(focus, &query);
    QVERIFY2(!query.value(Qt::ImEnabled).toBool(), "the answer box takes an input method");

    // Refused by the box, the input method lets the keys through.
    QTest::keyClicks(fx.box(), QStringLiteral("2.3"));
    fx.check();
    QCOMPARE(fx.platform.messages, QStringList());
    QCOMPARE(fx.state().record(1, 1, Mark), MarkRightFirst);
}

void TestInputMethod::aPreeditShownIsJudged_data()
{
    QTest::addColumn<QString>("committed");
    QTest::addColumn<QString>("preedit");
    QTest::addColumn<float>("mark");
    QTest::newRow("the whole answer in pre-edit") << QString() << fullWidth(QStringLiteral("2.3")) << MarkRightFirst;
    QTest::newRow("２． committed, ３ in pre-edit") << fullWidth(QStringLiteral("2.")) << fullWidth(QStringLiteral("3"))
                                                  << MarkRightFirst;
    QTest::newRow("a wrong answer half in pre-edit") << QStringLiteral("2.") << fullWidth(QStringLiteral("4"))
                                                    << float(AttemptWrong);
}

void TestInputMethod::aPreeditShownIsJudged()
{
    QFETCH(QString, committed);
    QFETCH(QString, preedit);
    QFETCH(float, mark);
    // An input method that composes in the box although it takes none.
    Level1Row1 fx;
    if (!committed.isEmpty())
        sendPreedit(fx.box(), QString(), committed);
    sendPreedit(fx.box(), preedit);
    fx.check();
    QCOMPARE(fx.platform.messages, QStringList());
    QCOMPARE(fx.state().record(1, 1, AttemptCount), 1.0f);
    if (mark == MarkRightFirst)
        QCOMPARE(fx.state().record(1, 1, Mark), mark);
    else
        QCOMPARE(fx.state().record(1, 1, AttemptResult1), mark);
}

void TestInputMethod::theNextProblemStartsWithAnEmptyBox()
{
    Level1Row1 fx;
    sendPreedit(fx.box(), QString(), fullWidth(QStringLiteral("2.")));
    sendPreedit(fx.box(), fullWidth(QStringLiteral("3")));
    fx.check();
    QCOMPARE(fx.state().problemCount(1), 2);
    QCOMPARE(fx.box()->text(), QString());
    QCOMPARE(fx.box()->displayText(), QString());
}

QTEST_MAIN(TestInputMethod)
#include "test_input_method.moc"
