// Level 6: the decimal made of a number of tenths. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawTenthsValueProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
