// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// What a blind pupil hears: the window on a real X display with the Orca
// screen reader listening (tests/orca/run_orca.sh starts both and names
// Orca's debug log in ORCA_LOG), driven by real keys from xdotool. At a row
// start, and after a right and a wrong check, Orca must speak the row's
// problem, the mark first; where-am-I in the answer box reads the problem.

#include "support/controls.h"
#include "support/rows.h"

#include "answer/answering.h"
#include "answer/marking.h"
#include "app/accessibility.h"
#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace pomuru;
using pomuru::testing::control;

namespace {

// xdotool runs while the window's event loop goes on: each key reaches the
// screen reader through the accessibility bus, which the window must answer.
bool xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000))
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool keys(const QStringList& names)
{
    return xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + names);
}

bool typeText(const QString& text)
{
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), text});
}

// The real platform, except that "終わる" is answered はい and a message is
// recorded, without a box. (Where Orca does not take the keypad's Enter for
// itself in time, the window gets it too and checks the emptied box.)
class AnsweringPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;
    bool askYesNo(const QString&) override { return true; }
    void showMessage(const QString& text) override { messages << text; }
    QStringList messages;
};

// Orca's debug log, read from where the test last looked.
class OrcaLog {
public:
    OrcaLog()
        : file_(qEnvironmentVariable("ORCA_LOG"))
    {
    }
    bool open() { return file_.open(QIODevice::ReadOnly); }
    // Everything logged from now on.
    void mark() { from_ = file_.size(); }
    // Whether Orca has spoken, since the mark, an utterance that starts with
    // `text`; Orca adds a full stop after a text that ends in a letter.
    bool spoke(const QString& text)
    {
        file_.seek(from_);
        const QString log = QString::fromUtf8(file_.readAll());
        return log.contains(QStringLiteral("SPEECH OUTPUT: '") + text);
    }
    QString since()
    {
        file_.seek(from_);
        QStringList spoken;
        for (const QString& line : QString::fromUtf8(file_.readAll()).split(u'\n')) {
            if (line.contains(QStringLiteral("SPEECH OUTPUT:")))
                spoken << line.section(QStringLiteral("SPEECH OUTPUT: "), 1).section(QStringLiteral("{"), 0, 0);
        }
        return spoken.join(u'\n');
    }

private:
    QFile file_;
    qint64 from_ = 0;
};

// ms that Orca may take to speak: on a loaded machine it has taken over 20 s.
constexpr int Speaking = 60000;

} // namespace

class TestScreenReaderX11 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void problemsAndMarksAreSpoken_data();
    void problemsAndMarksAreSpoken();

private:
    AnsweringPlatform platform_{1280};
    std::unique_ptr<MainWindow> window_;
    OrcaLog log_;
    int chosen_ = 0;  // the level option chosen so far, 0 for none
};

void TestScreenReaderX11::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("ORCA_LOG"))
        QSKIP("no screen reader: run under tests/orca/run_orca.sh");
    QVERIFY(log_.open());
    window_.reset(new MainWindow(platform_));
    platform_.setWindow(window_.get());
    Form_Load(*window_);
    window_->move(0, 0);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    // Orca has found the window once it speaks its focused option.
    QTRY_VERIFY2_WITH_TIMEOUT(log_.spoke(QStringLiteral("L01")), qPrintable(log_.since()), Speaking);
}

void TestScreenReaderX11::problemsAndMarksAreSpoken_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("pictureSays");  // words of what the picture shows
    QTest::newRow("level 1: vessels of water") << 1 << QStringLiteral("10に 分けた 目もりの");
    QTest::newRow("level 4: a number line") << 4 << QStringLiteral("やじるしは 0から 数えて");
    QTest::newRow("level 8: a sum") << 8 << QStringLiteral("次の計算をしましょう。");
}

void TestScreenReaderX11::problemsAndMarksAreSpoken()
{
    QFETCH(int, level);
    QFETCH(QString, pictureSays);
    MainWindow& window = *window_;
    Drill& drill = window.drill();

    // The level chosen on the menu by its keys, and "けってい" by Return.
    QStringList choose;
    if (chosen_ == 0) {
        choose << QStringLiteral("space");
        chosen_ = 1;
    }
    for (; chosen_ < level; ++chosen_)
        choose << QStringLiteral("Down");
    QVERIFY(keys(choose << QStringLiteral("Return")));
    QTRY_COMPARE(window.focusedRow(), 1);

    // Return starts row 1: its problem is spoken, with what its picture shows.
    log_.mark();
    QVERIFY(keys({QStringLiteral("Return")}));
    QTRY_VERIFY(drill.state.rowStarted(1));
    const QString problem = rowInWords(drill, 1, 0);
    QVERIFY2(problem.contains(pictureSays), qPrintable(problem));
    QTRY_VERIFY2_WITH_TIMEOUT(log_.spoke(QStringLiteral("通知 ") + problem), qPrintable(log_.since()), Speaking);

    // A right answer: the mark, then the next problem.
    testing::FirstChoice first;
    const Answering& answering = answeringOf(drill.state);
    log_.mark();
    QVERIFY(typeText(*answering.moves(drill.canvas(), rowToCheck(drill.state, 1), true, first).typed));
    QVERIFY(keys({QStringLiteral("Return")}));
    QTRY_COMPARE_WITH_TIMEOUT(drill.state.problemCount(1), 2, Speaking);
    const QString next = rowInWords(drill, 1, 0);
    QTRY_VERIFY2_WITH_TIMEOUT(log_.spoke(QStringLiteral("通知 せいかい。") + next), qPrintable(log_.since()), Speaking);

    // A wrong one: the mark, then the same problem again.
    log_.mark();
    QVERIFY(typeText(*answering.moves(drill.canvas(), rowToCheck(drill.state, 1), false, first).typed));
    QVERIFY(keys({QStringLiteral("Return")}));
    QTRY_COMPARE_WITH_TIMEOUT(drill.state.record(1, 2, AttemptCount), 1.0f, Speaking);
    QTRY_VERIFY2_WITH_TIMEOUT(log_.spoke(QStringLiteral("通知 まちがい。") + next), qPrintable(log_.since()), Speaking);

    // Where-am-I (the keypad's Enter) in the answer box: its name, then the problem.
    log_.mark();
    QVERIFY(keys({QStringLiteral("KP_Enter")}));
    QTRY_VERIFY2_WITH_TIMEOUT(log_.spoke(next.left(12)) && log_.since().contains(next),
                              qPrintable(log_.since()), Speaking);

    // Escape is "終わる", answered はい: the menu with the level's option.
    QVERIFY(keys({QStringLiteral("Escape")}));
    QTRY_VERIFY(control<QWidget>(window, "Picture7", 0)->isVisible());
}

QTEST_MAIN(TestScreenReaderX11)
#include "test_screen_reader_x11.moc"
