// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#include "accessibility.h"

#include "main_window.h"

#include "answer/answering.h"
#include "answer/marking.h"
#include "engine/page.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pomuru {

namespace {

QString ofRow(int row)
{
    return QStringLiteral("%1ばんめの もんだいの").arg(row);
}

// The drawing of a canvas has no words of its own: its description is the
// drill's, read when a screen reader asks, so nothing is built while no
// one listens.
class CanvasAccessible : public QAccessibleWidget {
public:
    explicit CanvasAccessible(QWidget* canvas)
        : QAccessibleWidget(canvas, QAccessible::Canvas)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Description)
            return QAccessibleWidget::text(kind);
        auto* window = qobject_cast<MainWindow*>(widget()->window());
        if (window == nullptr)
            return {};
        const DrillState& state = window->drill().state;
        // Only the canvas in use shows the drill.
        if (&window->canvas(state.CanvasIndex) != &static_cast<CanvasWidget*>(widget())->canvas() || state.LevelNo == 0)
            return {};
        return canvasDescription(state);
    }
};

QAccessibleInterface* canvasAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(CanvasWidget::staticMetaObject.className()) && object->isWidgetType())
        return new CanvasAccessible(static_cast<QWidget*>(object));
    // A notification is read out whenever it comes into view.
    if (className == QLatin1String(Announcer::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

// Tells a listening screen reader that a canvas's description changed: once
// per turn of the event loop however much was drawn, and not at all while
// no screen reader listens.
class DescriptionNotice : public QObject {
public:
    explicit DescriptionNotice(CanvasWidget* canvas)
        : QObject(canvas)
        , canvas_(canvas)
    {
        Canvas& drawing = canvas->canvas();
        drawing.changed = [repaint = drawing.changed, this](QRect area) {
            if (repaint)
                repaint(area);
            changed();
        };
    }

private:
    void changed()
    {
        if (pending_ || !QAccessible::isActive())
            return;
        pending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                pending_ = false;
                QAccessibleEvent event(canvas_, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&event);
            },
            Qt::QueuedConnection);
    }

    CanvasWidget* canvas_;
    bool pending_ = false;
};

void describe(QWidget* widget, const QString& name, const QString& description)
{
    if (!name.isEmpty())
        widget->setAccessibleName(name);  // otherwise the caption names it
    widget->setAccessibleDescription(description);
}

} // namespace

Announcer::Announcer(QWidget* window)
    : QWidget(window)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);  // nothing on the screen, and in no layout
    hide();
}

void Announcer::say(const QString& text)
{
    // The screen reader reads it as it comes into view, so it first goes.
    hide();
    setAccessibleName(text);
    show();
}

QString sentences(const QStringList& parts)
{
    QString text;
    for (const QString& part : parts) {
        const QString trimmed = part.trimmed();
        if (trimmed.isEmpty())
            continue;
        text += trimmed;
        if (!QStringLiteral("。？！?!").contains(trimmed.back()))
            text += u'。';
    }
    return text;
}

QString rowInWords(Drill& drill, int row, int cursor)
{
    const DrillState& state = drill.state;
    if (!state.rowStarted(row))
        return StartRowPrompt;
    QStringList parts = state.RowTexts[std::size_t(row)];
    parts << state.RowPictures[std::size_t(row)];
    parts << answeringOf(state).answerInWords(drill.canvas(), rowTop(row), cursor);
    return sentences(parts);
}

QString answerBoxName(int row)
{
    return ofRow(row) + QStringLiteral(" こたえ");
}

QString canvasDescription(const DrillState& state)
{
    const int row = state.ProblemRow;
    if (row < FirstRow || row > LastRow || !state.rowStarted(row))
        return StartRowPrompt;
    QStringList lines = state.RowTexts[std::size_t(row)];
    if (!state.LastCheck[std::size_t(row)].isEmpty())
        lines << state.LastCheck[std::size_t(row)];
    return lines.join(u'\n');
}

void MainWindow::describeForScreenReaders()
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(canvasAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    for (CanvasWidget* canvas : Picture1) {
        canvas->setAccessibleName(QStringLiteral("もんだい"));
        new DescriptionNotice(canvas);
    }
    announcer_ = new Announcer(this);
}

void MainWindow::describePage(int canvas)
{
    for (RowFocus* row : rowFocus_[std::size_t(canvas)]) {
        row->setAccessibleName(QStringLiteral("%1ばんめの もんだい").arg(row->row()));
        row->setAccessibleDescription(StartRowPrompt);
    }
    for (int row = FirstRow; row <= LastRow; ++row) {
        const int check = checkButtonOfRow(row, canvas);
        describe(Command5[std::size_t(check)], {}, ofRow(row) + QStringLiteral(" こたえを しらべます。"));
    }
    if (canvas == 0) {
        for (int row = FirstRow; row <= LastRow; ++row) {
            const auto index = std::size_t(row - 1);
            describe(Text1[index], answerBoxName(row), QStringLiteral("こたえの 数を 入れて、チェックを おしてください。"));
            Picture6[index]->setAccessibleName(ofRow(row) + QStringLiteral(" 数の ボタン"));
            describe(Command11[index], QStringLiteral("てん"), QStringLiteral("小数点を 入れます。"));
            describe(Command7[index], {}, QStringLiteral("こたえを けします。"));
        }
    }
    const auto index = std::size_t(canvas);
    describe(Picture2[index], QStringLiteral("女の子の 絵"), QStringLiteral("茶色の おさげで 青い 服の 女の子が、にっこり わらっています。"));
    describe(Picture3[index], QStringLiteral("男の子の 絵"), QStringLiteral("緑の シャツの 男の子が、頭を かかえて こまっています。"));
    describe(Picture4[index], QStringLiteral("子どもたちの 絵"),
             QStringLiteral("6人の 子どもたちが わらっています。ひとりが 手を ふっています。"));
}

} // namespace pomuru
