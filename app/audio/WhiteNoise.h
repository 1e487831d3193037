#pragma once
#include <cstdint>

// White noise, evenly spread over [-1, 1): a xorshift generator, cheap per
// sample and the same on every system, so that the same run gives the same
// sound everywhere.
class WhiteNoise {
public:
    explicit WhiteNoise(std::uint32_t seed) : state_(seed != 0 ? seed : 1u) {}

    float next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(static_cast<std::int32_t>(state_)) * (1.0f / 2147483648.0f);
    }

private:
    std::uint32_t state_;
};
