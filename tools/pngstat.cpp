// Image facts for the end-to-end scripts, the gallery and the A/B comparison,
// read through FreeImage:
//   pngstat size FILE            -> WIDTHxHEIGHT
//   pngstat mean FILE [x0 y0 x1 y1] -> mean R G B (0..255) of the region (top-left origin)
//   pngstat diff A B [x0 y0 x1 y1] -> mean absolute difference in percent of full scale
//   pngstat differ A B [x0 y0 x1 y1] -> how many pixels differ in any channel, and the
//                                       largest channel difference (0..255)
//   pngstat bright FILE LEVEL [x0 y0 x1 y1] -> percent of pixels whose max channel >= LEVEL
//   pngstat share FILE R G B TOL [x0 y0 x1 y1] -> percent of pixels within TOL of the colour
//   pngstat darker A B LEVEL [x0 y0 x1 y1]     -> percent of pixels whose luminance in A
//                                                 is at least LEVEL below B's
//   pngstat spread FILE [x0 y0 x1 y1] -> standard deviation of the luminance (0..255)
//   pngstat make FILE W H        -> writes a W x H colour ramp, in the format the name implies
//   pngstat join OUT A B x0 y0 x1 y1 -> the region of A and the same region of B side by
//                                       side, 8 black pixels apart, written to OUT (the
//                                       gallery's before-and-after crops)
#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

FIBITMAP* load(const char* path) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path, 0);
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path);
    FIBITMAP* image = format == FIF_UNKNOWN ? nullptr : FreeImage_Load(format, path, 0);
    if (image == nullptr) {
        std::fprintf(stderr, "pngstat: cannot read %s\n", path);
        std::exit(1);
    }
    FIBITMAP* rgb = FreeImage_ConvertTo24Bits(image);
    FreeImage_Unload(image);
    return rgb;
}

// Pixel (x, y) with y counted from the top row.
void pixel(FIBITMAP* image, unsigned x, unsigned y, double rgb[3]) {
    const unsigned height = FreeImage_GetHeight(image);
    const BYTE* row = FreeImage_GetScanLine(image, static_cast<int>(height - 1 - y));
    rgb[0] = row[3 * x + FI_RGBA_RED];
    rgb[1] = row[3 * x + FI_RGBA_GREEN];
    rgb[2] = row[3 * x + FI_RGBA_BLUE];
}

double luminance(const double rgb[3]) { return 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]; }

// The optional region at argv[first..first+3], clipped to the image.
struct Region {
    unsigned x0, y0, x1, y1;
};
Region region(int argc, char** argv, int first, unsigned width, unsigned height) {
    Region r{0, 0, width, height};
    if (argc >= first + 4) {
        r.x0 = std::atoi(argv[first]);
        r.y0 = std::atoi(argv[first + 1]);
        r.x1 = std::atoi(argv[first + 2]);
        r.y1 = std::atoi(argv[first + 3]);
    }
    if (r.x1 > width) r.x1 = width;
    if (r.y1 > height) r.y1 = height;
    return r;
}

double percent(unsigned count, const Region& r) {
    const double total = double(r.x1 > r.x0 ? r.x1 - r.x0 : 0) * (r.y1 > r.y0 ? r.y1 - r.y0 : 0);
    return total > 0 ? 100.0 * count / total : 0.0;
}

// Test images of odd sizes for the loaders.
int makeImage(const char* path, int width, int height) {
    FIBITMAP* image = FreeImage_Allocate(width, height, 24);
    if (image == nullptr) return 1;
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(image, y);
        for (int x = 0; x < width; ++x) {
            row[3 * x + FI_RGBA_RED] = static_cast<BYTE>(255 * x / std::max(width - 1, 1));
            row[3 * x + FI_RGBA_GREEN] = static_cast<BYTE>(255 * y / std::max(height - 1, 1));
            row[3 * x + FI_RGBA_BLUE] = 96;
        }
    }
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path);
    const bool saved = format != FIF_UNKNOWN && FreeImage_Save(format, image, path, 0);
    FreeImage_Unload(image);
    return saved ? 0 : 1;
}

// The region of each picture, next to each other.
int joinRegions(int argc, char** argv) {
    FIBITMAP* left = load(argv[3]);
    FIBITMAP* right = load(argv[4]);
    const unsigned width = FreeImage_GetWidth(left), height = FreeImage_GetHeight(left);
    if (FreeImage_GetWidth(right) != width || FreeImage_GetHeight(right) != height) return 1;
    const Region r = region(argc, argv, 5, width, height);
    if (r.x1 <= r.x0 || r.y1 <= r.y0) return 1;
    const unsigned w = r.x1 - r.x0, h = r.y1 - r.y0, gap = 8;
    FIBITMAP* out = FreeImage_Allocate(static_cast<int>(2 * w + gap), static_cast<int>(h), 24);
    if (out == nullptr) return 1;
    // Copy and paste count rows from the top, as the region does.
    FIBITMAP* parts[2] = {FreeImage_Copy(left, r.x0, r.y0, r.x1, r.y1),
                          FreeImage_Copy(right, r.x0, r.y0, r.x1, r.y1)};
    for (int i = 0; i < 2; ++i) {
        FreeImage_Paste(out, parts[i], static_cast<int>(i * (w + gap)), 0, 256);
        FreeImage_Unload(parts[i]);
    }
    const bool saved = FreeImage_Save(FreeImage_GetFIFFromFilename(argv[2]), out, argv[2], 0);
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pngstat size|mean|diff|differ|bright|share|darker|spread FILE ...\n");
        return 2;
    }
    const std::string command = argv[1];
    if (command == "make" && argc == 5) return makeImage(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (command == "join" && argc == 9) return joinRegions(argc, argv);
    FIBITMAP* image = load(argv[2]);
    const unsigned width = FreeImage_GetWidth(image), height = FreeImage_GetHeight(image);

    if (command == "size") {
        std::printf("%ux%u\n", width, height);
    } else if (command == "mean") {
        unsigned x0 = 0, y0 = 0, x1 = width, y1 = height;
        if (argc == 7) {
            x0 = std::atoi(argv[3]); y0 = std::atoi(argv[4]);
            x1 = std::atoi(argv[5]); y1 = std::atoi(argv[6]);
        }
        double sum[3] = {0, 0, 0}, rgb[3];
        unsigned count = 0;
        for (unsigned y = y0; y < y1 && y < height; ++y)
            for (unsigned x = x0; x < x1 && x < width; ++x, ++count) {
                pixel(image, x, y, rgb);
                for (int c = 0; c < 3; ++c) sum[c] += rgb[c];
            }
        if (count == 0) count = 1;
        std::printf("%.1f %.1f %.1f\n", sum[0] / count, sum[1] / count, sum[2] / count);
    } else if (command == "diff" && argc >= 4) {
        FIBITMAP* other = load(argv[3]);
        if (FreeImage_GetWidth(other) != width || FreeImage_GetHeight(other) != height) {
            std::printf("100.0\n");
            return 0;
        }
        const Region r = region(argc, argv, 4, width, height);
        double total = 0, a[3], b[3];
        unsigned count = 0;
        for (unsigned y = r.y0; y < r.y1; ++y)
            for (unsigned x = r.x0; x < r.x1; ++x, ++count) {
                pixel(image, x, y, a);
                pixel(other, x, y, b);
                for (int c = 0; c < 3; ++c) total += std::fabs(a[c] - b[c]);
            }
        std::printf("%.3f\n", count > 0 ? 100.0 * total / (255.0 * 3.0 * count) : 0.0);
    } else if (command == "differ" && argc >= 4) {
        FIBITMAP* other = load(argv[3]);
        if (FreeImage_GetWidth(other) != width || FreeImage_GetHeight(other) != height) {
            std::fprintf(stderr, "pngstat: sizes differ\n");
            return 1;
        }
        const Region r = region(argc, argv, 4, width, height);
        unsigned count = 0;
        double largest = 0, a[3], b[3];
        for (unsigned y = r.y0; y < r.y1; ++y)
            for (unsigned x = r.x0; x < r.x1; ++x) {
                pixel(image, x, y, a);
                pixel(other, x, y, b);
                double most = 0;
                for (int c = 0; c < 3; ++c) most = std::fmax(most, std::fabs(a[c] - b[c]));
                if (most > 0) ++count;
                largest = std::fmax(largest, most);
            }
        std::printf("%u %.0f\n", count, largest);
    } else if (command == "bright" && argc >= 4) {
        const double level = std::atof(argv[3]);
        const Region r = region(argc, argv, 4, width, height);
        unsigned count = 0;
        double rgb[3];
        for (unsigned y = r.y0; y < r.y1; ++y)
            for (unsigned x = r.x0; x < r.x1; ++x) {
                pixel(image, x, y, rgb);
                if (std::fmax(rgb[0], std::fmax(rgb[1], rgb[2])) >= level) ++count;
            }
        std::printf("%.3f\n", percent(count, r));
    } else if (command == "share" && argc >= 7) {
        const double want[3] = {std::atof(argv[3]), std::atof(argv[4]), std::atof(argv[5])};
        const double tolerance = std::atof(argv[6]);
        const Region r = region(argc, argv, 7, width, height);
        unsigned count = 0;
        double rgb[3];
        for (unsigned y = r.y0; y < r.y1; ++y)
            for (unsigned x = r.x0; x < r.x1; ++x) {
                pixel(image, x, y, rgb);
                bool close = true;
                for (int c = 0; c < 3; ++c) close = close && std::fabs(rgb[c] - want[c]) <= tolerance;
                if (close) ++count;
            }
        std::printf("%.3f\n", percent(count, r));
    } else if (command == "darker" && argc >= 5) {
        FIBITMAP* other = load(argv[3]);
        if (FreeImage_GetWidth(other) != width || FreeImage_GetHeight(other) != height) {
            std::fprintf(stderr, "pngstat: sizes differ\n");
            return 1;
        }
        const double level = std::atof(argv[4]);
        const Region r = region(argc, argv, 5, width, height);
        unsigned count = 0;
        double a[3], b[3];
        for (unsigned y = r.y0; y < r.y1; ++y)
            for (unsigned x = r.x0; x < r.x1; ++x) {
                pixel(image, x, y, a);
                pixel(other, x, y, b);
                if (luminance(b) - luminance(a) >= level) ++count;
            }
        std::printf("%.3f\n", percent(count, r));
    } else if (command == "spread") {
        const Region r = region(argc, argv, 3, width, height);
        double sum = 0, squares = 0, rgb[3];
        unsigned count = 0;
        for (unsigned y = r.y0; y < r.y1; ++y)
            for (unsigned x = r.x0; x < r.x1; ++x, ++count) {
                pixel(image, x, y, rgb);
                const double l = luminance(rgb);
                sum += l;
                squares += l * l;
            }
        const double mean = count ? sum / count : 0.0;
        const double variance = count ? squares / count - mean * mean : 0.0;
        std::printf("%.2f\n", std::sqrt(variance > 0 ? variance : 0.0));
    } else {
        std::fprintf(stderr, "pngstat: unknown command\n");
        return 2;
    }
    return 0;
}
