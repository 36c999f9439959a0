// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "level.h"

#include "../platform.h"

namespace pomuru {

int PlatformWholes::draw(int count, int first)
{
    // r has 24 bits, so the product is exact in a double and stays below count + first.
    return int(double(count) * double(platform_.nextRandom()) + first);
}

const Level* findLevel(int number)
{
    if (number < 1 || number > LevelCount)
        return nullptr;
    return Levels[std::size_t(number - 1)];
}

QString TenthsText(int tenths)
{
    const int whole = tenths / 10;
    const int tenth = tenths % 10;
    if (tenth == 0)
        return QString::number(whole);
    return QString::number(whole) + u'.' + QString::number(tenth);
}

} // namespace pomuru
