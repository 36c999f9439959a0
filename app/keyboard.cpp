// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// The whole drill by keys: the menu's keys, the rows of the page as stops of
// Tab, the keys of a row (handed to its way of answering), the outlines that
// show the focus once the keyboard is used, and what the screen reader is
// told as rows start and answers are checked.

#include "main_window.h"

#include "accessibility.h"
#include "drill_flow.h"

#include "answer/answering.h"
#include "answer/marking.h"
#include "answer/row_keys.h"
#include "engine/page.h"

#include <QApplication>
#include <QKeyEvent>

namespace pomuru {

namespace {

const QString AnswerBoxHint = QStringLiteral("こたえの 数を 入れて、チェックを おしてください。");

// The keys that move the focus or act on what holds it. Until one of them
// is pressed, the window shows no outline: a pupil with a mouse sees the
// window as it always was.
bool movesOrUsesFocus(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Less:
    case Qt::Key_Equal:
    case Qt::Key_Greater:
        return true;
    default:
        return false;
    }
}

bool plainKey(const QKeyEvent& key)
{
    return !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// The outline stands just outside the row's frame, clear of its black line
// and of the next row's frame.
QRect rowOutline(int row)
{
    const int top = rowTop(row);
    return QRect(QPoint(FrameLeft, top + FrameTop), QPoint(FrameRight, top + FrameBottom)).adjusted(-4, -4, 4, 4);
}

} // namespace

void MainWindow::buildRowFocus(int canvas)
{
    for (int row = FirstRow; row <= LastRow; ++row) {
        // No object name: the window's names are those of its control arrays.
        auto* focus = new RowFocus(row, Picture1[std::size_t(canvas)]);
        rowFocus_[std::size_t(canvas)][std::size_t(row - 1)] = focus;
    }
}

bool MainWindow::pageShown() const
{
    return !Picture7[0]->isVisible() && Picture1[std::size_t(drill_.state.CanvasIndex)]->isVisible();
}

// A new page: every row unstarted, its cursor at the left, its words the
// prompt; the rows beyond the page's last take no focus; the symbols come
// from an input method too.
void MainWindow::readyRowsForKeys()
{
    const int rows = rowsOnPage(drill_.state.ScreenWidthPixels);
    const bool symbols = answeringOf(drill_.state).way == AnswerWay::ChosenSymbol;
    cursors_.fill(0);
    for (int row = FirstRow; row <= LastRow; ++row) {
        RowFocus* focus = rowFocus_[std::size_t(drill_.state.CanvasIndex)][std::size_t(row - 1)];
        focus->setVisible(row <= rows);
        focus->setAttribute(Qt::WA_InputMethodEnabled, symbols);
        focus->setAccessibleDescription(StartRowPrompt);
        if (AnswerBoxWidget* box = Text1[std::size_t(row - 1)])
            box->setAccessibleDescription(AnswerBoxHint);
    }
}

int MainWindow::focusedRow() const
{
    const QWidget* focus = focusWidget();
    if (const auto* row = qobject_cast<const RowFocus*>(focus))
        return row->row();
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        if (focus != nullptr && focus == Text1[i])
            return int(i) + 1;
    }
    return 0;
}

void MainWindow::focusRow(int row)
{
    const DrillState& state = drill_.state;
    const auto index = std::size_t(row - 1);
    if (state.CanvasIndex == 0 && state.rowStarted(row))
        Text1[index]->setFocus(Qt::TabFocusReason);
    else
        rowFocus_[std::size_t(state.CanvasIndex)][index]->setFocus(Qt::TabFocusReason);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (plainKey(*event) && Picture7[0]->isVisible()) {
        if (isCheckKey(key)) {
            Command10_Click(*this, 0);
            return;
        }
        if (key == Qt::Key_Escape) {
            Command2_Click(*this, 0);
            return;
        }
    } else if (plainKey(*event) && pageShown()) {
        if (key == Qt::Key_Escape) {
            Command8_Click(*this, drill_.state.CanvasIndex);
            return;
        }
        const int row = focusedRow();
        if (row != 0 && rowKey(row, key, event->text()))
            return;
    }
    QWidget::keyPressEvent(event);
}

// Tab and Shift+Tab go round the rows of the page; on the menu they go
// round the window's controls as usual.
bool MainWindow::focusNextPrevChild(bool next)
{
    if (!pageShown())
        return QWidget::focusNextPrevChild(next);
    const int rows = rowsOnPage(drill_.state.ScreenWidthPixels);
    const int now = focusedRow();
    int row = 0;
    if (now == 0)
        row = next ? FirstRow : rows;
    else
        row = (now - 1 + (next ? 1 : rows - 1)) % rows + 1;
    focusRow(row);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && !outlinesShown_ && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this && movesOrUsesFocus(*static_cast<QKeyEvent*>(event)))
        showOutlines();
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::rowKey(int row, int key, const QString& text)
{
    const RowSeen before = seeRow(row);
    const RowKeyResult result = rowKeyDown(drill_, row, cursors_[std::size_t(row)], {key, text});
    if (result == RowKeyResult::NotMine)
        return false;
    afterRowKey(row, result, before);
    return true;
}

MainWindow::RowSeen MainWindow::seeRow(int row) const
{
    const DrillState& state = drill_.state;
    const int problems = state.problemCount(row);
    return {state.rowStarted(row), problems, problems > 0 ? state.record(row, problems, AttemptCount) : 0.0f};
}

// A row just started says its problem; a check (an attempt counted, or a
// problem settled and the next one drawn) says its mark first.
void MainWindow::afterRowInput(int row, const RowSeen& before)
{
    const RowSeen now = seeRow(row);
    // A new problem's tape is blank: the cursor starts again at the left.
    if (now.problems != before.problems)
        cursors_[std::size_t(row)] = 0;
    if (!before.started && now.started)
        tellRow(row, QString());
    else if (before.started && (now.problems != before.problems || now.attempts != before.attempts))
        tellRow(row, drill_.state.LastCheck[std::size_t(row)]);
    updateOutlines();
}

void MainWindow::afterRowKey(int row, RowKeyResult result, const RowSeen& before)
{
    switch (result) {
    case RowKeyResult::Started:
    case RowKeyResult::Checked:
        afterRowInput(row, before);
        break;
    case RowKeyResult::CursorMoved:
    case RowKeyResult::Pressed: {
        // Only what changed: the cell under the cursor, the chosen symbol.
        describeRow(row);
        const int cursor = cursors_[std::size_t(row)];
        announcer_->say(answeringOf(drill_.state).answerInWords(drill_.canvas(), rowTop(row), cursor));
        updateOutlines();
        break;
    }
    case RowKeyResult::NotMine:
        break;
    }
}

void MainWindow::describeRow(int row)
{
    const DrillState& state = drill_.state;
    const QString words = rowInWords(drill_, row, cursors_[std::size_t(row)]);
    rowFocus_[std::size_t(state.CanvasIndex)][std::size_t(row - 1)]->setAccessibleDescription(words);
    if (state.CanvasIndex == 0)
        Text1[std::size_t(row - 1)]->setAccessibleDescription(sentences({words, AnswerBoxHint}));
}

void MainWindow::tellRow(int row, const QString& before)
{
    describeRow(row);
    announcer_->say(sentences({before, rowInWords(drill_, row, cursors_[std::size_t(row)])}));
}

void MainWindow::showOutlines()
{
    if (outlinesShown_)
        return;
    outlinesShown_ = true;
    for (QRadioButton* option : Option2)
        static_cast<OptionButton*>(option)->setOutlineShown(true);
    updateOutlines();
}

void MainWindow::updateOutlines()
{
    const DrillState& state = drill_.state;
    const int row = outlinesShown_ && pageShown() ? focusedRow() : 0;
    for (int canvas = 0; canvas < int(Picture1.size()); ++canvas) {
        QRect rowArea;
        QRect cellArea;
        if (row != 0 && canvas == state.CanvasIndex) {
            rowArea = rowOutline(row);
            const Answering& answering = answeringOf(state);
            if (answering.way == AnswerWay::PaintedTape && state.rowStarted(row))
                cellArea = answering.targets(rowTop(row)).at(cursors_[std::size_t(row)]).adjusted(4, 4, -4, -4);
        }
        Picture1[std::size_t(canvas)]->setOutlines(rowArea, cellArea);
    }
}

} // namespace pomuru
