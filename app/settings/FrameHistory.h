#pragma once
// The frame times of the last few seconds, for the panel's graph.

#include <deque>
#include <vector>

class FrameHistory {
public:
    explicit FrameHistory(double span = 10.0) : span_(span) {}

    // One more frame of `seconds`; frames older than the span drop out.
    void add(double seconds);
    // The frames in order, in milliseconds.
    std::vector<float> milliseconds() const;
    // Frames per second over the span (0 with none).
    double rate() const;
    // The longest frame in the span, in milliseconds.
    float peak() const;

private:
    double span_;
    double total_ = 0.0;
    std::deque<double> frames_;
};
