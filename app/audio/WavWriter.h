#pragma once
#include <cstdio>
#include <string>

// A 16-bit stereo PCM WAV file written as the mix comes; the header's sizes
// are filled in at the end.
class WavWriter {
public:
    ~WavWriter();
    bool open(const std::string& path, int sampleRate);
    // `frames` left-right pairs, each sample clamped to [-1, 1].
    void write(const float* stereo, int frames);
    // False where any of it could not be written.
    bool close();
    long long frames() const { return frames_; }

private:
    void writeHeader();
    std::FILE* file_ = nullptr;
    int sampleRate_ = 0;
    long long frames_ = 0;
    bool failed_ = false;
};
