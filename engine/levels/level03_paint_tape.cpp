// Level 3: painting a given length. (Being built: draws nothing yet.)

#include "generation.h"

namespace pomuru {

void drawPaintTapeProblem(Drill& drill, const ProblemPlace& place)
{
    writeRecord(drill.state, place, 0);
}

} // namespace pomuru
