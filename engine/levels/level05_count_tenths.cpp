// Level 5: counting the tenths in a decimal. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawCountTenthsProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
