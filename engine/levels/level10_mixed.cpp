// Level 10: adding and subtracting decimals. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawMixedProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
