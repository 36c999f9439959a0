// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QIcon>

namespace pomuru {

// The 16 × 16 icon of the title bar alone, which the first frame needs.
QIcon titleBarIcon();

// The icon at every size it is drawn at (16 to 256 pixels), for the title
// bar, docks and task switchers. Each size is read from its file when it is
// asked for and not kept: the desktop takes the icon once, as the window
// shows, and the larger sizes would otherwise stay in memory for the whole
// run. What it gives is what an icon that holds every size gives.
QIcon iconAtEverySize();

// The same icon with every size read at once and held, as Qt's own icons
// are: what the icon above stands in for.
QIcon iconAtEverySizeHeld();

} // namespace pomuru
