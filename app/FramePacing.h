#pragma once

// One iteration's decision of the paced main loop: how long to sleep and
// which elapsed time the frame is simulated with.
struct PacingStep {
    int sleepMilliseconds = -1;  // -1: no sleep this iteration
    double elapsed = 0.0;        // handed to input and frame
    double lastTime = 0.0;       // the loop's clock after this iteration
};

// Pure: `limit` is the minimum frame period (negative: unlimited), `now` the
// clock just read, `measured` = now - previous lastTime.
PacingStep paceFrame(float limit, double now, double measured);
