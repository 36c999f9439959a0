// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "row_keys.h"

#include "canvas_press.h"
#include "marking.h"

namespace pomuru {

namespace {

// A left-button press at a canvas pixel, as the canvas reports one.
void pressAt(Drill& drill, QPoint at)
{
    Picture1_MouseDown(drill, drill.state.CanvasIndex, int(Qt::LeftButton), 0, float(at.x()), float(at.y()));
}

} // namespace

RowKeyResult rowKeyDown(Drill& drill, int row, int& cursor, const RowKeyPress& key)
{
    DrillState& state = drill.state;
    if (!state.rowStarted(row)) {
        if (!isCheckKey(key.key) && key.key != Qt::Key_Space)
            return RowKeyResult::NotMine;
        // The middle of the frame lies inside the row's press area whether or
        // not the row is the last of three.
        pressAt(drill, pressArea(row, false).center());
        return RowKeyResult::Started;
    }
    const KeyAction action = answeringOf(state).key(key, rowTop(row), cursor);
    switch (action.kind) {
    case KeyAction::CursorMoved:
        return RowKeyResult::CursorMoved;
    case KeyAction::PressAt:
        pressAt(drill, action.at);
        return RowKeyResult::Pressed;
    case KeyAction::Check:
        Command5_Click(drill, checkButtonOfRow(row, state.CanvasIndex));
        return RowKeyResult::Checked;
    case KeyAction::NotMine:
        break;
    }
    return RowKeyResult::NotMine;
}

} // namespace pomuru
