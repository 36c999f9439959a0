// Level 7: comparing two decimals. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawComparisonProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
