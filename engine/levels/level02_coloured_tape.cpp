// Level 2: the coloured 1 m tape. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawColouredTapeProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
