// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// A seeded monkey: a random pupil who presses anywhere on the real window
// and its canvases, types and pastes anything, hammers the keypads and the
// check buttons, changes levels and answers the questions of "終わる" and
// "おわり" either way, through both layouts and every level. After every
// event it checks what must always hold: the row table stays inside its
// bounds and shape, settled records never change, at most three attempts
// are counted, the status line agrees with the records (and the canvas shows
// it), a symbol press leaves exactly one red box, no generator keeps
// drawing random numbers for ever, the page keeps the level chosen in the
// menu, and no hidden control holds the keyboard focus. Keys, clicks and
// double clicks also go in through the window, as the platform delivers
// them, and some arrive during the feedback pause, which drops them as the
// program's pause does.
//
// POMURU_MONKEY_EVENTS sets the number of events (the sanitizer preset runs
// 200,000); POMURU_MONKEY_SEED replays one seed. A failure names the seed
// and the last events.

#include "support/fake_platform.h"
#include "support/printed_text.h"
#include "support/pupil.h"

#include "answer/answering.h"
#include "answer/canvas_press.h"
#include "answer/marking.h"
#include "app/input_drop.h"
#include "app/main_window.h"
#include "app/start_up.h"
#include "engine/colors.h"
#include "engine/fonts.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>

#include <array>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

using namespace pomuru;
using pomuru::testing::FakePlatform;
using pomuru::testing::Pupil;
using pomuru::testing::Margin;
using pomuru::testing::textMismatches;

namespace {

const QString DrillDoneQuestion = QStringLiteral("みなさん　おわりましたか？");
const QString EndProgramQuestion = QStringLiteral("「ポムル」を　終わります。");
const QString ChooseLevelFirst = QStringLiteral("レベルをきめてから、けっていボタンをおしてください。");

// Far more draws than any level needs for one event: a generator that gets
// here would never finish for the pupil either.
constexpr long DrawLimit = 1'000'000;

long eventsFromEnvironment(long fallback)
{
    const QByteArray value = qgetenv("POMURU_MONKEY_EVENTS");
    bool ok = false;
    const long events = value.toLong(&ok);
    return ok && events > 0 ? events : fallback;
}

// The scripted platform, with a guard against a generator that never
// finishes and a record of how each question was answered.
class GuardedPlatform : public FakePlatform {
public:
    float nextRandom() override
    {
        if (++drawsThisEvent > DrawLimit)
            qFatal("level %d: %ld random draws in one event; the generator does not finish", level, drawsThisEvent);
        return FakePlatform::nextRandom();
    }
    bool askYesNo(const QString& text) override
    {
        const bool yes = FakePlatform::askYesNo(text);
        answered.push_back({text, yes});
        return yes;
    }

    struct Answer {
        QString question;
        bool yes;
    };
    std::vector<Answer> answered;
    long drawsThisEvent = 0;
    int level = 0;
};

using Row = std::array<float, LastEntry + 1>;
using Table = std::array<Row, LastRow + 1>;
using Record = std::array<float, 10>;

Record recordOf(const DrillState& state, int row, int k)
{
    Record record{};
    for (int slot = Value1; slot <= AttemptCount; ++slot)
        record[std::size_t(slot - 1)] = state.record(row, k, RecordSlot(slot));
    return record;
}

QString markText(float mark)
{
    return mark == MarkRightFirst ? QStringLiteral("○") : mark == MarkRightLater ? QStringLiteral("△")
                                                       : mark == MarkWrong       ? QStringLiteral("×")
                                                                                 : QString();
}

// Whether attempts, results and mark of one record fit together: results 1
// or 3 for the attempts made and 0 beyond, a mark only once settled.
QString recordFault(const Record& r, bool settled)
{
    const float attempts = r[AttemptCount - 1];
    const float mark = r[Mark - 1];
    if (attempts != 0 && attempts != 1 && attempts != 2 && attempts != 3)
        return QStringLiteral("attempt count %1").arg(attempts);
    const int made = int(attempts);
    for (int i = 1; i <= 3; ++i) {
        const float result = r[std::size_t(AttemptResult1 - 1 + i - 1)];
        if (i <= made && result != AttemptRight && result != AttemptWrong)
            return QStringLiteral("result %1 of attempt %2").arg(result).arg(i);
        if (i > made && result != 0)
            return QStringLiteral("result %1 written for attempt %2 of %3").arg(result).arg(i).arg(made);
        if (i < made && result != AttemptWrong)
            return QStringLiteral("attempt %1 right but attempts went on").arg(i);
    }
    const bool lastRight = made > 0 && r[std::size_t(AttemptResult1 - 1 + made - 1)] == AttemptRight;
    if (!settled) {
        if (mark != MarkUndecided || made > 2 || lastRight)
            return QStringLiteral("current problem already settled (mark %1, %2 attempts)").arg(mark).arg(made);
        return {};
    }
    const float expected = lastRight ? (made == 1 ? MarkRightFirst : MarkRightLater) : (made == 3 ? MarkWrong : -1);
    if (mark != expected)
        return QStringLiteral("mark %1 after %2 attempts").arg(mark).arg(made);
    return {};
}

class Monkey {
public:
    Monkey(quint64 seed, int firstWidth, long events)
        : seed_(seed)
        , random_(seed)
        , nextWidth_(firstWidth)
        , longVisits_(events >= 10000)
    {
        openWindow();
    }

    // Runs the events and returns the first fault found, or nothing.
    QString run(long events)
    {
        for (long event = 0; event < events; ++event) {
            const Table tableBefore = state().RowValues;
            platform_->drawsThisEvent = 0;
            platform_->level = state().LevelNo;
            // The first long visit of a run is a pupil at a long drill: a
            // stray press on "終わる" is answered No until its events are
            // used up, so that its rows go past the records they hold.
            const bool keepDrilling = firstLongVisit_ && onPage() && pageEventsLeft_ > 0;
            platform_->answers.assign(1, !keepDrilling && chance(0.35));
            platform_->answered.clear();
            const qsizetype messagesBefore = platform_->messages.size();
            symbolRow_ = 0;

            step();

            QString fault = check(tableBefore, messagesBefore);
            if (!fault.isEmpty())
                return QStringLiteral("seed %1, event %2: %3\nlast events:\n  %4")
                    .arg(seed_).arg(event).arg(fault, log_.join(QStringLiteral("\n  ")));
            if (platform_->ended)
                openWindow();
        }
        return {};
    }

    std::array<long, LevelCount + 1> problemsByLevel{};
    std::array<long, 2> windowsByLayout{};  // small, large
    long settledPastRecordCapacity = 0;     // problems settled beyond the 99 records of a row

private:
    template <typename Control>
    Control* control(const char* array, int index) const
    {
        return testing::control<Control>(*window_, array, index);
    }

    DrillState& state() { return window_->drill().state; }
    bool onPage() const { return pupil_->onPage(); }
    CanvasWidget* canvasWidget() { return control<CanvasWidget>("Picture1", state().CanvasIndex); }
    int rows() { return rowsOnPage(state().ScreenWidthPixels); }

    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random_)); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

    void note(const QString& what)
    {
        log_.push_back(what);
        if (log_.size() > 24)
            log_.pop_front();
    }

    // A new run of the program: the window of the next layout, started up on
    // a clock that seeds the generator differently each time.
    void openWindow()
    {
        pupil_.reset();
        window_.reset();
        platform_ = std::make_unique<GuardedPlatform>();
        platform_->screenWidth = nextWidth_;
        platform_->clock = QTime(9, pick(60), pick(60));
        window_ = std::make_unique<MainWindow>(*platform_);
        pupil_ = std::make_unique<Pupil>(*window_, random_, pupilHands());
        Form_Load(*window_);
        window_->show();
        ++windowsByLayout[nextWidth_ >= LargeLayoutWidth ? 1 : 0];
        // The pupil goes on clicking and typing while the mark shows.
        platform_->duringPause = [this] {
            const InputDrop dropped(window_.get());
            for (int i = pick(4); i > 0; --i)
                strayInput();
        };
        note(QStringLiteral("start-up at screen width %1").arg(nextWidth_));
        nextWidth_ = nextWidth_ >= LargeLayoutWidth ? 999 : 1024;
        for (auto& row : settled_)
            row.clear();
        pageEventsLeft_ = 0;
        wasOnPage_ = false;
    }

    void click(QWidget* widget, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(widget, button, {}, at);
    }

    void step()
    {
        if (onPage())
            pageStep();
        else
            menuStep();
        if (chance(0.2))
            QCoreApplication::processEvents();
    }

    void menuStep()
    {
        const int roll = pick(100);
        if (roll < 60) {
            // Mostly the next level in turn and "けってい", so that a short
            // run visits all ten; now and then any option alone, or
            // "けってい" alone.
            const int level = roll < 15 ? pick(LevelCount) + 1 : cycle_ % LevelCount + 1;
            note(QStringLiteral("option L%1").arg(level));
            click(control<QRadioButton>("Option2", level - 1));
            if (roll < 15)
                return;
            cycle_ = level;
        }
        if (roll < 72) {
            note(QStringLiteral("けってい at level %1").arg(state().LevelNo));
            click(control<ColourButton>("Command10", 0));
            // Short visits, so that a short run sees every level; in a long
            // run the first visit and now and then another are long ones
            // that take rows past the 99 records they hold.
            const bool firstVisit = problemsByLevel == decltype(problemsByLevel){};
            const bool longVisit = longVisits_ && (firstVisit || chance(0.05));
            pageEventsLeft_ = longVisit ? 1500 + pick(3000) : 15 + pick(60);
            firstLongVisit_ = longVisit && firstVisit;
        } else if (roll < 78) {
            note(QStringLiteral("おわり, answering %1").arg(platform_->answers.front() ? "yes" : "no"));
            click(control<ColourButton>("Command2", 0));
        } else if (roll < 84) {
            note(QStringLiteral("３年生"));
            click(control<ColourButton>("Command1", 0));
        } else if (roll < 90) {
            pressAnywhere();
        } else if (roll < 95) {
            strayInput();
        } else {
            pressKeys(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : window_.get());
        }
    }

    void pageStep()
    {
        if (--pageEventsLeft_ <= 0 && chance(0.3)) {
            platform_->answers.assign(1, chance(0.7));
            note(QStringLiteral("終わる, answering %1").arg(platform_->answers.front() ? "yes" : "no"));
            click(control<ColourButton>("Command8", state().CanvasIndex));
            return;
        }
        if (startedRows().empty() && chance(0.6)) {
            // A pupil starts with a press on a row's frame.
            const int row = 1 + pick(rows());
            const QPoint at(30 + pick(700), rowTop(row) + 80 + pick(190));
            note(QStringLiteral("starting row %1 at (%2, %3)").arg(row).arg(at.x()).arg(at.y()));
            click(canvasWidget(), at);
            return;
        }
        const int roll = pick(100);
        if (roll < 24)
            pressCanvas();
        else if (roll < 36)
            pressKeypad();
        else if (roll < 46)
            typeText();
        else if (roll < 50)
            pasteText();
        else if (roll < 55)
            pressKeys(visibleAnswerBox() != nullptr ? static_cast<QWidget*>(visibleAnswerBox()) : window_.get());
        else if (roll < 78)
            pressCheck();
        else if (roll < 92)
            answerRightly();
        else if (roll < 96)
            strayInput();
        else
            pressAnywhere();
    }

    // What arrives through the window as the platform delivers it: keys go
    // to whatever holds the focus, a click or double click to whatever lies
    // under the point.
    void strayInput()
    {
        QWindow* window = window_->windowHandle();
        const int roll = pick(3);
        if (roll == 0) {
            static const std::array<Qt::Key, 9> keys{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,
                                                     Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Space,
                                                     Qt::Key_5};
            const Qt::Key key = keys[std::size_t(pick(int(keys.size())))];
            note(QStringLiteral("window key %1").arg(int(key)));
            QTest::keyClick(window, key);
            return;
        }
        QPoint at(pick(window_->width()), pick(window_->height()));
        if (onPage() && chance(0.6)) {
            // Mostly where the rows' answers are.
            const QPoint onCanvas(pick(FrameRight), pick(canvasWidget()->height()));
            at = canvasWidget()->mapTo(window_.get(), onCanvas);
        }
        if (roll == 1) {
            note(QStringLiteral("window double click at (%1, %2)").arg(at.x()).arg(at.y()));
            QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        } else {
            note(QStringLiteral("window click at (%1, %2)").arg(at.x()).arg(at.y()));
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
        }
    }

    // The level whose option the menu shows chosen; 0 for none.
    int chosenInMenu() const
    {
        const QList<QRadioButton*> options = testing::controls<QRadioButton>(*window_, "Option2");
        for (int i = 0; i < int(options.size()); ++i) {
            if (options[i]->isChecked())
                return i + 1;
        }
        return 0;
    }

    std::vector<int> startedRows()
    {
        std::vector<int> started;
        for (int row = FirstRow; row <= LastRow; ++row) {
            if (state().rowStarted(row))
                started.push_back(row);
        }
        return started;
    }

    void pressCanvas()
    {
        CanvasWidget* canvas = canvasWidget();
        const Answering& answering = answeringOf(state());
        const std::vector<int> started = startedRows();
        QPoint at(pick(canvas->width()), pick(canvas->height()));
        const bool answeredByPresses = !answering.targets(0).isEmpty();
        if (!started.empty() && answeredByPresses && chance(0.7)) {
            // In or just around one of the places a press answers in.
            const QList<QRect> targets = answering.targets(rowTop(started[std::size_t(pick(int(started.size())))]));
            const QRect target = targets[pick(int(targets.size()))];
            at = QPoint(target.left() - 1 + pick(target.width() + 3), target.top() - 1 + pick(target.height() + 3));
        } else if (chance(0.1)) {
            // The edges of the hit areas.
            const std::array<int, 6> xs{FrameLeft, FrameLeft + 1, FrameRight - 1, FrameRight, 400, 0};
            const std::array<int, 12> ys{70, 71, 279, 280, 285, 290, 500, 510, 600, 750, 769, 770};
            at = QPoint(xs[std::size_t(pick(int(xs.size())))], ys[std::size_t(pick(int(ys.size())))]);
        }
        const int row = rowAt(at.x(), at.y(), rows() == 3);
        if (answering.way == AnswerWay::ChosenSymbol && row != 0 && state().rowStarted(row)
            && symbols::boxAt(at.x(), at.y(), rowTop(row)) >= 0)
            symbolRow_ = row;
        const std::array<Qt::MouseButton, 3> buttons{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        note(QStringLiteral("canvas press at (%1, %2)").arg(at.x()).arg(at.y()));
        click(canvas, at, buttons[std::size_t(pick(3))]);
    }

    void pressKeypad()
    {
        std::vector<QPushButton*> keys;
        for (auto* key : testing::controls<QPushButton>(*window_, "Command6"))
            keys.push_back(key);
        for (int i = 0; i < 3; ++i) {
            keys.push_back(control<ColourButton>("Command11", i));
            keys.push_back(control<ColourButton>("Command7", i));
        }
        std::erase_if(keys, [](QPushButton* key) { return !key->isVisible(); });
        if (keys.empty())
            return pressAnywhere();
        QPushButton* key = keys[std::size_t(pick(int(keys.size())))];
        note(QStringLiteral("keypad %1").arg(key->text()));
        click(key);
    }

    QString randomText()
    {
        static const QString numeric = QStringLiteral("0123456789.+- ");
        static const QString fullWidth = QStringLiteral("０１２３４５６７８９．＋－　");
        static const QStringList odd{
            QStringLiteral("😀"), QStringLiteral("🍙"), QStringLiteral("①"), QStringLiteral("½"),
            QStringLiteral("ｱ"),  QStringLiteral("漢字"), QStringLiteral("\u0301"), QString(QChar(0xD83D)),
            QStringLiteral("\t"), QStringLiteral("\n"), QStringLiteral("e5"), QStringLiteral("0x1"),
            QStringLiteral("1e400"), QStringLiteral("-0"), QStringLiteral("nan"), QStringLiteral("∞"),
        };
        QString text;
        const int kind = pick(5);
        const int length = pick(9);
        for (int i = 0; i < length; ++i) {
            switch (kind) {
            case 0: text += numeric[pick(int(numeric.size()))]; break;
            case 1: text += fullWidth[pick(int(fullWidth.size()))]; break;
            case 2: text += odd[pick(int(odd.size()))]; break;
            case 3: text += QChar(char16_t(0x20 + pick(95))); break;
            default: text += QChar(char16_t(1 + pick(0xFFFE))); break;
            }
        }
        return text;
    }

    AnswerBoxWidget* visibleAnswerBox()
    {
        std::vector<AnswerBoxWidget*> boxes;
        for (auto* box : testing::controls<AnswerBoxWidget>(*window_, "Text1")) {
            if (box->isVisible())
                boxes.push_back(box);
        }
        return boxes.empty() ? nullptr : boxes[std::size_t(pick(int(boxes.size())))];
    }

    // Keys with their text one character at a time, or whole strings
    // committed by an input method (after some composing), as a Japanese
    // keyboard delivers them.
    void typeInto(QWidget* box, const QString& text)
    {
        if (chance(0.5)) {
            for (const QChar c : text)
                QTest::sendKeyEvent(QTest::Click, box, c.unicode() < 0x80 ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown, QString(c), {});
            return;
        }
        QInputMethodEvent composing(text.left(2), {});
        QCoreApplication::sendEvent(box, &composing);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(box, &commit);
    }

    void typeText()
    {
        AnswerBoxWidget* box = visibleAnswerBox();
        if (box == nullptr)
            return pressAnywhere();
        QString text = randomText();
        if (chance(0.03))
            text = text.repeated(20 + pick(30));
        note(QStringLiteral("typing \"%1\"").arg(text.left(40)));
        typeInto(box, text);
    }

    void pasteText()
    {
        AnswerBoxWidget* box = visibleAnswerBox();
        if (box == nullptr)
            return pressAnywhere();
        QString text = randomText();
        if (chance(0.2))
            text = (text + QStringLiteral("０.5")).repeated(200 + pick(5000));
        note(QStringLiteral("pasting %1 characters").arg(text.size()));
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(text);
        if (clipboard->text() == text)
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        else
            box->insert(text);  // a platform without a clipboard: what a paste does
    }

    void pressKeys(QWidget* target)
    {
        static const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 16> keys{{
            {Qt::Key_Backspace, {}}, {Qt::Key_Delete, {}}, {Qt::Key_Left, {}}, {Qt::Key_Right, {}},
            {Qt::Key_Home, {}}, {Qt::Key_End, {}}, {Qt::Key_Return, {}}, {Qt::Key_Enter, {}},
            {Qt::Key_Escape, {}}, {Qt::Key_Tab, {}}, {Qt::Key_Up, {}}, {Qt::Key_Down, {}},
            {Qt::Key_A, Qt::ControlModifier}, {Qt::Key_Z, Qt::ControlModifier},
            {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_Space, {}},
        }};
        const auto& [key, modifiers] = keys[std::size_t(pick(int(keys.size())))];
        note(QStringLiteral("key %1 on %2").arg(int(key)).arg(target->metaObject()->className()));
        QTest::keyClick(target, key, modifiers);
    }

    void pressCheck()
    {
        const QList<QPushButton*> checks = testing::controls<QPushButton>(*window_, "Command5");
        std::vector<QPushButton*> visible;
        for (auto* button : checks) {
            if (button->isVisible())
                visible.push_back(button);
        }
        if (visible.empty())
            return pressCanvas();
        QPushButton* button = visible[std::size_t(pick(int(visible.size())))];
        note(QStringLiteral("ﾁｪｯｸ %1").arg(checks.indexOf(button)));
        click(button);
    }

    // The right answer given the pupil's way, then the check: typed (now and
    // then in full-width digits), painted cell by cell, or pressed.
    void answerRightly()
    {
        const std::vector<int> started = startedRows();
        if (started.empty())
            return pressCanvas();
        const int row = started[std::size_t(pick(int(started.size())))];
        note(QStringLiteral("right answer in row %1 for %2").arg(row).arg(state().record(row, state().problemCount(row), Value1)));
        pupil_->prepareAnswer(row, true);
        click(pupil_->checkButton(row));
    }

    // The monkey's hands: clicks and presses through Qt's events, an answer
    // typed or committed into its box after its erase key.
    testing::PupilHands pupilHands()
    {
        return {
            [this](QAbstractButton* button) { click(button); },
            [this](QPoint at) { click(canvasWidget(), at); },
            [this](int row, const QString& answer) {
                AnswerBoxWidget* box = control<AnswerBoxWidget>("Text1", row - 1);
                click(control<ColourButton>("Command7", row - 1));
                QString text = answer;
                if (chance(0.3)) {
                    for (QChar& c : text)
                        c = c.isDigit() ? QChar(char16_t(c.unicode() + 0xFEE0)) : c == u'.' ? QChar(u'．') : c;
                }
                typeInto(box, text);
            },
        };
    }

    // A press on whatever lies at a random point of the window, as the
    // window system would deliver it.
    void pressAnywhere()
    {
        const QPoint at(pick(window_->width()), pick(window_->height()));
        QWidget* target = window_->childAt(at);
        if (target == nullptr)
            target = window_.get();
        note(QStringLiteral("press on %1 at (%2, %3)").arg(target->metaObject()->className()).arg(at.x()).arg(at.y()));
        if (target == control<QWidget>("Command2", 0) || target == control<QWidget>("Command8", 0)
            || target == control<QWidget>("Command8", 1))
            note(QStringLiteral("  answering %1").arg(platform_->answers.front() ? "yes" : "no"));
        click(target, target->mapFrom(window_.get(), at));
    }

    QString check(const Table& before, qsizetype messagesBefore)
    {
        const DrillState& s = state();

        for (const auto& [question, yes] : platform_->answered) {
            if (question != DrillDoneQuestion && question != EndProgramQuestion)
                return QStringLiteral("unexpected question \"%1\"").arg(question);
            if (question == DrillDoneQuestion && !yes && s.RowValues != before)
                return QStringLiteral("answering No to \"終わる\" changed the rows");
        }
        const bool cleared = std::any_of(platform_->answered.begin(), platform_->answered.end(),
                                         [](const auto& a) { return a.question == DrillDoneQuestion && a.yes; });
        for (qsizetype i = messagesBefore; i < platform_->messages.size(); ++i) {
            const QString& message = platform_->messages[i];
            if (message == ChooseLevelFirst ? s.LevelNo != 0 : message != EmptyAnswerMessage)
                return QStringLiteral("unexpected message \"%1\" at level %2").arg(message).arg(s.LevelNo);
        }
        if (s.LevelNo < 0 || s.LevelNo > LevelCount || (s.CanvasIndex != 0 && s.CanvasIndex != 1) || s.ProblemRow < 0 || s.ProblemRow > LastRow)
            return QStringLiteral("drill state out of range: level %1, canvas %2, row %3").arg(s.LevelNo).arg(s.CanvasIndex).arg(s.ProblemRow);
        if (std::any_of(s.RowValues[0].begin(), s.RowValues[0].end(), [](float v) { return v != 0; }))
            return QStringLiteral("row 0 was written");

        for (int row = FirstRow; row <= LastRow; ++row) {
            QString fault = checkRow(row, before[std::size_t(row)], cleared);
            if (!fault.isEmpty())
                return QStringLiteral("row %1: %2").arg(row).arg(fault);
        }

        if (symbolRow_ != 0 && answeringOf(s).way == AnswerWay::ChosenSymbol) {
            int red = 0;
            for (int box = 0; box < 3; ++box) {
                const QPoint seed = symbols::seed(box, rowTop(symbolRow_));
                red += canvasWidget()->canvas().pixel(seed.x(), seed.y()) == colors::red ? 1 : 0;
            }
            if (red != 1)
                return QStringLiteral("%1 red symbol boxes in row %2 after a symbol press").arg(red).arg(symbolRow_);
        }
        // However the page opened (by "けってい" or by a stray press on it),
        // it drills the level that the menu showed chosen.
        if (onPage() && !wasOnPage_)
            pageLevel_ = chosenInMenu();
        wasOnPage_ = onPage() && !platform_->ended;
        if (const QWidget* focus = window_->focusWidget(); focus != nullptr && !focus->isVisible() && !platform_->ended)
            return QStringLiteral("the hidden %1 holds the keyboard focus").arg(focus->metaObject()->className());
        return onPage() && !platform_->ended ? checkControls() : QString();
    }

    QString checkRow(int row, const Row& before, bool cleared)
    {
        const DrillState& s = state();
        const Row& values = s.RowValues[std::size_t(row)];
        auto& settled = settled_[std::size_t(row)];
        const float started = values[RowStarted];
        const float count = values[ProblemCount];
        if (started != 0 && started != 1)
            return QStringLiteral("RowStarted is %1").arg(started);
        if (count < 0 || count != float(int(count)))
            return QStringLiteral("ProblemCount is %1").arg(count);
        for (int entry = 2; entry <= 10; ++entry) {
            if (values[std::size_t(entry)] != 0)
                return QStringLiteral("unused entry %1 is %2").arg(entry).arg(values[std::size_t(entry)]);
        }
        const int n = int(count);
        if (started == 0) {
            if (std::any_of(values.begin(), values.end(), [](float v) { return v != 0; }))
                return QStringLiteral("a row not started holds values");
            if (before[RowStarted] != 0 && !cleared)
                return QStringLiteral("the row was cleared without \"終わる\"");
            settled.clear();
            return {};
        }
        if (row > rows())
            return QStringLiteral("started, but the page has %1 rows").arg(rows());
        if (n < 1)
            return QStringLiteral("started without a problem");

        const int nBefore = before[RowStarted] != 0 ? int(before[ProblemCount]) : 0;
        if (n == nBefore + 1) {
            if (nBefore >= 1) {
                settled.push_back(recordOf(s, row, nBefore));
                if (nBefore > RecordsPerRow)
                    ++settledPastRecordCapacity;
            }
            ++problemsByLevel[std::size_t(s.LevelNo)];
            const QString fault = checkStatusLinePixels(row, n);
            if (!fault.isEmpty())
                return fault;
        } else if (n != nBefore) {
            return QStringLiteral("problem count went from %1 to %2 in one event").arg(nBefore).arg(n);
        }
        if (int(settled.size()) != n - 1)
            return QStringLiteral("%1 problems settled, but the count is %2").arg(settled.size()).arg(n);

        const int held = std::min(n, RecordsPerRow);
        for (int entry = 10 * held + 11; entry <= LastEntry; ++entry) {
            if (values[std::size_t(entry)] != 0)
                return QStringLiteral("entry %1 beyond the %2 records held is %3").arg(entry).arg(held).arg(values[std::size_t(entry)]);
        }
        QString marks;
        for (int k = n - held + 1; k <= n; ++k) {
            const Record record = recordOf(s, row, k);
            const QString fault = recordFault(record, k < n);
            if (!fault.isEmpty())
                return QStringLiteral("problem %1 of %2: %3").arg(k).arg(n).arg(fault);
            if (k < n && record != settled[std::size_t(k - 1)])
                return QStringLiteral("the settled record of problem %1 changed").arg(k);
        }
        for (int k = std::max(1, n - 9); k < n; ++k)
            marks += markText(settled[std::size_t(k - 1)][Mark - 1]);
        const QString expected = QStringLiteral("レベル") + twoCharacterField(s.LevelNo) + QStringLiteral(" (")
            + twoCharacterField(n) + QStringLiteral(")  せいせき：") + marks;
        if (statusLine(s, row, n) != expected)
            return QStringLiteral("status line \"%1\", records say \"%2\"").arg(statusLine(s, row, n), expected);
        return {};
    }

    // The status line just drawn must be on the canvas as the records give it.
    QString checkStatusLinePixels(int row, int n)
    {
        const Canvas& canvas = canvasWidget()->canvas();
        const QString line = statusLine(state(), row, n);
        // The line may run into the picture right of the frame; it is checked
        // up to the frame's edge.
        const QPoint at = statusLineOrigin(row);
        const QRect upToTheEdge(at, QSize(FrameRight - at.x() - 1, 48));
        if (textMismatches(canvas, at.x(), at.y(), line, 24, Margin::None, upToTheEdge) != 0)
            return QStringLiteral("the canvas does not show the status line \"%1\"").arg(line);
        return {};
    }

    // On the page, a row's answer controls are shown exactly when it is started.
    QString checkControls()
    {
        const DrillState& s = state();
        if (control<CanvasWidget>("Picture1", s.CanvasIndex)->isHidden())
            return QStringLiteral("the page shows no canvas");
        if (pageLevel_ < 1 || s.LevelNo != pageLevel_ || chosenInMenu() != pageLevel_)
            return QStringLiteral("the page of level %1 now drills level %2").arg(pageLevel_).arg(s.LevelNo);
        if (s.CanvasIndex != answerCanvas(findLevel(s.LevelNo)->answering))
            return QStringLiteral("level %1 on canvas %2").arg(s.LevelNo).arg(s.CanvasIndex);
        for (int row = FirstRow; row <= LastRow; ++row) {
            const bool started = s.rowStarted(row);
            QPushButton* check = control<ColourButton>("Command5", checkButtonOfRow(row, s.CanvasIndex));
            if (check->isHidden() == started)
                return QStringLiteral("check button of row %1 %2").arg(row).arg(started ? "hidden" : "shown");
            if (s.CanvasIndex == 0 && control<QWidget>("Picture6", row - 1)->isHidden() == started)
                return QStringLiteral("keypad of row %1 %2").arg(row).arg(started ? "hidden" : "shown");
        }
        return {};
    }

    quint64 seed_;
    std::mt19937_64 random_;
    int nextWidth_;
    bool longVisits_;
    int cycle_ = 0;
    long pageEventsLeft_ = 0;
    int symbolRow_ = 0;
    int pageLevel_ = 0;  // the level chosen when the page opened
    bool firstLongVisit_ = false;
    bool wasOnPage_ = false;
    std::unique_ptr<GuardedPlatform> platform_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<Pupil> pupil_;
    std::array<std::vector<Record>, LastRow + 1> settled_;
    QStringList log_;
};

// Presses that reach no control are reported by QTest as not accepted, and
// random characters send the font fallback through every face installed;
// with thousands of such warnings the log would drown everything else.
QtMessageHandler previousHandler = nullptr;
void quietMouseWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg
        && (message.startsWith(QStringLiteral("Mouse event \"")) || message.startsWith(QStringLiteral("OpenType support missing"))))
        return;
    previousHandler(type, context, message);
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { previousHandler = qInstallMessageHandler(quietMouseWarnings); }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }
    void randomPupilNeverBreaksTheDrill_data();
    void randomPupilNeverBreaksTheDrill();
};

void TestMonkey::randomPupilNeverBreaksTheDrill_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<long>("events");
    const long events = eventsFromEnvironment(3000);
    const QByteArray replay = qgetenv("POMURU_MONKEY_SEED");
    if (!replay.isEmpty()) {
        QTest::newRow("replayed seed, large layout first") << replay.toULongLong() << 1024 << events;
        return;
    }
    // Seeds of at most 10,000 events each, so that each row stays inside
    // Qt Test's time per test function under the sanitizers.
    const long seeds = std::max(2L, (events + 9999) / 10000);
    for (long seed = 1; seed <= seeds; ++seed) {
        const bool large = seed % 2 == 1;
        QTest::addRow("seed %ld, %s layout first", seed, large ? "large" : "small")
            << quint64(seed) << (large ? 1024 : 999) << events / seeds;
    }
}

void TestMonkey::randomPupilNeverBreaksTheDrill()
{
    QFETCH(quint64, seed);
    QFETCH(int, screenWidth);
    QFETCH(long, events);

    Monkey monkey(seed, screenWidth, events);
    const QString fault = monkey.run(events);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));

    QString covered;
    for (int level = 1; level <= LevelCount; ++level)
        covered += QStringLiteral(" L%1:%2").arg(level).arg(monkey.problemsByLevel[std::size_t(level)]);
    qInfo("%ld events; problems drawn by level:%s; windows small %ld, large %ld; settled past 99 records %ld", events,
          qPrintable(covered), monkey.windowsByLayout[0], monkey.windowsByLayout[1], monkey.settledPastRecordCapacity);
    // A run of some length must have reached what it is meant to exercise.
    for (int level = 1; level <= LevelCount && events >= 1000; ++level)
        QVERIFY2(monkey.problemsByLevel[std::size_t(level)] > 0, qPrintable(QStringLiteral("level %1 never drilled").arg(level)));
    if (events >= 10000)
        QVERIFY2(monkey.settledPastRecordCapacity > 0, "no row went past the 99 records it holds");
}

QTEST_MAIN(TestMonkey)
#include "test_monkey.moc"
