#include "app/FramePacing.h"

PacingStep paceFrame(float limit, double now, double measured) {
    PacingStep step;
    step.elapsed = measured;
    step.lastTime = now;
    const double period = static_cast<double>(limit);
    if (period > measured) {
        // Whole milliseconds, truncated; oversleep shows up in the next frame.
        step.sleepMilliseconds = static_cast<int>((period - measured) * 1000.0);
        step.elapsed = period;
        step.lastTime = now + period;
    }
    return step;
}
