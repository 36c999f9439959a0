// Level 4: reading a number line. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawNumberLineProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
