// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

#include <QPalette>

namespace pomuru {

// The program's own colours for everything it does not colour itself: the
// light palette of Qt's Fusion style, with every role of every colour group
// set, so that nothing of a desktop's colour scheme shows through.
QPalette ownPalette();

// Gives the whole program the Fusion style and its own palette, whatever
// style and colour scheme the desktop's platform theme asks for: a dark
// scheme would otherwise turn the captions on the program's pale back
// colours near-white. Message boxes take the same look.
void useOwnLook();

} // namespace pomuru
