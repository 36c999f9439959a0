// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "drill_flow.h"

#include "main_window.h"

#include "engine/colors.h"
#include "engine/page.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pomuru {

namespace {
const QString ChooseLevelFirst = QStringLiteral("レベルをきめてから、けっていボタンをおしてください。");
const QString EndProgramQuestion = QStringLiteral("「ポムル」を　終わります。");
const QString DrillDoneQuestion = QStringLiteral("みなさん　おわりましたか？");
} // namespace

void Command1_Click(MainWindow& window, int index)
{
    Q_ASSERT(index == 0);
    window.setGradeButtonColor(colors::lightYellow);
    window.showLevelMenu();
}

void Option2_Click(MainWindow& window, int index)
{
    Q_ASSERT(index >= 0 && index < LevelCount);
    window.drill().state.LevelNo = std::int16_t(index + 1);
}

void Command10_Click(MainWindow& window, int index)
{
    Q_ASSERT(index == 0);
    Drill& drill = window.drill();
    if (drill.state.LevelNo == 0) {
        drill.platform.showMessage(ChooseLevelFirst);
        return;
    }
    PageSetup(drill);
    window.hideGradeButton();
    window.hideCheckButtons();
    Canvas& canvas = drill.canvas();
    canvas.setPenColor(colors::black);
    for (int row = FirstRow; row <= LastRow; ++row)
        canvas.printAt(startPromptOrigin(row).x(), startPromptOrigin(row).y(), StartRowPrompt);
    window.showPage(drill.state.CanvasIndex);
}

namespace {

// The allocator keeps what is freed for the next allocations; the pages a
// drill has freed, its page image above all, go back to the system instead,
// so that the program is no larger between drills than the drill it keeps.
void giveFreedMemoryBack()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace

void Command8_Click(MainWindow& window, int index)
{
    Q_ASSERT(index == 0 || index == 1);
    Drill& drill = window.drill();
    if (!drill.platform.askYesNo(DrillDoneQuestion))
        return;
    window.showGradeButton();
    window.hidePage(drill.state.CanvasIndex);
    // The page that is left holds nothing the next one needs: nothing is
    // drawn outside the row frames, which the next page draws afresh. Its
    // image goes, so that a run keeps one page's image, not two.
    drill.canvas().discard();
    giveFreedMemoryBack();
    window.showLevelMenu();
    for (int i = 0; i <= 2; ++i) {
        window.hideRowControls(i);
        drill.state.clearRow(i + 1);
    }
    window.focusChosenLevel();
}

void Command2_Click(MainWindow& window, int index)
{
    Q_ASSERT(index == 0);
    if (window.platform().askYesNo(EndProgramQuestion))
        window.platform().endProgram();
}

} // namespace pomuru
