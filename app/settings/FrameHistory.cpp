#include "app/settings/FrameHistory.h"

#include <algorithm>

void FrameHistory::add(double seconds) {
    frames_.push_back(seconds);
    total_ += seconds;
    // The newest frame always stays, however long it took.
    while (frames_.size() > 1 && total_ - frames_.front() >= span_) {
        total_ -= frames_.front();
        frames_.pop_front();
    }
}

std::vector<float> FrameHistory::milliseconds() const {
    std::vector<float> list;
    list.reserve(frames_.size());
    for (double seconds : frames_) list.push_back(static_cast<float>(seconds * 1000.0));
    return list;
}

double FrameHistory::rate() const {
    return total_ > 0.0 ? static_cast<double>(frames_.size()) / total_ : 0.0;
}

float FrameHistory::peak() const {
    double longest = 0.0;
    for (double seconds : frames_) longest = std::max(longest, seconds);
    return static_cast<float>(longest * 1000.0);
}
