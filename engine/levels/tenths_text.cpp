// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "levels.h"

namespace pomuru {

QString TenthsText(int tenths)
{
    const int whole = tenths / 10;
    const int tenth = tenths % 10;
    if (tenth == 0)
        return QString::number(whole);
    return QString::number(whole) + u'.' + QString::number(tenth);
}

} // namespace pomuru
