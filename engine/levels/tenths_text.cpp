#include "levels.h"

namespace pomuru {

QString TenthsText(int tenths)
{
    // Being built.
    return QString::number(tenths);
}

} // namespace pomuru
