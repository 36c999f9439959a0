// Level 9: subtracting decimals. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawSubtractionProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
