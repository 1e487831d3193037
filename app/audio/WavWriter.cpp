#include "app/audio/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

void put16(unsigned char*& at, unsigned value) {
    *at++ = static_cast<unsigned char>(value & 0xff);
    *at++ = static_cast<unsigned char>((value >> 8) & 0xff);
}

void put32(unsigned char*& at, unsigned long value) {
    put16(at, static_cast<unsigned>(value & 0xffff));
    put16(at, static_cast<unsigned>((value >> 16) & 0xffff));
}

}  // namespace

WavWriter::~WavWriter() { close(); }

bool WavWriter::open(const std::string& path, int sampleRate) {
    close();
    file_ = std::fopen(path.c_str(), "wb");
    sampleRate_ = sampleRate;
    frames_ = 0;
    failed_ = file_ == nullptr;
    if (file_ != nullptr) writeHeader();
    return !failed_;
}

// RIFF, WAVE, a PCM "fmt " chunk and the "data" chunk's head, little-endian.
void WavWriter::writeHeader() {
    unsigned char header[44];
    unsigned char* at = header;
    const unsigned long dataBytes = static_cast<unsigned long>(frames_) * 4u;
    std::copy_n("RIFF", 4, at), at += 4;
    put32(at, 36u + dataBytes);
    std::copy_n("WAVEfmt ", 8, at), at += 8;
    put32(at, 16u);
    put16(at, 1u);  // PCM
    put16(at, 2u);  // stereo
    put32(at, static_cast<unsigned long>(sampleRate_));
    put32(at, static_cast<unsigned long>(sampleRate_) * 4u);
    put16(at, 4u);   // bytes a frame
    put16(at, 16u);  // bits a sample
    std::copy_n("data", 4, at), at += 4;
    put32(at, dataBytes);
    if (std::fwrite(header, 1, sizeof header, file_) != sizeof header) failed_ = true;
}

void WavWriter::write(const float* stereo, int frames) {
    if (file_ == nullptr) return;
    unsigned char bytes[1024];
    for (int i = 0; i < 2 * frames;) {
        unsigned char* at = bytes;
        for (; i < 2 * frames && at < bytes + sizeof bytes; ++i) {
            const long value = std::lrint(std::clamp(stereo[i], -1.0f, 1.0f) * 32767.0f);
            put16(at, static_cast<unsigned>(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))));
        }
        const auto size = static_cast<size_t>(at - bytes);
        if (std::fwrite(bytes, 1, size, file_) != size) failed_ = true;
    }
    frames_ += frames;
}

bool WavWriter::close() {
    if (file_ == nullptr) return !failed_;
    if (std::fseek(file_, 0, SEEK_SET) == 0) {
        writeHeader();
    } else {
        failed_ = true;
    }
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}
