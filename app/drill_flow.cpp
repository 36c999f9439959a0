// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "drill_flow.h"

#include "main_window.h"

#include "engine/colors.h"
#include "engine/page.h"

namespace pomuru {

namespace {
const QString ChooseLevelFirst = QStringLiteral("レベルをきめてから、けっていボタンをおしてください。");
const QString EndProgramQuestion = QStringLiteral("「ポムル」を　終わります。");
const QString DrillDoneQuestion = QStringLiteral("みなさん　おわりましたか？");

constexpr QPoint LevelPanelPosition{4, 54};
constexpr QPoint CanvasPosition{8, 8};

// The keyboard focus follows what is on screen: a control that is hidden
// with its menu or page would otherwise keep it, and the arrow keys would
// go on choosing levels in the menu that the pupil no longer sees.
void focusLevelMenu(MainWindow& window)
{
    QRadioButton* focus = window.Option2[0];
    for (QRadioButton* option : window.Option2) {
        if (option->isChecked())
            focus = option;
    }
    focus->setFocus(Qt::OtherFocusReason);
}
} // namespace

void Command1_Click(MainWindow& window, int /*index*/)
{
    window.Command1[0]->setBackColor(colors::lightYellow);
    window.Picture7[0]->move(LevelPanelPosition);
    window.Picture7[0]->show();
}

void Option2_Click(MainWindow& window, int index)
{
    window.drill().state.LevelNo = std::int16_t(index + 1);
}

void Command10_Click(MainWindow& window, int /*index*/)
{
    Drill& drill = window.drill();
    if (drill.state.LevelNo == 0) {
        drill.platform.showMessage(ChooseLevelFirst);
        return;
    }
    PageSetup(drill);
    window.Command1[0]->hide();
    for (QPushButton* check : window.Command5)
        check->hide();
    Canvas& canvas = drill.canvas();
    canvas.setPenColor(colors::black);
    for (int row = FirstRow; row <= LastRow; ++row)
        canvas.printAt(40, rowTop(row) + 155, StartRowPrompt);
    for (CanvasWidget* each : window.Picture1)
        each->hide();
    window.Picture7[0]->hide();
    CanvasWidget* shown = window.Picture1[std::size_t(drill.state.CanvasIndex)];
    shown->move(CanvasPosition);
    shown->show();
    // No answer box is on screen yet; the first press on a row gives its box
    // the focus.
    shown->setFocus(Qt::OtherFocusReason);
}

void Command8_Click(MainWindow& window, int /*index*/)
{
    Drill& drill = window.drill();
    if (!drill.platform.askYesNo(DrillDoneQuestion))
        return;
    window.Command1[0]->show();
    window.Picture1[std::size_t(drill.state.CanvasIndex)]->hide();
    // The page that is left holds nothing the next one needs: nothing is
    // drawn outside the row frames, which the next page draws afresh. Its
    // image goes, so that a run keeps one page's image, not two.
    drill.canvas().discard();
    window.Picture7[0]->show();
    for (int i = 0; i <= 2; ++i) {
        window.Text1[std::size_t(i)]->hide();
        window.Command5[std::size_t(i)]->hide();
        window.Picture6[std::size_t(i)]->hide();
        drill.state.clearRow(i + 1);
    }
    focusLevelMenu(window);
}

void Command2_Click(MainWindow& window, int /*index*/)
{
    if (window.platform().askYesNo(EndProgramQuestion))
        window.platform().endProgram();
}

} // namespace pomuru
