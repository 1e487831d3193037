#pragma once
// The render scale: the scene's passes draw at a fraction of the surface's
// size and are scaled up to it, while text, panel and screenshots keep the
// surface's size. Set by hand (--render-scale, the panel), or picked from the
// measured frame times to hold a frame rate (--target-fps). Free of GL.
#include <cstddef>
#include <vector>

namespace renderscale {

constexpr float kMin = 0.5f, kMax = 1.0f;
// The scales the target picks from, kMin to kMax: small enough that a step
// is no visible jump, large enough that a few steps reach from end to end.
constexpr float kStep = 0.05f;

struct Size {
    int width = 0, height = 0;
};

// The scene's size at `scale` (clamped to kMin..kMax) of width x height,
// rounded, never below one pixel; a surface of no size has none.
Size scaledSize(unsigned width, unsigned height, float scale);

}  // namespace renderscale

class RenderScale {
public:
    // Decisions come from at least this much frame time and this many
    // frames: a few a second at most, and a median that one slow frame
    // does not move.
    static constexpr double kWindowSeconds = 0.5;
    static constexpr size_t kWindowFrames = 3;
    // The dead band, as shares of the frame budget: slower than kSlow steps
    // down, faster than kFast steps up, in between holds. Its width (1.31)
    // exceeds what one step up can cost (1.21 x the pixels at 0.5), so a
    // step up never lands above the band.
    static constexpr double kSlow = 1.05, kFast = 0.8;
    // A change needs two windows in a row that agree: one noisy median
    // moves nothing. A scale found too slow is not tried again for
    // kBlockSeconds, twice as long each time it is found too slow again, up
    // to kLongestBlock: a scene that sits near the budget settles below it
    // instead of pumping, and a load that has gone is still recovered from.
    static constexpr double kBlockSeconds = 8.0, kLongestBlock = 64.0;

    explicit RenderScale(float scale = 1.0f, int targetFps = 0);

    // The scale the next frame draws at.
    float scale() const { return scale_; }
    // Frames per second held; 0: off, the scale stays as set.
    int target() const { return target_; }
    // By hand: the scale, and with it where the target starts from.
    void setScale(float scale);
    void setTarget(int framesPerSecond);

    // One frame's time in seconds, without the pacer's sleep: the target
    // may change the scale.
    void frameDone(double seconds);

private:
    float scale_ = 1.0f;
    int target_ = 0;
    std::vector<double> window_;  // the frame times since the last decision
    double windowSeconds_ = 0.0;
    int verdict_ = 0;             // the last window's: -1 too slow, 1 fast enough to go up
    float blockedAt_ = 2.0f;      // the last scale found too slow (above kMax: none)
    double blockedFor_ = 0.0;     // seconds until it may be tried again
    double blockSeconds_ = kBlockSeconds;  // how long its last block was

    void decide(double medianSeconds);
};
