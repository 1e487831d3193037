#include "app/audio/Biquad.h"

#include <algorithm>
#include <cmath>

namespace {

struct Angle {
    double cosine, alpha;
};

// The cookbook's w0 terms; the frequency kept below Nyquist so that the
// filter stays stable whatever a caller asks.
Angle angleOf(float frequency, float q, float sampleRate) {
    const double pi = 3.141592653589793;
    const double f = std::clamp(static_cast<double>(frequency), 1.0, 0.49 * sampleRate);
    const double w0 = 2.0 * pi * f / static_cast<double>(sampleRate);
    return {std::cos(w0), std::sin(w0) / (2.0 * std::max(static_cast<double>(q), 1e-3))};
}

}  // namespace

Biquad Biquad::normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad f;
    f.b0_ = static_cast<float>(b0 / a0);
    f.b1_ = static_cast<float>(b1 / a0);
    f.b2_ = static_cast<float>(b2 / a0);
    f.a1_ = static_cast<float>(a1 / a0);
    f.a2_ = static_cast<float>(a2 / a0);
    return f;
}

Biquad Biquad::lowPass(float frequency, float q, float sampleRate) {
    const Angle a = angleOf(frequency, q, sampleRate);
    const double k = 1.0 - a.cosine;
    return normalised(k / 2.0, k, k / 2.0, 1.0 + a.alpha, -2.0 * a.cosine, 1.0 - a.alpha);
}

Biquad Biquad::highPass(float frequency, float q, float sampleRate) {
    const Angle a = angleOf(frequency, q, sampleRate);
    const double k = 1.0 + a.cosine;
    return normalised(k / 2.0, -k, k / 2.0, 1.0 + a.alpha, -2.0 * a.cosine, 1.0 - a.alpha);
}

Biquad Biquad::bandPass(float frequency, float q, float sampleRate) {
    const Angle a = angleOf(frequency, q, sampleRate);
    return normalised(a.alpha, 0.0, -a.alpha, 1.0 + a.alpha, -2.0 * a.cosine, 1.0 - a.alpha);
}
