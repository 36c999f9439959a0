// Level 8: adding decimals. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawAdditionProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
